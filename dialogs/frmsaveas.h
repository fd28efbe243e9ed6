// frmSaveAs: the program's own chooser for where the document is written; a near twin of frmOpen
// without a layout of its own. OK stores the folder and the name and runs WriteDocument; the form
// stays open when the save fails, so the user can correct the name. Its controls keep their
// places whatever the window's size.
#pragma once

#include "read_textfile.h"
#include "toolkit.h"

namespace cellwright {

class frmSaveAs : public Form {
public:
    frmSaveAs(ConversionState &state, Read_Textfile &engine);

    // Shows the folder list's path in the folder caption from the start.
    void Form_Load() override;

    Label Label1 { *this };
    TextBox Text1 { *this };
    FileListBox File1 { *this };
    Label Label2 { *this };
    ComboBox Combo1 { *this, ComboStyle::DropDownCombo };
    Label Label3 { *this };
    Label Label4 { *this };
    DirListBox Dir1 { *this };
    Label Label5 { *this };
    DriveListBox Drive1 { *this };
    CommandButton Command1 { *this };
    CommandButton Command2 { *this };

private:
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click();
    void File1_Click();
    void File1_DblClick();
    void Command1_Click();
    void Command2_Click();

    // Puts the folder list back on the folder the file list shows, after that one failed.
    void KeepFolder();
    // Puts the drive list back on the folder list's drive, after the folder list failed.
    void KeepDrive();

    ConversionState &state;
    Read_Textfile &engine;
    bool m_keeping = false; // a failed change is being undone: no handler acts
};

} // namespace cellwright
