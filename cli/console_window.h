// The main window as the command line presents it to the engine: the table boxes hold what the
// --table arguments say, and the message box is a line on standard error. The title and the
// buttons have no one to show them to; the engine's rules stay exactly as in the window.
#pragma once

#include "command_line.h"
#include "main_window.h"

#include <string>
#include <vector>

namespace cellwright {

class ConsoleWindow : public MainWindow {
public:
    explicit ConsoleWindow(const std::vector<TableArgument> &tables);

    // Put before every message from now on, e.g. the name of the document being read.
    void SetMessageContext(std::string context) { messageContext = std::move(context); }
    // How many messages the engine has shown: each one means that its step failed.
    int MessageCount() const noexcept { return messageCount; }

    int Combo1_ListIndex() const override;
    std::u16string Text1(int k) const override;
    std::u16string Text2(int k) const override;
    std::u16string Text3(int k) const override;

    void SetCaption(const std::u16string &) override { }
    void SetCommand2Enabled(bool) override { }
    void SetCommand3Enabled(bool) override { }
    void SetCommand5Enabled(bool) override { }
    void SetCommand4Enabled(int, bool) override { }

    // Writes "cellwright-convert: [CONTEXT: ]TEXT" to standard error.
    void MsgBox(const std::u16string &text) override;

private:
    struct Boxes {
        std::u16string text1, text2, text3;
    };
    const Boxes *row(int k) const;

    std::vector<Boxes> rows;
    std::string messageContext;
    int messageCount = 0;
};

} // namespace cellwright
