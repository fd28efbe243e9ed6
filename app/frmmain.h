// frmMain: the start-up window. The "Number of tables" selector shows one settings row per table
// (first cell, rows, columns, "View"); the buttons and the File menu show the dialogs and run the
// engine, the Tables menu shows the finder's window and turns escaping on and off, the Help menu
// shows the help window and the about box. The engine reads the selector
// and the boxes and sets the caption and the buttons' Enabled (through frmMainLink).
#pragma once

#include "toolkit.h"

#include <array>

namespace cellwright {

class App;

class frmMain : public Form {
public:
    explicit frmMain(App &app);

    void Form_Load() override;
    void Form_Unload() override;
    // A document dropped from the file manager is read as if chosen in the open dialog.
    void Form_FileDrop(const QString &path) override;

    Label Label1 { *this };
    Label Label2 { *this };
    Label Label3 { *this };
    CommandButton Command1 { *this };
    Label Label13 { *this };
    ComboBox Combo1 { *this, ComboStyle::DropDownList };
    Label Label10 { *this };
    Label Label11 { *this };
    Label Label12 { *this };
    // One settings row per table: member k serves table k + 1.
    ControlArray<Label> Label4 { *this, 6 };
    ControlArray<TextBox> Text1 { *this, 6 };
    ControlArray<TextBox> Text2 { *this, 6 };
    ControlArray<TextBox> Text3 { *this, 6 };
    ControlArray<CommandButton> Command4 { *this, 6 };
    CommandButton Command2 { *this };
    CommandButton Command5 { *this };
    CommandButton Command3 { *this };

    Menu myFile { *this, "File" };
    Menu myOpen { myFile, "Open ..." };
    Menu mySave { myFile, "Save ..." };
    Menu myDash1 { myFile, "-" };
    Menu MyExit { myFile, "Exit" };
    Menu mTables { *this, "Tables" };
    Menu mFindTables { mTables, "Find Tables ..." };
    Menu mEscape { mTables, "Escape Special Characters" };
    Menu mTabular { mTables, "Complete Tabular Environments" };
    Menu mHelp { *this, "Help" };
    Menu mWhat2Do { mHelp, "What to Do" };
    Menu mDashy { mHelp, "-" };
    Menu mabout { mHelp, "About" };

    // The line of the proposal "Use" filled settings row k from; editing a box of the row makes
    // it a described table again (0).
    std::array<int, 6> UsedLine {};

private:
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click(int Index);
    void Command5_Click();
    void Text1_Change(int Index);
    void Text2_Change(int Index);
    void Text3_Change(int Index);
    void myOpen_Click();
    void mySave_Click();
    void MyExit_Click();
    void mFindTables_Click();
    void mEscape_Click();
    void mTabular_Click();
    void mWhat2Do_Click();
    void mabout_Click();

    // Shows or hides the five controls of settings row k.
    void ShowRow(int k, bool visible);

    App &app;
};

} // namespace cellwright
