// A stand-in for the main window that records what the engine set and showed.
#pragma once

#include "main_window.h"

#include <array>
#include <string>
#include <vector>

namespace cellwright {

struct FakeMainWindow : MainWindow {
    int listIndex = 1;
    std::array<std::u16string, 6> text1 {}, text2 {}, text3 {};

    std::u16string caption;
    bool convertEnabled = false, saveEnabled = false, resetEnabled = false;
    std::array<bool, 6> viewEnabled {};
    std::vector<std::u16string> messages;

    // Describes table t (1..6) the way a user fills in its row of boxes.
    void describe(int t, std::u16string first, std::u16string rows, std::u16string cols)
    {
        text1[t - 1] = std::move(first);
        text2[t - 1] = std::move(rows);
        text3[t - 1] = std::move(cols);
    }

    int Combo1_ListIndex() const override { return listIndex; }
    std::u16string Text1(int k) const override { return text1.at(k); }
    std::u16string Text2(int k) const override { return text2.at(k); }
    std::u16string Text3(int k) const override { return text3.at(k); }
    void SetCaption(const std::u16string &c) override { caption = c; }
    void SetCommand2Enabled(bool e) override { convertEnabled = e; }
    void SetCommand3Enabled(bool e) override { saveEnabled = e; }
    void SetCommand5Enabled(bool e) override { resetEnabled = e; }
    void SetCommand4Enabled(int k, bool e) override { viewEnabled.at(k) = e; }
    void MsgBox(const std::u16string &text) override { messages.push_back(text); }
};

} // namespace cellwright
