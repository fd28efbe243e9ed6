// How many rows a block has (BlockRows) and how much its rows tell that they are rows
// (RowsEvidence): the columns' habits, keys in step, shorter periods, the header row read.
#include "find_tables/candidate_checks.h"
#include "find_tables/scoring.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>
#include <array>
#include <optional>

namespace cellwright::finder {

namespace {

// True when the cell is a count or a measure with a unit after it ("15 °C", "40 %").
bool WithUnitAfter(const Cell &c)
{
    return (c.kind == Kind::Integer || c.kind == Kind::Decimal) && (c.flags & WithUnit);
}

// Of the filled cells of lines [start, to), read `cols` wide from `from`: per column, how many
// are said elsewhere in [from, to), and how many are not.
struct ColumnRepeats {
    std::array<int, MaxCols> repeated {}, single {};
};

ColumnRepeats CountRepeats(const Profile &profile, int from, int start, int to, int cols)
{
    ColumnRepeats counts;
    for (int i = start; i < to; ++i)
        if (!IsBlankCell(profile.cells[i]))
            ++(SaidElsewhere(profile, i, from, to) ? counts.repeated
                                                   : counts.single)[(i - from) % cols];
    return counts;
}

// How cleanly the filled cells of lines [from, to), read `cols` wide, keep their columns' habits:
// a column either repeats values said elsewhere in the block (weekdays, people on a rota) or
// never does (the areas, the duties). The share of cells that follow their column's habit; 0
// when the block holds a number (columns of numbers show their width otherwise) or no cell is
// said twice.
double Habits(const Profile &profile, int from, int to, int cols)
{
    if (profile.unlikeWordsBefore[to] != profile.unlikeWordsBefore[from])
        return 0;
    const ColumnRepeats counts = CountRepeats(profile, from, from, to, cols);
    int said = 0, again = 0, kept = 0;
    for (int c = 0; c < cols; ++c) {
        said += counts.repeated[c] + counts.single[c];
        again += counts.repeated[c];
        kept += std::max(counts.repeated[c], counts.single[c]);
    }
    return again == 0 ? 0 : double(kept) / said;
}

// How many of the turns in the order of the numbers of lines [from, to) a reading `cols` wide
// mends, read against its shorter periods dividing `cols` (one column among them): 1 less the
// share of the numbers that break the way their column went (each with the next two under it),
// over that share at the shorter period that breaks least; 0 when too many break at `cols`, or
// when a shorter period breaks less than once a row.
// Figures that rise down every column and fall along every row (gear inches, a price by size) are
// alike at any period: their order alone shows where the rows turn.
double OrderLead(const Profile &profile, int from, int to, int cols)
{
    int threes = 0;
    const double kept = profile.OrderKept(from, to, cols, threes);
    if (threes < std::max(OrderMinThrees, OrderThreesPerColumn * cols) || kept < OrderKeptAt)
        return 0;
    double lead = 1, least = 1;
    for (int lag = 1; lag < cols; ++lag) {
        int some = 0;
        const double other = profile.OrderKept(from, to, lag, some);
        if (some < OrderMinThrees)
            continue;
        least = std::min(least, other);
        // (The turns it mends come back row after row: once a row at least, not one number
        // out of place in a sorted list.)
        if (cols % lag == 0)
            lead = std::min(
                lead, (1 - other) * some * cols >= threes ? 1 - (1 - kept) / (1 - other) : 0);
    }
    // (A sorted list keeps its order at every period: the numbers must turn at some period
    // shorter than the rows.)
    if (least > OrderTurnAt)
        return 0;
    return std::max(lead, 0.0);
}

} // namespace

// True when the row of `cols` at `first` ends in at least CalendarMinCells months or weekdays in
// turn ("Sep" to "Jul", "Mon" to "Sun"), after a text or nothing, and neither the line above nor
// the next row goes on with them: the run of names says where the row ends.
bool CalendarRun(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (first + cols >= profile.size() || cells[first + cols].calendar != 0)
        return false;
    int run = 1;
    for (int c = cols - 1; c > 0 && cells[first + c - 1].calendar != 0
         && NextCalendarPlace(cells[first + c - 1].calendar) == cells[first + c].calendar;
         --c)
        ++run;
    if (cells[first + cols - 1].calendar == 0 || run < CalendarMinCells)
        return false;
    // (Nor does the line above lead into them: "Sep" to "Dec" are the end of a longer run.)
    if (run == cols && first > 0 && cells[first - 1].calendar != 0
        && NextCalendarPlace(cells[first - 1].calendar) == cells[first].calendar)
        return false;
    // (One text before them at most, the rows' key: a title above it is read a line early. Or an
    // empty corner under a line that is not empty: the keys below it are left untitled.)
    const Cell &key = cells[first];
    const bool corner
        = key.kind == Kind::Empty && first > 0 && cells[first - 1].kind != Kind::Empty;
    return run == cols || (run == cols - 1 && ((IsText(key.kind) && !key.note) || corner));
}

namespace {

// True when the row at `first` is a header with an empty top-left corner: wide enough, not
// after an empty line (spacing, not a corner), its other cells labels that mostly stand apart
// from the values under them (or numbers heading numbers), over a row that starts with a text.
bool EmptyCorner(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < LeadingBlankMinCols || first + 2 * cols > profile.size()
        || cells[first].kind != Kind::Empty || first == 0 || cells[first - 1].kind == Kind::Empty
        || !IsText(cells[first + cols].kind))
        return false;
    // A run of labels across: each text alike to the next, of its kind, but once at most (a last
    // "Hours").
    int runPairs = 0;
    for (int c = 1; c + 1 < cols; ++c)
        runPairs += IsText(cells[first + c].kind)
                && cells[first + c + 1].kind == cells[first + c].kind
                && cells[first + c].text != cells[first + c + 1].text
                && Similarity(cells[first + c], cells[first + c + 1]) >= CompatibleAt
            ? 1
            : 0;
    const bool labelRun = cols >= LabelRunCornerMinCols && runPairs >= cols - 3;
    int apart = 0, years = 0;
    for (int c = 1; c < cols; ++c) {
        const Cell &h = cells[first + c], &d = cells[first + cols + c];
        if (IsBlankCell(h) || h.note || Breaks(h))
            return false;
        // (A label of a run across, days or ages, is more alike to the label beside it than to
        // the short value under it: "Mon 5" beside "Tue 6" over "D+OC".)
        double across = 0;
        for (const int o : { c - 1, c + 1 })
            if (o >= 1 && o < cols && labelRun && IsText(h.kind))
                across = std::max(across, Similarity(h, cells[first + o]));
        const double down = IsBlankCell(d) ? 0 : Similarity(h, d);
        apart += IsBlankCell(d) || down < CompatibleAt || (across >= CompatibleAt && across > down)
            ? 1
            : 0;
        years += IsNumeric(h.kind) && (IsNumeric(d.kind) || IsBlankCell(d))
                && Similarity(h, cells[first + 1]) >= CompatibleAt
            ? 1
            : 0;
    }
    // Numbers alike to one another over numbers ("2022", "2023") are years or periods heading
    // the columns, however alike to the values.
    if (years == cols - 1)
        return true;
    return apart >= WordsOverNumbersShare * (cols - 1);
}

// True when the row at `p`, blank in its first cell and in others, lines up with the row below
// it: no break in it, and at least two filled cells, each alike to the cell below it.
bool SparseRowInStep(const Profile &profile, int p, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    return profile.breaksBefore[p + 2 * cols] == profile.breaksBefore[p]
        && cells[p].kind == Kind::Empty && profile.FilledAlike(p, cols, p + cols) >= 2;
}

// True when every row of the block starts with a name and holds values alone after it (a stop
// and its times, a party and its seats): where the names fall shows how wide the rows are.
bool RowTitles(const Profile &profile, int first, int rows, int cols)
{
    if (cols < RowTitlesMinCols)
        return false;
    for (int i = first; i < first + rows * cols; ++i) {
        const Cell &c = profile.cells[i];
        const bool name = (c.kind == Kind::Word || c.kind == Kind::Phrase || c.kind == Kind::Code)
            && !c.note && !(c.flags & SectionNumber);
        if ((i - first) % cols == 0 ? !name : !(IsNumeric(c.kind) || IsBlankCell(c)))
            return false;
    }
    return true;
}

// Of the pairs of filled cells `lag` lines apart in lines [from, to), the share that start with
// the same character: codes of one column share their first letters ("UKC", "UKD"), the codes of
// the column beside them other ones, where their shapes alone look all alike.
double LeadAlike(const Profile &profile, int from, int to, int lag)
{
    int pairs = 0, same = 0;
    for (int i = from; i + lag < to; ++i) {
        const Cell &x = profile.cells[i], &y = profile.cells[i + lag];
        if (IsBlankCell(x) || IsBlankCell(y))
            continue;
        ++pairs;
        same += x.lead == y.lead ? 1 : 0;
    }
    return pairs > 0 ? double(same) / pairs : 0;
}

// The kinds a column keeps row after row.
enum class KeptKind { Number, DateOrTime, Code, Name, Sentence };

// The kind of cell `c` as a column keeps it: numbers, dates and times, codes, names and words,
// or sentences.
KeptKind ColumnKind(const Cell &c)
{
    if (c.kind == Kind::Date || c.kind == Kind::Time)
        return KeptKind::DateOrTime;
    if (IsNumeric(c.kind))
        return KeptKind::Number;
    if (c.kind == Kind::Code)
        return KeptKind::Code;
    return c.kind == Kind::Word || c.kind == Kind::Phrase ? KeptKind::Name : KeptKind::Sentence;
}

// True when the rows of `cols` in lines [from, to) say again, `lag` columns on, what kinds their
// cells are, each filled pair but a few: no column of them keeps a kind its partner does not.
bool KindsRepeat(const Profile &profile, int from, int to, int cols, int lag)
{
    int pairs = 0, same = 0;
    for (int row = from; row + cols <= to; row += cols)
        for (int c = 0; c + lag < cols; ++c) {
            const Cell &x = profile.cells[row + c], &y = profile.cells[row + c + lag];
            if (IsBlankCell(x) || IsBlankCell(y))
                continue;
            ++pairs;
            same += ColumnKind(x) == ColumnKind(y) ? 1 : 0;
        }
    return pairs > 0 && same >= KindsRepeatShare * pairs;
}

// True when the row of `cols` from `p` goes on the block whose last full row starts at `last`,
// though it breaks the rows' likeness: no break, note or long text in it, one word that heads
// columns at most, and most of its filled cells (two at least) alike to the cell of their column
// in the row above it or in the block's last row, whatever the others hold ("DNF" for a time,
// "on request" for a price).
bool TailRow(const Profile &profile, int p, int last, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    // (A text after an empty line that ends the row above starts what follows the table.)
    if (p + cols > profile.size() || profile.breaksBefore[p + cols] != profile.breaksBefore[p]
        || (cells[p - 1].kind == Kind::Empty && !IsBlankCell(cells[p])))
        return false;
    int filled = 0, alike = 0, labels = 0;
    for (int c = 0; c < cols; ++c) {
        const Cell &x = cells[p + c];
        if (x.note || x.kind == Kind::Long)
            return false;
        labels += x.label ? 1 : 0;
        if (IsBlankCell(x))
            continue;
        ++filled;
        alike += Similarity(x, cells[p - cols + c]) >= CompatibleAt
                || Similarity(x, cells[last + c]) >= CompatibleAt
            ? 1
            : 0;
    }
    return labels < 2 && alike >= 2 && 2 * alike >= filled;
}

// True when line `end` closes a block above it: text, a note, an empty line, the end, or a title
// over the next table.
bool ClosedAfter(const Profile &profile, int end)
{
    return Framed(profile, end)
        || (IsTitle(profile.cells[end])
            && (profile.nextTitle[end] == end || profile.cells[end - 1].kind == Kind::Empty));
}

} // namespace

