#include "find_tables/guesses.h"

#include "find_tables/candidate_checks.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace cellwright::finder {

namespace {

// A line that could be a cell of a small table: a number, a code, a word, a phrase or a longer
// text that ends no sentence. (A key and its value on one line, "Paid out: £38.00.", is a
// paragraph: it frames the run.)
bool Fits(const Cell &c)
{
    switch (c.kind) {
    case Kind::Missing:
    case Kind::Integer:
    case Kind::Decimal:
    case Kind::Date:
    case Kind::Time:
    case Kind::Code:
    case Kind::Word:
    case Kind::Phrase:
        return !IsSentenceNote(c) && !c.leadIn && !c.keyed;
    case Kind::Long:
        return !(c.flags & SentenceEnd) && !c.leadIn;
    default:
        return false;
    }
}

// A line that may stand over the block as its title, or after it: a text.
bool Trimmable(const Cell &c)
{
    return IsText(c.kind) && !c.leadIn;
}

// What a cell says of its column in a table of two rows: a value (a number or a text holding
// digits), a name ("Hannah Bright"), or any other text.
enum class Role { Value, Name, Text, Other };

Role RoleOf(const Cell &c)
{
    if (IsNumeric(c.kind) || c.kind == Kind::Missing || (IsText(c.kind) && (c.flags & WithDigits)))
        return Role::Value;
    if (!IsText(c.kind) || c.note)
        return Role::Other;
    return c.flags & TitleCase ? Role::Name : Role::Text;
}

// True when the cell over column `c` of the row at `s` is a word that heads it: a text unlike
// the one before it ("Free" beside "Free" is a row's values).
bool HeadWord(const std::vector<Cell> &cells, int s, int c)
{
    return RoleOf(cells[s + c]) == Role::Text
        && (c == 0 || cells[s + c].text != cells[s + c - 1].text);
}

// Two rows hardly show columns by likeness alone: there is one pair down each column. They do when
// keys stand beside values or names (two columns), or when a row of words heads a row of values
// or of names.
enum class TwoRows { None, Keys, Header };

TwoRows TwoRowsApart(const std::vector<Cell> &cells, int s, int cols)
{
    const auto role = [&](int r, int c) { return RoleOf(cells[s + r * cols + c]); };
    if (cols == 2 && role(0, 0) == Role::Text && role(1, 0) == Role::Text
        && role(0, 1) == role(1, 1) && (role(0, 1) == Role::Value || role(0, 1) == Role::Name))
        return TwoRows::Keys;
    // (Under the words, names, or values with a number among them: a list's last items may
    // all hold digits, "Fridge R1", "Shelf S3".)
    const Role under = role(1, 0);
    bool number = false;
    for (int c = 0; c < cols; ++c) {
        if (!HeadWord(cells, s, c) || role(1, c) != under)
            return TwoRows::None;
        number = number || IsNumeric(cells[s + cols + c].kind);
    }
    return under == Role::Name || (under == Role::Value && number) ? TwoRows::Header
                                                                   : TwoRows::None;
}

// A row of words that head columns over a row that, in most of its cells, is no word: a value,
// a name, or a dash standing for one. (The headers' own cells hold no digits.)
bool HeadsMixedRow(const std::vector<Cell> &cells, int s, int cols)
{
    int filled = 0, values = 0;
    for (int c = 0; c < cols; ++c) {
        if (!HeadWord(cells, s, c) || !IsShortText(cells[s + c]))
            return false;
        // (Initials and codes are no words either: "MH" under "Counted by".)
        const Cell &cell = cells[s + cols + c];
        const Role under = RoleOf(cell);
        filled += under == Role::Value || under == Role::Name || cell.kind == Kind::Code ? 1 : 0;
        values += under == Role::Value ? 1 : 0;
    }
    return values > 0 && 2 * filled > cols;
}

// True when the two rows of `cols` from `s` repeat themselves halfway: their cells, on average,
// far more alike to the cell half a row on than to the cells beside them. Such rows are keys beside
// values read two pairs abreast, not a header over its values, whose labels are alike side by side.
bool PairsAbreast(const std::vector<Cell> &cells, int s, int cols)
{
    if (cols % 2 != 0)
        return false;
    const int half = cols / 2;
    double apart = 0, beside = 0;
    for (int r = 0; r < 2; ++r) {
        const int p = s + r * cols;
        for (int c = 0; c < half; ++c)
            apart += Similarity(cells[p + c], cells[p + c + half]);
        for (int c = 0; c + 1 < cols; ++c)
            beside += Similarity(cells[p + c], cells[p + c + 1]);
    }
    return apart / (2 * half) - beside / (2 * (cols - 1)) >= PairsAbreastMargin;
}

struct Reading {
    int first = 0, rows = 0, cols = 0;
    double score = 0;
};

// How well `cols` columns read lines [s, e): how much more alike the cells are down each column
// than across each row, more for words over numbers; false when they read as no rows (too few,
// or the first column's cells unlike one another).
bool Reads(const Profile &profile, int s, int e, int cols, Reading &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int lines = e - s;
    if (lines % cols != 0 || lines / cols < 2)
        return false;
    const int rows = lines / cols;
    if (rows == 2 && cols > 2 && PairsAbreast(cells, s, cols))
        return false;
    // Words over numbers head their columns (a row of units may stand between).
    const auto words = [&](int p) {
        for (int c = 0; c < cols; ++c)
            if (!IsText(cells[p + c].kind) || cells[p + c].note)
                return false;
        return true;
    };
    const bool units = rows > 3 && words(s) && words(s + cols);
    const int values = s + (units ? 2 : 1) * cols;
    bool header = words(s);
    int numbers = 0;
    // (A total row's title may end the first column: "All".)
    for (int i = values; i < e && header; ++i) {
        numbers += IsNumeric(cells[i].kind) ? 1 : 0;
        header = IsNumeric(cells[i].kind) || IsBlankCell(cells[i])
            || (i == e - cols && IsShortText(cells[i]));
    }
    header = header && numbers >= cols;
    // Down each column under the header (and units), cells alike: keys beside values, values of
    // a kind; two rows are compared whole.
    double within = 0, across = 0;
    int withinPairs = 0, acrossPairs = 0;
    const int from = rows == 2 ? 0 : (values - s) / cols;
    for (int r = from; r + 1 < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const double sim = Similarity(cells[s + r * cols + c], cells[s + (r + 1) * cols + c]);
            // (A total row may end the keys: "All" under scores.)
            if (c == 0 && r > 0 && r + 2 < rows && sim < CompatibleAt)
                return false;
            within += sim;
            ++withinPairs;
        }
    for (int r = from; r < rows; ++r)
        for (int c = 0; c + 1 < cols; ++c) {
            across += Similarity(cells[s + r * cols + c], cells[s + r * cols + c + 1]);
            ++acrossPairs;
        }
    const double w = withinPairs ? within / withinPairs : 1,
                 x = acrossPairs ? across / acrossPairs : 0;
    out = { s, rows, cols, w - x + (header ? GuessHeaderGain : 0) };
    if (rows == 2) {
        const TwoRows two = TwoRowsApart(cells, s, cols);
        if (two == TwoRows::Keys)
            out.score += GuessTwoRowGain;
        else if (two == TwoRows::Header || HeadsMixedRow(cells, s, cols))
            out.score = GuessTwoRowGain; // (down each column, a word over a value or a name)
    }
    return true;
}

// True when the reading goes on with the columns of a table right above or below it: rows left
// out of it (a mean and a deviation under the values, the first rows over the rest).
bool TableGoesOn(const Profile &profile, const std::vector<Candidate> &chosen,
    const std::vector<bool> &covered, const Reading &r)
{
    const int end = r.first + r.rows * r.cols;
    const bool tableAbove = r.first > 0 && covered[r.first - 1];
    const bool tableBelow = end < profile.size() && covered[end];
    if (!tableAbove && !tableBelow)
        return false;
    // (A row of the reading beside a row of the table: alike in some column.)
    const auto alike = [&](int p, int q) {
        for (int c = 0; c < r.cols; ++c)
            if (Similarity(profile.cells[p + c], profile.cells[q + c]) >= CompatibleAt)
                return true;
        return false;
    };
    for (const Candidate &t : chosen) {
        if (t.cols != r.cols)
            continue;
        if (tableAbove && End(t) == r.first && alike(r.first - r.cols, r.first))
            return true;
        if (tableBelow && t.first == end && alike(end - r.cols, end))
            return true;
    }
    return false;
}

// A line that frames a block: an empty line, text that no table runs across, a note, a line
// that leads in, or a key with its value.
bool Frames(const Cell &c)
{
    return c.kind == Kind::Empty || Breaks(c) || c.note || c.leadIn || c.keyed;
}

// An item of a list: a name or phrase ending no sentence, without digits (an address, a date
// or a signature's line holds them) unless every item keeps them (`digitsKept`), or, under a
// header, a number of the first item's kind.
bool ListItem(const Cell &c, bool headed, Kind first, bool digitsKept)
{
    if (headed && IsNumeric(c.kind))
        return c.kind == first;
    return (c.kind == Kind::Word || c.kind == Kind::Phrase || c.kind == Kind::Code) && !c.note
        && !(c.flags & (SentenceEnd | SectionNumber | (digitsKept ? 0 : WithDigits)));
}

// Lines [a, b) of a run no columns read, as a single column standing apart: its first line
// heads it unless a lead-in stands above (then every line is an item). A short sentence closing
// the run is the note after the list. Under a title of its own right under a table (`titled`:
// the line above `a`), every line is an item, as many as a lead-in's list needs. False when the
// lines are no list.
bool ReadsAsList(const Profile &profile, const std::vector<bool> &covered, int a, int b,
    Candidate &out, bool titled = false)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    // (A table's empty last cell frames it as an empty line would.)
    if (!titled && ((covered[a - 1] && cells[a - 1].kind != Kind::Empty) || !Frames(cells[a - 1])))
        return false;
    const bool headed = !titled && !cells[a - 1].leadIn;
    const Cell &header = cells[a];
    if (headed
        && (!IsText(header.kind) || header.note || (header.flags & (SentenceEnd | SectionNumber))))
        return false;
    const bool noted = IsText(cells[b - 1].kind) && (cells[b - 1].flags & SentenceEnd);
    if (noted)
        --b;
    else if (b < n && (covered[b] || !Frames(cells[b])))
        return false;
    const int first = headed ? a + 1 : a, items = b - first;
    // Without a header, the items alone must be as many as a single column needs.
    if (b - a < 4 || items < 2
        || (!headed && items < (titled ? LeadInListMinRows : SingleColumnMinRows)))
        return false;
    // (Numbers under a header between paragraphs are as often a sentence's figures: set apart by
    // an empty line, a column.)
    if (IsNumeric(cells[first].kind) && cells[a - 1].kind != Kind::Empty
        && (b >= n || cells[b].kind != Kind::Empty))
        return false;
    // Items that all hold digits keep them as a habit (numbered, or each with its year) when
    // they all open alike, with a capital or with their number; a signature's or an address's
    // lines hold them in one line or two, settings ("alarm.high = 38.5") open in small letters.
    // (The first line may be their header, under a lead-in too.)
    bool digitsKept = true, capitals = true, numbers = true;
    for (int i = a + 1; i < b; ++i) {
        digitsKept = digitsKept && IsText(cells[i].kind) && (cells[i].flags & WithDigits);
        capitals = capitals && (cells[i].flags & Capitalised);
        numbers = numbers && OpensWithDigit(cells[i]);
    }
    digitsKept = digitsKept && (capitals || numbers);
    double alike = 0, length = 0;
    for (int i = first; i < b; ++i) {
        // A word that heads columns among the items makes them keys beside values.
        if (!ListItem(cells[i], headed, cells[first].kind, digitsKept) || cells[i].label)
            return false;
        if (i > first)
            alike += Similarity(cells[i - 1], cells[i]);
        length += cells[i].length;
    }
    length /= items;
    double spread = 0;
    for (int i = first; i < b; ++i)
        spread += (cells[i].length - length) * (cells[i].length - length);
    // The spread (standard deviation) against its share of the mean, both squared: the command
    // line links no maths library.
    const double most = ListLengthSpread * length;
    if (alike / (items - 1) < SingleColumnCompatibleAt || spread / items > most * most)
        return false;
    out.first = a;
    out.rows = b - a;
    out.cols = 1;
    // Empty lines under it, a few, are rows left for items to come (unless a note closed it).
    if (!noted)
        out.rows += EmptyRowsLeft(profile, b);
    return true;
}

