#include "latex_escape.h"

namespace cellwright {

namespace {

constexpr std::u16string_view Specials = u"\\&%$#_{}~^";

// What a special character becomes; empty for every other character.
std::u16string_view Replacement(char16_t c)
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

} // namespace

std::u16string EscapeLatexCell(std::u16string_view cell)
{
    // One pass over the cell, so the braces and backslashes an escape adds are never escaped.
    std::u16string escaped;
    escaped.reserve(cell.size());
    for (const char16_t c : cell) {
        if (const auto replacement = Replacement(c); !replacement.empty())
            escaped += replacement;
        else
            escaped += c;
    }
    return escaped;
}

bool HasLatexSpecials(std::u16string_view cell)
{
    return cell.find_first_of(Specials) != std::u16string_view::npos;
}

} // namespace cellwright