// The row at `first` as the header of a block of `cols` columns.
HeaderRow ReadHeaderRow(const Profile &profile, int first, int cols, int skip)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    HeaderRow header;
    // Over a units row, the header is read against the data below it.
    first += skip;
    // (Over a units row, an empty corner is one whatever is under it.)
    const bool corner = EmptyCorner(profile, first - skip, cols)
        || (skip > 0 && cells[first - skip].kind == Kind::Empty);
    // Dates across most of the row over marks or words head the columns (meetings over ticks).
    const auto below = [&](int c) {
        const Cell &d = cells[first + cols + c];
        return IsBlankCell(d) && first + 3 * cols <= n ? cells[first + 2 * cols + c] : d;
    };
    int datesOverText = 0;
    for (int c = 0; c < cols; ++c)
        datesOverText
            += cells[first - skip + c].kind == Kind::Date && IsText(below(c).kind) && !below(c).note
            ? 1
            : 0;
    const bool datesAcross = datesOverText >= 2 && 2 * datesOverText >= cols;
    // (Its blank last cell keeps that column spare: a header still.)
    const bool spare = skip == 0 && SpareLastColumn(profile, first, cols);
    for (int c = 0; c < cols; ++c) {
        // (A blank cell left to a label before it, over units of its own, is that label's.)
        const int span = skip > 0 ? SpanningLabel(profile, first - skip, cols, c) : -1;
        const Cell &h = cells[first - skip + (span >= 0 ? span : c)];
        const Cell d = below(c);
        header.blank += IsBlankCell(h) ? 1 : 0;
        // A label: a text that is no note, a number of another shape than the values under
        // it ("0°" over times), or one of the dates across.
        // (Over an empty corner, the row is a header whatever its labels look like.)
        // (So is a number with a unit over bare numbers: "15 °C" over the readings at it.)
        const bool unitOverBare = WithUnitAfter(h) && IsNumeric(d.kind) && !WithUnitAfter(d);
        const bool label = (IsText(h.kind) && !h.note) || unitOverBare
            || (IsNumeric(h.kind)
                && (corner || (IsNumeric(d.kind) && Similarity(h, d) < CompatibleAt)
                    || (datesAcross && h.kind == Kind::Date && IsText(d.kind) && !d.note)));
        header.text += label || (c == 0 && corner) || (c == cols - 1 && spare) ? 1 : 0;
        header.overNumbers += (IsText(h.kind) || unitOverBare) && IsNumeric(d.kind) ? 1 : 0;
        header.alike += Similarity(h, d);
        // A header cell stands apart from its column more than the column's cells do.
        if (first + 3 * cols <= n) {
            const double apart = Apartness(h, cells[first + cols + c], cells[first + 2 * cols + c]);
            header.apartness += apart;
            header.apartCols += apart >= HeaderApartAt ? 1 : 0;
        }
    }
    return header;
}

// True when the rows of `cols` in lines [from, to) keep, column by column, the kinds of cells of
// the row at `last` above them: each filled pair of one kind but at most one per row, and half
// the row's cells or more filled alike. (Rows of one table keep their columns' kinds: a code
// column stays codes, an amount column amounts; a header or the next table's rows do not.)
bool RowsKeepKinds(const Profile &profile, int last, int from, int to, int cols)
{
    for (int p = from; p + cols <= to; p += cols) {
        if (profile.breaksBefore[p + cols] != profile.breaksBefore[last])
            return false;
        int same = 0, other = 0, values = 0;
        for (int c = 0; c < cols; ++c) {
            const Cell &x = profile.cells[last + c], &y = profile.cells[p + c];
            if ((y.note && !x.note) || y.leadIn || y.label)
                return false;
            if (IsBlankCell(x) || IsBlankCell(y))
                continue;
            const KeptKind k = ColumnKind(x);
            (k == ColumnKind(y) ? same : other) += 1;
            values += k == ColumnKind(y) && k != KeptKind::Name && k != KeptKind::Sentence ? 1 : 0;
        }
        if (other > 1 || 2 * same < cols || values == 0)
            return false;
    }
    return true;
}

