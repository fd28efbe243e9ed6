// frmFind_Tables: the tables the finder proposes in the document as read, one list entry each
// (line, size, how sure the finder is, first cell) with a check box; entries whose cells hold
// LaTeX special characters are marked. The chosen entry's size shows in the Rows and Columns
// boxes, where the user puts it right, and its first and last rows in a grid. "Add" lists the
// table whose top-left cell is at the line typed. "Use" puts the ticked tables into the main
// window's boxes, in document order, each converting at its own line until its boxes are edited,
// and closes; the finder itself converts nothing.
#pragma once

#include "known_tables.h"
#include "toolkit.h"

#include <vector>

namespace cellwright {

class App;

// A table of up to PreviewFirstRows + 1 + PreviewLastRows rows shows whole in the preview; a
// longer one by its first and last rows, with a marked row for those left out between them.
inline constexpr int PreviewFirstRows = 4;
inline constexpr int PreviewLastRows = 2;

// Entries the finder is at least this sure of read "likely", the others "check the size". On the
// papers it was tuned on (tests/data/finder, first and second authors), 227 of the 231 proposals
// from 0.3 up are exact (98 %), 33 of 36 on the second author's alone; below it sit most of its
// guesses (lists, tables of words framed by text). On the third and fourth authors, whom it was
// not tuned on, 37 of 72 from 0.3 up are exact and no threshold does much better (17 of 27 from
// 0.7): there "likely" says less, which the size boxes are for.
inline constexpr double LikelyConfidence = 0.3;

class frmFind_Tables : public Form {
public:
    // How sure an entry's size is: the user's, the document's own, or the finder's, likely or
    // to be checked (a text export's guess, which the document it came from would know).
    enum class Sure { SetByUser, AsInDocument, Likely, Guessed };

    explicit frmFind_Tables(App &app);

    void Form_Load() override;

    Label tablesLabel { *this };
    ListBox tablesList { *this, ListStyle::Checkbox };
    Label rowsLabel { *this };
    TextBox rowsBox { *this };
    Label columnsLabel { *this };
    TextBox columnsBox { *this };
    Label lineLabel { *this };
    TextBox lineBox { *this };
    CommandButton addButton { *this };
    Label specialsLabel { *this };
    Label previewLabel { *this };
    Grid previewGrid { *this };
    Label statusLabel { *this };
    CommandButton useButton { *this };
    CommandButton closeButton { *this };

    // The tables listed, entry i of tablesList showing Proposals()[i] at the size it has now.
    const std::vector<TableProposal> &Proposals() const noexcept { return proposals; }

private:
    void tablesList_Click();
    void rowsBox_Change();
    void columnsBox_Change();
    void addButton_Click();
    void useButton_Click();
    void closeButton_Click();

    // Gives the chosen entry the size in box as its rows or columns, once the box holds one.
    void Resize(const TextBox &box, int TableProposal::*size);
    QString EntryText(std::size_t i) const;
    Sure Sureness(std::size_t i) const;
    void ShowPreview(const TableProposal &p);
    void ShowCount();
    // The message that refuses the ticked entries, or "" when "Use" may fill the boxes.
    QString UseRefusal(const std::vector<int> &ticked) const;

    App &app;
    std::vector<TableProposal> proposals;
    // Each entry as the finder proposed it, before the user changed its size.
    std::vector<TableProposal> proposed;
};

} // namespace cellwright