// True when the line at `a` is a title right under a table: a short text ending no sentence,
// no word that heads columns. What follows it is a new block, the title its own.
bool UnderTable(const Profile &profile, const std::vector<bool> &covered, int a)
{
    const Cell &c = profile.cells[a];
    return covered[a - 1] && profile.cells[a - 1].kind != Kind::Empty && IsShortText(c) && !c.label
        && !(c.flags & (SentenceEnd | SectionNumber | WithDigits));
}

// Marks the lines a block takes.
void Cover(std::vector<bool> &covered, const Candidate &c)
{
    std::fill(covered.begin() + c.first, covered.begin() + End(c), true);
}
void Cover(std::vector<bool> &covered, const std::vector<Candidate> &blocks)
{
    for (const Candidate &c : blocks)
        Cover(covered, c);
}

// A line no table holds: text resuming, a heading, a caption, a lead-in, a sentence as a note,
// a key with its value on one line.
bool FrameLine(const Cell &c)
{
    return Breaks(c) || c.leadIn || IsSentenceNote(c) || c.keyed;
}

// What a cell says of its column's kind when a run is filled at a width (coarser than
// block_rows' ColumnKind): a number, a word, either (a code, a text with digits,
// a number with words after it, "300 mg tablet") or nothing (a blank).
enum class FillKind { Blank, Number, Word, Either };

