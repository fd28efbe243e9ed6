#include "latex_escape.h"

#include <array>

namespace cellwright {

namespace {

constexpr std::u16string_view Specials = u"\\&%$#_{}~^";

// What a special character becomes; empty for every other character.
constexpr std::u16string_view Replacement(char16_t c)
{
    switch (c) {
    case u'\\':
        return u"\\textbackslash{}";
    case u'&':
        return u"\\&";
    case u'%':
        return u"\\%";
    case u'$':
        return u"\\$";
    case u'#':
        return u"\\#";
    case u'_':
        return u"\\_";
    case u'{':
        return u"\\{";
    case u'}':
        return u"\\}";
    case u'~':
        return u"\\textasciitilde{}";
    case u'^':
        return u"\\textasciicircum{}";
    default:
        return {};
    }
}

// How many characters each ASCII character adds when escaped: the length of a long cell is
// counted with a look-up per character.
constexpr std::array<unsigned char, 128> Added = [] {
    std::array<unsigned char, 128> added {};
    for (char16_t c = 0; c < 128; ++c)
        added[c]
            = static_cast<unsigned char>(Replacement(c).empty() ? 0 : Replacement(c).size() - 1);
    return added;
}();

} // namespace

void AppendEscapedCell(std::u16string &out, std::u16string_view cell)
{
    // One pass over the cell, so the braces and backslashes an escape adds are never escaped;
    // the text between special characters goes in as a whole.
    size_t from = 0;
    for (size_t i = 0; i < cell.size(); ++i) {
        const char16_t c = cell[i];
        if (c >= Added.size() || Added[c] == 0)
            continue;
        out.append(cell.substr(from, i - from));
        out.append(Replacement(c));
        from = i + 1;
    }
    out.append(cell.substr(from));
}

std::u16string EscapeLatexCell(std::u16string_view cell)
{
    std::u16string escaped;
    escaped.reserve(EscapedLength(cell));
    AppendEscapedCell(escaped, cell);
    return escaped;
}

size_t EscapedLength(std::u16string_view cell)
{
    size_t length = cell.size();
    for (const char16_t c : cell)
        length += c < Added.size() ? Added[c] : 0;
    return length;
}

bool HasLatexSpecials(std::u16string_view cell)
{
    return cell.find_first_of(Specials) != std::u16string_view::npos;
}

} // namespace cellwright