// True when the row of `cols` under the `rows` from `first` fills the lines up to the text after
// it exactly, opened by a key alike to the first column's (or left empty where that column has
// empties): the table's last row, whatever its values ("free" for a price, "nil", a sentence for
// a range). (From a block framed above: one read a line off has no such frame. Under it, what
// closes a block, or a title said once over a note or a header: the next part's.)
bool RowToFrame(const Profile &profile, int first, int rows, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size(), end = first + rows * cols;
    if (rows < 3 || cols < 2 || end + cols > n
        || !(Opened(profile, first) || ClosesBlock(profile, first - 1) || cells[first - 1].leadIn)
        || profile.breaksBefore[end + cols] != profile.breaksBefore[first]
        || !(Framed(profile, end + cols)
            || (IsTitle(cells[end + cols]) && profile.prevSame[end + cols] < first
                && (profile.nextTitle[end + cols] == end + cols
                    || ClosesBlock(profile, end + cols + 1))))
        || !IsText(cells[end - cols].kind))
        return false;
    // (A mark: no letter or digit, a sign or a dagger, "*" or "†".)
    const auto marked = [](const Cell &x) {
        const char16_t c = x.lead;
        const bool alnum
            = (c >= u'0' && c <= u'9') || (LowerAscii(c) >= u'a' && LowerAscii(c) <= u'z');
        return !alnum && (c < 0xC0 || (c >= 0x2000 && c < 0x2100));
    };
    // (No lead-in, no word heading columns, no footnote in it: "* Landed in 2001.") Its values
    // are blank, alike to the values above, or words where numbers stood; a wide row leaves one
    // blank or holds a number: words across all of it are the text after the table.
    // (Under a row that adds the columns up, only a row with a number: a mean after the total.)
    bool gap = cols == 2, number = false;
    for (int c = 0; c < cols; ++c) {
        const Cell &x = cells[end + c], &above = cells[end - cols + c];
        if (x.leadIn || x.label || (x.note && marked(x)))
            return false;
        number = number || IsNumeric(x.kind);
        gap = gap || IsBlankCell(x) || IsNumeric(x.kind);
        if (c > 0 && !IsBlankCell(x) && !IsNumeric(above.kind)
            && Similarity(x, above) < CompatibleAt)
            return false;
    }
    if (!gap || (!number && AddsUp(profile, first, end - cols, cols)))
        return false;
    // (Nor a key that ends as a sentence or opens with a section's number: a note or a heading
    // after the table.)
    const Cell &key = cells[end];
    if (IsBlankCell(key)) {
        for (int p = first + cols; p < end; p += cols)
            if (IsBlankCell(cells[p]))
                return true;
        return false;
    }
    // (Nor one written in another case than every key above it: a caption.)
    bool sameCase = true;
    for (int p = first + 2 * cols; p < end && sameCase; p += cols)
        sameCase = (cells[p].flags & Capitalised) == (cells[first + cols].flags & Capitalised);
    if (sameCase && IsText(cells[first + cols].kind)
        && (key.flags & Capitalised) != (cells[first + cols].flags & Capitalised))
        return false;
    return !key.note && IsText(key.kind) && !(key.flags & (SentenceEnd | SectionNumber))
        && (Similarity(key, cells[end - cols]) >= CompatibleAt
            || Similarity(key, cells[end - 2 * cols]) >= CompatibleAt);
}

// True when the empty line right above `first` is the empty corner of a wide header of labels
// in a run: the block at `first` leaves it out.
bool CornerAbove(const Profile &profile, int first, int cols)
{
    return cols >= LabelRunCornerMinCols && first > 0
        && profile.cells[first - 1].kind == Kind::Empty && EmptyCorner(profile, first - 1, cols);
}

// True when line `first` is the day or month after the one on the line above ("Wed 7" under
// "Tue 6"): inside a run of them.
bool InsideCalendarRun(const Profile &profile, int first)
{
    if (first == 0)
        return false;
    const int place = profile.cells[first].calendar, before = profile.cells[first - 1].calendar;
    const int next = before == 12 ? 1 : before == 19 ? 13 : before + 1;
    return place != 0 && before != 0 && place == next;
}

// True when the row of `cols` at `first` is a header of words that leaves its last cell blank,
// a column kept spare, its label left out.
bool SpareLastColumn(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    return cols >= SpareColumnMinCols && IsBlankCell(cells[first + cols - 1])
        && std::all_of(cells.begin() + first, cells.begin() + first + cols - 1,
            [](const Cell &h) { return IsText(h.kind) && !h.note; });
}

// True when the text of line `i` stands elsewhere in lines [from, to) too.
bool SaidElsewhere(const Profile &profile, int i, int from, int to)
{
    return profile.nextSame[i] < to || profile.prevSame[i] >= from;
}

// How many lines from `first` on are words that head columns, one after another (counted up to
// MaxCols + 1): a header row of such words is at least this wide.
int LabelRun(const Profile &profile, int first)
{
    int run = 0;
    while (run <= MaxCols && first + run < profile.size() && profile.cells[first + run].label)
        ++run;
    return run;
}

namespace {

// True when the `cols` lines from `first` are words that head columns, and the line after them is
// none: a header as wide as that. (One cell between such words, two of them before it at least,
// may be empty or a single word not known to head columns: "Income", "£", "Spending", "£". Not
// the last: that is as often the first row's key.)
bool LabelsAcross(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const int run = LabelRun(profile, first);
    if (run == cols)
        return true;
    if (run < 2 || run + 1 >= cols || first + cols >= profile.size() || cells[first + cols].label)
        return false;
    const Cell &odd = cells[first + run];
    return (odd.kind == Kind::Empty || (odd.kind == Kind::Word && !odd.note))
        && LabelRun(profile, first + run + 1) == cols - run - 1;
}

} // namespace

// How many columns that repeat their values open with a value said nowhere else in lines
// [from, to): a header cell read as data, the block read out of step.
int FirstRowBreaks(const Profile &profile, int from, int to, int cols)
{
    const ColumnRepeats below = CountRepeats(profile, from, from + cols, to, cols);
    int breaks = 0;
    for (int c = 0; c < cols && from + c < to; ++c)
        breaks += below.repeated[c] > below.single[c] && !IsBlankCell(profile.cells[from + c])
                && !SaidElsewhere(profile, from + c, from, to)
            ? 1
            : 0;
    return breaks;
}

// True when the rows of `cols` in lines [from, to) each open on a key said nowhere else in them,
// the values beside the keys said again and again (a matrix of yes and no, a rota of names):
// the keys fall exactly a row apart, which shows how wide the rows are.
bool KeysInStep(const Profile &profile, int from, int to, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < KeysMinCols || to - from < 3 * cols)
        return false;
    int values = 0, again = 0;
    for (int i = from; i < to; ++i) {
        const Cell &c = cells[i];
        if ((i - from) % cols == 0) {
            if (!IsText(c.kind) || c.note || SaidElsewhere(profile, i, from, to))
                return false;
        } else if (!IsBlankCell(c)) {
            ++values;
            again += SaidElsewhere(profile, i, from, to) ? 1 : 0;
        }
    }
    return values > 0 && again >= KeysValuesAgainShare * values;
}

// How many rows of pairs from `from` (up to `to`) keep one contrast between key and value: the
// key shorter than its value or longer, fewer words or more, capitalised beside small letters or
// the other way, digits on one side only. A writer sets keys apart from values the same way down
// a table of pairs; lines of text taken two by two do not. One row in ContrastRowsPerMiss may
// break it; the rows counted end on one that keeps it.
int ContrastRows(const Profile &profile, int from, int to)
{
    const std::vector<Cell> &cells = profile.cells;
    constexpr int Traits = 8;
    const auto has = [](const Cell &c, int flag) { return (c.flags & flag) != 0; };
    const auto shows = [&](const Cell &key, const Cell &value, int trait) {
        switch (trait) {
        case 0:
            return key.length < value.length;
        case 1:
            return key.length > value.length;
        case 2:
            return key.a < value.a;
        case 3:
            return key.a > value.a;
        case 4:
            return has(key, Capitalised) && !has(value, Capitalised);
        case 5:
            return !has(key, Capitalised) && has(value, Capitalised);
        case 6:
            return has(key, WithDigits) && !has(value, WithDigits);
        default:
            return !has(key, WithDigits) && has(value, WithDigits);
        }
    };
    int best = 0;
    std::array<int, Traits> misses {};
    for (int i = from, row = 1; i + 1 < to; i += 2, ++row) {
        const Cell &key = cells[i], &value = cells[i + 1];
        const bool pair = IsText(key.kind) && IsText(value.kind) && !key.note;
        for (int trait = 0; trait < Traits; ++trait)
            if (!(pair && shows(key, value, trait)))
                ++misses[trait];
            else if (misses[trait] <= row / ContrastRowsPerMiss)
                best = row;
    }
    return best;
}

// How much better the lines [from, to) keep their columns' habits read `cols` wide than read as
// one column: the width of a table of words, where the cells' shapes all look alike.
double HabitsGain(const Profile &profile, int from, int to, int cols)
{
    // (Fewer rows keep any habit by chance.)
    if (to - from < HabitsMinRows * cols)
        return 0;
    return Habits(profile, from, to, cols) - Habits(profile, from, to, 1);
}

// True when the row of `cols` from `p` goes on the column above it however it starts: a filled
// cell after the first much alike to the cell above it (a name under names), as in a row whose
// place or key is left out. An empty line after a table, then a heading and text, is not.
bool RowGoesOn(const Profile &profile, int p, int cols)
{
    for (int c = 1; c < cols; ++c) {
        const Cell &x = profile.cells[p + c];
        if (!IsBlankCell(x) && Similarity(x, profile.cells[p + c - cols]) >= RowGoesOnAt)
            return true;
    }
    return false;
}