FillKind FillKindOf(const Cell &c)
{
    if (IsBlankCell(c))
        return FillKind::Blank;
    if (IsNumeric(c.kind) && !(c.flags & WithUnit))
        return FillKind::Number;
    if (IsNumeric(c.kind) || c.kind == Kind::Code || (IsText(c.kind) && (c.flags & WithDigits)))
        return FillKind::Either;
    return FillKind::Word;
}

// FillKindOf's Number and Word as bits, one byte a line: a run's columns are asked of every cell
// at every width and every end, and the kinds down a document change too often for a branch.
enum FillBit : uint8_t { FillNumber = 1, FillWord = 2 };

std::vector<uint8_t> FillBits(const Profile &profile)
{
    std::vector<uint8_t> bits(profile.size());
    for (int i = 0; i < profile.size(); ++i) {
        const FillKind k = FillKindOf(profile.cells[i]);
        bits[i] = k == FillKind::Number ? FillNumber : k == FillKind::Word ? FillWord : 0;
    }
    return bits;
}

// True when each column of the `rows` rows of `cols` from `first` keeps its kind under the first
// row (numbers under numbers, words under words, blanks anywhere), and some column is all
// numbers or all words. (`fills`: FillBits.)
bool ColumnsKeepKinds(const std::vector<uint8_t> &fills, int first, int rows, int cols)
{
    bool told = false;
    for (int c = 0; c < cols; ++c) {
        unsigned seen = 0;
        for (int r = 1; r < rows; ++r)
            seen |= fills[first + r * cols + c];
        if (seen == (FillNumber | FillWord))
            return false;
        told = told || seen != 0;
    }
    return told;
}

