// The engine's view of the main window: reads the selector and the boxes of frmMain and sets its
// caption and buttons, converting between the engine's 16-bit strings and the window's text.
// A separate object because frmMain's control arrays carry the names the interface uses as
// functions (Text1, Text2, Text3).
#pragma once

#include "main_window.h"

namespace cellwright {

class App;
class frmMain;

class frmMainLink : public MainWindow {
public:
    explicit frmMainLink(App &app)
        : app(app)
    {
    }

    int Combo1_ListIndex() const override;
    std::u16string Text1(int k) const override;
    std::u16string Text2(int k) const override;
    std::u16string Text3(int k) const override;
    int UsedLine(int k) const override;

    void SetCaption(const std::u16string &caption) override;
    void SetCommand2Enabled(bool enabled) override;
    void SetCommand3Enabled(bool enabled) override;
    void SetCommand5Enabled(bool enabled) override;
    void SetCommand4Enabled(int k, bool enabled) override;

    void MsgBox(const std::u16string &text) override;

private:
    // The main window, created first if code reaches it before start-up did.
    class frmMain &form() const;

    App &app;
};

} // namespace cellwright