// True when the row of `cols` from `p`, under the block of rows from `first`, adds its columns
// up: a label in words before its values ("Total", "Average", "Subtotal", in whichever column),
// and values that agree with the numbers above them. At least one is its column's sum (or the
// sum since the label's row before, a subtotal's; or half the column's, the subtotals in it), or,
// beside other values, its mean, within the rounding it is written in; each other value lies
// within its column's range. Numbers that add up are the table's whatever its first column holds.
bool AddsUp(const Profile &profile, int first, int p, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (p + cols > profile.size() || profile.breaksBefore[p + cols] != profile.breaksBefore[first])
        return false;
    int c = 0, label = -1;
    for (; c < cols && profile.places[p + c] < 0; ++c) {
        const Cell &x = cells[p + c];
        if (x.kind == Kind::Empty)
            continue;
        if (label >= 0 || !IsShortText(x) || (x.flags & WithDigits))
            return false;
        label = p + c;
    }
    if (label < 0 || c == cols)
        return false;
    // (A subtotal sums the rows since the one before it.)
    int since = first;
    if (const int q = profile.prevSame[label]; q >= first && (label - q) % cols == 0)
        since = q - (label - p) + cols;
    int values = 0, sums = 0, means = 0, untold = 0;
    for (; c < cols; ++c) {
        const int i = p + c;
        if (IsBlankCell(cells[i]))
            continue;
        if (profile.places[i] < 0)
            return false;
        ++values;
        double total = 0, part = 0, low = profile.amounts[i], high = low;
        int count = 0, others = 0;
        for (int j = first + c; j < p; j += cols) {
            if (profile.places[j] < 0) {
                others += IsBlankCell(cells[j]) ? 0 : 1;
                continue;
            }
            const double x = profile.amounts[j];
            total += x;
            part += j >= since ? x : 0;
            low = std::min(low, x);
            high = std::max(high, x);
            ++count;
        }
        // (A column of no number at all, shifts written as codes, tallies what its cells do not
        // show: its value tells nothing either way, so long as another column sums.)
        if (count == 0 && others > 0) {
            ++untold;
            continue;
        }
        if (count < SummedMinValues || others > SummedMaxOthers)
            return false;
        double unit = 1;
        for (int k = 0; k < profile.places[i]; ++k)
            unit /= 10;
        const double v = profile.amounts[i];
        const auto near
            = [&](double x, double within) { return v - x <= within && x - v <= within; };
        // (A sum of rounded values may be off by a unit; a mean is rounded once.)
        if (near(total, unit) || (since > first && near(part, unit)) || near(total / 2, unit))
            ++sums;
        else if (near(total / count, unit / 2 + MeanSlack))
            ++means;
        else if (v < low || v > high)
            return false;
    }
    return sums > 0 || (means > 0 && values >= 2 && untold == 0);
}

namespace {

// True when the row of `cols` from `p` names a group of the rows under it: a short text in its
// first or second cell ("Dogs", "Shelf A – pain relief"), every other cell empty.
bool GroupRow(const Profile &profile, int p, int cols)
{
    if (p + cols > profile.size() || profile.breaksBefore[p + cols] != profile.breaksBefore[p])
        return false;
    int filled = 0;
    for (int c = 0; c < cols; ++c) {
        const Cell &x = profile.cells[p + c];
        if (x.kind == Kind::Empty)
            continue;
        if (c > 1 || !IsShortText(x) || x.label || x.leadIn)
            return false;
        ++filled;
    }
    return filled == 1;
}

// How many data rows the block of `cols` from `first` has when its rows are split into groups:
// runs of rows alike, a row naming the next group or adding up the last (a subtotal) between
// them, the rows after it keeping the kinds of the row before it. The header may stand over a
// group's name. `dataRows` as the rows run without it; kept unless such rows show twice or more
// (a table split into groups shows it more than once).
int GroupedRows(const Profile &profile, int first, int cols, int dataRows)
{
    const std::vector<int> &chain = profile.chains[cols];
    const int n = profile.size();
    if (cols < GroupRowMinCols)
        return dataRows;
    int rows = dataRows, marks = 0, start = first + cols;
    if (dataRows < 2) {
        if (first + 3 * cols > n || !GroupRow(profile, start, cols) || chain[start + cols] < 2)
            return dataRows;
        rows = 1 + chain[start + cols];
        marks = 1;
        start += cols;
    }
    for (;;) {
        const int end = first + (1 + rows) * cols;
        int skip = 0;
        while (skip < GroupRowsMaxRun
            && (GroupRow(profile, end + skip * cols, cols)
                || AddsUp(profile, start, end + skip * cols, cols)))
            ++skip;
        const int q = end + skip * cols;
        if (skip == 0 || q + cols > n || chain[q] < 1
            || !RowsKeepKinds(profile, end - cols, q, q + cols, cols))
            break;
        rows += skip + chain[q];
        marks += skip;
        start = q;
    }
    return marks >= 2 ? rows : dataRows;
}

} // namespace

// The row (1 for the first under the header) where most of the `rows` from `first` change
// kind at once: each such column keeps one kind of cell above it and another from it on, at least
// KindSeamMinRows rows each. Two tables run together there; 0 when there is no such row. (Words
// giving way to numbers are a header over its values: no seam.)
int KindSeam(const Profile &profile, int first, int rows, int cols)
{
    if (cols < KindSeamMinCols || rows - 1 < 2 * KindSeamMinRows)
        return 0;
    // (A text ended like a sentence is a sentence here, however short: "Away from the audience.")
    const auto kind = [](const Cell &x) {
        return IsText(x.kind) && (x.flags & SentenceEnd) ? KeptKind::Sentence : ColumnKind(x);
    };
    const auto numeric
        = [](KeptKind k) { return k == KeptKind::Number || k == KeptKind::DateOrTime; };
    std::array<int, MaxCols> at {};
    for (int c = 0; c < cols; ++c) {
        const auto cell
            = [&](int r) -> const Cell & { return profile.cells[first + r * cols + c]; };
        std::optional<KeptKind> above;
        int change = 0;
        for (int r = 1; r < rows && !change; ++r)
            if (IsBlankCell(cell(r)))
                continue;
            else if (!above)
                above = kind(cell(r));
            else if (kind(cell(r)) != *above)
                change = r;
        if (change - 1 < KindSeamMinRows || rows - change < KindSeamMinRows)
            continue;
        const KeptKind below = kind(cell(change));
        bool keeps = !(numeric(below) && !numeric(*above));
        for (int r = change + 1; r < rows && keeps; ++r)
            keeps = IsBlankCell(cell(r)) || kind(cell(r)) == below;
        if (keeps)
            at[c] = change;
    }
    for (int c = 0; c < cols; ++c)
        if (at[c] > 0 && 2 * std::count(at.begin(), at.begin() + cols, at[c]) > cols)
            return at[c];
    return 0;
}