// True when the kinds tell the width: they keep down the columns at `cols` and not at any width
// dividing it (one column holding them all).
bool KindsTellWidth(const std::vector<uint8_t> &fills, int first, int rows, int cols)
{
    if (!ColumnsKeepKinds(fills, first, rows, cols))
        return false;
    for (int k = 1; k < cols; ++k)
        if (cols % k == 0 && ColumnsKeepKinds(fills, first, rows * cols / k, k))
            return false;
    return true;
}

// True when the row of `cols` from `first` heads the one row under it, the two ending at `end`:
// words (no sentence, no blank) over values of one kind, unlike the words in most columns. (Not
// the document's first lines: its title and the author's address.)
bool HeadsValueRow(const Profile &profile, int first, int cols, int end)
{
    if (first == 0 || first + 2 * cols != end)
        return false;
    int unlike = 0;
    for (int c = 0; c < cols; ++c) {
        const Cell &head = profile.cells[first + c], &under = profile.cells[first + cols + c];
        // (The values keep one kind across: an address's lines do not.)
        if (!IsShortText(head) || (head.flags & SentenceEnd) || IsBlankCell(under)
            || FillKindOf(under) != FillKindOf(profile.cells[first + cols]))
            return false;
        unlike += FillKindOf(head) != FillKindOf(under) ? 1 : 0;
    }
    return 2 * unlike > cols;
}

