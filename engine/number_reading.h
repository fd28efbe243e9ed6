// Reading the number at the start of a box's text, the way the table boxes are read.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace cellwright {

// The value of the number at the start of text: blanks (space, tab, line feed) are skipped
// anywhere, an optional sign, digits with at most one period, an optional exponent introduced by
// E, or the prefixes &H / &O for hexadecimal / octal digits. Scanning stops at the first
// character that cannot continue the number; text that starts with no number gives 0.
double ReadNumber(std::u16string_view text);

// Rounds to the nearest whole number, halves to the even neighbour; empty when the result lies
// outside the 16-bit range.
std::optional<int16_t> RoundToInt16(double value);

} // namespace cellwright
