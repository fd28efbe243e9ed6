// frmHelp: the instructions window. A heading and five paragraphs, each paragraph placed below the
// estimated end of the one before; the window's height is set so that all five fit, and every
// change of size lays them out again for the new width (arithmetic in help_layout.h).
#pragma once

#include "help_layout.h"
#include "help_paragraphs.h"
#include "toolkit.h"

namespace cellwright {

class frmHelp : public Form {
public:
    // paragraphs is the program-wide table; it outlives the window and is rebuilt at each load.
    explicit frmHelp(HelpParagraphs &paragraphs);

    void Form_Load() override;
    void Form_Resize() override;

    // The heading.
    Label Label0 { *this };
    // Label1(1) .. Label1(5) show the paragraphs; Label1(0) is an empty stored member.
    ControlArray<Label> Label1 { *this, 6 };

private:
    // Steps L1 (resize only) to L4 for the window's width now.
    void Layout(HelpPass pass);

    HelpParagraphs &m_paragraphs;
};

} // namespace cellwright