// True when the row of `cols` from `first` is words that may head columns: short texts ending no
// sentence, the last ones maybe blank (a title over two columns). (Not the document's first line:
// its title.)
bool HeadedByWords(const Profile &profile, int first, int cols)
{
    if (first == 0)
        return false;
    for (int c = 0; c < cols; ++c) {
        const Cell &head = profile.cells[first + c];
        if (!(c > 0 && head.kind == Kind::Empty)
            && (!IsShortText(head) || (head.flags & SentenceEnd)))
            return false;
    }
    return true;
}

// Readings of lines [s, e) that fill them with as many full rows as fit (a last row may end in
// the empty lines under them), at each width whose columns keep their kinds: scored as blocks
// found by their rows are, or by the likeness down the columns against across where the kinds
// alone tell the width; two rows when a header of words stands over values.
void Fills(const Profile &profile, const std::vector<uint8_t> &fills, int s, int e, bool last,
    std::vector<Candidate> &out)
{
    for (int cols = 2; cols <= MaxCols; ++cols) {
        int rows = (e - s) / cols;
        const int left = (e - s) % cols;
        if (left > 0 && last && EmptyLinesFrom(profile, e) >= cols - left)
            ++rows;
        Candidate c;
        c.first = s;
        c.rows = rows;
        c.cols = cols;
        // (Two rows gain what a small table framed so does, however little.)
        if (rows == 2 && HeadsValueRow(profile, s, cols, e)) {
            c.gain = FramedBlockGain(TwoRowsEvidence, 2, cols);
            out.push_back(c);
            continue;
        }
        if (rows < 3 || !ColumnsKeepKinds(fills, s, rows, cols))
            continue;
        HeaderRow header;
        std::optional<double> evidence = RowsEvidence(profile, s, rows, cols, header, true);
        if (!evidence && KindsTellWidth(fills, s, rows, cols)) {
            header = ReadHeaderRow(profile, s, cols);
            const int from = s + cols, to = s + rows * cols;
            evidence = profile.MeanAlike(from, to, cols) - profile.MeanAlike(from, to, 1);
        }
        if (!evidence)
            continue;
        c.gain = RowsGain(profile, c, *evidence, header, false);
        // Under a row of words over every column, the best reading is the likeliest size however
        // little it gains: a table stands there, unsure only of its size.
        if (c.gain > (HeadedByWords(profile, s, cols) ? HeadedFillMinGain : MinGain))
            out.push_back(c);
    }
}

} // namespace

void FramedRunGuesses(
    const Profile &profile, const std::vector<Candidate> &chosen, std::vector<Candidate> &guesses)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    // A block only its frame makes a table, never proposed, leaves its lines to a reading that
    // gains as a table does, not to one that gains little.
    std::vector<bool> covered(n, false), framed(n, false);
    for (const Candidate &c : chosen)
        Cover(c.frameOnly ? framed : covered, c);
    Cover(covered, guesses);
    const auto empty = [&](int i) { return i < n && cells[i].kind == Kind::Empty; };
    std::vector<Candidate> readings;
    const std::vector<uint8_t> fills = FillBits(profile);
    for (int a = 0; a < n;) {
        if (FrameLine(cells[a]) || empty(a)) {
            ++a;
            continue;
        }
        int b = a;
        while (b < n && !FrameLine(cells[b]) && !(empty(b) && empty(b + 1)))
            ++b;
        while (b > a && empty(b - 1))
            --b;
        // (Only where nothing stands: a run read wholly by blocks or guesses is left to them.)
        if (std::find(covered.begin() + a, covered.begin() + b, false) != covered.begin() + b)
            for (int s = a; s <= a + FramedRunMaxTop && s < b; ++s)
                for (int e = b; e > s && !empty(s); --e)
                    if (e == b || empty(e))
                        Fills(profile, fills, s, e, e == b, readings);
        a = std::max(b, a + 1);
    }
    std::stable_sort(readings.begin(), readings.end(),
        [](const Candidate &x, const Candidate &y) { return x.gain > y.gain; });
    for (Candidate c : readings) {
        const auto any = [&](const std::vector<bool> &lines) {
            return std::find(lines.begin() + c.first, lines.begin() + End(c), true)
                != lines.begin() + End(c);
        };
        if (any(covered) || (c.gain <= MinGain && any(framed)))
            continue;
        Cover(covered, c);
        c.confidence = GuessOnlyConfidence;
        guesses.push_back(c);
    }
}

