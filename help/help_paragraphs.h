// The help window's paragraph table: program-wide, owned by the application object, so it
// outlives the window. frmHelp rebuilds it at each load.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace cellwright {

struct HelpParagraphs {
    // Entries 1 to 5 hold the paragraphs; entry 0 is not used.
    std::array<QString, 6> HelpText;
    // Entry k is the number of 16-bit characters of HelpText[k].
    std::array<int16_t, 6> HelpTextLength {};
    // Labels Label1(1) .. Label1(HelpParagraphCount) show the paragraphs; at most 5.
    int16_t HelpParagraphCount = 0;
};

} // namespace cellwright