namespace {

// How many data rows follow the header row at `first` alike. The first of them may differ in one
// cell or leave its row title out: it is still the table's first row.
int FirstDataRows(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const std::vector<int> &chain = profile.chains[cols];
    const int n = profile.size();
    int dataRows = chain[first + cols];
    // The first row under the header may hold the one odd cell (a word among years).
    if (dataRows == 1 && cols >= OddFirstRowMinCols && first + 2 * cols < n
        && chain[first + 2 * cols] >= 2) {
        int unlike = 0;
        for (int c = 0; c < cols; ++c)
            if (Similarity(cells[first + cols + c], cells[first + 2 * cols + c]) < CompatibleAt)
                ++unlike;
        if (unlike == 1)
            dataRows = 1 + chain[first + 2 * cols];
    }
    // The first row under the header may hold a value or two alone, its row title left out (a
    // balance brought forward): in step when each filled cell is alike to the cell below it.
    if (dataRows == 0 && cols >= LeadingBlankMinCols && first + 3 * cols <= n
        && chain[first + 2 * cols] >= 2 && SparseRowInStep(profile, first + cols, cols))
        dataRows = 1 + chain[first + 2 * cols];
    return dataRows;
}

// A column may change how it writes its values partway down ("53.97" then "1:01.35", "1/2"
// then "1"): the rows go on past the seam when the cells that differ there are numbers beside
// numbers, in at most SeamMaxUnlikeShare of the columns, each row after it alike to the next or
// at another seam.
int RowsPastSeams(const Profile &profile, int first, int cols, int dataRows)
{
    const std::vector<Cell> &cells = profile.cells;
    const std::vector<int> &chain = profile.chains[cols];
    const int n = profile.size();
    // (Beyond one cell with rows alike below it, each cell that differs is a number or opens
    // with one, "100 m breaststroke": a header's "Members 2024" over counts is none.)
    const auto number
        = [](const Cell &x) { return IsNumeric(x.kind) || (IsText(x.kind) && OpensWithDigit(x)); };
    for (;;) {
        const int lastRow = first + dataRows * cols, nextRow = lastRow + cols;
        if (cols < SeamMinCols || nextRow + cols > n || chain[nextRow] < 1
            || profile.breaksBefore[nextRow + cols] != profile.breaksBefore[first])
            break;
        int unlike = 0;
        bool digits = true, numbers = true;
        for (int c = 0; c < cols; ++c)
            if (Similarity(cells[lastRow + c], cells[nextRow + c]) < CompatibleAt) {
                ++unlike;
                digits
                    = digits && HoldsDigits(cells[lastRow + c]) && HoldsDigits(cells[nextRow + c]);
                numbers = numbers && number(cells[lastRow + c]) && number(cells[nextRow + c]);
            }
        const bool seam = unlike == 1 && chain[nextRow] >= 2
            ? digits
            : unlike >= 1 && unlike <= SeamMaxUnlikeShare * cols && digits && numbers;
        if (!seam)
            break;
        dataRows += chain[nextRow];
    }
    return dataRows;
}

// A row that breaks the habit of a cell or two (a word where money stands, a value left out)
// goes on the table when the rows after it keep the habit of the rows above it again: the table
// ends where its lines stop fitting the columns, not at its first odd cell.
int RowsPastOddRows(const Profile &profile, int first, int cols, int dataRows)
{
    const std::vector<Cell> &cells = profile.cells;
    const std::vector<int> &chain = profile.chains[cols];
    const int n = profile.size();
    // (A few odd rows at most: rows breaking the habit every few rows are no table's habit, and
    // each start would otherwise run to the end of the run.)
    for (int passed = 0; cols >= OddRowMinCols && passed < OddRowsMax; ++passed) {
        const int last = first + dataRows * cols, odd = last + cols, next = odd + cols;
        if (next + cols > n || chain[next] < OddRowRowsAfter
            || profile.breaksBefore[next + cols] != profile.breaksBefore[first]
            || !TailRow(profile, odd, last, cols))
            break;
        // (The row after it is alike to the last row before it, cell by cell.)
        const bool keyAlike = IsBlankCell(cells[next]) == IsBlankCell(cells[last])
            && (IsBlankCell(cells[next]) || Similarity(cells[next], cells[last]) >= CompatibleAt);
        if (!keyAlike || profile.FilledAlike(next, cols, last) < 0)
            break;
        dataRows += 1 + chain[next];
    }
    return dataRows;
}

// Rows titled in words under rows numbered in the first column, their values alike to the
// values above, sum the rows up (a mean, its deviation): the block ends after them.
// (Values left out of such a row stay empty: a total of the last column alone.)
int WithSummaryRows(const Profile &profile, int first, int cols, int rows, int rowLimit)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const int numbered = first + (rows - 1) * cols;
    for (int k = 0; k < MaxSummaryRows && cols >= SummaryRowMinCols && rows < rowLimit; ++k) {
        const int end = first + rows * cols;
        if (end + cols > n || profile.breaksBefore[end + cols] != profile.breaksBefore[first]
            || !IsText(cells[end].kind) || cells[end].note || HoldsDigits(cells[end])
            || !IsNumeric(cells[numbered].kind))
            break;
        bool alike = true;
        int values = 0;
        for (int c = 1; c < cols && alike; ++c) {
            if (cells[end + c].kind == Kind::Empty)
                continue;
            alike = IsNumeric(cells[end + c].kind)
                && Similarity(cells[end + c], cells[numbered + c]) >= CompatibleAt;
            ++values;
        }
        if (!alike || values == 0)
            break;
        ++rows;
    }
    return rows;
}

// The header row again starts the next table; the block ends at its last full row above it
// (lines between the two are a caption or a title).
int CutAtHeaderAgain(const Profile &profile, int first, int cols, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    for (int j = profile.nextSame[first]; j < first + rows * cols; j = profile.nextSame[j]) {
        int same = 1;
        while (same < cols && j + same < n && cells[j + same].text == cells[first + same].text)
            ++same;
        if (same == cols)
            return (j - first) / cols;
    }
    return rows;
}

// A key of the first column again, beside a value of another kind than the column's (a
// range before, a role now), starts another table on the same keys. (Such a second table
// follows a short one: only the keys of the first MaxCutRows rows are followed up.)
int CutAtKeyAgain(const Profile &profile, int first, int cols, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    for (int r = 1; cols >= 2 && r < std::min(rows, MaxCutRows); ++r) {
        const int q = first + r * cols, j = profile.nextSame[q];
        if (j < first + rows * cols && (j - first) % cols == 0
            && (cells[j].kind == Kind::Word || cells[j].kind == Kind::Phrase)
            && cells[j + 1].kind != cells[q + 1].kind
            && cells[j + 1].kind != cells[q + 1 + cols].kind
            && Apartness(cells[j + 1], cells[q + 1], cells[q + 1 + cols]) >= HeaderApartAt)
            rows = (j - first) / cols;
    }
    return rows;
}

// A title over a header starts the next table: the block ends at its last full row above
// the title. (Not where the column under the title's place holds such words as data, "Home"
// and "Away", nor where too few rows would be left for a table.)
int CutAtTitle(const Profile &profile, int first, int cols, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    for (int t = profile.nextTitle[first + cols]; t < first + rows * cols;
         t = profile.nextTitle[t + 1]) {
        if (!cells[t + 1 - cols].label && (t - first) / cols >= 3) {
            // A "title" that ends a row, alike to its column, is the row's last cell: the next
            // table starts right under it.
            const bool endsRow = cols >= 2 && (t - first) % cols == cols - 1
                && !IsBlankCell(cells[t - cols])
                && Similarity(cells[t], cells[t - cols]) >= CompatibleAt;
            return (t - first) / cols + (endsRow ? 1 : 0);
        }
    }
    return rows;
}

// How many of the `rows` of `cols` from `first` come before the first of them that starts on a
// line `next` leads to from `from` on (next[i]: the first such line at `i` or after it).
int RowsBeforeStart(const std::vector<int> &next, int from, int first, int cols, int rows)
{
    for (int p = next[from]; p < first + rows * cols; p = next[p + 1])
        if ((p - first) % cols == 0)
            return (p - first) / cols;
    return rows;
}

// A row opened by a lead-in ("... in common use:") is the text after the table, whatever
// its cells look like.
int CutAtLeadIns(const Profile &profile, int first, int cols, int rows)
{
    const int n = profile.size();
    rows = RowsBeforeStart(profile.nextLeadIn, std::min(first + 3 * cols, n), first, cols, rows);
    // So is a shorter one anywhere in a table of columns ("Storage places:", a title over it or
    // not): the block ends at its last full row above it. (Unless it opens a row near the top:
    // keys that end in a colon.)
    if (const int p = profile.nextShortLeadIn[std::min(first + cols, n)];
        cols >= LeadInEndsMinCols && p < first + rows * cols && (p - first) / cols >= 3)
        rows = (p - first) / cols;
    return rows;
}

// A sentence that ends the block in a column without sentences is a note under the table.
int CutAtSentences(const Profile &profile, int first, int cols, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    const auto sentence = [&](int i) { return IsSentenceNote(cells[i]) && IsText(cells[i].kind); };
    // So is one that starts a row under rows that start with none: the lines after it that run
    // on alike are the text going on.
    if (!sentence(first) && !sentence(first + cols))
        rows = RowsBeforeStart(profile.nextSentence, first + 2 * cols, first, cols, rows);
    while (rows >= 3 && sentence(first + rows * cols - 1)) {
        bool alone = true;
        for (int r = 0; r + 1 < rows && alone; ++r)
            alone = !sentence(first + r * cols + cols - 1);
        if (!alone)
            break;
        --rows;
    }
    return rows;
}

// A last row left without its first cell ("", a name, a club, "DNS") is the table's when it
// goes on the columns above it.
int WithEmptyLedRow(const Profile &profile, int first, int cols, int rows, int rowLimit)
{
    if (rows < 3 || rows >= rowLimit || cols < EmptyLedRowMinCols)
        return rows;
    const int end = first + rows * cols;
    if (end + cols <= profile.size() && profile.cells[end].kind == Kind::Empty
        && profile.breaksBefore[end + cols] == profile.breaksBefore[first]
        && RowGoesOn(profile, end, cols))
        ++rows;
    return rows;
}

// Rows after the block that keep most of its columns but leave a value out or write it in
// words ("–" for a place, "DNF" for a time, "on request" for a price) are its last rows when
// text closes the block after them.
int WithTailRows(const Profile &profile, int first, int cols, int rows, int rowLimit)
{
    const std::vector<Cell> &cells = profile.cells;
    const int end = first + rows * cols;
    if (rows < 3 || cols < TailRowsMinCols || end + cols > profile.size())
        return rows;
    // (A row of texts alone under a row that holds numbers is the header of what follows.)
    const auto holdsNumber = [&](int p) {
        for (int c = 0; c < cols; ++c)
            if (IsNumeric(cells[p + c].kind))
                return true;
        return false;
    };
    if (AllText(profile, end, cols) && holdsNumber(end - cols))
        return rows;
    int tail = 0;
    while (tail < MaxTailRows && rows + tail < rowLimit
        && TailRow(profile, end + tail * cols, end - cols, cols))
        ++tail;
    for (int k = tail; k >= 1; --k)
        if (ClosedAfter(profile, end + k * cols))
            return rows + k;
    return rows;
}