namespace {

// True when the table in the run of short lines from `a` may start `top` lines in (0 or 1). Under
// a heading, a caption or a lead-in the table starts at once; under an empty line or a note, only a
// title of its own over it says one follows; under a table, either. (A paragraph ends where the
// next begins: a title may stand between it and the table.)
bool MayStartAt(const Profile &profile, const std::vector<bool> &covered, int a, int top)
{
    const Cell &above = profile.cells[a - 1];
    const bool opener = Breaks(above) || above.leadIn;
    const bool prose = above.kind == Kind::Prose && !above.leadIn;
    return top ? !(opener && !prose) && Trimmable(profile.cells[a]) : opener || covered[a - 1];
}

// How many lines at the end of the run of short lines ending at `b` may be left out of the table:
// none when a heading or a caption under the run ends the table right above it; else a line or
// two after the table (a title, a signature) may end the run.
int MaxTrailing(const Profile &profile, int b)
{
    const bool closed = b < profile.size()
        && (profile.cells[b].kind == Kind::Heading || profile.cells[b].kind == Kind::Caption);
    return closed ? 0 : GuessMaxTrailing;
}

// The best reading of the run of short lines [a, b), at every width, with a title above or a line
// or two under it left out at a cost, where no sure table goes on into it; false when none reads.
bool BestReading(const Profile &profile, const std::vector<Candidate> &chosen,
    const std::vector<bool> &covered, int a, int b, Reading &best)
{
    const int trailing = MaxTrailing(profile, b);
    bool found = false;
    for (int top = 0; top <= 1; ++top) {
        if (!MayStartAt(profile, covered, a, top))
            continue;
        for (int bottom = 0; bottom <= trailing; ++bottom) {
            if (bottom > 0 && !Trimmable(profile.cells[b - bottom]))
                break;
            for (int cols = 2; cols <= GuessMaxCols; ++cols) {
                Reading r;
                if (!Reads(profile, a + top, b - bottom, cols, r)
                    || TableGoesOn(profile, chosen, covered, r))
                    continue;
                r.score -= GuessTrimCost * (top + bottom);
                if (!found || r.score > best.score) {
                    best = r;
                    found = true;
                }
            }
        }
    }
    return found;
}

// The guess that `best` makes of the run ending at `b`. Empty lines right under it, a row's worth,
// are its last row left blank (when text or the document's end follows them).
Candidate GuessOf(const Profile &profile, const Reading &best, int b)
{
    Candidate c;
    c.first = best.first;
    c.rows = best.rows;
    c.cols = best.cols;
    const int empty = EmptyLinesFrom(profile, b);
    if (best.first + best.rows * best.cols == b && empty == best.cols
        && (b + empty == profile.size() || EmptyRowsLeft(profile, b) == empty))
        ++c.rows;
    c.confidence = GuessOnlyConfidence;
    return c;
}

} // namespace

std::vector<Candidate> GuessTables(const Profile &profile, const std::vector<Candidate> &chosen)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<bool> covered(n, false);
    Cover(covered, chosen);
    const auto fits = [&](int i) { return i >= 0 && i < n && !covered[i] && Fits(cells[i]); };
    std::vector<Candidate> guesses;
    for (int a = 0; a < n;) {
        if (!fits(a)) {
            ++a;
            continue;
        }
        int b = a;
        while (fits(b))
            ++b;
        const int run = b - a;
        // (The first lines of a document are its title and the author's address.)
        if (a == 0 || run < 4 || run > GuessMaxLines) {
            a = b;
            continue;
        }
        if (Reading best;
            BestReading(profile, chosen, covered, a, b, best) && best.score >= GuessApartAt) {
            guesses.push_back(GuessOf(profile, best, b));
        } else if (Candidate c; ReadsAsList(profile, covered, a, b, c)
                   || (UnderTable(profile, covered, a)
                       && ReadsAsList(profile, covered, a + 1, b, c, true))) {
            c.confidence = GuessOnlyConfidence;
            guesses.push_back(c);
        }
        a = b;
    }
    return guesses;
}

} // namespace cellwright::finder
