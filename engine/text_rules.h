// The small rules about characters that several parts of the engine share: which characters
// count as blanks where, trimming, and writing a code point as UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace cellwright {

// The conversion compares a line with a first box without the spaces (code 32) at both ends;
// tabs and every other character count.
inline bool IsTrimmedSpace(char16_t c)
{
    return c == u' ';
}

// A box's number skips these anywhere in its text, the way the boxes have always been read.
inline bool IsNumberBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// What separates words in a cell: spaces and tabs, also the no-break and thin spaces that
// typeset numbers carry between their digit groups.
inline bool IsWordBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == 0xA0 || c == 0x2009 || c == 0x202F;
}

// The text without the spaces (code 32) at both ends.
inline std::u16string_view TrimSpaces(std::u16string_view text)
{
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// The text without its leading spaces (code 32): a line as it is kept once read.
inline std::u16string_view TrimLeadingSpaces(std::u16string_view text)
{
    const size_t first = text.find_first_not_of(u' ');
    return first == std::u16string_view::npos ? std::u16string_view {} : text.substr(first);
}

// Writes a code point (at most U+10FFFF, no surrogate) as one or two UTF-16 units at to.
inline char16_t *PutUtf16(char32_t cp, char16_t *to)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        *to++ = static_cast<char16_t>(0xD800 + (cp >> 10));
        *to++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        *to++ = static_cast<char16_t>(cp);
    }
    return to;
}

inline void AppendUtf16(char32_t cp, std::u16string &out)
{
    char16_t units[2];
    out.append(units, PutUtf16(cp, units));
}

} // namespace cellwright
