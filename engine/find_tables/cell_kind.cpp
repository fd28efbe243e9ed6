#include "find_tables/cell_kind.h"

#include "find_tables/header_words.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"
#include "text_rules.h"

#include <algorithm>

namespace cellwright::finder {

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsUpper(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        || (c >= 0x391 && c <= 0x3A9);
}

bool IsLower(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7)
        || (c >= 0x3B1 && c <= 0x3C9);
}

bool IsLetter(char16_t c)
{
    return IsUpper(c) || IsLower(c) || (c >= 0x100 && c < 0x2000 && !(c >= 0x300 && c < 0x370));
}

bool IsSuperscriptDigit(char16_t c)
{
    return c == 0xB9 || c == 0xB2 || c == 0xB3 || (c >= 0x2070 && c <= 0x2079);
}

bool IsSign(char16_t c)
{
    return c == u'+' || c == u'-' || c == 0x2212 || c == 0xB1 || c == u'~' || c == 0x2248
        || c == u'<' || c == u'>' || c == 0x2264 || c == 0x2265 || c == u'$' || c == 0x20AC
        || c == 0xA3 || c == 0xA5;
}

std::u16string_view Trim(std::u16string_view text)
{
    size_t first = 0, last = text.size();
    while (first < last && IsWordBlank(text[first]))
        ++first;
    while (last > first && IsWordBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

size_t Digits(std::u16string_view t, size_t &i)
{
    const size_t start = i;
    while (i < t.size() && IsDigit(t[i]))
        ++i;
    return i - start;
}

bool IsMonthName(std::u16string_view word);

void SkipBlanks(std::u16string_view t, size_t &i)
{
    while (i < t.size() && IsWordBlank(t[i]))
        ++i;
}

// Brackets round the whole cell, "(12)" or "[3.5]", hold the number itself.
std::u16string_view WithoutBrackets(std::u16string_view t)
{
    if (t.size() >= 2
        && ((t.front() == u'(' && t.back() == u')') || (t.front() == u'[' && t.back() == u']')))
        return t.substr(1, t.size() - 2);
    return t;
}

// Up to two signs before the number, "< −5", each with the blanks after it; a sign flags the
// cell Signed. Returns where the digits start.
size_t ReadSigns(std::u16string_view t, Cell &cell)
{
    size_t i = 0;
    // A sign the export could not encode comes out as a question mark: "?8", "< ?8".
    const auto sign = [&](size_t k) {
        return k < t.size()
            && (IsSign(t[k])
                || (t[k] == u'?' && k + 1 < t.size() && (IsDigit(t[k + 1]) || t[k + 1] == u'.')));
    };
    for (int signs = 0; signs < 2 && sign(i); ++signs) {
        // A question mark may have stood for anything: it flags no sign.
        if (t[i] != u'?')
            cell.flags |= Signed;
        ++i;
        SkipBlanks(t, i);
    }
    return i;
}

// The digits before the point from `i`, with their groups of three after a comma or a blank
// ("12,345", "1 000 000") and a vulgar fraction after them; false for a number that is dialled.
bool ReadWhole(std::u16string_view t, size_t &i, size_t &whole)
{
    const size_t start = i;
    whole = Digits(t, i);
    while (whole > 0 && i + 3 < t.size() + 1 && i < t.size()
        && (t[i] == u',' || IsWordBlank(t[i]) || t[i] == u'\'')) {
        // No grouped number starts with a nought: "01632 960 771" is dialled, not counted.
        if (t[i] != u',' && whole > 1 && t[start] == u'0')
            return false;
        size_t j = i + 1;
        if (Digits(t, j) != 3)
            break;
        whole += 3;
        i = j;
    }
    // A whole number and a vulgar fraction, "2½", counts as its whole number.
    if (whole > 0 && i < t.size() && t[i] >= 0xBC && t[i] <= 0xBE)
        ++i;
    return true;
}

// The point and the digits after it from `i`, with their groups, which make the cell a Decimal
// (an Integer without a point); false for a point that numbers a title or stands alone.
bool ReadDecimals(std::u16string_view t, size_t &i, size_t whole, size_t &decimals, Cell &cell)
{
    if (i >= t.size() || (t[i] != u'.' && t[i] != u',')) {
        cell.kind = Kind::Integer;
        return true;
    }
    size_t j = i + 1;
    decimals = Digits(t, j);
    if (decimals > 0 || whole > 0)
        i = j;
    if (decimals == 0 && whole == 0)
        return false;
    // "3. Seeds" numbers a title.
    if (decimals == 0 && i < t.size())
        return false;
    // Digit groups after the point, as in 6.626 070 15.
    while (decimals > 0 && i < t.size() && IsWordBlank(t[i])) {
        size_t k = i + 1;
        const size_t more = Digits(t, k);
        if (more == 0 || more > DecimalGroupDigits)
            break;
        decimals += more;
        i = k;
    }
    cell.kind = Kind::Decimal;
    return true;
}

// A range, 56–57, 53.5–60 or 0.70 to 2.46, reads as its first number: past the second one when
// `i` is at the dash or " to " between them.
// The second may have a minus of its own, "−6 to −8"; "£1 to £5" reads as words, like
// "Up to £5" beside it.
void SkipRangeEnd(std::u16string_view t, size_t &i)
{
    size_t second = 0;
    if (i + 1 < t.size() && t[i] == 0x2013)
        second = i + 1;
    else if (t.substr(i).starts_with(u" to "))
        second = i + 4;
    if (second > 0 && second + 1 < t.size()
        && (t[second] == u'-' || t[second] == 0x2212
            || (t[second] == u'?' && IsDigit(t[second + 1]))))
        ++second;
    if (second == 0 || second >= t.size() || !IsDigit(t[second]))
        return;
    size_t j = second;
    Digits(t, j);
    // Digit groups of three, then decimals.
    for (size_t k = j + 1; k < t.size() && t[j] == u',' && Digits(t, k) == 3; k = j + 1)
        j = k;
    if (j + 1 < t.size() && (t[j] == u'.' || t[j] == u',') && IsDigit(t[j + 1])) {
        ++j;
        Digits(t, j);
    }
    i = j;
}

// The number's uncertainty, in its last digits, 6.674 30(15), or written out after it, 5730 ± 40,
// 1.25±0.08: past it when `i` is at it.
void SkipUncertainty(std::u16string_view t, size_t &i)
{
    if (i < t.size() && t[i] == u'(') {
        size_t j = i + 1;
        if (Digits(t, j) > 0 && j < t.size() && t[j] == u')')
            i = j + 1;
    }
    if (i >= t.size())
        return;
    size_t j = i;
    SkipBlanks(t, j);
    if (j >= t.size() || t[j] != 0xB1)
        return;
    ++j;
    SkipBlanks(t, j);
    if (Digits(t, j) == 0)
        return;
    if (j + 1 < t.size() && t[j] == u'.' && IsDigit(t[j + 1])) {
        ++j;
        Digits(t, j);
    }
    i = j;
}

// An exponent after the number and any blanks from `i`, e-5, E+10, x 10^-11 or ×10⁻¹¹, flags the
// cell WithExponent: past it when there is one; false when it runs into letters, as a code does.
bool ReadExponent(std::u16string_view t, size_t &i, Cell &cell)
{
    size_t j = i;
    SkipBlanks(t, j);
    if (j < t.size() && (t[j] == u'e' || t[j] == u'E') && j + 1 < t.size()) {
        size_t k = j + 1;
        if (k < t.size() && IsSign(t[k]))
            ++k;
        if (Digits(t, k) > 0) {
            // Letters right after the exponent's digits make a code: "2E0QRS" is a call sign.
            if (k < t.size() && IsLetter(t[k]))
                return false;
            cell.flags |= WithExponent;
            i = k;
        }
    } else if (j < t.size() && (t[j] == 0xD7 || t[j] == u'x' || t[j] == 0xB7)) {
        size_t k = j + 1;
        SkipBlanks(t, k);
        if (k + 1 < t.size() && t[k] == u'1' && t[k + 1] == u'0') {
            k += 2;
            if (k < t.size() && t[k] == u'^')
                ++k;
            if (k < t.size() && (IsSign(t[k]) || t[k] == 0x207B || t[k] == 0x207A))
                ++k;
            const size_t powerStart = k;
            while (k < t.size() && (IsDigit(t[k]) || IsSuperscriptDigit(t[k])))
                ++k;
            if (k > powerStart) {
                cell.flags |= WithExponent;
                i = k;
            }
        }
    }
    return true;
}

// A short remark set apart after the number, in brackets, 5 (fused), 12 (est.), or in small
// words, "12 months", "80 or more", qualifies it as a unit does (a capital would start a title,
// "3 Sources"): flags the cell WithUnit and takes `rest` to the end when there is one.
void ReadRemark(std::u16string_view t, size_t &rest, bool apart, Cell &cell)
{
    if (apart && rest < t.size() && t[rest] == u'(' && t.back() == u')'
        && t.size() - rest <= RemarkLength && t.find(u'(', rest + 1) == std::u16string_view::npos) {
        cell.flags |= WithUnit;
        rest = t.size();
    }
    if (apart && rest < t.size() && t.size() - rest <= RemarkLength && IsLower(t[rest])) {
        bool words = true;
        for (size_t k = rest; k < t.size() && words; ++k)
            words = IsLower(t[k]) || IsWordBlank(t[k]);
        if (words) {
            cell.flags |= WithUnit;
            rest = t.size();
        }
    }
}

// A short unit making up the rest of the cell from `rest`, %, K, km, km/s, °C, flags the cell
// WithUnit; false when the rest is no unit: too long, a month, a title's word or a designation.
bool ReadUnit(std::u16string_view t, size_t rest, bool apart, Cell &cell)
{
    if (rest >= t.size())
        return true;
    size_t end = rest;
    while (end < t.size()
        && (IsLetter(t[end]) || t[end] == u'%' || t[end] == 0xB0 || t[end] == u'/'
            || t[end] == 0x2032 || t[end] == 0x2033 || IsSuperscriptDigit(t[end])
            || t[end] == 0x207B))
        ++end;
    if (end != t.size() || end - rest > UnitLength)
        return false;
    // "25 March" is a date, like "29 September".
    if (apart && IsMonthName(t.substr(rest)))
        return false;
    // A capitalised word after a blank, "1 Scope" or "4.1 Data", titles a section: units
    // that start with a capital are short or mix capitals ("Hz", "GHz", "MeV").
    if (apart && end - rest >= TitleWordLetters && IsUpper(t[rest])
        && std::all_of(
            t.begin() + rest + 1, t.begin() + end, [](char16_t c) { return IsLower(c); }))
        return false;
    // Capitals alone after a blank read as a designation ("1898 DQ"), not a unit.
    size_t capitals = 0;
    for (size_t c = rest; c < end; ++c)
        capitals += IsUpper(t[c]) ? 1 : 0;
    if (capitals >= 2 && capitals == end - rest && apart)
        return false;
    cell.flags |= WithUnit;
    return true;
}

// A number with an optional sign, digit groups, decimals, uncertainty, exponent and short unit.
bool ReadNumber(std::u16string_view t, Cell &cell)
{
    t = WithoutBrackets(t);
    size_t i = ReadSigns(t, cell);
    const size_t start = i;
    size_t whole = 0, decimals = 0;
    if (!ReadWhole(t, i, whole) || !ReadDecimals(t, i, whole, decimals, cell))
        return false;
    if (whole + decimals == 0 || i == start)
        return false;
    SkipRangeEnd(t, i);
    SkipUncertainty(t, i);
    if (!ReadExponent(t, i, cell))
        return false;
    // What follows the number, and whether a blank sets it apart.
    size_t rest = i;
    SkipBlanks(t, rest);
    const bool apart = rest > i;
    ReadRemark(t, rest, apart, cell);
    if (!ReadUnit(t, rest, apart, cell))
        return false;
    cell.a = uint8_t(std::min<size_t>(whole, 15));
    cell.b = uint8_t(std::min<size_t>(decimals, 15));
    return true;
}

// The words before a number about which the writer is unsure, or which bound it (see Classify).
// (Views made once, their lengths known: every line is asked of each.)
constexpr std::u16string_view Abouts[] = { u"c. ", u"ca. ", u"circa ", u"approx. ", u"Under ",
    u"Over ", u"Up to ", u"Less than ", u"More than ", u"Below ", u"Above ", u"At least ",
    u"under ", u"over ", u"up to ", u"less than ", u"more than " };

constexpr std::u16string_view Months[] = { u"January", u"February", u"March", u"April", u"May",
    u"June", u"July", u"August", u"September", u"October", u"November", u"December" };

std::u16string_view WithoutStop(std::u16string_view word)
{
    while (!word.empty() && (word.back() == u'.' || word.back() == u','))
        word.remove_suffix(1);
    return word;
}

// A month's name or its start, as dates write them: "Sep", "Sept.", "September"; not a word
// that only begins like one ("3 Decisions" is a section).
bool IsMonth(std::u16string_view word)
{
    word = WithoutStop(word);
    return word.size() >= 3 && std::any_of(std::begin(Months), std::end(Months), [&](auto month) {
        return month.starts_with(word);
    });
}

// A month's name exactly, in full or in three letters.
bool IsMonthName(std::u16string_view word)
{
    word = WithoutStop(word);
    return std::any_of(std::begin(Months), std::end(Months),
        [&](auto month) { return word == month || word == month.substr(0, 3); });
}

std::vector<std::u16string_view> Words(std::u16string_view t)
{
    std::vector<std::u16string_view> words;
    size_t i = 0;
    while (i < t.size()) {
        SkipBlanks(t, i);
        const size_t start = i;
        while (i < t.size() && !IsWordBlank(t[i]))
            ++i;
        if (i > start)
            words.push_back(t.substr(start, i - start));
    }
    return words;
}

// Dates: 1996-06-17, 17.06.1996, 6/17/1996, 17 June 1996, June 17, 1996, Jun 1996.
bool ReadDate(std::u16string_view t, const std::vector<std::u16string_view> &words, Cell &cell)
{
    if (words.size() == 1) {
        size_t i = 0;
        const size_t first = Digits(t, i);
        if (first == 0 || i >= t.size())
            return false;
        const char16_t separator = t[i];
        if (separator != u'-' && separator != u'.' && separator != u'/')
            return false;
        ++i;
        const size_t second = Digits(t, i);
        if (second == 0 || second > 2)
            return false;
        size_t third = 0;
        if (i < t.size() && t[i] == separator) {
            ++i;
            third = Digits(t, i);
        }
        if (i != t.size())
            return false;
        const bool iso = first == 4 && (third == 0 || third <= 2);
        const bool dotted = first <= 2 && (third == 2 || third == 4);
        if (!iso && !dotted)
            return false;
        cell.a = uint8_t(iso ? 1 : 2);
        return true;
    }
    if (words.size() > DateWords)
        return false;
    bool month = false;
    for (auto word : words) {
        if (IsMonth(word) && !month) {
            month = true;
            continue;
        }
        size_t i = 0;
        if (Digits(word, i) == 0)
            return false;
        if (i < word.size() && word.substr(i) != u"," && word.substr(i) != u".")
            return false;
    }
    if (!month)
        return false;
    cell.a = uint8_t(3 + words.size());
    return true;
}

// Times and durations: 2:01:09, 12:30, 2:01:09.5, +05:30.
bool ReadTime(std::u16string_view t, Cell &cell)
{
    size_t i = 0;
    if (i < t.size() && IsSign(t[i]))
        ++i;
    const size_t first = Digits(t, i);
    if (first == 0 || first > 2)
        return false;
    int parts = 1;
    while (i < t.size() && t[i] == u':') {
        ++i;
        if (Digits(t, i) != 2)
            return false;
        ++parts;
    }
    if (parts < 2)
        return false;
    size_t decimals = 0;
    if (i < t.size() && t[i] == u'.') {
        ++i;
        decimals = Digits(t, i);
    }
    if (i != t.size())
        return false;
    cell.a = uint8_t(parts);
    cell.b = uint8_t(std::min<size_t>(decimals, 15));
    return true;
}

bool IsCaptionWord(std::u16string_view word)
{
    return word == u"Table" || word == u"TABLE" || word == u"Tab." || word == u"Figure"
        || word == u"Fig." || word == u"Tableau" || word == u"Tabelle";
}

bool IsMissing(std::u16string_view t)
{
    return t == u"-" || t == u"\u2013" || t == u"\u2014" || t == u"\u2212" || t == u"n/a"
        || t == u"N/A" || t == u"?" || t == u"\u2026" || t == u"..." || t == u"--";
}

// A section's number without its appendix's letter: "A.4" counts as "4".
std::u16string_view WithoutAppendixLetter(std::u16string_view number)
{
    return number.size() >= 3 && IsUpper(number[0]) && number[1] == u'.' ? number.substr(2)
                                                                         : number;
}

bool IsSectionNumbered(const std::vector<std::u16string_view> &words)
{
    if (words.size() < 2 || words.size() > SectionTitleWords || !IsUpper(words[1][0]))
        return false;
    // (An appendix's sections count after its letter: "A.4 Colour".)
    const std::u16string_view number = WithoutAppendixLetter(words[0]);
    if (!IsDigit(number[0]) || number.size() > SectionNumberLength)
        return false;
    // A day and its month ("2 March – 30 June") is a date, not a section.
    if (IsMonthName(words[1]))
        return false;
    // Sections count in ones and tens: "2014 MU69" is a designation.
    int digits = 0;
    for (char16_t c : number) {
        if (!IsDigit(c) && c != u'.')
            return false;
        digits = IsDigit(c) ? digits + 1 : 0;
        if (digits > SectionNumberDigits)
            return false;
    }
    return true;
}

// Captions: a number that ends the phrase, "Table 3: ...", "Figure 2 — ...", "Table 3.4 Strength
// of cubes", unlike "Table 1 gives the mass" in a sentence.
bool IsCaption(const std::vector<std::u16string_view> &words)
{
    if (words.size() < 2 || !IsCaptionWord(words[0]))
        return false;
    std::u16string_view number = words[1];
    const bool closed = number.back() == u':' || number.back() == u'.';
    if (closed)
        number.remove_suffix(1);
    // An appendix's tables count after its letter: "Table A5.", "Table B.2".
    if (number.size() >= 2 && IsUpper(number[0]) && IsDigit(number.back()))
        number.remove_prefix(1);
    for (char16_t c : number)
        if (!IsDigit(c) && c != u'I' && c != u'V' && c != u'X' && c != u'.')
            return false;
    return !number.empty()
        && (closed || words.size() == 2 || words[2] == u"\u2014" || words[2] == u"\u2013"
            || words[2] == u"-" || words[2] == u":" || IsUpper(words[2][0]));
}

// The text without the footnote marks after it ("2000*", "Acadia†", "3,5¹"): a mark
// says nothing of the column the cell belongs to.
std::u16string_view WithoutMarks(std::u16string_view t)
{
    const auto mark
        = [](char16_t c) { return c == u'*' || c == 0x2020 || c == 0x2021 || c == 0xA7; };
    size_t end = t.size();
    while (end > 1 && end + MaxFootnoteMarks > t.size() && mark(t[end - 1]))
        --end;
    // One superscript digit right after a digit, unless a power of ten is written out.
    if (end == t.size() && end > 1 && IsSuperscriptDigit(t[end - 1])
        && (IsDigit(t[end - 2]) || IsLower(t[end - 2])) && t.find(0xD7) == std::u16string_view::npos
        && t.find(u'^') == std::u16string_view::npos
        && (end < 3 || !IsSuperscriptDigit(t[end - 3])))
        --end;
    // A small letter right after the digits of a number or a time ("57:29a", "4b"), no other
    // letter in it, is a note's mark as well.
    if (end == t.size() && end > 1 && t[end - 1] >= u'a' && t[end - 1] <= u'f'
        && IsDigit(t[end - 2])
        && std::none_of(t.begin(), t.end() - 1, [](char16_t c) { return IsLetter(c); }))
        --end;
    if (end == t.size() || end == 0 || !(IsLetter(t[end - 1]) || IsDigit(t[end - 1])))
        return t;
    return t.substr(0, end);
}

// True when `t` is a word that heads columns, once in small letters and without its unit.
bool IsLabel(std::u16string_view t)
{
    if (t.size() > MaxLabelLength)
        return false;
    // "Load (kN)", "Time [h]": the unit says nothing about being a label.
    if (const size_t open = t.find_last_of(u"([");
        open != 0 && open != t.npos && (t.back() == u')' || t.back() == u']'))
        t = Trim(t.substr(0, open));
    char16_t lowered[MaxLabelLength];
    for (size_t i = 0; i < t.size(); ++i)
        lowered[i] = LowerAscii(t[i]);
    const std::u16string_view word(lowered, t.size());
    return IsHeaderWord(word)
        || (word.size() > 1 && word.back() == u'.'
            && IsHeaderWord(word.substr(0, word.size() - 1)));
}

// An approximate value, "c. 1485" or "ca. 40 km", is a number about which the writer is unsure;
// a bound written in words, "Under 18" or "Up to £12,570", is one as "< 18" is.
bool ReadApproximate(std::u16string_view t, Cell &number)
{
    for (const std::u16string_view about : Abouts)
        if (t.size() > about.size() && t.starts_with(about)
            && (IsDigit(t[about.size()]) || IsSign(t[about.size()]))
            && ReadNumber(t.substr(about.size()), number)) {
            number.flags |= Signed;
            return true;
        }
    return false;
}

// What a column of figures holds: a number, approximate or not, or a time. `figure` comes in
// fresh; a failed approximate reading leaves in it what the plain reading then starts from.
bool ReadFigure(std::u16string_view t, Cell &figure)
{
    if (ReadApproximate(t, figure))
        return true;
    if (!IsDigit(t[0]) && !IsSign(t[0]) && t[0] != u'(' && t[0] != u'[' && t[0] != u'.'
        && t[0] != u'?')
        return false;
    if (ReadNumber(t, figure))
        return true;
    figure = Cell();
    if (!ReadTime(t, figure))
        return false;
    figure.kind = Kind::Time;
    return true;
}

// A line led by a bullet and a blank is a list's item, whatever follows the bullet.
bool IsListItem(std::u16string_view t)
{
    return t.size() >= 2 && (t[0] == 0x2022 || t[0] == 0x25E6 || t[0] == 0x25AA)
        && IsWordBlank(t[1]);
}

// The characters of a text by kind: capitals, small letters, digits and symbols tell a code from
// a word, and mark the text's flags.
struct CharacterCounts {
    int upper = 0, lower = 0, digits = 0, other = 0;
};

CharacterCounts CountCharacters(std::u16string_view t)
{
    CharacterCounts counts;
    for (char16_t c : t) {
        if (IsUpper(c))
            ++counts.upper;
        else if (IsLower(c))
            ++counts.lower;
        else if (IsDigit(c))
            ++counts.digits;
        else if (!IsWordBlank(c) && !IsLetter(c))
            ++counts.other;
    }
    return counts;
}

// The habits of a text's characters and words (capitals, digits, symbols, a section's number,
// brackets round it): a column of text keeps to one.
uint8_t TextFlags(std::u16string_view t, const std::vector<std::u16string_view> &words,
    const CharacterCounts &counts)
{
    uint8_t flags = uint8_t((IsUpper(t[0]) ? Capitalised : 0) | (counts.digits > 0 ? WithDigits : 0)
        | (counts.upper >= 2 && counts.lower == 0 ? AllCapitals : 0)
        | (counts.other > 0 ? WithSymbols : 0) | (IsSectionNumbered(words) ? SectionNumber : 0));
    if (WithoutBrackets(t).size() < t.size())
        flags |= Bracketed;
    // Names capitalise every word, descriptions only the first: columns keep to one habit.
    if (words.size() >= 2 && std::all_of(words.begin(), words.end(), [](std::u16string_view w) {
            return IsUpper(w[0]) || IsDigit(w[0]);
        }))
        flags |= TitleCase;
    return flags;
}

// How many words start with a capital (at most 255): a column of names capitalises them all.
uint8_t CapitalWords(const std::vector<std::u16string_view> &words)
{
    int capitals = 0;
    for (std::u16string_view w : words)
        capitals += IsUpper(w[0]) ? 1 : 0;
    return uint8_t(std::min(capitals, 255));
}

// How a text ends, and whether a sentence ends inside it: what tells a note, a question, a
// lead-in and a paragraph apart.
struct Ending {
    char16_t last = 0; // the text's last character
    // Ended by '.', '!' or ':'. A question on its own line heads a survey's answers ("How do you
    // read it?" over "Online", "Post"): it ends no sentence that would make it a note.
    bool sentenceEnd = false;
    bool sentenceInside = false; // a sentence ends inside the line
    // Ended by an initial after capitalised words ("Megan R."): a name's stop, not a sentence's.
    bool initial = false;
};

Ending EndingOf(std::u16string_view t)
{
    Ending ending;
    ending.last = t.back();
    ending.sentenceEnd = ending.last == u'.' || ending.last == u'!' || ending.last == u':';
    const size_t n = t.size();
    ending.initial
        = ending.last == u'.' && n >= 3 && IsUpper(t[n - 2]) && t[n - 3] == u' ' && IsUpper(t[0]);
    for (size_t i = 1; i < n && ending.initial; ++i)
        ending.initial = !(t[i - 1] == u' ' && !IsUpper(t[i]));
    for (size_t i = 0; i + 2 < t.size() && !ending.sentenceInside; ++i)
        ending.sentenceInside = (t[i] == u'.' || t[i] == u'!' || t[i] == u'?') && t[i + 1] == u' '
            && IsUpper(t[i + 2]);
    return ending;
}

// A text's kind by its size, its ending and, for one word, its characters: a paragraph, a long
// item, a phrase of a few words, a code or a word.
Kind TextKind(
    std::u16string_view t, size_t words, const CharacterCounts &counts, const Ending &ending)
{
    // A short sentence on its own may be a table's note; longer or several make a paragraph.
    const bool shortSentence = words <= NoteWords && ending.last != u':' && !ending.sentenceInside;
    // A list of names or a long item runs on without ending a sentence, as no paragraph does.
    const bool unended = !ending.sentenceEnd && ending.last != u'?' && !ending.sentenceInside;
    if (words >= size_t(unended ? UnendedProseWords : ProseWords)
        || t.size() >= size_t(unended ? UnendedProseLength : ProseLength)
        || (words >= SentenceProseWords && ending.sentenceEnd && !shortSentence))
        return Kind::Prose;
    if (words >= LongWords || t.size() >= LongLength)
        return Kind::Long;
    if (words >= 2)
        return Kind::Phrase;
    if ((counts.digits > 0 && counts.upper + counts.lower > 0)
        || (counts.upper >= 2 && counts.lower == 0) || counts.other > 0
        || (counts.upper + counts.lower == 0) || t.size() <= CodeLength)
        return Kind::Code;
    return Kind::Word;
}

// What the ending tells of a text: a sentence, a lead-in, one sentence or a question.
void MarkEnding(const Ending &ending, Cell &cell)
{
    // A short sentence of a few words passes as a cell, but no header cell reads like one.
    if (ending.sentenceEnd)
        cell.flags |= SentenceEnd;
    cell.leadIn = ending.last == u':';
    cell.oneSentence = ending.sentenceEnd && !ending.sentenceInside;
    cell.initialEnd = ending.initial;
    cell.question = ending.last == u'?' && !ending.sentenceInside;
}

// A text led by a footnote mark ("* Shared prize.") is the note under a table.
bool IsLedByMark(std::u16string_view t)
{
    return t.size() >= 2
        && (t[0] == u'*' || t[0] == 0x2020 || t[0] == 0x2021 || IsSuperscriptDigit(t[0]))
        && (IsWordBlank(t[1]) || IsLetter(t[1]));
}

// Whether a text passes as a note (a cell, never a header) or heads columns, alone or leading in
// ("Apologies:"). Wants the cell's kind, words and lead-in read.
void MarkNoteOrLabel(std::u16string_view t, const Ending &ending, Cell &cell)
{
    const bool marked = IsLedByMark(t);
    cell.note = cell.kind == Kind::Long || marked
        || (cell.kind == Kind::Phrase && cell.a >= NoteHeaderWords && ending.sentenceEnd);
    cell.label = !cell.note && !marked && cell.kind != Kind::Prose && IsLabel(t);
    cell.labelLead = cell.leadIn && cell.kind != Kind::Prose && IsLabel(t.substr(0, t.size() - 1));
}

// A key and its value on one line ("Signed: A. Schmidt"): a capitalised key of a few words
// before a colon.
bool IsKeyed(std::u16string_view t)
{
    const size_t colon = t.find(u": ");
    return colon != t.npos && colon > 0 && IsUpper(t[0])
        && Words(t.substr(0, colon)).size() <= KeyWords;
}

// A name with a remark in brackets after it ("Parietal (2)", "Tom Whitlock (Treasurer)"): a
// list's item whatever the remark holds. Wants the cell's kind read.
void MarkRemark(std::u16string_view t, Cell &cell)
{
    const size_t open = t.find(u" (");
    if (open == t.npos || open == 0 || t.back() != u')' || cell.kind == Kind::Prose
        || !IsUpper(t[0]))
        return;
    const std::u16string_view name = t.substr(0, open);
    const auto head = Words(name);
    cell.remarked = head.size() <= NameListWords
        && std::none_of(name.begin(), name.end(), [](char16_t c) { return IsDigit(c); });
    // (A name keeps its habit without the remark: "Tom Whitlock (Treasurer)".)
    if (cell.remarked && head.size() >= 2
        && std::all_of(
            head.begin(), head.end(), [](std::u16string_view w) { return IsUpper(w[0]); }))
        cell.flags |= TitleCase;
}

} // namespace

Cell Classify(std::u16string_view line)
{
    Cell cell;
    const std::u16string_view t = WithoutMarks(Trim(line));
    cell.length = uint16_t(std::min<size_t>(t.size(), 60000));
    if (t.empty())
        return cell;
    if (IsMissing(t)) {
        cell.kind = Kind::Missing;
        return cell;
    }
    if (Cell figure; ReadFigure(t, figure)) {
        figure.length = cell.length;
        return figure;
    }
    if (IsListItem(t)) {
        cell.kind = Kind::ListItem;
        return cell;
    }
    const auto words = Words(t);
    if (Cell date; ReadDate(t, words, date)) {
        date.kind = Kind::Date;
        date.length = cell.length;
        return date;
    }
    if (IsCaption(words)) {
        cell.kind = Kind::Caption;
        return cell;
    }
    const CharacterCounts counts = CountCharacters(t);
    cell.flags = TextFlags(t, words, counts);
    cell.a = uint8_t(std::min<size_t>(words.size(), 255));
    cell.capitals = CapitalWords(words);
    const Ending ending = EndingOf(t);
    cell.kind = TextKind(t, words.size(), counts, ending);
    MarkEnding(ending, cell);
    MarkNoteOrLabel(t, ending, cell);
    cell.keyed = IsKeyed(t);
    MarkRemark(t, cell);
    return cell;
}

namespace {

// The first number of a section title: 3 of "3.2 Data".
int SectionNumberOf(std::u16string_view title)
{
    int number = 0;
    // (An appendix's sections count after its letter: "G.5".)
    title = WithoutAppendixLetter(title);
    for (size_t k = 0; k < title.size() && IsDigit(title[k]) && number < 1000; ++k)
        number = number * 10 + (title[k] - u'0');
    return number;
}

// The number of an appendix's section alone on its line ("B.1" gives 1), else -1.
int LoneSectionNumber(std::u16string_view line)
{
    const std::u16string_view number = WithoutAppendixLetter(line);
    if (number.size() == line.size() || number.size() > SectionNumberDigits
        || !std::all_of(number.begin(), number.end(), IsDigit))
        return -1;
    return SectionNumberOf(line);
}

// Appendix section numbers alone on their lines, one following on from another of the same
// letter ("B.1" ... "B.2"), number sections: a value is not written that way twice in turn.
void MarkLoneSectionNumbers(std::vector<Cell> &cells, std::span<const std::u16string> lines)
{
    int last = -1, lastNumber = 0;
    char16_t lastLetter = 0;
    for (int i = 0; i < int(cells.size()); ++i) {
        const std::u16string_view t = Trim(lines[i]);
        const int number = LoneSectionNumber(t);
        if (number < 0)
            continue;
        if (last >= 0 && t[0] == lastLetter && number == lastNumber + 1) {
            cells[last].flags |= SectionNumber;
            cells[i].flags |= SectionNumber;
        }
        last = i;
        lastNumber = number;
        lastLetter = t[0];
    }
}

// Walking the lines forward (`step` 1) or backward (-1), a numbered title whose number follows
// on from the last section title met, one further in that direction, is a section title.
void MarkContinuedSections(
    std::vector<Cell> &cells, std::span<const std::u16string> lines, int step)
{
    const int count = int(cells.size());
    int last = -1;
    for (int i = step > 0 ? 0 : count - 1; i >= 0 && i < count; i += step) {
        if (!(cells[i].flags & SectionNumber) || cells[i].kind == Kind::ListItem)
            continue;
        const int number = SectionNumberOf(Trim(lines[i]));
        if (cells[i].kind != Kind::Heading && last >= 0 && number == last + step)
            cells[i].kind = Kind::Heading;
        if (cells[i].kind == Kind::Heading)
            last = number;
    }
}

// A sentence a table's cell may hold: a note, or a sentence or two too long to pass as one alone.
bool SentenceCell(const Cell &c)
{
    return c.note || (IsText(c.kind) && !Breaks(c) && (c.flags & SentenceEnd) && !c.leadIn)
        || (c.kind == Kind::Prose && c.a < SentenceCellWords && c.length < SentenceCellLength);
}

// A cell beside a column of sentences: a label, a code, a number, or nothing.
bool BesideSentences(const Cell &c)
{
    return !c.note && !c.leadIn && !Breaks(c) && c.kind != Kind::Long;
}

// The column `c` of rows `k` wide that may hold sentences as cells (`sparse`: a remark where one
// was made and nothing elsewhere), read from `cells` as the marking goes: the tests the marking
// makes on each row share these four.
struct SentenceColumn {
    const std::vector<Cell> &cells;
    int k = 0, c = 0;
    bool sparse = false;

    // True when the row at `s` holds a sentence in column c (or, sparse, nothing) and short cells
    // beside it.
    bool SentenceRow(int s) const
    {
        if (s < 0 || s + k > int(cells.size()))
            return false;
        // (Column c first: most rows hold no sentence there, and fail at once.)
        const Cell &at = cells[s + c];
        if (!(SentenceCell(at) || (sparse && IsBlankCell(at))))
            return false;
        for (int j = 0; j < k; ++j) {
            const Cell &x = cells[s + j];
            // (Another column of the row may hold sentences too, a programme's two days side by
            // side, but no paragraph.)
            const bool beside
                = BesideSentences(x) || (j > 0 && SentenceCell(x) && x.kind != Kind::Prose);
            if (j != c && (!beside || (j == 0 && IsBlankCell(x))))
                return false;
        }
        return true;
    }

    // True when the row at `h` is a header of words. (A header may leave its corner empty over
    // the keys, and name its columns by amounts: "10 wk", "2019".)
    bool IsHeader(int h) const
    {
        for (int j = 0; j < k; ++j) {
            const Cell &x = cells[h + j];
            if (!((x.kind == Kind::Word || x.kind == Kind::Phrase || x.kind == Kind::Code)
                    && !x.note && !x.leadIn && !(x.flags & SentenceEnd))
                && !(j == 0 && x.kind == Kind::Empty) && !(j > 0 && x.kind == Kind::Integer))
                return false;
        }
        return true;
    }

    // True when the paragraph at `p` stands in column c of at least SentenceColumnMinRows such
    // rows on end: only such a paragraph is ever marked, and with none the runs are not worth
    // counting. (A paragraph under a table often ends a row of its cells, alone.)
    bool MayMark(int p) const
    {
        if (cells[p].kind != Kind::Prose || !SentenceRow(p - c))
            return false;
        int rows = 1;
        for (int s = p - c - k; rows < SentenceColumnMinRows && SentenceRow(s); s -= k)
            ++rows;
        for (int s = p - c + k; rows < SentenceColumnMinRows && SentenceRow(s); s += k)
            ++rows;
        return rows >= SentenceColumnMinRows;
    }

    // Sets run[s] to how many rows from s on are rows of such a block, each in step with the next
    // in its first column.
    void CountRuns(std::vector<int> &run) const
    {
        const int n = int(cells.size());
        std::fill(run.begin(), run.end(), 0);
        for (int s = n - k; s >= 0; --s) {
            if (!SentenceRow(s))
                continue;
            const int below = s + 2 * k <= n ? run[s + k] : 0;
            run[s]
                = 1 + (below > 0 && Similarity(cells[s], cells[s + k]) >= CompatibleAt ? below : 0);
        }
    }

    // True when the rows from `s` stand under a header of words, or a units row (its corner
    // empty) under one where sparse, or else a lead-in right above them: the text says what
    // follows is a list of its own.
    bool HeadedAt(int s) const
    {
        return IsHeader(s - k) || (!sparse && cells[s - 1].leadIn)
            || (sparse && s >= 2 * k && cells[s - k].kind == Kind::Empty && IsHeader(s - 2 * k));
    }
};

// The column `c` of rows `k` wide whose sentences are cells: rows in step by their first cells,
// short cells beside a sentence in each row (or, `sparse`, a remark where one was made and
// nothing elsewhere), under a header of words. (Paragraphs between headings have no header over
// them, and their headings do not keep one kind.) A units row under the header, its corner
// empty, stands between the two. (`paragraphs`: the lines that were sentence cells and Prose
// when the marking began, the only ones it can change; `run`: room for a count per line.)
void MarkSentenceColumn(std::vector<Cell> &cells, int k, int c, bool sparse,
    const std::vector<int> &paragraphs, std::vector<int> &run)
{
    const int n = int(cells.size());
    const SentenceColumn column { cells, k, c, sparse };
    if (std::none_of(
            paragraphs.begin(), paragraphs.end(), [&](int p) { return column.MayMark(p); }))
        return;
    column.CountRuns(run);
    for (int s = k; s + k <= n; ++s) {
        // (From the top row of each run: the rows below it are in the run.)
        if (run[s] < SentenceColumnMinRows || run[s - k] > run[s] || !column.HeadedAt(s))
            continue;
        for (int r = 0; r < run[s]; ++r) {
            Cell &x = cells[s + r * k + c];
            if (x.kind == Kind::Prose) {
                x.kind = Kind::Long;
                x.note = true;
            }
        }
    }
}

// Sets the cell's count from its text: up to four letters and a dash, a point or a space, then
// one to five digits and nothing else.
void ReadCount(Cell &cell, std::u16string_view t)
{
    size_t i = 0;
    uint32_t hash = 2166136261u; // FNV-1a
    while (
        i < t.size() && i < 4 && ((t[i] >= u'A' && t[i] <= u'Z') || (t[i] >= u'a' && t[i] <= u'z')))
        hash = (hash ^ t[i++]) * 16777619u;
    if (i > 0 && i < t.size() && (t[i] == u'-' || t[i] == u'.'))
        hash = (hash ^ t[i++]) * 16777619u;
    // A word and a space before the number name each step on its own ("Mon 3", "Tue 4"): only
    // the number counts.
    else if (i > 0 && i < t.size() && t[i] == u' ') {
        hash = 2166136261u ^ u' ';
        ++i;
    }
    const size_t from = i;
    int32_t value = 0;
    while (i < t.size() && i - from < 6 && t[i] >= u'0' && t[i] <= u'9')
        value = value * 10 + (t[i++] - u'0');
    if (i == from || i != t.size() || i - from > 5)
        return;
    cell.count = value;
    cell.countPrefix = hash;
}

// A month's name in full or in three letters, or a weekday's: its place (see Cell::calendar).
uint8_t CalendarPlace(std::u16string_view t)
{
    constexpr std::u16string_view Days[]
        = { u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday" };
    t = WithoutStop(t);
    // (A day's number after the name keeps its place: "Mon 5", "Tue 6".)
    if (const auto space = t.rfind(u' '); space != t.npos && space + 1 < t.size()
        && t.size() - space <= 3 && std::all_of(t.begin() + space + 1, t.end(), IsDigit))
        t = t.substr(0, space);
    for (int m = 0; m < 12; ++m)
        if (t == Months[m] || t == Months[m].substr(0, 3))
            return uint8_t(1 + m);
    for (int d = 0; d < 7; ++d)
        if (t == Days[d] || t == Days[d].substr(0, 3))
            return uint8_t(13 + d);
    return 0;
}

// Sentences standing at a fixed period in one column, beside short cells that keep to their
// columns and under a header of words, are a column of a table: however long, they are cells,
// not paragraphs. So are remarks in a last column otherwise empty, in wider tables too.
void MarkSentenceColumns(std::vector<Cell> &cells)
{
    // A paragraph is marked only in a row opened by a key (a short cell) at most MaxCols - 1
    // lines above it, and marking makes no key: the paragraphs of plain text are passed over.
    std::vector<int> paragraphs;
    int lastKey = -MaxCols;
    for (int i = 0; i < int(cells.size()); ++i) {
        if (cells[i].kind == Kind::Prose && SentenceCell(cells[i]) && i - lastKey < MaxCols)
            paragraphs.push_back(i);
        if (BesideSentences(cells[i]) && !IsBlankCell(cells[i]))
            lastKey = i;
    }
    if (paragraphs.empty())
        return;
    std::vector<int> run(cells.size() + 1);
    // (The first column holds the rows' keys, never their sentences.)
    for (int k = 2; k <= SentenceColumnMaxCols; ++k)
        for (int c = 1; c < k; ++c)
            MarkSentenceColumn(cells, k, c, false, paragraphs, run);
    for (int k = RemarkColumnMinCols; k <= MaxCols; ++k)
        MarkSentenceColumn(cells, k, k - 1, true, paragraphs, run);
}
} // namespace

std::vector<Cell> ClassifyLines(std::span<const std::u16string> lines)
{
    const int count = int(lines.size());
    std::vector<Cell> cells;
    cells.reserve(count);
    for (const std::u16string &line : lines) {
        cells.push_back(Classify(line));
        uint32_t hash = 2166136261u; // FNV-1a
        const std::u16string_view trimmed = Trim(line);
        for (char16_t c : trimmed)
            hash = (hash ^ c) * 16777619u;
        cells.back().text = hash;
        cells.back().lead = trimmed.empty() ? 0 : trimmed.front();
        ReadCount(cells.back(), trimmed);
        cells.back().calendar = CalendarPlace(trimmed);
    }
    MarkLoneSectionNumbers(cells, lines);
    // "3 Results" or "2.1 Data" next to a paragraph, a caption or an empty line is a section
    // title, whatever a cell of that shape might be.
    for (int i = 0; i < count; ++i) {
        const auto text = [&](int k) {
            return k < 0 || k >= count || Breaks(cells[k]) || cells[k].kind == Kind::Empty
                || IsSentenceNote(cells[k]);
        };
        if ((text(i - 1) || text(i + 1)) && (cells[i].flags & SectionNumber))
            cells[i].kind = Kind::Heading;
    }
    // A phrase in sentence case right above a caption that heads cells is a section title, after
    // text (after a cell it is a table's last cell, the caption under that table).
    for (int i = 0; i + 2 < count; ++i) {
        const Cell &c = cells[i];
        // (A sentence said in step with sentences a row or two above is a cell of a column of
        // them, no text.)
        const auto inSentenceColumn = [&](int p) {
            for (int k = 2; k <= SentenceColumnMaxCols && p >= 2 * k; ++k)
                if (SentenceCell(cells[p - k]) && SentenceCell(cells[p - 2 * k]))
                    return true;
            return false;
        };
        const bool afterText = i == 0 || Breaks(cells[i - 1]) || cells[i - 1].kind == Kind::Empty
            || (IsSentenceNote(cells[i - 1]) && !inSentenceColumn(i - 1));
        if (c.kind == Kind::Phrase && !c.note && !(c.flags & (TitleCase | WithDigits))
            && cells[i + 1].kind == Kind::Caption && cells[i + 2].kind != Kind::Empty
            && !Breaks(cells[i + 2]) && afterText)
            cells[i].kind = Kind::Heading;
    }
    // A numbered title that goes on from the section before ("4 Sources" after "3.2 Data") is a
    // section title too, wherever it stands; so is one the next section title goes on from ("1
    // Sizes" before "2 Prices"), since the first section has no title before it.
    MarkContinuedSections(cells, lines, 1);
    MarkContinuedSections(cells, lines, -1);
    MarkSentenceColumns(cells);
    return cells;
}

} // namespace cellwright::finder