// How many rows follow the empty corner at `first` led by a key: a short text, values beside it,
// none of them a sentence or a paragraph. Under a corner the rows, not the columns, keep a kind
// (a stop's places, then its times), so their keys alone tell where they run.
int KeyedRows(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    int rows = 0;
    for (int p = first + cols; p + cols <= profile.size(); p += cols, ++rows) {
        const Cell &key = cells[p];
        if (!IsShortText(key) || key.leadIn || (key.flags & SentenceEnd)
            || profile.breaksBefore[p + cols] != profile.breaksBefore[first])
            break;
        int filled = 0;
        for (int i = p + 1; i < p + cols; ++i) {
            if (IsSentenceNote(cells[i]) || Breaks(cells[i]))
                return rows;
            filled += IsBlankCell(cells[i]) ? 0 : 1;
        }
        if (filled == 0)
            break;
    }
    return rows;
}

} // namespace

// Tables whose empty top-left corner is the empty line under a text: a run of three labels or
// more across (days, stages, dyes), written alike and each said once, heads them, and each row
// under it starts with a key written as the other keys are, values beside it. Such rows keep a
// kind across rather than down their columns, so their keys, not their columns, tell how wide
// they are and where they stop: at the text after them, or where rows of another width begin.
void CornerTables(const Profile &profile, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    for (int first = 1; first < n; ++first) {
        if (cells[first].kind != Kind::Empty || cells[first - 1].kind == Kind::Empty)
            continue;
        // (Each width adds a label to the run: none empty, a note or a lead-in, each alike to
        // the one before it.)
        for (int cols = 2; cols <= MaxCols && first + CornerMinRows * cols <= n; ++cols) {
            const Cell &lastLabel = cells[first + cols - 1], &key = cells[first + cols];
            if (!IsText(lastLabel.kind) || lastLabel.note || lastLabel.leadIn
                || (cols > 2 && Similarity(cells[first + cols - 2], lastLabel) < CompatibleAt))
                break;
            // (Two labels are no run. A day or month after the last label is the run going on,
            // not a key.)
            if (cols < CornerMinCols
                || (lastLabel.calendar != 0
                    && key.calendar == NextCalendarPlace(lastLabel.calendar)))
                continue;
            const int keyed = 1 + KeyedRows(profile, first, cols);
            if (keyed < CornerMinRows)
                continue;
            const int rows = keyed + EmptyRowsAfter(profile, first, keyed, cols);
            const int end = first + rows * cols, keysEnd = first + keyed * cols;
            // (The next table's keys beside values, alike a pair apart, stop it as text does.)
            const bool stops = end >= n || ClosesBlock(profile, end)
                || (end + 2 < n && IsText(cells[end].kind) && !cells[end].note
                    && Similarity(cells[end], cells[end + 2]) >= CompatibleAt);
            // (A label said again under the run is a value: the header runs into the rows.)
            bool fits = stops;
            for (int i = first + 1; i < first + cols && fits; ++i)
                fits = profile.nextSame[i] >= end;
            for (int p = first + 2 * cols; p < keysEnd && fits; p += cols)
                fits = (cells[p].flags & (Capitalised | WithDigits))
                        == (key.flags & (Capitalised | WithDigits))
                    && Similarity(cells[p], key) >= CompatibleAt;
            if (!fits)
                continue;
            // (Values alike across their rows at least as much as down their columns: read
            // at a width out of step, a table of columns keeps its kinds down them.)
            double across = 0, down = 0;
            int acrossPairs = 0, downPairs = 0;
            for (int p = first + cols; p < keysEnd; p += cols) {
                across += profile.filledSums[1][p + cols - 1] - profile.filledSums[1][p + 1];
                acrossPairs += profile.filledPairs[1][p + cols - 1] - profile.filledPairs[1][p + 1];
                if (p + cols < keysEnd) {
                    down += profile.filledSums[cols][p + cols] - profile.filledSums[cols][p + 1];
                    downPairs
                        += profile.filledPairs[cols][p + cols] - profile.filledPairs[cols][p + 1];
                }
            }
            if (acrossPairs > 0 && (downPairs == 0 || across / acrossPairs >= down / downPairs))
                AddFramedBlock(out, first, rows, cols, CornerKeysEvidence, GuessConfidence);
        }
    }
}

// How many rows (the header row among them) a block of `cols` columns from `first` has: the
// header and the data rows that follow one another alike, at most `rowLimit`; 0 when too few
// for a table.
int BlockRows(const Profile &profile, int first, int cols, int rowLimit, bool unitsRow)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    if (first + 2 * cols > n || profile.breaksBefore[first + cols] != profile.breaksBefore[first])
        return 0;
    // An empty first line starts a block only as the empty corner over a column of row titles.
    if (cells[first].kind == Kind::Empty && !unitsRow && !EmptyCorner(profile, first, cols))
        return 0;
    int dataRows = GroupedRows(profile, first, cols, FirstDataRows(profile, first, cols));
    // Two rows could be any two runs of lines; a table shows its columns at least twice.
    if (dataRows < 2)
        return 0;
    dataRows = RowsPastSeams(profile, first, cols, dataRows);
    dataRows = RowsPastOddRows(profile, first, cols, dataRows);
    int rows = WithSummaryRows(profile, first, cols, std::min(1 + dataRows, rowLimit), rowLimit);
    // The next table, or the text after this one, may start among the rows read so far.
    rows = CutAtHeaderAgain(profile, first, cols, rows);
    rows = CutAtKeyAgain(profile, first, cols, rows);
    rows = CutAtTitle(profile, first, cols, rows);
    rows = CutAtLeadIns(profile, first, cols, rows);
    rows = CutAtSentences(profile, first, cols, rows);
    // The rows right after the block may still be its own, though unlike its rows.
    rows = WithEmptyLedRow(profile, first, cols, rows, rowLimit);
    rows = WithTailRows(profile, first, cols, rows, rowLimit);
    // Last rows whose numbers add up the columns above are the table's (see AddsUp).
    for (int k = 0; k < MaxSummaryRows && rows >= 3 && rows < rowLimit
         && AddsUp(profile, first, first + rows * cols, cols);
         ++k)
        ++rows;
    return rows < 3 ? 0 : rows;
}

// How many empty last rows the block of `rows` from `first` has after them: as many empty lines
// as columns for each (a row left for values to come), with at most one line left over (the
// empty paragraph after the table), and then text again.
int EmptyRowsAfter(const Profile &profile, int first, int rows, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const int end = first + rows * cols;
    if (cols < EmptyLastRowMinCols || end + cols > n)
        return 0;
    int empty = end;
    while (
        empty < n && empty < end + MaxEmptyLastRows * cols + 1 && cells[empty].kind == Kind::Empty)
        ++empty;
    if (empty < n && cells[empty].kind == Kind::Empty)
        return 0;
    // (Nor where a page's number alone ends the document after them, a short text with a digit
    // and no sentence: they are the space above it. A name there signs the form they belong to.)
    if (empty + 1 == n && IsShortText(cells[empty]) && (cells[empty].flags & WithDigits)
        && !(cells[empty].flags & SentenceEnd))
        return 0;
    const int k = (empty - end) / cols, rest = (empty - end) % cols;
    if (k == 0 || rest > 1)
        return 0;
    return k;
}

// True when the `rows` lines from `first` are a list of names under a header: short words alone
// between a title (a heading or a caption) and the end of the text around them.
bool WordList(const Profile &profile, int first, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    if (rows < SingleColumnMinRows || first < 1 || !OpensBlock(profile, first + rows))
        return false;
    // The title: a caption or numbered heading, or a short text after a paragraph or an empty
    // line (an unnumbered heading reads as such).
    const Cell &title = cells[first - 1];
    const bool titled = title.kind == Kind::Caption || title.kind == Kind::Heading
        || (IsShortText(title)
            && (first < 2 || cells[first - 2].kind == Kind::Prose
                || cells[first - 2].kind == Kind::Empty));
    if (!titled)
        return false;
    for (int i = first; i < first + rows; ++i) {
        const Cell &c = cells[i];
        if (!IsShortText(c) || (c.flags & (WithDigits | SectionNumber)) || c.a > WordListWords)
            return false;
    }
    // Words more alike at some period are the rows of a wider table of words.
    const auto mean = [&](int lag) {
        const int end = first + rows - lag;
        return (profile.lagSums[lag][end] - profile.lagSums[lag][first]) / (end - first);
    };
    const double lag1 = mean(1);
    for (int k = 2; k <= std::min(MaxCols, rows / 2); ++k)
        if (mean(k) >= lag1 + SingleColumnPairedAt
            || HabitsGain(profile, first, first + rows, k) >= HabitsAt)
            return false;
    return true;
}

