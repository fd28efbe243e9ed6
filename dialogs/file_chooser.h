// FileChooser: the twelve controls and the handlers that frmOpen and frmSaveAs share. A drive
// change moves the folder list, a folder change refreshes the file list and proposes its first
// name, choosing a type entry filters the list, a click takes the selected name, a double-click
// confirms it. What OK does is each dialog's own. A folder that cannot be opened is reported, and
// the dialog keeps the drive, folder, list and name it showed.
#pragma once

#include "toolkit.h"

namespace cellwright {

// Where one control sits, in twips.
struct ControlPlace {
    Twips Left, Top, Width, Height;
};

// A dialog's stored design: caption, client area, initial texts and the controls' places.
struct FileChooserDesign {
    const char16_t *Caption;
    Twips ClientWidth, ClientHeight;
    const char16_t *FileName; // Text1's initial text
    const char16_t *Pattern; // Combo1's initial text
    ControlPlace Label1, Text1, File1, Label2, Combo1, Label3, Label4, Dir1, Label5, Drive1,
        Command1, Command2;
};

class FileChooser : public Form {
public:
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

protected:
    explicit FileChooser(const FileChooserDesign &design);

    // OK: hands the folder and the name on.
    virtual void Command1_Click() = 0;

private:
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click();
    void File1_Click();
    void File1_DblClick();
    void Command2_Click();

    // Puts the folder list back on the folder the file list shows, after that one failed.
    void KeepFolder();

    bool m_keeping = false; // a failed change is being undone: no handler acts
};

} // namespace cellwright
