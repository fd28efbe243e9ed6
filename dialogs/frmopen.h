// frmOpen: the program's own chooser for the document to read. OK stores the folder and the name
// separately in the conversion state and runs ReadDocument; OK and Cancel only hide the form, so
// drive, folder, pattern and name survive to the next showing. A folder that cannot be opened is
// reported, and the dialog keeps the drive, folder, list and name it showed. Form_Resize keeps a
// minimum outer size and shares extra width between the two columns, extra height to the lists.
#pragma once

#include "read_textfile.h"
#include "toolkit.h"

namespace cellwright {

class frmOpen : public Form {
public:
    frmOpen(ConversionState &state, Read_Textfile &engine);

    // Shows the folder list's path in the folder caption from the start.
    void Form_Load() override;

    void Form_Resize() override;

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
    void File1_MouseDown(int Button, int Shift, Twips X, Twips Y);
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