// The mean likeness of the pairs of filled cells of lines [from, to) read `lag` wide; 0 when no
// such pair. Blank cells are alike to anything: where many are blank, these pairs alone tell.
double FilledAlikeMean(const Profile &profile, int from, int to, int lag)
{
    const int pairs = profile.filledPairs[lag][to] - profile.filledPairs[lag][from];
    return pairs > 0 ? (profile.filledSums[lag][to] - profile.filledSums[lag][from]) / pairs : 0.0;
}

// A block of `rows` rows `cols` wide read before its header row: where its data rows lie, how
// alike its cells are a row apart, and what else says how wide its rows are. Read once, asked
// by each step of RowsEvidence.
struct BlockReading {
    int first = 0, rows = 0, cols = 0;
    int dataFirst = 0; // the first cell under the header row
    int last = 0; // one past the block
    int compared = 0; // the data cells with a cell a row below them, rows - 2 rows of them
    double lagK = 0; // how alike the data cells are to the cell a row below
    bool corner = false; // a header row with an empty top-left corner (EmptyCorner)
    // Many blank cells: the filled cells alone tell how wide the rows are (filledK).
    bool sparse = false;
    double filledK = 0;
    bool rowTitles = false;
    double habits = 0;
    bool habitsTell = false, keysTell = false, labelsTell = false, orderTells = false;
    bool calendar = false;
    // A units row, the corner, row titles, keys, order or a calendar say how wide the rows are.
    bool widthTold = false;

    // How alike the data cells that have a cell a row below are to the cell `lag` lines on
    // (the block has 3 rows at least, so there are such cells).
    double AlikeAt(const Profile &profile, int lag) const
    {
        return profile.MeanAlike(dataFirst, dataFirst + compared + lag, lag);
    }
};

// The block of `rows` rows `cols` wide from `first`, read as BlockReading says.
BlockReading ReadBlock(const Profile &profile, int first, int rows, int cols, bool unitsRow)
{
    BlockReading block;
    block.first = first;
    block.rows = rows;
    block.cols = cols;
    block.dataFirst = first + cols;
    block.last = first + rows * cols;
    block.compared = (rows - 2) * cols;
    block.lagK = block.AlikeAt(profile, cols);
    const int dataFirst = block.dataFirst, last = block.last;
    block.corner = EmptyCorner(profile, first, cols);
    // Blank cells are alike to anything: where many are blank, the filled cells alone tell how
    // wide the rows are.
    const int blanks = profile.emptyBefore[last] - profile.emptyBefore[dataFirst];
    block.sparse = cols >= SparseMinCols && blanks >= SparseShare * (last - dataFirst);
    block.filledK
        = block.sparse ? FilledAlikeMean(profile, dataFirst, dataFirst + block.compared, cols) : 0;
    // What says how wide the rows are, whatever a shorter period reads:
    // (Names down the first column alone, values across, leave no shorter period.)
    block.rowTitles = RowTitles(profile, dataFirst, rows - 1, cols);
    // (Nor do words whose columns keep their habits at this width alone.)
    block.habits = cols >= 2 ? HabitsGain(profile, dataFirst, last, cols) : 0;
    block.habitsTell = block.habits >= HabitsAt;
    // (Nor do keys that fall a row apart beside values said again.)
    block.keysTell = KeysInStep(profile, dataFirst, last, cols);
    // (Nor do as many words that head columns as columns, and no more: the header says how wide.)
    block.labelsTell = cols >= 2 && LabelsAcross(profile, first, cols);
    // (Nor do numbers that keep their order down the columns at this width alone.)
    block.orderTells = cols >= 2 && OrderLead(profile, dataFirst, last, cols) >= OrderLeadAt;
    // (Nor do months or weekdays in turn across the header.)
    block.calendar = cols >= CalendarMinCells && CalendarRun(profile, first, cols);
    block.widthTold = unitsRow || block.corner || block.rowTitles || block.keysTell
        || block.orderTells || block.calendar;
    return block;
}

// True when some shorter period `k` dividing the block's width reads its rows as well
// (`alike(k)`), where neither a units row, an empty corner, row titles nor keys in step (nor
// order or a calendar) say how wide.
template <typename Alike> bool AlikeAtShorterPeriod(const BlockReading &block, const Alike &alike)
{
    for (int k = 2; k <= block.cols / 2 && !block.widthTold; ++k)
        if (block.cols % k == 0 && alike(k))
            return true;
    return false;
}

// True when the block's data repeats as well at a shorter period dividing its width: rows of
// that period, whatever the line above them suggests, unless a header and its units row (or as
// many words that head columns as columns) say how wide. Where many cells are blank the filled
// cells must agree, and where the columns keep their habits, the habits.
bool RowsOfShorterPeriod(const Profile &profile, const BlockReading &block)
{
    if (block.labelsTell)
        return false;
    return AlikeAtShorterPeriod(block, [&](int k) {
        return block.AlikeAt(profile, k) >= block.lagK - ShorterPeriodSlack
            && !(block.sparse
                && FilledAlikeMean(profile, block.dataFirst, block.dataFirst + block.compared, k)
                    < block.filledK - ShorterPeriodSlack)
            && !(block.habitsTell
                && HabitsGain(profile, block.dataFirst, block.last, k) < block.habits - HabitsAt);
    });
}

// Rows without a header whose cells, first row and all, say their kinds again halfway across
// are two rows side by side (codes beside codes, a number beside a name), however alike the
// lengths of their words happen to fall a row apart.
bool KindsRepeatAtShorterPeriod(
    const Profile &profile, const BlockReading &block, const HeaderRow &header)
{
    const std::vector<Cell> &cells = profile.cells;
    // (One word among many that happens to head columns elsewhere, "D" among codes, is no header.)
    const auto labels = std::count_if(cells.begin() + block.first, cells.begin() + block.dataFirst,
        [](const Cell &c) { return c.label; });
    const bool labelled = header.apartCols > 0 || labels >= LabelledShare * block.cols;
    if (labelled || block.orderTells || block.calendar)
        return false;
    return AlikeAtShorterPeriod(block, [&](int k) {
        return block.AlikeAt(profile, k) >= block.lagK - KindsRepeatSlack
            && KindsRepeat(profile, block.first, block.last, block.cols, k);
    });
}

// True when a single column of `rows` cells from `first` is a piece of a wider table: a header
// cell of it, the last row of its rows above, or the first cells of one of its rows.
bool PartOfWiderTable(const Profile &profile, int first, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    const int last = first + rows; // one past the column
    // A short text right above the header would be a header cell of a wider table.
    const Cell &above = cells[std::max(first - 1, 0)];
    if (first > 0 && IsText(above.kind) && above.kind != Kind::Long
        && !(above.flags & SectionNumber))
        return true;
    // A column right under a value, as long as the rows above are wide and alike to them,
    // is their last row (a total row).
    // (An empty line right above is no boundary when it is the blank last cell of a row
    // alike to this column.)
    if (first >= rows && rows <= MaxCols
        && ((!OpensBlock(profile, first - 1) && profile.chains[rows][first - rows] >= 2)
            || RowAlikeAbove(profile, first, rows)))
        return true;
    // (Or one that adds up the columns of as wide rows above it, whatever those hold.)
    for (int top = first - SummedMinValues * rows; rows >= 2 && rows <= MaxCols && top >= 0;
         top -= rows)
        if (AddsUp(profile, top, first, rows))
            return true;
    // So is a column in step with the rows of a wider table running on from above: the
    // first cells of one of its rows, the rest of the row after them. (Or the rest left
    // empty: a row of a triangle, whose empty cells end the row above too.)
    for (int width = rows + 1; width <= MaxCols && first >= width; ++width) {
        bool ragged = first + width <= profile.size();
        for (int i = last; i < first + width && ragged; ++i)
            ragged = cells[i].kind == Kind::Empty;
        if ((ragged || !OpensBlock(profile, first - 1))
            && profile.chains[width][first - width] >= 2)
            return true;
    }
    return false;
}

