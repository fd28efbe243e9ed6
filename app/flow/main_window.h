// What the window's flow touches of the main window, and nothing more: the selector, the three
// boxes of a row, the caption, the buttons' Enabled and the message box. frmMain implements it;
// tests implement it with a fake that records what was set and shown.
#pragma once

#include <string>

namespace cellwright {

class MainWindow {
public:
    virtual ~MainWindow() = default;

    // Combo1.ListIndex of the "Number of tables" selector: 0 to 5, or -1 when nothing is selected.
    virtual int Combo1_ListIndex() const = 0;
    // Text of the first-cell, rows and columns boxes of the settings row k (0 to 5).
    virtual std::u16string Text1(int k) const = 0;
    virtual std::u16string Text2(int k) const = 0;
    virtual std::u16string Text3(int k) const = 0;
    // The line of the proposal "Use" filled row k from, while its boxes stay as filled; 0 when
    // the user typed them.
    virtual int UsedLine(int) const { return 0; }

    // The window's title bar text.
    virtual void SetCaption(const std::u16string &caption) = 0;
    // Enabled of "Convert" (Command2), "Save File" (Command3), "Reset" (Command5), "View"
    // (Command4(k)).
    virtual void SetCommand2Enabled(bool enabled) = 0;
    virtual void SetCommand3Enabled(bool enabled) = 0;
    virtual void SetCommand5Enabled(bool enabled) = 0;
    virtual void SetCommand4Enabled(int k, bool enabled) = 0;

    // The program's modal message box: one text, OK only; returns when it is dismissed.
    virtual void MsgBox(const std::u16string &text) = 0;
};

} // namespace cellwright
