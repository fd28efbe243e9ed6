// frmFind_Tables: the tables the finder proposes in the document as read, one list entry each
// (line, size, first cell) with a check box; entries whose cells hold LaTeX special characters
// are marked. The chosen entry's first rows show in a grid. "Use" puts the ticked tables into the
// main window's boxes, in document order, each converting at its own line until its boxes are
// edited, and closes; the finder itself converts nothing.
#pragma once

#include "known_tables.h"
#include "toolkit.h"

#include <vector>

namespace cellwright {

class App;

// Rows of a proposal the preview shows at most.
inline constexpr int PreviewRows = 5;

class frmFind_Tables : public Form {
public:
    explicit frmFind_Tables(App &app);

    void Form_Load() override;

    Label Label1 { *this };
    ListBox List1 { *this, ListStyle::Checkbox };
    Label Label2 { *this };
    Label Label3 { *this };
    Grid Grid1 { *this };
    Label Label4 { *this };
    CommandButton Command1 { *this };
    CommandButton Command2 { *this };

    // The proposals listed, entry i of List1 showing Proposals[i].
    const std::vector<TableProposal> &Proposals() const noexcept { return proposals; }

private:
    void List1_Click();
    void Command1_Click();
    void Command2_Click();

    // The message that refuses the ticked entries, or "" when "Use" may fill the boxes.
    QString UseRefusal(const std::vector<int> &ticked) const;

    App &app;
    std::vector<TableProposal> proposals;
};

} // namespace cellwright