// True when the column's cells [dataFirst, last) are a header row read down: numbers with a unit
// right under the header and bare numbers after them ("15 °C", "20 °C" over the readings at
// each).
bool HeaderReadDown(const Profile &profile, int dataFirst, int last)
{
    const std::vector<Cell> &cells = profile.cells;
    int units = dataFirst;
    while (units < last && WithUnitAfter(cells[units]))
        ++units;
    bool bare = units - dataFirst >= UnitHeaderMinCells
        && last - units >= UnitHeaderBareRatio * (units - dataFirst);
    for (int i = units; i < last && bare; ++i)
        bare = IsNumeric(cells[i].kind) && !WithUnitAfter(cells[i]);
    return bare;
}

// The evidence of a single column (no word list): a header above values that are not words,
// more alike down the column than a column of anything is; nothing when it is a piece of a
// wider table or a wider table read down.
std::optional<double> SingleColumnEvidence(
    const Profile &profile, const BlockReading &block, bool headerLike)
{
    const std::vector<Cell> &cells = profile.cells;
    const int dataFirst = block.dataFirst, last = block.last;
    if (!headerLike || block.rows < SingleColumnMinRows)
        return std::nullopt;
    if (PartOfWiderTable(profile, block.first, block.rows))
        return std::nullopt;
    for (int i = dataFirst; i < last; ++i)
        if (IsText(cells[i].kind) && cells[i].kind != Kind::Code)
            return std::nullopt;
    if (HeaderReadDown(profile, dataFirst, last) || block.lagK < SingleColumnAlikeAt)
        return std::nullopt;
    // Numbers that keep their order down the columns of a wider reading are its rows read
    // down one column.
    for (int k = 2; k <= MaxCols; ++k)
        if (OrderLead(profile, dataFirst, last, k) >= OrderLeadAt)
            return std::nullopt;
    // Values more alike every other line are two columns (codes beside codes).
    if (block.rows >= 4 && block.AlikeAt(profile, 2) >= block.lagK + SingleColumnPairedAt)
        return std::nullopt;
    return block.lagK - SingleColumnBaseline;
}

// True when codes whose first letters keep to their columns, from the first row on (no
// header), stand between the text around them: the block `cols` wide from `first` to `last`.
bool LeadsKept(const Profile &profile, int first, int last, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    bool kept = Opened(profile, first) && Framed(profile, last);
    for (int c = 0; c < cols && kept; ++c)
        kept = !IsBlankCell(cells[first + c])
            && cells[first + c].lead == cells[first + cols + c].lead;
    return kept;
}

// The evidence of a block two columns wide or more: how much more alike its data cells are a
// row apart than side by side, read past a last row left short and rows that add the columns
// up, or what its filled cells, habits, keys, order, calendar, contrast or leads vouch, if more.
double WideEvidence(const Profile &profile, const BlockReading &block)
{
    const std::vector<Cell> &cells = profile.cells;
    const int first = block.first, rows = block.rows, cols = block.cols;
    const int dataFirst = block.dataFirst, last = block.last;
    double evidence = block.lagK - profile.MeanAlike(dataFirst, last, 1);
    // A last row left short ends in empty cells, alike to anything: the rows are told by
    // the cells they fill.
    int filledEnd = last;
    while (filledEnd > last - cols + 1 && cells[filledEnd - 1].kind == Kind::Empty)
        --filledEnd;
    if (filledEnd < last && filledEnd - cols > dataFirst)
        evidence = std::max(evidence,
            profile.MeanAlike(dataFirst, filledEnd, cols)
                - profile.MeanAlike(dataFirst, filledEnd, 1));
    // Last rows that add the columns up are unlike the rows above by nature: the rows above
    // them tell as much.
    int totals = 0;
    while (rows - totals > 3 && AddsUp(profile, first, last - (totals + 1) * cols, cols))
        ++totals;
    if (totals > 0) {
        const int to = last - totals * cols;
        evidence = std::max(
            evidence, profile.MeanAlike(dataFirst, to, cols) - profile.MeanAlike(dataFirst, to, 1));
    }
    if (block.sparse)
        evidence
            = std::max(evidence, block.filledK - FilledAlikeMean(profile, dataFirst, last - 1, 1));
    if (block.habitsTell)
        evidence = std::max(evidence, block.habits);
    if (block.keysTell)
        evidence = std::max(evidence, KeysEvidence);
    if (block.orderTells)
        evidence = std::max(evidence, OrderEvidence);
    if (block.calendar)
        evidence = std::max(evidence, CalendarEvidence);
    // Keys set apart from their values the same way in (nearly) every row.
    if (cols == 2 && rows - 1 >= ContrastMinRows
        && ContrastRows(profile, dataFirst, last) == rows - 1)
        evidence = std::max(evidence, ContrastEvidence);
    if (LeadsKept(profile, first, last, cols))
        evidence = std::max(evidence,
            LeadAlike(profile, first, last, cols) - LeadAlike(profile, first, last, 1)
                - LeadAlikeSlack);
    return evidence;
}

// True when the block fills the space between the text around it exactly, under a header of
// words (or with row titles): it shows where it starts and stops, and its columns need only
// tell a little. (So does one that ends at the title of a sure table after it, `titlesNext`.)
bool ShowsItsEnds(const Profile &profile, const BlockReading &block, const HeaderRow &header,
    const std::vector<bool> *titlesNext)
{
    const std::vector<Cell> &cells = profile.cells;
    const int first = block.first, last = block.last, cols = block.cols;
    // (Not by the document's end alone under an empty line that ends the row above: the table
    // ended there, its last row is the text after it, a signature.)
    const bool endAfterEmpty = last == profile.size() && block.rows >= 3 && cols >= 2
        && cells[last - cols - 1].kind == Kind::Empty
        && profile.emptyBefore[last] == profile.emptyBefore[last - cols];
    const bool headerLike = header.text == cols;
    return ((headerLike && header.blank == (block.corner ? 1 : 0)) || block.rowTitles)
        && Opened(profile, first)
        && ((Framed(profile, last) && !endAfterEmpty) || (titlesNext && (*titlesNext)[last]));
}

// Columns of the same kind of number only show their width in the header: true when as many
// words as columns, set apart from the text above, stand over numbers alone.
bool NumbersUnderWords(const Profile &profile, const BlockReading &block, const HeaderRow &header)
{
    const std::vector<Cell> &cells = profile.cells;
    const int first = block.first, cols = block.cols;
    if (cols < 2 || header.overNumbers < cols || !OpensBlock(profile, first - 1))
        return false;
    for (int i = block.dataFirst; i < block.last; ++i)
        if (!IsNumeric(cells[i].kind) && !IsBlankCell(cells[i]))
            return false;
    for (int c = 0; c < cols; ++c)
        if (cells[first + c].note)
            return false;
    return true;
}

// How much more alike the block's data cells are to the cell a row below than to the next cell
// (the evidence that its rows are rows); nothing when the block reads as no table this wide.
// Reads the header row (above the units row, if any) into `header` once the rows could be a
// table this wide: most blocks asked are not, and the header row is costly to read.
std::optional<double> RowsEvidence(const Profile &profile, int first, int rows, int cols,
    HeaderRow &header, bool toldStart, bool unitsRow, bool *framed,
    const std::vector<bool> *titlesNext)
{
    const BlockReading block = ReadBlock(profile, first, rows, cols, unitsRow);
    if (RowsOfShorterPeriod(profile, block))
        return std::nullopt;
    const int skip = unitsRow ? cols : 0;
    header = ReadHeaderRow(profile, first - skip, cols, skip);
    if (KindsRepeatAtShorterPeriod(profile, block, header))
        return std::nullopt;
    if (cols == 1 && WordList(profile, first, rows))
        return WordListEvidence;
    const bool headerLike = header.text == cols;
    double evidence;
    if (cols == 1) {
        const std::optional<double> column = SingleColumnEvidence(profile, block, headerLike);
        if (!column)
            return std::nullopt;
        evidence = *column;
    } else
        evidence = WideEvidence(profile, block);
    // Words over numbers in most columns vouch for a block whose columns look much alike.
    const bool wordsOverNumbers = headerLike && header.overNumbers >= WordsOverNumbersShare * cols;
    // So do as many words that head columns as columns.
    double enough = wordsOverNumbers || block.labelsTell ? EvidenceUnderHeaderAt : EvidenceAt;
    // A block that shows where it starts and stops need only tell a little.
    if (ShowsItsEnds(profile, block, header, titlesNext)) {
        if (block.rowTitles)
            evidence = std::max(evidence, RowTitlesEvidence);
        enough = std::min(enough, EvidenceFramedAt);
        if (framed)
            *framed = true;
    }
    if (toldStart)
        enough = EvidenceToldAt;
    if (evidence >= enough)
        return evidence;
    if (NumbersUnderWords(profile, block, header))
        return NumbersUnderWordsEvidence;
    return std::nullopt;
}

} // namespace cellwright::finder
