#include "find_tables.h"

#include "text_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <tuple>

namespace cellwright {

namespace {

// Wider tables are rare in papers, and every extra period costs a pass over the document.
constexpr int MaxCols = 16;

// What a line looks like as a table cell. Prose, captions, list items and headings never sit
// inside a table.
enum class Kind : uint8_t {
    Empty,
    Missing, // a dash or "n/a" standing for a value
    Integer,
    Decimal,
    Date,
    Time,
    Code, // one token mixing letters with digits or symbols, or in capitals
    Word,
    Phrase, // two to six short words
    Long, // a longer text, or one short sentence (a note)
    Prose,
    Caption,
    ListItem, // a bulleted paragraph
    Heading, // a numbered title next to text rather than among cells
};

struct Cell {
    Kind kind = Kind::Empty;
    uint8_t a = 0; // numbers: digits before the point; text: words; dates and times: layout
    uint8_t b = 0; // numbers: digits after the point
    uint8_t flags = 0; // numbers: sign, unit, exponent; text: capitalised, digits, capitals
    uint16_t length = 0;
};

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == 0xA0 || c == 0x2009 || c == 0x202F;
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
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
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

// A number with an optional sign, digit groups, decimals, uncertainty, exponent and short unit.
bool ReadNumber(std::u16string_view t, Cell &cell)
{
    if (t.size() >= 2
        && ((t.front() == u'(' && t.back() == u')') || (t.front() == u'[' && t.back() == u']')))
        t = t.substr(1, t.size() - 2);
    size_t i = 0;
    // A sign the export could not encode comes out as a question mark.
    if (t.size() >= 2 && t[0] == u'?' && (IsDigit(t[1]) || t[1] == u'.'))
        t = t.substr(1);
    for (int signs = 0; signs < 2 && i < t.size() && IsSign(t[i]); ++signs) {
        cell.flags |= 1;
        ++i;
        while (i < t.size() && IsBlank(t[i]))
            ++i;
    }
    const size_t start = i;
    size_t whole = Digits(t, i);
    // Digit groups of three after a comma or a blank.
    while (whole > 0 && i + 3 < t.size() + 1 && i < t.size()
        && (t[i] == u',' || IsBlank(t[i]) || t[i] == u'\'')) {
        size_t j = i + 1;
        if (Digits(t, j) != 3)
            break;
        whole += 3;
        i = j;
    }
    size_t decimals = 0;
    if (i < t.size() && (t[i] == u'.' || t[i] == u',')) {
        size_t j = i + 1;
        decimals = Digits(t, j);
        if (decimals > 0 || whole > 0)
            i = j;
        if (decimals == 0 && whole == 0)
            return false;
        // Digit groups after the point, as in 6.626 070 15.
        while (decimals > 0 && i < t.size() && IsBlank(t[i])) {
            size_t k = i + 1;
            const size_t more = Digits(t, k);
            if (more == 0 || more > 4)
                break;
            decimals += more;
            i = k;
        }
        cell.kind = Kind::Decimal;
    } else {
        cell.kind = Kind::Integer;
    }
    if (whole + decimals == 0 || i == start)
        return false;
    // Uncertainty in the last digits: 6.674 30(15).
    if (i < t.size() && t[i] == u'(') {
        size_t j = i + 1;
        if (Digits(t, j) > 0 && j < t.size() && t[j] == u')')
            i = j + 1;
    }
    size_t j = i;
    while (j < t.size() && IsBlank(t[j]))
        ++j;
    // Exponent: e-5, E+10, x 10^-11, ×10⁻¹¹.
    if (j < t.size() && (t[j] == u'e' || t[j] == u'E') && j + 1 < t.size()) {
        size_t k = j + 1;
        if (k < t.size() && IsSign(t[k]))
            ++k;
        if (Digits(t, k) > 0) {
            cell.flags |= 4;
            i = j = k;
        }
    } else if (j < t.size() && (t[j] == 0xD7 || t[j] == u'x' || t[j] == 0xB7)) {
        size_t k = j + 1;
        while (k < t.size() && IsBlank(t[k]))
            ++k;
        if (k + 1 < t.size() && t[k] == u'1' && t[k + 1] == u'0') {
            k += 2;
            if (k < t.size() && t[k] == u'^')
                ++k;
            if (k < t.size() && (IsSign(t[k]) || t[k] == 0x207B || t[k] == 0x207A))
                ++k;
            const size_t e = k;
            while (k < t.size() && (IsDigit(t[k]) || IsSuperscriptDigit(t[k])))
                ++k;
            if (k > e) {
                cell.flags |= 4;
                i = j = k;
            }
        }
    }
    while (j < t.size() && IsBlank(t[j]))
        ++j;
    // A short unit: %, K, km, km/s, °C.
    if (j < t.size()) {
        size_t k = j;
        while (k < t.size()
            && (IsLetter(t[k]) || t[k] == u'%' || t[k] == 0xB0 || t[k] == u'/' || t[k] == 0x2032
                || t[k] == 0x2033 || IsSuperscriptDigit(t[k]) || t[k] == 0x207B))
            ++k;
        if (k != t.size() || k - j > 5)
            return false;
        cell.flags |= 2;
    }
    cell.a = uint8_t(std::min<size_t>(whole, 15));
    cell.b = uint8_t(std::min<size_t>(decimals, 15));
    return true;
}

bool IsMonth(std::u16string_view word)
{
    static constexpr std::u16string_view months[] = { u"Jan", u"Feb", u"Mar", u"Apr", u"May",
        u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec" };
    while (!word.empty() && (word.back() == u'.' || word.back() == u','))
        word.remove_suffix(1);
    if (word.size() < 3)
        return false;
    for (auto month : months)
        if (word.substr(0, 3) == month)
            return true;
    return false;
}

std::vector<std::u16string_view> Words(std::u16string_view t)
{
    std::vector<std::u16string_view> words;
    size_t i = 0;
    while (i < t.size()) {
        while (i < t.size() && IsBlank(t[i]))
            ++i;
        const size_t start = i;
        while (i < t.size() && !IsBlank(t[i]))
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
    if (words.size() > 4)
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
        || t == u"N/A" || t == u"?" || t == u"\u2026" || t == u"..." || t == u"--" || t == u"x";
}

// Text flag: the line starts like a numbered section title, "2 Methods" or "3.1. Data".
constexpr uint8_t SectionNumber = 16;

bool IsSectionNumbered(const std::vector<std::u16string_view> &words)
{
    if (words.size() < 2 || words.size() > 8 || !IsUpper(words[1][0]))
        return false;
    const std::u16string_view number = words[0];
    if (!IsDigit(number[0]) || number.size() > 8)
        return false;
    for (char16_t c : number)
        if (!IsDigit(c) && c != u'.')
            return false;
    return true;
}

// Captions: a number that ends the phrase, "Table 3: ...", "Figure 2 — ...", unlike
// "Table 1 gives the mass" in a sentence.
bool IsCaption(const std::vector<std::u16string_view> &words)
{
    if (words.size() < 2 || !IsCaptionWord(words[0]))
        return false;
    std::u16string_view number = words[1];
    const bool closed = number.back() == u':' || number.back() == u'.';
    if (closed)
        number.remove_suffix(1);
    for (char16_t c : number)
        if (!IsDigit(c) && c != u'I' && c != u'V' && c != u'X' && c != u'.')
            return false;
    return !number.empty()
        && (closed || words.size() == 2 || words[2] == u"\u2014" || words[2] == u"\u2013"
            || words[2] == u"-" || words[2] == u":");
}

Cell Classify(std::u16string_view line)
{
    Cell cell;
    const std::u16string_view t = Trim(line);
    cell.length = uint16_t(std::min<size_t>(t.size(), 60000));
    if (t.empty())
        return cell;
    if (IsMissing(t)) {
        cell.kind = Kind::Missing;
        return cell;
    }
    Cell number;
    if (IsDigit(t[0]) || IsSign(t[0]) || t[0] == u'(' || t[0] == u'[' || t[0] == u'.'
        || t[0] == u'?') {
        if (ReadNumber(t, number)) {
            number.length = cell.length;
            return number;
        }
        Cell time;
        if (ReadTime(t, time)) {
            time.kind = Kind::Time;
            time.length = cell.length;
            return time;
        }
    }
    if (t.size() >= 2 && (t[0] == 0x2022 || t[0] == 0x25E6 || t[0] == 0x25AA) && IsBlank(t[1])) {
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
    int upper = 0, lower = 0, digits = 0, other = 0;
    for (char16_t c : t) {
        if (IsUpper(c))
            ++upper;
        else if (IsLower(c))
            ++lower;
        else if (IsDigit(c))
            ++digits;
        else if (!IsBlank(c) && !IsLetter(c))
            ++other;
    }
    const bool capitalised = IsUpper(t[0]);
    cell.flags
        = uint8_t((capitalised ? 1 : 0) | (digits > 0 ? 2 : 0) | (upper >= 2 && lower == 0 ? 4 : 0)
            | (other > 0 ? 8 : 0) | (IsSectionNumbered(words) ? SectionNumber : 0));
    cell.a = uint8_t(std::min<size_t>(words.size(), 255));
    const char16_t end = t.back();
    const bool sentenceEnd = end == u'.' || end == u'!' || end == u'?' || end == u':';
    bool sentences = false; // a sentence ends inside the line
    for (size_t i = 0; i + 2 < t.size() && !sentences; ++i)
        sentences = (t[i] == u'.' || t[i] == u'!' || t[i] == u'?') && t[i + 1] == u' '
            && IsUpper(t[i + 2]);
    // A short sentence on its own may be a table's note; longer or several make a paragraph.
    const bool note = words.size() <= 9 && end != u':' && !sentences;
    if (words.size() >= 14 || t.size() >= 90 || (words.size() >= 6 && sentenceEnd && !note))
        cell.kind = Kind::Prose;
    else if (words.size() >= 7 || t.size() >= 50)
        cell.kind = Kind::Long;
    else if (words.size() >= 2)
        cell.kind = Kind::Phrase;
    else if ((digits > 0 && upper + lower > 0) || (upper >= 2 && lower == 0) || other > 0
        || (upper + lower == 0) || t.size() <= 2)
        cell.kind = Kind::Code;
    else
        cell.kind = Kind::Word;
    return cell;
}

bool Breaks(const Cell &c)
{
    return c.kind == Kind::Prose || c.kind == Kind::Caption || c.kind == Kind::ListItem
        || c.kind == Kind::Heading;
}

bool IsBlankCell(const Cell &c)
{
    return c.kind == Kind::Empty || c.kind == Kind::Missing;
}

bool IsNumeric(Kind k)
{
    return k == Kind::Integer || k == Kind::Decimal || k == Kind::Date || k == Kind::Time;
}

bool IsText(Kind k)
{
    return k == Kind::Word || k == Kind::Phrase || k == Kind::Code || k == Kind::Long;
}

double Ratio(double x, double y)
{
    return std::min(x, y) / std::max({ x, y, 1.0 });
}

// Evidence x >= 0 as a confidence from 0 towards 1: x / (1 + x), which needs no maths library.
double Saturation(double x)
{
    return x > 0 ? x / (1 + x) : 0;
}

// How alike two cells are in layout as members of one column: 1 the same, 0 never together.
double ShapeSimilarity(const Cell &x, const Cell &y)
{
    if (Breaks(x) || Breaks(y))
        return 0;
    if (IsBlankCell(x) || IsBlankCell(y))
        return x.kind == y.kind ? 0.6 : 0.45;
    if (x.kind == y.kind) {
        switch (x.kind) {
        case Kind::Integer:
        case Kind::Decimal:
            // A column keeps its number of decimals more surely than its magnitude.
            return 0.5 + (x.b == y.b ? 0.3 : 0) + (x.flags == y.flags ? 0.1 : 0)
                + (std::abs(x.a - y.a) <= 1 ? 0.1 : 0);
        case Kind::Date:
        case Kind::Time:
            return x.a == y.a && x.b == y.b ? 1.0 : 0.7;
        default:
            return 0.5 + (x.flags == y.flags ? 0.25 : 0) + 0.25 * Ratio(x.length, y.length);
        }
    }
    const auto pair = [&](Kind p, Kind q) {
        return (x.kind == p && y.kind == q) || (x.kind == q && y.kind == p);
    };
    if (pair(Kind::Integer, Kind::Decimal))
        return 0.6;
    if (pair(Kind::Word, Kind::Phrase) || pair(Kind::Phrase, Kind::Long))
        return 0.5;
    if (pair(Kind::Word, Kind::Code))
        return 0.45;
    if (pair(Kind::Phrase, Kind::Code) || pair(Kind::Word, Kind::Long))
        return 0.3;
    if (pair(Kind::Decimal, Kind::Time) || pair(Kind::Integer, Kind::Code))
        return 0.2;
    return 0;
}

// The same, where a numbered title among other text stands apart from it.
double Similarity(const Cell &x, const Cell &y)
{
    const double shape = ShapeSimilarity(x, y);
    return (x.flags ^ y.flags) & SectionNumber ? shape / 2 : shape;
}

// Cells less alike than this cannot share a column.
constexpr double CompatibleAt = 0.3;

struct Candidate {
    int first = 0; // 0-based index into the cells
    int rows = 0;
    int cols = 0;
    double gain = 0;
    double confidence = 0;
};

// Everything the finder knows about the document, computed once.
class Finder {
public:
    struct HeaderRun {
        int first = 0; // the first header cell
        int end = 0; // one past the numbers that fill whole rows
        bool fits = false; // whole rows of numbers under a header of 2 to MaxCols cells
        bool startsWell = false;
        bool endsWell = false;
        Candidate candidate;
    };

    explicit Finder(const ConversionState &state)
    {
        const int count = std::clamp<int>(
            state.SourceLineCount, 0, std::min<int>(MaxLines, int(state.SourceLines.size()) - 1));
        cells.reserve(count);
        for (int n = 1; n <= count; ++n)
            cells.push_back(Classify(state.SourceLines[n]));
        // A short sentence of a few words passes as a cell, but no header cell reads like one.
        notes.assign(count, false);
        for (int i = 0; i < count; ++i) {
            const std::u16string_view t = Trim(state.SourceLines[i + 1]);
            notes[i] = cells[i].kind == Kind::Long
                || (cells[i].kind == Kind::Phrase && cells[i].a >= 4
                    && (t.back() == u'.' || t.back() == u'!' || t.back() == u'?'
                        || t.back() == u':'));
        }
        // "3 Results" or "2.1 Data" next to a paragraph, a caption or an empty line is a
        // section title, whatever a cell of that shape might be.
        for (int i = 0; i < count; ++i) {
            const auto text = [&](int k) {
                return k < 0 || k >= count || Breaks(cells[k]) || cells[k].kind == Kind::Empty;
            };
            if ((text(i - 1) || text(i + 1)) && (cells[i].flags & SectionNumber))
                cells[i].kind = Kind::Heading;
        }
        emptyBefore.assign(count + 1, 0);
        breaksBefore.assign(count + 1, 0);
        for (int i = 0; i < count; ++i)
            breaksBefore[i + 1] = breaksBefore[i] + (Breaks(cells[i]) ? 1 : 0);
        for (int i = 0; i < count; ++i)
            emptyBefore[i + 1] = emptyBefore[i] + (IsBlankCell(cells[i]) ? 1 : 0);
        lagSums.resize(MaxCols + 1);
        for (int lag = 1; lag <= MaxCols; ++lag)
            lagSums[lag] = LagSums(lag);
        FindHeaderRuns();
    }

    int size() const { return int(cells.size()); }

    // Adds the block of `cols` columns whose header row starts at `first`, with as many rows as
    // follow alike (at most `rowLimit`), when its lines read as a table; `toldStart` (the user
    // typed that first cell) takes weaker evidence, since where the table starts is known.
    void CandidatesAt(int first, int cols, const std::vector<int> &chain,
        std::vector<Candidate> &out, int rowLimit = MaxLines, bool toldStart = false) const
    {
        const int n = size();
        if (first + 2 * cols > n || cells[first].kind == Kind::Empty
            || breaksBefore[first + cols] != breaksBefore[first])
            return;
        int dataRows = chain[first + cols];
        // The first row under the header may hold the one odd cell (a word among years).
        if (dataRows == 1 && cols >= 3 && first + 2 * cols < n && chain[first + 2 * cols] >= 2) {
            int unlike = 0;
            for (int c = 0; c < cols; ++c)
                unlike += Similarity(cells[first + cols + c], cells[first + 2 * cols + c])
                        < CompatibleAt
                    ? 1
                    : 0;
            if (unlike == 1)
                dataRows = 1 + chain[first + 2 * cols];
        }
        // Two rows could be any two runs of lines; a table shows its columns at least twice.
        if (dataRows < 2)
            return;
        const int rows = std::min(1 + dataRows, rowLimit);
        if (rows < 3)
            return;
        // The header row: no prose, and not mostly empty.
        int headerText = 0, contrast = 0, headerBlank = 0;
        double headerSim = 0, distinct = 0;
        int distinctCols = 0;
        for (int c = 0; c < cols; ++c) {
            const Cell &h = cells[first + c];
            Cell d = cells[first + cols + c];
            if (IsBlankCell(d) && first + 3 * cols <= n)
                d = cells[first + 2 * cols + c];
            headerBlank += IsBlankCell(h) ? 1 : 0;
            headerText += IsText(h.kind) ? 1 : 0;
            contrast += IsText(h.kind) && (IsNumeric(d.kind)) ? 1 : 0;
            headerSim += Similarity(h, d);
            // A header cell stands apart from its column more than the column's cells do.
            if (first + 3 * cols <= n) {
                const double apart
                    = Similarity(cells[first + cols + c], cells[first + 2 * cols + c])
                    - Similarity(h, cells[first + cols + c]);
                distinct += apart;
                distinctCols += apart >= 0.25 ? 1 : 0;
            }
        }
        if (headerBlank * 2 > cols)
            return;
        const int dataFirst = first + cols;
        const int last = first + rows * cols; // one past the block
        const double dataLines = double(rows - 1) * cols;
        // How alike the data cells are to the cell a row below and to the next cell.
        const int compared = (rows - 2) * cols;
        const auto mean = [&](int lag) {
            return (lagSums[lag][dataFirst + compared] - lagSums[lag][dataFirst]) / compared;
        };
        const double lagK = mean(cols);
        const double lag1
            = (lagSums[1][last - 1] - lagSums[1][dataFirst]) / std::max(1, (last - 1 - dataFirst));
        // Data that repeats as well at a shorter period dividing this one is rows of that
        // period, whatever the line above them suggests.
        for (int k = 2; k <= cols / 2; ++k)
            if (cols % k == 0 && mean(k) >= lagK - 0.05)
                return;
        const bool headerLike = headerText == cols;
        double evidence;
        if (cols == 1) {
            // A single column: a header above values that are not words.
            if (!headerLike || rows < 5)
                return;
            // A short text right above the header would be a header cell of a wider table.
            const Cell &above = cells[std::max(first - 1, 0)];
            if (first > 0 && IsText(above.kind) && above.kind != Kind::Long
                && !(above.flags & SectionNumber))
                return;
            for (int i = dataFirst; i < last; ++i)
                if (IsText(cells[i].kind) && cells[i].kind != Kind::Code)
                    return;
            if (lagK < 0.65)
                return;
            evidence = lagK - 0.45;
        } else {
            evidence = lagK - lag1;
        }
        // Words over numbers in most columns vouch for a block whose columns look much alike.
        const bool wordsOverNumbers = headerLike && contrast * 2 >= cols;
        if (evidence < (toldStart ? 0.01 : wordsOverNumbers ? 0.06 : 0.12)) {
            // Columns of the same kind of number only show their width in the header: as many
            // words as columns, set apart from the text above, over numbers alone.
            if (cols < 2 || contrast < cols || !OpensBlock(first - 1))
                return;
            for (int i = dataFirst; i < last; ++i)
                if (!IsNumeric(cells[i].kind) && !IsBlankCell(cells[i]))
                    return;
            for (int c = 0; c < cols; ++c)
                if (notes[first + c])
                    return;
            evidence = 0.15;
        }
        double gain = dataLines * evidence;
        if (headerLike)
            gain += 0.5 * distinctCols + contrast + 1.5 * distinct;
        else
            gain += headerSim - 0.5 * cols;
        // Every table claimed costs something, so that one table is not read as several.
        gain -= 0.3 * cols + 2;
        if (RunsOnFromAbove(first, cols, chain))
            gain -= 3;
        // Captions, prose, empty lines and the document's ends are where tables start and stop;
        // a neighbour that would continue the block's columns means the block is misplaced.
        gain += Boundary(first - 1, first + cols - 1) + Boundary(last, last - cols);
        if (gain <= (toldStart ? -1e9 : 1))
            return;
        Candidate candidate;
        candidate.first = first;
        candidate.rows = rows;
        candidate.cols = cols;
        candidate.gain = gain;
        candidate.confidence = Saturation(gain / (2.0 + cols)) * std::min(1.0, evidence * 2);
        // Too weak to propose unasked, and it would only stand in the way of better readings.
        if (!toldStart && candidate.confidence < 0.1)
            return;
        out.push_back(candidate);
    }

    // The block a header run at `first` describes, when the run is one: `toldStart` leaves out
    // what is asked of the line above, since the user said the table starts there.
    std::optional<Candidate> HeaderTableAt(int first, bool toldStart) const
    {
        const auto run = std::lower_bound(headerRuns.begin(), headerRuns.end(), first,
            [](const HeaderRun &r, int line) { return r.first < line; });
        if (run == headerRuns.end() || run->first != first || !run->fits || !run->endsWell
            || !(run->startsWell || toldStart))
            return std::nullopt;
        return run->candidate;
    }

    // Columns of the same kind of number show their width only in the header above them: a
    // run of H short words set apart from what precedes it, directly over a run of numbers
    // that fills whole rows of H and ends where a table ends (prose, a caption, an empty line,
    // the document's end, or the next such header).
    void FindHeaderRuns()
    {
        const int n = size();
        for (int i = 0; i < n;) {
            if (!HeaderCell(i)) {
                ++i;
                continue;
            }
            const int start = i;
            while (i < n && HeaderCell(i))
                ++i;
            int lastNumber = -1, runEnd = i;
            while (runEnd < n && (IsNumeric(cells[runEnd].kind) || IsBlankCell(cells[runEnd]))) {
                if (IsNumeric(cells[runEnd].kind))
                    lastNumber = runEnd;
                ++runEnd;
            }
            if (lastNumber < 0)
                continue;
            HeaderRun run = FitRows(i, i - start, lastNumber, runEnd);
            // A title right above the header, with nothing between, makes the run a word too long.
            if (!run.fits && i - start >= 3) {
                const HeaderRun titled = FitRows(i, i - start - 1, lastNumber, runEnd);
                if (titled.fits)
                    run = titled;
            }
            headerRuns.push_back(run);
        }
        for (size_t k = 0; k < headerRuns.size(); ++k) {
            HeaderRun &run = headerRuns[k];
            const HeaderRun *before = k > 0 ? &headerRuns[k - 1] : nullptr;
            const HeaderRun *after = k + 1 < headerRuns.size() ? &headerRuns[k + 1] : nullptr;
            run.startsWell = HeaderRunStartsWell(run, before);
            const int end = run.end;
            run.endsWell = end == n || cells[end].kind == Kind::Empty || Breaks(cells[end])
                || notes[end] || (after && after->first == end && after->fits);
            if (!run.fits)
                continue;
            const int cols = run.candidate.cols;
            const double gain = 0.3 * (end - run.first - cols) + 3 * cols
                + Boundary(run.first - 1, run.first + cols - 1) + Boundary(end, end - cols);
            run.candidate.gain = std::max(gain, 1.5);
            run.candidate.confidence = 0.6 * Saturation(run.candidate.gain / (2.0 + cols));
        }
    }

    // The header run of `cols` cells right above the numbers from `dataFirst`, the last of them
    // at `lastNumber`, followed by blank cells up to `runEnd`.
    HeaderRun FitRows(int dataFirst, int cols, int lastNumber, int runEnd) const
    {
        HeaderRun run;
        run.first = dataFirst - cols;
        int length = lastNumber + 1 - dataFirst;
        // Empty cells may close the last row.
        if (length % cols != 0 && cols - length % cols <= runEnd - lastNumber - 1)
            length += cols - length % cols;
        run.end = dataFirst + length;
        run.candidate.first = run.first;
        run.candidate.cols = cols;
        run.candidate.rows = 1 + length / cols;
        run.fits = cols >= 2 && cols <= MaxCols && length % cols == 0 && length >= 2 * cols
            && emptyBefore[run.end] - emptyBefore[dataFirst] <= length / 3;
        // Every row holds a number.
        for (int row = dataFirst; run.fits && row < run.end; row += cols) {
            bool number = false;
            for (int c = 0; c < cols; ++c)
                number = number || IsNumeric(cells[row + c].kind);
            run.fits = number;
        }
        return run;
    }

    bool HeaderCell(int i) const
    {
        const Kind k = cells[i].kind;
        return (k == Kind::Word || k == Kind::Phrase || k == Kind::Code) && !notes[i];
    }

    // A header run starts a table after the text around tables or right after another table
    // (the numbers of one whose header is a run too); rows of a wider table, a few words and
    // some numbers repeating alike, must not read as a table each.
    bool HeaderRunStartsWell(const HeaderRun &run, const HeaderRun *before) const
    {
        const int first = run.first;
        if (first == 0 || Breaks(cells[first - 1]))
            return true;
        const auto opens
            = [&](int i) { return i < 0 || Breaks(cells[i]) || cells[i].kind == Kind::Empty; };
        // A title on its own line right above the header.
        if (HeaderCell(first - 1))
            return first < 2 || opens(first - 2) || notes[first - 2];
        if (cells[first - 1].kind != Kind::Empty && !notes[first - 1])
            return before && before->end == first && before->fits && before->startsWell
                && before->endsWell;
        // One line stands between: a short title on its own, numbers of an earlier block, or
        // a paragraph too short to tell from a cell.
        const int q = first - 2;
        if (opens(q))
            return true;
        if (HeaderCell(q))
            return opens(q - 1);
        // The same shape again right after a line is a row of a wider table, unless the block
        // before it stood on its own.
        if (before && before->end == first - 1 && before->candidate.cols == run.candidate.cols
            && before->candidate.rows == run.candidate.rows)
            return before->fits && before->startsWell && before->endsWell;
        return true;
    }

    // True when the row above runs on into the row at `first` (much alike, or over it as an
    // odd row), so that a block starting there would start inside a table; a header merely
    // passing as the last row of the table above does not count.
    bool RunsOnFromAbove(int first, int cols, const std::vector<int> &chain) const
    {
        if (first < cols || chain[first - cols] < 2)
            return false;
        const int up = first - cols;
        if (lagSums[cols][first] - lagSums[cols][up] >= 0.6 * cols)
            return true;
        double overOdd = 0;
        if (2 * cols <= MaxCols) {
            overOdd = lagSums[2 * cols][first] - lagSums[2 * cols][up];
        } else {
            for (int c = 0; c < cols && first + cols + c < size(); ++c)
                overOdd += Similarity(cells[up + c], cells[first + cols + c]);
        }
        return overOdd >= 0.6 * cols;
    }

    // True when all cells of the row at `first` are words and one stands over a number.
    bool WordsOverNumbers(int first, int cols) const
    {
        if (first + 2 * cols > size())
            return false;
        bool over = false;
        for (int c = 0; c < cols; ++c) {
            if (!IsText(cells[first + c].kind))
                return false;
            over = over || IsNumeric(cells[first + cols + c].kind);
        }
        return over;
    }

    // True when line `i` (0-based, may lie before the document) cannot belong to a table.
    bool OpensBlock(int i) const
    {
        return i < 0 || i >= size() || cells[i].kind == Kind::Empty || Breaks(cells[i]);
    }

    // How well line `outside` (0-based, may lie beyond the document) closes a block whose
    // nearest cell of the same column is `inside`.
    double Boundary(int outside, int inside) const
    {
        if (outside < 0 || outside >= size())
            return 1;
        const Cell &c = cells[outside];
        if (c.kind == Kind::Caption)
            return 3;
        // Authors set tables apart with an empty paragraph more surely than with prose.
        if (c.kind == Kind::Empty)
            return 1.5;
        if (IsBlankCell(c) || Breaks(c))
            return 1;
        return -1.5 * Similarity(c, cells[inside]);
    }

    // Prefix sums of the similarity of each cell with the cell `lag` lines below.
    std::vector<double> LagSums(int lag) const
    {
        const int n = size();
        std::vector<double> sums(n + 1, 0);
        for (int i = 0; i < n; ++i)
            sums[i + 1] = sums[i] + (i + lag < n ? Similarity(cells[i], cells[i + lag]) : 0);
        return sums;
    }

    // For each line, how many acceptable rows of `cols` cells follow one another from it, each
    // alike cell by cell to the row below.
    std::vector<int> Chains(int cols) const
    {
        const int n = size();
        std::vector<int> chain(n + cols + 1, 0);
        // Runs of cells alike to the cell one row below and two rows below, and how many cells
        // before each are alike to the cell a row below.
        std::vector<int> alike(n + 1, 0), alikeTwo(n + 1, 0), alikeBefore(n + 1, 0);
        // A single column has nothing else to tell its values from a list, so they must agree.
        const double threshold = cols == 1 ? 0.6 : CompatibleAt;
        for (int i = n - 1; i >= 0; --i) {
            const bool one = i + cols < n && Similarity(cells[i], cells[i + cols]) >= threshold;
            const bool two
                = i + 2 * cols < n && Similarity(cells[i], cells[i + 2 * cols]) >= threshold;
            alike[i] = one ? alike[i + 1] + 1 : 0;
            alikeTwo[i] = two ? alikeTwo[i + 1] + 1 : 0;
        }
        for (int i = 0; i < n; ++i)
            alikeBefore[i + 1] = alikeBefore[i] + (alike[i] > 0 ? 1 : 0);
        // A table's last row may hold one odd cell too when the text plainly ends after it.
        const auto oddLastRow = [&](int p) {
            const int after = p + 2 * cols;
            return cols >= 3 && after <= n && alikeBefore[p + cols] - alikeBefore[p] == cols - 1
                && RowAcceptable(p + cols, cols)
                && (after == n || Breaks(cells[after]) || cells[after].kind == Kind::Empty);
        };
        for (int p = n - cols; p >= 0; --p) {
            if (!RowAcceptable(p, cols))
                continue;
            // The row below may differ from this one in one cell only (a word among numbers,
            // say) when the row after it continues this one cell by cell.
            // Odd rows stay rare: the row after one goes on plainly (or ends the run), so that
            // two kinds of row in turn read as twice the columns, not as a run of odd rows.
            const bool oddRowBelow = cols >= 2 && p + 3 * cols <= n && alikeTwo[p] >= cols
                && alikeBefore[p + cols] - alikeBefore[p] == cols - 1
                && RowAcceptable(p + cols, cols) && RowAcceptable(p + 2 * cols, cols)
                && (alike[p + 2 * cols] >= cols || chain[p + 2 * cols] == 1);
            if (alike[p] >= cols)
                chain[p] = 1 + chain[p + cols];
            else if (oddRowBelow)
                chain[p] = 2 + chain[p + 2 * cols];
            else if (oddLastRow(p))
                chain[p] = 2;
            else
                chain[p] = 1;
        }
        return chain;
    }

    bool RowAcceptable(int p, int cols) const
    {
        if (breaksBefore[p + cols] != breaksBefore[p])
            return false;
        const int blanks = emptyBefore[p + cols] - emptyBefore[p];
        if (blanks == 0)
            return true;
        if (cols == 1)
            return false;
        if (cells[p].kind == Kind::Empty) {
            if (cols >= 3)
                return blanks == 1;
            // Two columns: only a hole in a column of numbers, not the empty line and title
            // that so often follow a table.
            return blanks == 1 && p >= cols && p + 2 * cols <= size()
                && IsNumeric(cells[p - cols].kind) && IsNumeric(cells[p + cols].kind);
        }
        return blanks * 2 <= cols;
    }

    std::vector<Candidate> AllCandidates() const
    {
        std::vector<Candidate> all;
        std::vector<std::vector<int>> chains(MaxCols + 1);
        for (int cols = 1; cols <= MaxCols; ++cols) {
            chains[cols] = Chains(cols);
            const std::vector<int> &chain = chains[cols];
            for (int first = 0; first < size(); ++first) {
                // A row alike to the rows above and below it is inside a table, not its top,
                // unless it has words over numbers the way a header has.
                if (chain[first] >= 2 && RunsOnFromAbove(first, cols, chain)
                    && !WordsOverNumbers(first, cols))
                    continue;
                CandidatesAt(first, cols, chain, all);
            }
        }
        for (const HeaderRun &run : headerRuns)
            if (const auto table = HeaderTableAt(run.first, false))
                all.push_back(*table);
        // A table directly followed by another whose cells look alike runs into it; the same
        // block cut where another block could start competes with it.
        std::vector<bool> starts(size() + 1, false);
        for (const Candidate &c : all)
            starts[c.first] = true;
        // Empty paragraphs between the two belong to neither.
        for (int i = size() - 1; i >= 0; --i)
            if (cells[i].kind == Kind::Empty && starts[i + 1])
                starts[i] = true;
        const size_t whole = all.size();
        for (size_t k = 0; k < whole; ++k) {
            const Candidate c = all[k];
            int cuts = 0;
            for (int rows = c.rows - 1; rows >= std::max(3, c.rows - 24) && cuts < 8; --rows) {
                if (starts[c.first + rows * c.cols]) {
                    CandidatesAt(c.first, c.cols, chains[c.cols], all, rows);
                    ++cuts;
                }
            }
        }
        return PreferNarrowest(std::move(all));
    }

    // A block that reads as K columns also reads as any multiple of K; the smallest period that
    // explains the same lines takes the place (and the evidence) of the wider readings.
    static std::vector<Candidate> PreferNarrowest(std::vector<Candidate> all)
    {
        std::sort(all.begin(), all.end(), [](const Candidate &x, const Candidate &y) {
            return std::tuple(x.first, x.rows * x.cols, x.cols)
                < std::tuple(y.first, y.rows * y.cols, y.cols);
        });
        std::vector<Candidate> kept;
        for (const Candidate &c : all) {
            bool merged = false;
            for (auto k = kept.rbegin(); !merged && k != kept.rend() && k->first == c.first
                 && k->rows * k->cols == c.rows * c.cols;
                 ++k) {
                if (c.cols % k->cols == 0) {
                    k->gain = std::max(k->gain, c.gain);
                    k->confidence = std::max(k->confidence, c.confidence);
                    merged = true;
                }
            }
            if (!merged)
                kept.push_back(c);
        }
        return kept;
    }

    std::vector<Cell> cells;
    std::vector<int> emptyBefore; // blank cells before each line
    std::vector<int> breaksBefore; // prose and captions before each line
    std::vector<std::vector<double>> lagSums; // [lag]: prefix sums of Similarity(i, i + lag)
    std::vector<bool> notes; // longer texts and short sentences: never a header cell
    std::vector<HeaderRun> headerRuns; // every run of short text followed by numbers, in order
};

// The set of non-overlapping blocks with the largest total gain.
std::vector<Candidate> Choose(const std::vector<Candidate> &all, int n)
{
    std::vector<std::vector<int>> startingAt(n);
    for (int k = 0; k < int(all.size()); ++k)
        startingAt[all[k].first].push_back(k);
    std::vector<double> best(n + 1, 0);
    std::vector<int> pick(n + 1, -1);
    for (int i = n - 1; i >= 0; --i) {
        best[i] = best[i + 1];
        for (int k : startingAt[i]) {
            const Candidate &c = all[k];
            const double total = c.gain + best[i + c.rows * c.cols];
            // Ties go to the narrower table: the smallest period that explains the block.
            if (total > best[i] + 1e-9
                || (pick[i] >= 0 && std::abs(total - best[i]) <= 1e-9
                    && c.cols < all[pick[i]].cols)) {
                best[i] = total;
                pick[i] = k;
            }
        }
    }
    std::vector<Candidate> chosen;
    for (int i = 0; i < n;) {
        if (pick[i] < 0) {
            ++i;
            continue;
        }
        const Candidate &c = all[pick[i]];
        chosen.push_back(c);
        i += c.rows * c.cols;
    }
    return chosen;
}

TableProposal ToProposal(const ConversionState &state, const Candidate &c)
{
    TableProposal proposal;
    proposal.FirstLine = c.first + 1;
    proposal.FirstCell = TrimSpaces(state.SourceLines[c.first + 1]);
    proposal.Rows = c.rows;
    proposal.Cols = c.cols;
    proposal.Confidence = c.confidence;
    return proposal;
}

} // namespace

std::vector<TableProposal> FindTables(const ConversionState &state)
{
    const Finder finder(state);
    std::vector<TableProposal> proposals;
    for (const Candidate &c : Choose(finder.AllCandidates(), finder.size()))
        proposals.push_back(ToProposal(state, c));
    return proposals;
}

std::optional<TableProposal> ProposeTableAt(const ConversionState &state, int line)
{
    const Finder finder(state);
    if (line < 1 || line > finder.size())
        return std::nullopt;
    for (const TableProposal &proposal : FindTables(state))
        if (proposal.FirstLine == line)
            return proposal;
    std::vector<Candidate> here;
    for (int cols = 1; cols <= MaxCols; ++cols)
        finder.CandidatesAt(line - 1, cols, finder.Chains(cols), here, MaxLines, true);
    if (const auto table = finder.HeaderTableAt(line - 1, true))
        here.push_back(*table);
    if (here.empty())
        return std::nullopt;
    const auto best = std::max_element(here.begin(), here.end(),
        [](const Candidate &x, const Candidate &y) { return x.gain < y.gain; });
    return ToProposal(state, *best);
}

} // namespace cellwright
