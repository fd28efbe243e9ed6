#include "find_tables/candidates.h"

#include "find_tables/scoring.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace cellwright::finder {

namespace {

// True when the text of line `i` stands elsewhere in lines [from, to) too.
bool SaidElsewhere(const Profile &profile, int i, int from, int to)
{
    return profile.nextSame[i] < to || profile.prevSame[i] >= from;
}

// True when the cell is a count or a measure with a unit after it ("15 °C", "40 %").
bool WithUnitAfter(const Cell &c)
{
    return (c.kind == Kind::Integer || c.kind == Kind::Decimal) && (c.flags & WithUnit);
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

// How much better the lines [from, to) keep their columns' habits read `cols` wide than read as
// one column: the width of a table of words, where the cells' shapes all look alike.
double HabitsGain(const Profile &profile, int from, int to, int cols)
{
    // (Fewer rows keep any habit by chance.)
    if (to - from < HabitsMinRows * cols)
        return 0;
    return Habits(profile, from, to, cols) - Habits(profile, from, to, 1);
}

// True when line `i` (0-based, may lie outside the document) cannot belong to a table.
bool OpensBlock(const Profile &profile, int i)
{
    return i < 0 || i >= profile.size() || profile.cells[i].kind == Kind::Empty
        || Breaks(profile.cells[i]);
}

// True when the `width` lines above line `p` are alike, cell by cell, to the `width` from it: a
// row of a table `width` wide above, whatever blank cells stand between.
bool RowAlikeAbove(const Profile &profile, int p, int width)
{
    if (p < width || p + width > profile.size()
        || profile.breaksBefore[p + width] != profile.breaksBefore[p - width])
        return false;
    for (int k = 0; k < width; ++k)
        if (Similarity(profile.cells[p - width + k], profile.cells[p + k]) < CompatibleAt)
            return false;
    return true;
}

// True when line `i` ends a block above it: anything that opens one, or a note under it.
bool ClosesBlock(const Profile &profile, int i)
{
    return OpensBlock(profile, i) || profile.cells[i].note;
}

// True when the line above `first` opens a block, or is a title on its own line under one.
bool Opened(const Profile &profile, int first)
{
    if (OpensBlock(profile, first - 1))
        return true;
    const Cell &title = profile.cells[first - 1];
    return IsShortText(title) && (OpensBlock(profile, first - 2) || profile.cells[first - 2].note);
}

// True when the row of `cols` from `p` is all texts: a header of its own, no row under one.
bool AllText(const Profile &profile, int p, int cols)
{
    for (int c = 0; c < cols; ++c)
        if (!IsText(profile.cells[p + c].kind))
            return false;
    return true;
}

// True when the row at `first` says a row above again, cell by cell: a header said again starts
// another table, however alike it is to the row above it.
bool HeaderAgain(const Profile &profile, int first, int cols)
{
    if (first + cols > profile.size())
        return false;
    // (A header is words; only the last few times its first cell was said are looked at.)
    if (!AllText(profile, first, cols))
        return false;
    int looks = 0;
    for (int j = profile.prevSame[first]; j >= 0 && looks < HeaderAgainLooks;
         j = profile.prevSame[j], ++looks) {
        int same = 1;
        while (same < cols && profile.cells[j + same].text == profile.cells[first + same].text)
            ++same;
        if (same == cols)
            return true;
    }
    return false;
}

// True when the row above runs on into the row at `first` (much alike, or over it as an odd
// row), so that a block starting there would start inside a table; a header merely passing as
// the last row of the table above does not count.
bool RunsOnFromAbove(const Profile &profile, int first, int cols)
{
    const std::vector<std::vector<double>> &lagSums = profile.lagSums;
    if (first < cols || profile.chains[cols][first - cols] < 2 || HeaderAgain(profile, first, cols))
        return false;
    const int up = first - cols;
    if (lagSums[cols][first] - lagSums[cols][up] >= RunsOnAt * cols)
        return true;
    double overOdd = 0;
    if (2 * cols <= MaxCols) {
        overOdd = lagSums[2 * cols][first] - lagSums[2 * cols][up];
    } else {
        for (int c = 0; c < cols && first + cols + c < profile.size(); ++c)
            overOdd += Similarity(profile.cells[up + c], profile.cells[first + cols + c]);
    }
    return overOdd >= RunsOnAt * cols;
}

// True when line `end` closes a block: text, an empty line, the end, or a note under it.
bool Framed(const Profile &profile, int end)
{
    // A block that ends inside a run of empty lines is cut out of step with its rows.
    const auto empty = [&](int i) {
        return i >= 0 && i < profile.size() && profile.cells[i].kind == Kind::Empty;
    };
    if (empty(end - 1) && empty(end))
        return false;
    return ClosesBlock(profile, end);
}

// True when line `end` is the numbered title of the next part ("6.2 Tests of association", read
// among cells when a table follows it): it ends the block above it as text would.
bool TitleNext(const Profile &profile, int end)
{
    return end < profile.size() && IsText(profile.cells[end].kind)
        && (profile.cells[end].flags & SectionNumber);
}

// True when all cells of the row at `first` are words and one stands over a number.
bool WordsOverNumbers(const Profile &profile, int first, int cols)
{
    if (first + 2 * cols > profile.size())
        return false;
    bool over = false;
    for (int c = 0; c < cols; ++c) {
        if (!IsText(profile.cells[first + c].kind))
            return false;
        over = over || IsNumeric(profile.cells[first + cols + c].kind);
    }
    return over;
}

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
    int apart = 0, years = 0;
    for (int c = 1; c < cols; ++c) {
        const Cell &h = cells[first + c], &d = cells[first + cols + c];
        if (IsBlankCell(h) || h.note || Breaks(h))
            return false;
        apart += IsBlankCell(d) || Similarity(h, d) < CompatibleAt ? 1 : 0;
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

// True when a header of `cols` with a units row under it can stand at `first` at all: rows
// enough without a break, the first cell a text or empty, the others texts or numbers (years or
// periods heading the columns, "2024/25" over "£ a week", when the units row below is plain: all
// in brackets, or the same unit in every column). Apart from the rest, to be asked cheaply:
// every candidate asks it of the rows above it, and most rows asked are no header at all.
inline bool HeaderCanStand(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    return cols >= 2 && first + 3 * cols <= profile.size()
        && profile.breaksBefore[first + 3 * cols - 1] == profile.breaksBefore[first]
        && (IsText(cells[first].kind) || cells[first].kind == Kind::Empty) && !cells[first].note
        && profile.unheadingBefore[first + cols] == profile.unheadingBefore[first + 1];
}

// UnitsRowBelow where a header can stand.
bool UnitsRowUnderHeader(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    // The same unit again in every column that gives one ("£ per hour") may be longer.
    const Cell *unit = nullptr;
    int given = 0, bracketedUnits = 0;
    bool repeated = true;
    for (int c = 0; c < cols; ++c) {
        const Cell &u = cells[first + cols + c];
        if (IsBlankCell(u))
            continue;
        bracketedUnits += (u.flags & Bracketed) && IsText(u.kind) && u.length <= RemarkLength;
        unit = unit ? unit : &u;
        repeated = repeated && u.text == unit->text && u.length <= RemarkLength && !u.note;
        ++given;
    }
    repeated = repeated && given >= 2;
    // (A section's title alone in its row may stand between the units and the values.)
    int values = first + 2 * cols;
    if (first + 4 * cols <= profile.size() && IsShortText(cells[values])
        && profile.emptyBefore[values + cols] - profile.emptyBefore[values + 1] == cols - 1
        && profile.breaksBefore[values + 2 * cols] == profile.breaksBefore[values])
        values += cols;
    int units = 0, overNumbers = 0, overBlanks = 0;
    bool allBracketed = true;
    for (int c = 0; c < cols; ++c) {
        const Cell &u = cells[first + cols + c];
        if (IsBlankCell(u))
            continue;
        // A unit on its own, or in brackets ("[h:mm]", "(km)").
        const bool bracketed = (u.flags & Bracketed) && u.length <= RemarkLength;
        allBracketed = allBracketed && bracketed;
        // (The same figure in every column, "(000)", is a scale, not a value.)
        // (Among units in brackets, a number with a unit is a scale too: "(1000 lb)".)
        const bool scale = bracketedUnits >= 2 && IsNumeric(u.kind) && (u.flags & WithUnit);
        if (!(IsText(u.kind) || scale || (repeated && IsNumeric(u.kind)))
            || (!bracketed && !repeated && !scale && (u.length > UnitsRowLength || u.a > 1)))
            return false;
        ++units;
        // (A value not given yet leaves the cell under a unit blank.)
        const Cell &v = cells[values + c];
        overNumbers += IsNumeric(v.kind) ? 1 : 0;
        overBlanks += IsBlankCell(v) ? 1 : 0;
    }
    if (units == 0 || overNumbers == 0 || overNumbers + overBlanks != units)
        return false;
    // (No years or periods head the columns.)
    bool plainHeader = true;
    for (int c = 1; c < cols; ++c)
        plainHeader = plainHeader && !IsNumeric(cells[first + c].kind);
    if (!plainHeader && !allBracketed && !repeated)
        return false;
    // The header starts a block, or follows a title on its own line (no word that heads columns)
    // without running on from the rows above: a units row under it vouches for the rest.
    // (Asked last: every candidate asks it of the rows above it.)
    if (Opened(profile, first))
        return true;
    const Cell &above = cells[first - 1];
    // Units all in brackets, or the same unit in every column, are no data of the table above:
    // they vouch for the header under any text or numbered title, however alike its rows, and
    // right under the last number of a table above.
    if ((allBracketed || repeated) && !above.label
        && (IsText(above.kind) || (above.flags & SectionNumber) || IsNumeric(above.kind)))
        return true;
    return (IsTitle(above) || above.note) && !RunsOnFromAbove(profile, first, cols);
}

// True when the row under the header at `first` gives the columns' units ("°C", "mm", or
// nothing): short texts and blanks over a row that has a number under a unit.
bool UnitsRowBelow(const Profile &profile, int first, int cols)
{
    return HeaderCanStand(profile, first, cols) && UnitsRowUnderHeader(profile, first, cols);
}

// The row at `first` as the header of a block of `cols` columns.
HeaderRow ReadHeaderRow(const Profile &profile, int first, int cols, int skip = 0)
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
    for (int c = 0; c < cols; ++c) {
        const Cell &h = cells[first - skip + c];
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
        header.text += label || (c == 0 && corner) ? 1 : 0;
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

// A block that reads as K columns also reads as any multiple of K; the smallest period that
// explains the same lines takes the place (and the evidence) of the wider readings.
std::vector<Candidate> PreferNarrowest(std::vector<Candidate> all)
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
                // Unless the wider reading is plainly better (columns of words, each alike).
                if (c.gain > k->gain + WiderReadingMargin) {
                    *k = c;
                } else {
                    k->gain = std::max(k->gain, c.gain);
                    k->confidence = std::max(k->confidence, c.confidence);
                    k->frameOnly = k->frameOnly && c.frameOnly;
                }
                merged = true;
            }
        }
        if (!merged)
            kept.push_back(c);
    }
    return kept;
}

// True when the row at `p`, blank in its first cell and in others, lines up with the row below
// it: no break in it, and at least two filled cells, each alike to the cell below it.
bool SparseRowInStep(const Profile &profile, int p, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    return profile.breaksBefore[p + 2 * cols] == profile.breaksBefore[p]
        && cells[p].kind == Kind::Empty && profile.FilledAlike(p, cols, p + cols) >= 2;
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

// How many rows (the header row among them) a block of `cols` columns from `first` has: the
// header and the data rows that follow one another alike, at most `rowLimit`; 0 when too few
// for a table.
int BlockRows(const Profile &profile, int first, int cols, int rowLimit, bool unitsRow = false)
{
    const std::vector<Cell> &cells = profile.cells;
    const std::vector<int> &chain = profile.chains[cols];
    const int n = profile.size();
    if (first + 2 * cols > n || profile.breaksBefore[first + cols] != profile.breaksBefore[first])
        return 0;
    // An empty first line starts a block only as the empty corner over a column of row titles.
    if (cells[first].kind == Kind::Empty && !unitsRow && !EmptyCorner(profile, first, cols))
        return 0;
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
    // Two rows could be any two runs of lines; a table shows its columns at least twice.
    if (dataRows < 2)
        return 0;
    // A column may change how it writes its values partway down ("53.97" then "1:01.35", "1/2"
    // then "1"): the rows go on past the seam when one cell alone differs there, a number beside
    // a number, and the rows below it run on alike.
    for (;;) {
        const int last = first + dataRows * cols, q = last + cols;
        if (cols < SeamMinCols || q + 2 * cols > n || chain[q] < 2
            || profile.breaksBefore[q + cols] != profile.breaksBefore[first])
            break;
        int unlike = 0;
        bool digits = true;
        for (int c = 0; c < cols; ++c)
            if (Similarity(cells[last + c], cells[q + c]) < CompatibleAt) {
                ++unlike;
                digits = digits && HoldsDigits(cells[last + c]) && HoldsDigits(cells[q + c]);
            }
        if (unlike != 1 || !digits)
            break;
        dataRows += chain[q];
    }
    int rows = std::min(1 + dataRows, rowLimit);
    // Rows titled in words under rows numbered in the first column, their values alike to the
    // values above, sum the rows up (a mean, its deviation): the block ends after them.
    const int numbered = first + (rows - 1) * cols;
    // (Values left out of such a row stay empty: a total of the last column alone.)
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
    // The header row again starts the next table; the block ends at its last full row above it
    // (lines between the two are a caption or a title).
    for (int j = profile.nextSame[first]; j < first + rows * cols; j = profile.nextSame[j]) {
        int same = 1;
        while (same < cols && j + same < n && cells[j + same].text == cells[first + same].text)
            ++same;
        if (same == cols) {
            rows = (j - first) / cols;
            break;
        }
    }
    // A key of the first column again, beside a value of another kind than the column's (a
    // range before, a role now), starts another table on the same keys. (Such a second table
    // follows a short one: only the keys of the first MaxCutRows rows are followed up.)
    for (int r = 1; cols >= 2 && r < std::min(rows, MaxCutRows); ++r) {
        const int q = first + r * cols, j = profile.nextSame[q];
        if (j < first + rows * cols && (j - first) % cols == 0
            && (cells[j].kind == Kind::Word || cells[j].kind == Kind::Phrase)
            && cells[j + 1].kind != cells[q + 1].kind
            && cells[j + 1].kind != cells[q + 1 + cols].kind
            && Apartness(cells[j + 1], cells[q + 1], cells[q + 1 + cols]) >= HeaderApartAt)
            rows = (j - first) / cols;
    }
    // A title over a header starts the next table: the block ends at its last full row above
    // the title. (Not where the column under the title's place holds such words as data, "Home"
    // and "Away", nor where too few rows would be left for a table.)
    for (int t = profile.nextTitle[first + cols]; t < first + rows * cols;
         t = profile.nextTitle[t + 1]) {
        if (!cells[t + 1 - cols].label && (t - first) / cols >= 3) {
            rows = (t - first) / cols;
            // A "title" that ends a row, alike to its column, is the row's last cell: the next
            // table starts right under it.
            if (cols >= 2 && (t - first) % cols == cols - 1 && !IsBlankCell(cells[t - cols])
                && Similarity(cells[t], cells[t - cols]) >= CompatibleAt)
                ++rows;
            break;
        }
    }
    // A row opened by a lead-in ("... in common use:") is the text after the table, whatever
    // its cells look like.
    for (int p = profile.nextLeadIn[std::min(first + 3 * cols, n)]; p < first + rows * cols;
         p = profile.nextLeadIn[p + 1])
        if ((p - first) % cols == 0) {
            rows = (p - first) / cols;
            break;
        }
    // A sentence that ends the block in a column without sentences is a note under the table.
    const auto sentence = [&](int i) { return IsSentenceNote(cells[i]) && IsText(cells[i].kind); };
    // So is one that starts a row under rows that start with none: the lines after it that run
    // on alike are the text going on.
    if (!sentence(first) && !sentence(first + cols))
        for (int p = profile.nextSentence[first + 2 * cols]; p < first + rows * cols;
             p = profile.nextSentence[p + 1])
            if ((p - first) % cols == 0) {
                rows = (p - first) / cols;
                break;
            }
    while (rows >= 3 && sentence(first + rows * cols - 1)) {
        bool alone = true;
        for (int r = 0; r + 1 < rows && alone; ++r)
            alone = !sentence(first + r * cols + cols - 1);
        if (!alone)
            break;
        --rows;
    }
    // A last row left without its first cell ("", a name, a club, "DNS") is the table's when it
    // goes on the columns above it.
    if (rows >= 3 && rows < rowLimit && cols >= EmptyLedRowMinCols) {
        const int end = first + rows * cols;
        if (end + cols <= n && cells[end].kind == Kind::Empty
            && profile.breaksBefore[end + cols] == profile.breaksBefore[first]
            && RowGoesOn(profile, end, cols))
            ++rows;
    }
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

// The kind a column keeps row after row: numbers, dates and times, codes, names and words, or
// sentences.
int ColumnKind(const Cell &c)
{
    if (c.kind == Kind::Date || c.kind == Kind::Time)
        return 1;
    if (IsNumeric(c.kind))
        return 0;
    if (c.kind == Kind::Code)
        return 2;
    return c.kind == Kind::Word || c.kind == Kind::Phrase ? 3 : 4;
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

// How much more alike the block's data cells are to the cell a row below than to the next cell
// (the evidence that its rows are rows); nothing when the block reads as no table this wide.
// Reads the header row (above the units row, if any) into `header` once the rows could be a
// table this wide: most blocks asked are not, and the header row is costly to read.
std::optional<double> RowsEvidence(const Profile &profile, int first, int rows, int cols,
    HeaderRow &header, bool toldStart, bool unitsRow = false, bool *framed = nullptr,
    const std::vector<bool> *titlesNext = nullptr)
{
    const std::vector<Cell> &cells = profile.cells;
    const std::vector<std::vector<double>> &lagSums = profile.lagSums;
    const int dataFirst = first + cols;
    const int last = first + rows * cols; // one past the block
    const int compared = (rows - 2) * cols;
    const auto mean = [&](int lag) {
        return (lagSums[lag][dataFirst + compared] - lagSums[lag][dataFirst]) / compared;
    };
    const double lagK = mean(cols);
    const double lag1
        = (lagSums[1][last - 1] - lagSums[1][dataFirst]) / std::max(1, (last - 1 - dataFirst));
    // Data that repeats as well at a shorter period dividing this one is rows of that period,
    // whatever the line above them suggests, unless a header and its units row say how wide.
    const bool corner = EmptyCorner(profile, first, cols);
    // Blank cells are alike to anything at any period: where many are blank, the filled cells
    // alone tell how wide the rows are.
    const int blanks = profile.emptyBefore[last] - profile.emptyBefore[dataFirst];
    const bool sparse = cols >= SparseMinCols && blanks >= SparseShare * (last - dataFirst);
    const auto filled = [&](int from, int to, int lag) {
        const int pairs = profile.filledPairs[lag][to] - profile.filledPairs[lag][from];
        return pairs > 0 ? (profile.filledSums[lag][to] - profile.filledSums[lag][from]) / pairs
                         : 0.0;
    };
    const double filledK = sparse ? filled(dataFirst, dataFirst + compared, cols) : 0;
    // (Names down the first column alone, values across, leave no shorter period.)
    const bool rowTitles = RowTitles(profile, dataFirst, rows - 1, cols);
    // (Nor do words whose columns keep their habits at this width alone.)
    const double habits = cols >= 2 ? HabitsGain(profile, dataFirst, last, cols) : 0;
    const bool habitsTell = habits >= HabitsAt;
    // (Nor do keys that fall a row apart beside values said again.)
    const bool keysTell = KeysInStep(profile, dataFirst, last, cols);
    // (Nor do as many words that head columns as columns, and no more: the header says how wide.)
    const bool labelsTell = cols >= 2 && LabelRun(profile, first) == cols;
    for (int k = 2; k <= cols / 2 && !unitsRow && !corner && !rowTitles && !keysTell && !labelsTell;
         ++k)
        if (cols % k == 0 && mean(k) >= lagK - ShorterPeriodSlack
            && !(
                sparse && filled(dataFirst, dataFirst + compared, k) < filledK - ShorterPeriodSlack)
            && !(habitsTell && HabitsGain(profile, dataFirst, last, k) < habits - HabitsAt))
            return std::nullopt;
    const int skip = unitsRow ? cols : 0;
    header = ReadHeaderRow(profile, first - skip, cols, skip);
    // Rows without a header whose cells, first row and all, say their kinds again halfway across
    // are two rows side by side (codes beside codes, a number beside a name), however alike the
    // lengths of their words happen to fall a row apart.
    // (One word among many that happens to head columns elsewhere, "D" among codes, is no header.)
    const auto labels = std::count_if(
        cells.begin() + first, cells.begin() + dataFirst, [](const Cell &c) { return c.label; });
    const bool labelled = header.apartCols > 0 || labels >= LabelledShare * cols;
    for (int k = 2; k <= cols / 2 && !unitsRow && !corner && !rowTitles && !labelled && !keysTell;
         ++k)
        if (cols % k == 0 && mean(k) >= lagK - KindsRepeatSlack
            && KindsRepeat(profile, first, last, cols, k))
            return std::nullopt;
    const bool headerLike = header.text == cols;
    double evidence;
    if (cols == 1 && WordList(profile, first, rows))
        return WordListEvidence;
    if (cols == 1) {
        // A single column: a header above values that are not words.
        if (!headerLike || rows < SingleColumnMinRows)
            return std::nullopt;
        // A short text right above the header would be a header cell of a wider table.
        const Cell &above = cells[std::max(first - 1, 0)];
        if (first > 0 && IsText(above.kind) && above.kind != Kind::Long
            && !(above.flags & SectionNumber))
            return std::nullopt;
        // A column right under a value, as long as the rows above are wide and alike to them,
        // is their last row (a total row).
        // (An empty line right above is no boundary when it is the blank last cell of a row
        // alike to this column.)
        if (first >= rows && rows <= MaxCols
            && ((!OpensBlock(profile, first - 1) && profile.chains[rows][first - rows] >= 2)
                || RowAlikeAbove(profile, first, rows)))
            return std::nullopt;
        // So is a column in step with the rows of a wider table running on from above: the
        // first cells of one of its rows, the rest of the row after them. (Or the rest left
        // empty: a row of a triangle, whose empty cells end the row above too.)
        for (int width = rows + 1; width <= MaxCols && first >= width; ++width) {
            bool ragged = first + width <= profile.size();
            for (int i = last; i < first + width && ragged; ++i)
                ragged = cells[i].kind == Kind::Empty;
            if ((ragged || !OpensBlock(profile, first - 1))
                && profile.chains[width][first - width] >= 2)
                return std::nullopt;
        }
        for (int i = dataFirst; i < last; ++i)
            if (IsText(cells[i].kind) && cells[i].kind != Kind::Code)
                return std::nullopt;
        // Numbers with a unit right under the header and bare numbers after them are a header
        // row read down ("15 °C", "20 °C" over the readings at each).
        int units = dataFirst;
        while (units < last && WithUnitAfter(cells[units]))
            ++units;
        bool bare = units - dataFirst >= UnitHeaderMinCells
            && last - units >= UnitHeaderBareRatio * (units - dataFirst);
        for (int i = units; i < last && bare; ++i)
            bare = IsNumeric(cells[i].kind) && !WithUnitAfter(cells[i]);
        if (bare)
            return std::nullopt;
        if (lagK < SingleColumnAlikeAt)
            return std::nullopt;
        // Values more alike every other line are two columns (codes beside codes).
        if (rows >= 4 && mean(2) >= lagK + SingleColumnPairedAt)
            return std::nullopt;
        evidence = lagK - SingleColumnBaseline;
    } else {
        evidence = lagK - lag1;
        // A last row left short ends in empty cells, alike to anything: the rows are told by
        // the cells they fill.
        int filledEnd = last;
        while (filledEnd > last - cols + 1 && cells[filledEnd - 1].kind == Kind::Empty)
            --filledEnd;
        if (filledEnd < last && filledEnd - cols > dataFirst) {
            const auto meanTo = [&](int lag, int to) {
                return (lagSums[lag][to] - lagSums[lag][dataFirst]) / (to - dataFirst);
            };
            evidence
                = std::max(evidence, meanTo(cols, filledEnd - cols) - meanTo(1, filledEnd - 1));
        }
        if (sparse)
            evidence = std::max(evidence, filledK - filled(dataFirst, last - 1, 1));
        if (habitsTell)
            evidence = std::max(evidence, habits);
        if (keysTell)
            evidence = std::max(evidence, KeysEvidence);
        // Codes whose first letters keep to their columns, from the first row on (no header),
        // between the text around them.
        bool leadsKept = Opened(profile, first) && Framed(profile, last);
        for (int c = 0; c < cols && leadsKept; ++c)
            leadsKept = !IsBlankCell(cells[first + c])
                && cells[first + c].lead == cells[first + cols + c].lead;
        if (leadsKept)
            evidence = std::max(evidence,
                LeadAlike(profile, first, last, cols) - LeadAlike(profile, first, last, 1)
                    - LeadAlikeSlack);
    }
    // Words over numbers in most columns vouch for a block whose columns look much alike.
    const bool wordsOverNumbers = headerLike && header.overNumbers >= WordsOverNumbersShare * cols;
    // So do as many words that head columns as columns.
    double enough = wordsOverNumbers || labelsTell ? EvidenceUnderHeaderAt : EvidenceAt;
    // A block that fills the space between the text around it exactly, under a header of words,
    // shows where it starts and stops; its columns need only tell a little. (So does one that
    // ends at the title of a sure table after it.)
    if (((headerLike && header.blank == (corner ? 1 : 0)) || rowTitles) && Opened(profile, first)
        && (Framed(profile, last) || (titlesNext && (*titlesNext)[last]))) {
        if (rowTitles)
            evidence = std::max(evidence, RowTitlesEvidence);
        enough = std::min(enough, EvidenceFramedAt);
        if (framed)
            *framed = true;
    }
    if (toldStart)
        enough = EvidenceToldAt;
    if (evidence >= enough)
        return evidence;
    // Columns of the same kind of number only show their width in the header: as many words as
    // columns, set apart from the text above, over numbers alone.
    if (cols < 2 || header.overNumbers < cols || !OpensBlock(profile, first - 1))
        return std::nullopt;
    for (int i = dataFirst; i < last; ++i)
        if (!IsNumeric(cells[i].kind) && !IsBlankCell(cells[i]))
            return std::nullopt;
    for (int c = 0; c < cols; ++c)
        if (cells[first + c].note)
            return std::nullopt;
    return NumbersUnderWordsEvidence;
}

// Single columns of as many rows directly after one another are the rows of a wide table read
// one by one (a name, then its values across): none of them is a table, all of them are one, as
// far as lines of that length go on as a name and values alike to one another.
void JoinStackedColumns(const Profile &profile, std::vector<Candidate> &all)
{
    const std::vector<Cell> &cells = profile.cells;
    const std::vector<double> &nextAlike = profile.lagSums[1];
    std::vector<std::pair<int, int>> singles; // (first, rows)
    for (const Candidate &c : all)
        if (c.cols == 1)
            singles.emplace_back(c.first, c.rows);
    std::sort(singles.begin(), singles.end());
    const auto has = [&](int first, int rows) {
        return std::binary_search(singles.begin(), singles.end(), std::pair(first, rows));
    };
    // Lines [p, p + width) read as a row across: a name, then values alike to one another.
    const auto rowAcross = [&](int p, int width) {
        if (p + width > profile.size() || !IsText(cells[p].kind) || cells[p].note
            || profile.breaksBefore[p + width] != profile.breaksBefore[p])
            return false;
        const double alike = (nextAlike[p + width - 1] - nextAlike[p + 1]) / (width - 2);
        return alike >= SingleColumnAlikeAt;
    };
    std::vector<Candidate> joined;
    for (const Candidate &c : all) {
        const int width = c.rows;
        if (c.cols != 1 || width < 3 || width > MaxCols || has(c.first - width, width))
            continue;
        int rows = 1;
        while (rowAcross(c.first + rows * width, width))
            ++rows;
        if (rows < 2 || !ClosesBlock(profile, c.first + rows * width))
            continue;
        Candidate table = c;
        table.rows = rows;
        table.cols = width;
        table.gain = c.gain * rows;
        joined.push_back(table);
    }
    std::erase_if(all, [&](const Candidate &c) {
        return c.cols == 1 && (has(c.first + c.rows, c.rows) || has(c.first - c.rows, c.rows));
    });
    all.insert(all.end(), joined.begin(), joined.end());
}

// Adds the block of `rows` x `cols` from `first`, text at both its ends, when `evidence` for each
// of its lines makes it a table worth proposing, at most `sure` of it.
void AddFramedBlock(
    std::vector<Candidate> &out, int first, int rows, int cols, double evidence, double sure = 1)
{
    Candidate c;
    c.first = first;
    c.rows = rows;
    c.cols = cols;
    c.gain = evidence * cols * rows - TableCost - cols * TableCostPerColumn + 2 * TextBoundary;
    c.confidence = std::min(sure, RowsConfidence(c.gain, cols, evidence));
    if (c.gain > MinGain && c.confidence >= MinConfidence)
        out.push_back(c);
}

// A key: a short name without digits, capitalised, as in "First ascent".
bool IsKey(const Cell &c)
{
    return IsShortText(c) && c.a <= KeyWords && (c.flags & Capitalised)
        && !(c.flags & (WithDigits | SectionNumber | SentenceEnd));
}

// True when the pairs in lines [first, end) keep their two columns apart: no text stands in
// both, the keys are said once each, and either values are said again (people in charge of
// several things), or some trait of a cell (several words, each capitalised, symbols, digits)
// marks nearly all of one column and nearly none of the other. Names beside names, days beside
// days, a list of one kind read two at a time, keep no such difference.
bool PairsApart(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    bool keysAgain = false;
    int valuesAgain = 0;
    // (Said again an even number of lines on, a text stays in its column.)
    for (int i = first; i < end; ++i) {
        const int j = profile.nextSame[i];
        if (IsBlankCell(cells[i]) || j >= end)
            continue;
        if ((j - i) % 2 != 0)
            return false;
        if ((i - first) % 2 == 0)
            keysAgain = true;
        else
            ++valuesAgain;
    }
    if (valuesAgain >= PairsValuesAgain && !keysAgain)
        return true;
    using Trait = bool (*)(const Cell &);
    static constexpr std::array<Trait, 4> traits {
        [](const Cell &c) { return IsText(c.kind) && c.a >= 2; },
        [](const Cell &c) { return IsText(c.kind) && (c.flags & TitleCase); },
        [](const Cell &c) { return IsText(c.kind) && (c.flags & WithSymbols); },
        [](const Cell &c) { return HoldsDigits(c); },
    };
    if (keysAgain)
        return false;
    // (The first row may be a header of two labels, whatever traits its words have.)
    for (int from : { first, first + 2 }) {
        const int rows = (end - from) / 2;
        for (Trait trait : traits) {
            int keys = 0, values = 0;
            for (int i = from; i < end; i += 2) {
                keys += trait(cells[i]) ? 1 : 0;
                values += trait(cells[i + 1]) ? 1 : 0;
            }
            if (std::abs(keys - values) >= PairsApartShare * rows)
                return true;
        }
    }
    return false;
}

// True when `cell` breaks a trait that the cells of lines [from, to), every other line, all keep
// (blank, with digits, of several words, capitalised, with symbols, ending as a sentence).
bool BreaksColumn(const Profile &profile, int from, int to, const Cell &cell)
{
    const std::vector<Cell> &cells = profile.cells;
    using Trait = bool (*)(const Cell &);
    static constexpr std::array<Trait, 6> traits {
        [](const Cell &c) { return IsBlankCell(c); },
        [](const Cell &c) { return HoldsDigits(c); },
        [](const Cell &c) { return IsText(c.kind) && c.a >= 2; },
        [](const Cell &c) { return IsText(c.kind) && (c.flags & Capitalised); },
        [](const Cell &c) { return IsText(c.kind) && (c.flags & WithSymbols); },
        [](const Cell &c) { return IsText(c.kind) && (c.flags & SentenceEnd); },
    };
    for (Trait trait : traits) {
        bool kept = true;
        for (int i = from + 2; i < to && kept; i += 2)
            kept = trait(cells[i]) == trait(cells[from]);
        if (kept && trait(cell) != trait(cells[from]))
            return true;
    }
    return false;
}

// True when the last row of the two columns in lines [first, end) breaks, in both its cells, a
// trait its column keeps in every row between the first (perhaps a header) and the last: a
// caption and a heading under a list of prefixes, a greeting or a signature under contacts.
bool OddLastPair(const Profile &profile, int first, int end)
{
    return BreaksColumn(profile, first + 2, end - 2, profile.cells[end - 2])
        && BreaksColumn(profile, first + 3, end - 1, profile.cells[end - 1]);
}

// True when pairs in lines [first, end) are read a line early: a title taken for the first key,
// so that the last value is empty or a note under the table, unlike the values above it, while its
// key is like the keys.
bool PairsLineEarly(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &value = cells[end - 1];
    return IsText(cells[first].kind) && !cells[first].label && !cells[first + 1].label
        && (value.kind == Kind::Empty || (IsText(value.kind) && (value.flags & SentenceEnd)))
        && BreaksColumn(profile, first + 1, end - 1, value)
        && !BreaksColumn(profile, first + 2, end - 2, cells[end - 2]);
}

// Tables of keys beside values without a header ("Height", "8,849 m"): read upwards in pairs
// from where the text around them resumes or the next table starts, up to a line that is no key
// (the title above).
void KeyValueTables(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    for (int end = 1; end <= n; ++end) {
        // (A long value that is no sentence, an address or a firm's name, closes nothing.)
        const auto closes = [&](int i) {
            return OpensBlock(profile, i) || IsSentenceNote(cells[i]) || cells[i].oneSentence;
        };
        // (So does a sure table starting right after, or under a title of its own, or a heading
        // over a sentence that leads in to what follows.)
        const bool nextTable = end < n
            && (tableStarts[end]
                || (IsShortText(cells[end])
                    && (tableStarts[end + 1] || (end + 1 < n && cells[end + 1].leadIn))));
        if (!(closes(end) || nextTable) || closes(end - 1))
            continue;
        int first = end, values = 0, meanings = 0;
        while (first - 2 >= 0 && IsKey(cells[first - 2]) && !OpensBlock(profile, first - 1)
            && !Breaks(cells[first - 1]) && !IsSentenceNote(cells[first - 1])) {
            values += HoldsDigits(cells[first - 1]) ? 1 : 0;
            meanings
                += IsText(cells[first - 1].kind) && !(cells[first - 1].flags & Capitalised) ? 1 : 0;
            first -= 2;
        }
        const int rows = (end - first) / 2;
        // Values that are all names could be anything; some must be numbers or hold digits, or
        // all be written in small letters beside the capitalised keys (a term and its meaning).
        const bool names = values == 0 && meanings < rows;
        const bool apart = names && PairsApart(profile, first, end);
        if (rows < KeyValueMinRows || (names && !apart))
            continue;
        // Lines read some other way as a whole (four columns of two kinds, say) are no pairs.
        // (Pairs whose columns stand apart are no list read one line at a time.)
        if (std::any_of(out.begin(), out.end(), [&](const Candidate &o) {
                return o.first == first && o.rows * o.cols == 2 * rows && !(apart && o.cols <= 2);
            }))
            continue;
        // (An empty last row left for a pair to come counts as one of its rows.)
        const int empty = std::min(EmptyRowsAfter(profile, first, rows, 2), 1);
        AddFramedBlock(out, first, rows + empty, 2, apart ? PairsApartEvidence : KeyValueEvidence);
    }
}

// Glossaries: terms beside definitions of one sentence each (as long as a paragraph), at least
// KeyValueMinRows of them, under an optional header of two labels, between a title and the text
// resuming.
void Glossaries(const Profile &profile, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const auto definition = [&](int i) {
        return i < n && (cells[i].kind == Kind::Prose || cells[i].kind == Kind::Long)
            && cells[i].oneSentence;
    };
    const auto label = [&](int i) {
        return i >= 0 && i < n && IsText(cells[i].kind) && !cells[i].note
            && !(cells[i].flags & SentenceEnd);
    };
    for (int first = 0; first + 1 < n; ++first) {
        if (!IsKey(cells[first]) || !definition(first + 1))
            continue;
        int end = first;
        while (end + 1 < n && IsKey(cells[end]) && definition(end + 1))
            end += 2;
        int start = first, rows = (end - first) / 2;
        // Two labels right above are the header.
        if (label(first - 2) && label(first - 1)) {
            start -= 2;
            ++rows;
        } else if (!Opened(profile, first)) {
            first = end - 1;
            continue;
        }
        if ((end - first) / 2 >= KeyValueMinRows && Framed(profile, end)) {
            AddFramedBlock(out, start, rows, 2, GlossaryEvidence);
        }
        first = end - 1;
    }
}

// True when each cell of the row at `first + cols` is unlike the cell above it (a row of values
// under a row of labels), as no two lines of one column are.
bool RowsApart(const Profile &profile, int first, int cols)
{
    for (int c = 0; c < cols; ++c)
        if (Similarity(profile.cells[first + c], profile.cells[first + cols + c])
            >= SingleColumnCompatibleAt)
            return false;
    return true;
}

// Lists of names standing alone (a table of one column without a header): short names without
// digits between a title (a heading, a caption, a line that leads in, a phrase in sentence case
// on its own line, unlike a name, a note under a table) and the text resuming, a sure table or a
// table about them. Right under a table, the phrase in sentence case is the list's own header.
void NameLists(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const auto name = [&](int i) {
        const Cell &c = cells[i];
        if (c.keyed)
            return false;
        if (c.remarked)
            return true;
        return (c.kind == Kind::Word || c.kind == Kind::Phrase || c.kind == Kind::Code) && !c.note
            && !(c.flags & (WithDigits | SectionNumber | SentenceEnd)) && c.a <= NameListWords;
    };
    // Where a list stopped at a word that heads columns, the next list starts under it.
    int stopped = -1;
    for (int first = 1; first < n; ++first) {
        if (!name(first))
            continue;
        const Cell &above = cells[first - 1];
        const bool nextList = first == stopped;
        // A note under the table above ends it as text would (a phrase in sentence case right
        // after it is the title of what follows).
        const bool afterNote = IsSentenceNote(above) && first >= 2
            && !OpensBlock(profile, first - 2)
            && !(cells[first].kind == Kind::Phrase && !(cells[first].flags & TitleCase));
        // A title that names the header under it ("Stations" over "Station") is a title as plain as
        // a heading.
        const bool named = profile.namesHeaderBelow[first - 1];
        const bool afterTitle = named || above.kind == Kind::Heading || above.kind == Kind::Caption
            || above.leadIn || afterNote || nextList
            || (above.kind == Kind::Phrase && !(above.flags & TitleCase) && !above.note
                && ClosesBlock(profile, first - 2));
        // Under the last cell of a table (a value, a code, a word in small letters: no name that
        // could head the list, no numbered title), a phrase in sentence case is the list's own
        // header.
        const Cell &before = cells[std::max(first - 2, 0)];
        const bool lastCell = IsNumeric(before.kind) || before.kind == Kind::Missing
            || (before.kind == Kind::Code && !(before.flags & SectionNumber))
            || (IsShortText(before) && !(before.flags & (Capitalised | SectionNumber)));
        // (Holding a digit, as a date or a count does, it is the list's title: no header holds
        // one.)
        const bool dated = !afterTitle && first >= 2 && lastCell && above.kind == Kind::Phrase
            && !above.note && (above.flags & WithDigits)
            && !(above.flags & (SectionNumber | SentenceEnd));
        const bool headed = !afterTitle && !dated && first >= 2 && lastCell
            && above.kind == Kind::Phrase && !above.note && (above.flags & Capitalised)
            && !(above.flags & (WithDigits | SectionNumber | SentenceEnd | TitleCase));
        // Codes with digits ("I-70", "WQ-03") are items too under a lead-in or a header of words.
        const bool codesUnder
            = above.leadIn || cells[first].label || cells[first].kind == Kind::Phrase;
        const auto item = [&](int i) {
            return name(i)
                || (codesUnder && i > first && cells[i].kind == Kind::Code
                    && (cells[i].flags & WithDigits) && !(cells[i].flags & SectionNumber));
        };
        if (!afterTitle && !headed && !dated)
            continue;
        // A word that heads columns among the names starts another list ("Present" ...,
        // "Apologies" ...), once the names above it make a list of their own; sooner it is one
        // of the names ("Software" over "R", "Mplus", "SPSS").
        const auto heads
            = [&](int i) { return cells[i].label && (nextList || i - first >= ShortListMinRows); };
        // Names keep one habit: under names capitalised word by word (the first line may be their
        // header), a phrase in sentence case is a note or a title after them ("Three wins each",
        // "Fire warden"), unless names go on after it ("Station Road (part)"); under words in
        // small letters ("csv", "json"), a capitalised line is the next block's title.
        const auto small = [](const Cell &c) { return !(c.flags & Capitalised); };
        // Whether every item after the first so far is capitalised word by word, or in small
        // letters: kept as the list grows, for line `end` alone.
        bool allTitleCase = true, allSmall = true;
        const auto habit = [&](int i) {
            if (i - first - 1 < HabitMinItems)
                return true;
            const bool titleCase = !allTitleCase || (cells[i].flags & TitleCase) || cells[i].a < 2
                || (i + 1 < n && (cells[i + 1].flags & TitleCase));
            const bool smallLetters
                = !allSmall || small(cells[i]) || (i + 1 < n && name(i + 1) && small(cells[i + 1]));
            return titleCase && smallLetters;
        };
        int end = first;
        while (end < n && item(end) && habit(end)
            && !(end > first && (tableStarts[end] || heads(end)))) {
            if (end > first) {
                allTitleCase = allTitleCase && (cells[end].flags & TitleCase);
                allSmall = allSmall && small(cells[end]);
            }
            ++end;
        }
        const bool labelNext = end < n && end > first && name(end) && heads(end);
        // (So does a longer phrase that breaks it: "The year at a glance" after names.)
        const bool habitEnds = end < n && end > first
            && (name(end) || (IsShortText(cells[end]) && !cells[end].keyed)) && !habit(end);
        // Under a sentence leading in, a numbered title after the names ends them as text would.
        const bool sentenceLead = above.leadIn && above.kind == Kind::Prose;
        const bool numbered = sentenceLead && end > first && end < n && IsText(cells[end].kind)
            && (cells[end].flags & SectionNumber);
        // A key and its value on one line ("Apologies: Ines Moreau") is a paragraph after them.
        const bool keyedNext = end < n && cells[end].keyed;
        if (!(ClosesBlock(profile, end) || keyedNext || tableStarts[end] || labelNext || numbered
                || habitEnds))
            continue;
        // Names more alike at some period, at least three rows of it, are the rows of a wider
        // table of words (measured on the whole run, a table about them included).
        const auto mean = [&](int lag) {
            return (profile.lagSums[lag][end - lag] - profile.lagSums[lag][first])
                / (end - lag - first);
        };
        bool wider = false;
        for (int k = 2; k <= std::min(MaxCols, (end - first) / WiderTableMinRows) && !wider; ++k)
            wider = mean(k) >= mean(1) + SingleColumnPairedAt;
        // Names written again in the same order start a table about them that follows the list:
        // down its first column under a header row as wide as the step between them, or across
        // one row.
        bool about = false;
        for (int i = first; i + 1 < end && !about; ++i) {
            const int again = profile.nextSame[i], step = profile.nextSame[i + 1] - again;
            const int cut = step == 1 ? again : again - step;
            if (again < end && step >= 1 && step <= MaxCols && again + step < end && cut > i) {
                end = cut;
                about = true;
            }
        }
        // (So are names whose columns keep their habits at some width, short of such a table.)
        for (int k = 2; k <= std::min(MaxCols, (end - first) / WiderTableMinRows) && !wider; ++k)
            wider = HabitsGain(profile, first, end, k) >= HabitsAt;
        // Found only by what stands around them, such lists hold names alone.
        if ((headed || afterNote || dated)
            && std::any_of(cells.begin() + first, cells.begin() + end,
                [](const Cell &c) { return !(c.flags & Capitalised); }))
            continue;
        const int top = headed ? first - 1 : first;
        const int rows = end - top;
        if (rows < ShortListMinRows)
            continue;
        // Two names over two unlike them are a row of labels over its values.
        // (Not under a sentence leading in: it announces a list, not a row of labels.)
        if (wider || (rows == 4 && RowsApart(profile, first, 2) && !sentenceLead))
            continue;
        // Fewer names need a plainer title: a heading, a caption, a word that heads columns or a
        // note of the table above over them, a header of their own, a table about them or a note
        // in another habit after (a sentence leading in to three short lines is as often a list of
        // points; to four, enough).
        const bool plainTitle = named || above.kind == Kind::Heading || above.kind == Kind::Caption
            || cells[first].label || afterNote || headed || about || habitEnds
            || (sentenceLead && rows >= LeadInListMinRows);
        // Empty lines under a list, a few, are rows left for items to come when a sentence or a
        // heading follows; before a title they are the gap a writer leaves.
        int rowsWithEmpty = rows;
        if (end < n && cells[end].kind == Kind::Empty) {
            int k = end;
            while (k < n && cells[k].kind == Kind::Empty)
                ++k;
            if (k < n && k - end <= MaxEmptyLastRows
                && (IsSentenceNote(cells[k]) || cells[k].kind == Kind::Heading
                    || cells[k].kind == Kind::Prose))
                rowsWithEmpty = rows + (k - end);
        }
        if (rows >= SingleColumnMinRows)
            AddFramedBlock(out, top, rowsWithEmpty, 1, NameListEvidence);
        else if (plainTitle)
            AddFramedBlock(out, top, rowsWithEmpty, 1, ShortListEvidence, GuessConfidence);
        else
            continue;
        const bool another = labelNext && !about;
        stopped = another ? end : -1;
        first = another ? end - 1 : end;
    }
}

// A header and one row of numbers under it ("Jan" ... "Dec" over days), standing between the
// text around it: a table of two rows, which only its labels over numbers tell from text.
void TwoRowTable(const Profile &profile, int first, int cols, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < TwoRowMinCols || first + 2 * cols > profile.size() || !Opened(profile, first)
        || !Framed(profile, first + 2 * cols))
        return;
    HeaderRow header;
    for (int c = 0; c < cols; ++c) {
        const Cell &h = cells[first + c], &d = cells[first + cols + c];
        if (!IsText(h.kind) || h.note || !IsNumeric(d.kind))
            return;
        ++header.text;
        ++header.overNumbers;
    }
    Candidate candidate;
    candidate.first = first;
    candidate.rows = 2;
    candidate.cols = cols;
    candidate.gain = RowsGain(profile, candidate, NumbersUnderWordsEvidence, header, false);
    candidate.confidence = RowsConfidence(candidate.gain, cols, FramedEvidence);
    if (candidate.gain > MinGain && candidate.confidence >= MinConfidence)
        out.push_back(candidate);
}

// A short cell of a small table: no sentence, no numbered title, no paragraph.
bool ShortCell(const Cell &c)
{
    return (IsNumeric(c.kind) || c.kind == Kind::Word || c.kind == Kind::Phrase
               || c.kind == Kind::Code)
        && !c.note && !(c.flags & (SectionNumber | SentenceEnd));
}

// Small tables standing alone: a row of labels over one row of values ("Next AGM", "Venue" over
// "9 May 2024", "Church Hall"), or two keys beside their values, between a title or text above
// and the text resuming (or a sure table right before or after). Short lines make headings and
// addresses too: only the frame and a value unlike the labels (one holding digits) tell them
// apart, so they are proposed unsure.
void SmallTables(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<bool> blockStarts(n + 1, false);
    for (const Candidate &c : out)
        blockStarts[c.first] = true;
    for (int first = 0; first < n; ++first) {
        // (A title in capitals, "VAT", under text or a note stands over it as a phrase would.)
        const bool capitalsTitle = first >= 2 && cells[first - 1].kind == Kind::Code
            && (cells[first - 1].flags & AllCapitals) && !HoldsDigits(cells[first - 1])
            && (OpensBlock(profile, first - 2) || cells[first - 2].note);
        if (!Opened(profile, first) && !(first > 0 && cells[first - 1].note) && !tableEnds[first]
            && !capitalsTitle)
            continue;
        for (int cols = 2; cols <= SmallTableMaxCols && first + 2 * cols <= n; ++cols) {
            const int end = first + 2 * cols;
            if (!std::all_of(cells.begin() + first, cells.begin() + end, ShortCell))
                break;
            // Empty lines a row apart with cells between them are blank cells of the same
            // table, not its end.
            const bool blankCell = end + cols < n && cells[end].kind == Kind::Empty
                && !ClosesBlock(profile, end + 1) && cells[end + cols].kind == Kind::Empty;
            // A title (no digits, no word that heads columns) over text or another block ends the
            // table as text would; not where the rows run on from above alike (unless a title of
            // their own stands between), nor under a sentence leading in to a list. A title over
            // another short line (the next title, a list's first item, a signature) ends it too,
            // but frames it loosely.
            const bool ends = Framed(profile, end) || tableStarts[end] || TitleNext(profile, end);
            const bool framed = ends || ClosesBlock(profile, end + 1) || blockStarts[end + 1];
            const bool shortNext
                = end + 1 < n && IsShortText(cells[end + 1]) && !HoldsDigits(cells[end + 1]);
            const bool ownTitle
                = first >= 2 && IsTitle(cells[first - 1]) && ClosesBlock(profile, first - 2);
            const bool titleNext = end + 1 < n && IsTitle(cells[end]) && !HoldsDigits(cells[end])
                && (first == 0 || !cells[first - 1].leadIn)
                && (ClosesBlock(profile, end + 1) || blockStarts[end + 1] || shortNext)
                && (ownTitle || !RowAlikeAbove(profile, first, cols));
            if (!(ends || titleNext) || blankCell)
                continue;
            // A title above that holds digits and is alike the first value is a row's last cell:
            // the block would be read a line late ("Sun 30 June" over "Club dinner", "Sun 7 July").
            if (first >= 1 && IsShortText(cells[first - 1]) && HoldsDigits(cells[first - 1])
                && Similarity(cells[first - 1], cells[first + 1]) >= CompatibleAt)
                continue;
            // Labels over values: short, capitalised, no label holds a digit, some value does (or,
            // of two, both are unlike their labels), and the labels are not all names (an address
            // capitalises every word: "Highfield School").
            const auto name = [&](int i) { return (cells[i].flags & TitleCase) != 0; };
            // (Over numbers alone, labels may be longer and hold digits: "Drug 2 better" over 9.)
            bool labels = true, names = true, values = cols == 2 && RowsApart(profile, first, cols);
            const bool numbers = std::all_of(cells.begin() + first + cols, cells.begin() + end,
                [](const Cell &c) { return IsNumeric(c.kind); });
            for (int c = 0; c < cols; ++c) {
                const Cell &label = cells[first + c];
                labels = labels && IsText(label.kind) && (label.flags & Capitalised)
                    && (numbers || (label.a <= KeyWords && !HoldsDigits(label)));
                names = names && name(first + c);
                values = values || HoldsDigits(cells[first + cols + c]);
            }
            // Keys beside values: two keys that are no names, a value holding a digit.
            const bool keys = cols == 2 && IsKey(cells[first]) && IsKey(cells[first + 2])
                && !name(first) && !name(first + 2)
                && (HoldsDigits(cells[first + 1]) || HoldsDigits(cells[first + 3]));
            // Loosely framed, the rows must stand apart above (under a title of their own or an
            // empty line: under text, their first line may be a title) and say more: keys beside
            // two values with digits, or labels (one that heads columns, or over a row of values
            // that all hold digits).
            bool headed = false;
            for (int c = 0; c < cols; ++c)
                headed = headed || cells[first + c].label;
            const bool digitValues
                = std::all_of(cells.begin() + first + cols, cells.begin() + end, HoldsDigits);
            const bool apart = ownTitle || (first > 0 && cells[first - 1].kind == Kind::Empty);
            if (!framed && !apart)
                continue;
            if (!framed && !(keys && HoldsDigits(cells[first + 1]) && HoldsDigits(cells[first + 3]))
                && !((headed || digitValues) && labels && !names && values))
                continue;
            if ((labels && !names && values) || keys)
                AddFramedBlock(out, first, 2, cols, SmallTableEvidence, GuessConfidence);
        }
    }
}

// True when two cells are written alike: of one kind, with the same flags and number of words.
bool SameHabit(const Cell &x, const Cell &y)
{
    return x.kind == y.kind && x.flags == y.flags && x.a == y.a;
}

// True when the `cols` cells at `first` are all written alike: a row of header words, where the
// first is as much a header cell as the rest ("Rev" beside "Date", "Author").
bool SameHabitRow(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    for (int c = 1; c < cols; ++c)
        if (!SameHabit(cells[first], cells[first + c]))
            return false;
    return true;
}

// True when the short text right above the header row of `cols` at `first` is written like every
// header cell but the last, and neither the line above it nor that last cell is: the header's
// first word left out, the first value of the rows taken for its last cell, read a line late.
bool HeaderWordAbove(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < 3 || first < 2 || first + cols > profile.size())
        return false;
    const Cell &word = cells[first - 1];
    if (!IsShortText(word) || word.leadIn || SameHabit(cells[first - 2], word))
        return false;
    for (int c = 0; c + 1 < cols; ++c)
        if (!SameHabit(word, cells[first + c]))
            return false;
    return !SameHabit(word, cells[first + cols - 1]);
}

// True when the block of `cols` from `first` to `last` (one past it) is a table without a header
// read a line early: a title (a short text, no word that heads columns) for its first cell, the
// rest of its first row as alike to the rows below as data, and its last cell on the text after
// the table, standing apart from its column the way a header would.
bool ReadLineEarly(const Profile &profile, int first, int last, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < 2 || first < 1 || last - first < 4 * cols || !IsTitle(cells[first]))
        return false;
    for (int c = 1; c < cols; ++c)
        if (Apartness(cells[first + c], cells[first + cols + c], cells[first + 2 * cols + c])
            >= HeaderApartAt)
            return false;
    const Cell &end = cells[last - 1], &up = cells[last - 1 - cols];
    return IsText(end.kind) && Apartness(end, up, cells[last - 1 - 2 * cols]) >= HeaderApartAt;
}

// True when each of the `cols` cells at `first` is a text that is a word heading columns or
// stands apart from the cells under it: a header row, even right under a table whose rows it
// looks like.
bool HeaderLikeRow(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (first + 3 * cols > profile.size())
        return false;
    for (int c = 0; c < cols; ++c) {
        const Cell &h = cells[first + c];
        if (!IsText(h.kind) || h.note
            || !(h.label
                || Apartness(h, cells[first + cols + c], cells[first + 2 * cols + c])
                    >= HeaderApartAt))
            return false;
    }
    return true;
}

// True when the block of `cols` at `first` opens on a title (a short text, no word that heads
// columns) and its second row on a word that heads columns, with a header row a line down.
bool HeaderReadLineEarly(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    // (A first cell written like the rest of its row is a header cell, no title.)
    if (cols < 2 || first + 4 * cols >= profile.size() || !IsTitle(cells[first])
        || SameHabitRow(profile, first, cols))
        return false;
    const Cell &h = cells[first + cols];
    return IsText(h.kind) && !h.note && h.label && HeaderLikeRow(profile, first + 1, cols);
}

// True when the header row of `cols` at `first` opens on a title to the rows below it (a block of
// `rows`), no more alike to the other header cells than they are to each other, beside a word
// that heads columns: a title taken for the first header cell, the block read a line early.
bool TitleHeaderCell(const Profile &profile, int first, int cols, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < TitleHeaderMinCols || !TitleTo(profile, first, first + cols, first + rows * cols)
        || SameHabitRow(profile, first, cols))
        return false;
    double toTitle = 0, among = 0;
    int pairs = 0, labels = 0;
    for (int c = 1; c < cols; ++c) {
        toTitle += Similarity(cells[first], cells[first + c]);
        labels += cells[first + c].label ? 1 : 0;
        for (int d = c + 1; d < cols; ++d, ++pairs)
            among += Similarity(cells[first + c], cells[first + d]);
    }
    return labels > 0 && toTitle / (cols - 1) <= among / pairs;
}

// Blocks that run into the next table read on through its title: between a title of their own
// (under text or a sentence) and the title of a sure table after them, they are framed as by
// text, and proposed at that size, however little their columns tell.
void TitledBlocks(const Profile &profile, std::vector<Candidate> &all)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<bool> titlesNext(n + 1, false);
    for (const Candidate &c : all) {
        if (c.cols < 2 || c.confidence < SureStartAt || c.first == 0)
            continue;
        const Cell &title = cells[c.first - 1];
        titlesNext[c.first - 1] = titlesNext[c.first - 1] || IsTitle(title);
    }
    // (Such titles before each line: most lines have none within reach of a block.)
    std::vector<int> titlesBefore(n + 2, 0);
    for (int i = 0; i <= n; ++i)
        titlesBefore[i + 1] = titlesBefore[i] + (titlesNext[i] ? 1 : 0);
    std::vector<Candidate> framed;
    for (int first = 1; first < n; ++first) {
        // (A note under the rows above is no title's frame: a short line under one is as often a
        // cell.)
        if (!OpensBlock(profile, first - 1)
            && !(IsShortText(cells[first - 1])
                && (OpensBlock(profile, first - 2) || IsSentenceNote(cells[first - 2]))))
            continue;
        // (Blocks end from three rows of two columns down to the longest cut.)
        const int nearest = first + 3 * 2, reach = std::min(n, first + MaxCutRows * MaxCols);
        if (nearest > reach || titlesBefore[reach + 1] == titlesBefore[nearest])
            continue;
        for (int cols = 2; cols <= MaxCols; ++cols)
            for (int rows = 3; rows <= MaxCutRows && first + rows * cols <= n; ++rows)
                if (titlesNext[first + rows * cols])
                    CandidatesAt(profile, first, cols, framed, rows, false, &titlesNext);
    }
    all.insert(all.end(), framed.begin(), framed.end());
}

// True when a name or an identifier stands twice in the block: a list names each thing once, so
// a single column that repeats one ("Ohio" under two presidents, "2.3.0" as two upgrades' target)
// is a table of several columns read down one. (Numbers and plain codes, "Po" among categories,
// repeat in a column of any table.)
bool NamesTwice(const Profile &profile, const Candidate &c)
{
    const int end = c.first + c.rows * c.cols;
    for (int i = c.first; i < end; ++i) {
        const Cell &cell = profile.cells[i];
        const bool name = cell.kind == Kind::Word || cell.kind == Kind::Phrase
            || (IsText(cell.kind) && HoldsDigits(cell));
        if (name && profile.nextSame[i] < end)
            return true;
    }
    return false;
}

} // namespace

// A form to fill in: a row of column labels set apart from the text above, over whole rows of
// empty cells (a line or so of spacing may follow) and then text again. Only where it stands
// and its labels tell it, so it is proposed as a guess.
void BlankForms(const Profile &profile, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    for (int first = 1; first < n; ++first) {
        if (!cells[first].label
            || !(Opened(profile, first) || profile.nextTitle[first - 1] == first - 1))
            continue;
        int end = first;
        while (end < n && end <= first + MaxCols && IsShortText(cells[end])
            && (cells[end].flags & Capitalised))
            ++end;
        const int cols = end - first;
        int empty = end;
        while (empty < n && cells[empty].kind == Kind::Empty)
            ++empty;
        if (cols < 2 || cols > MaxCols || empty == n)
            continue;
        const int rows = (empty - end) / cols;
        if (rows >= 2)
            AddFramedBlock(out, first, 1 + rows, cols, BlankFormEvidence, GuessConfidence);
    }
}

void CandidatesAt(const Profile &profile, int first, int cols, std::vector<Candidate> &out,
    int rowLimit, bool toldStart, const std::vector<bool> *titlesNext)
{
    // A sentence (a note, a lead-in) never opens a table.
    if (IsSentenceNote(profile.cells[first]))
        return;
    // The first row: not mostly empty, and empty only in its corner (a title beside an empty
    // cell is no header). (Told from the count of blank cells, before anything else is read: a
    // table of two rows has no blank header cell either.)
    if (first + cols > profile.size())
        return;
    const int blank = profile.emptyBefore[first + cols] - profile.emptyBefore[first];
    if (blank > HeaderBlankShare * cols || blank > (IsBlankCell(profile.cells[first]) ? 1 : 0))
        return;
    // A units row under the header counts as a row of the table but not of its data.
    const int units = UnitsRowBelow(profile, first, cols) ? cols : 0;
    int rows = BlockRows(profile, first + units, cols, rowLimit - (units ? 1 : 0), units);
    // Keys beside values said again end before a row whose values are all said once: the text
    // after the table read as a row.
    if (rows > 4 && !units) {
        const int last = first + rows * cols, tail = last - cols;
        bool once = true;
        for (int i = tail + 1; i < last && once; ++i)
            once = IsBlankCell(profile.cells[i]) || !SaidElsewhere(profile, i, first + cols, last);
        if (once && KeysInStep(profile, first + cols, tail, cols))
            --rows;
    }
    if (rows == 0) {
        if (!units && rowLimit >= 2)
            TwoRowTable(profile, first, cols, out);
        return;
    }
    // A block starting in the units row under a header is read out of step ("£" for a corner).
    for (int h = std::max(first - 2 * cols + 1, 0); h <= first - cols; ++h)
        if (UnitsRowBelow(profile, h, cols))
            return;
    HeaderRow header; // read with the evidence, where the rows could be a table this wide
    bool framed = false;
    const std::optional<double> evidence = RowsEvidence(
        profile, first + units, rows, cols, header, toldStart, units > 0, &framed, titlesNext);
    if (!evidence)
        return;
    Candidate candidate;
    candidate.first = first;
    candidate.rows = rows + (units ? 1 : 0);
    if (candidate.rows < rowLimit)
        candidate.rows = std::min(
            candidate.rows + EmptyRowsAfter(profile, first + units, rows, cols), rowLimit);
    candidate.cols = cols;
    // A list's title above it is a title, however alike to the names.
    const bool list = cols == 1 && WordList(profile, first, rows);
    candidate.gain = RowsGain(
        profile, candidate, *evidence, header, !list && RunsOnFromAbove(profile, first, cols));
    if (list)
        candidate.gain += TextBoundary - Boundary(profile, first - 1, first);
    // Words read out of step break their columns' habits in the first row under the header.
    if (cols >= 2) {
        const int from = first + units + cols, to = first + (rows + (units ? 1 : 0)) * cols;
        if (HabitsGain(profile, from, to, cols) >= HabitsAt)
            candidate.gain -= HabitBreakCost * FirstRowBreaks(profile, from, to, cols);
    }
    // A title taken for the first cell of a table without a header, its last cell on the text
    // after it: read a line early.
    if (ReadLineEarly(profile, first, first + candidate.rows * cols, cols))
        candidate.gain -= ReadLineEarlyCost;
    // A title taken for the first header cell pushes the header's last word ("E-mail") into the
    // first data row, under a header row one line down: read a line early.
    if (HeaderReadLineEarly(profile, first, cols))
        candidate.gain -= HeaderReadLineEarlyCost;
    // A title taken for the first cell of a header of words: read a line early.
    if (header.text == cols && !units && TitleHeaderCell(profile, first, cols, candidate.rows))
        candidate.gain -= TitleHeaderCost;
    // A word that heads columns right above the block, or one written like its header's cells, is
    // its header's first cell, left out: read a line late.
    if (cols >= 2 && first > 0) {
        const Cell &above = profile.cells[first - 1];
        if ((IsText(above.kind) && !above.note && above.label)
            || (header.text == cols && !units && HeaderWordAbove(profile, first, cols)))
            candidate.gain -= LabelAboveCost;
    }
    // A framed block is a table of some size: the likeliest one is proposed, unsure.
    // (Not pairs read a line early, their keys in the second column.)
    if (framed && !(cols == 2 && KeysSecond(profile, first, candidate.rows))) {
        // Rows that tell less than a block standing on its own needs are framed and nothing more,
        // unless a word that heads columns ("Code") shows the header they hang from.
        candidate.frameOnly = candidate.gain < FramedGain && *evidence < EvidenceAt
            && std::none_of(
                profile.cells.begin() + first, profile.cells.begin() + first + cols,
                [](const Cell &c) { return c.label; });
        candidate.gain = std::max(candidate.gain, FramedGain);
    }
    if (!toldStart && candidate.gain <= MinGain)
        return;
    // A framed block is proposed however little its columns tell, but only as a guess.
    candidate.confidence = RowsConfidence(
        candidate.gain, cols, framed ? std::max(*evidence, FramedEvidence) : *evidence);
    // Too weak to propose unasked, and it would only stand in the way of better readings.
    if (!toldStart && candidate.confidence < MinConfidence)
        return;
    out.push_back(candidate);
}

namespace {

// How many cells of the row of `cols` from `p` are left empty when it heads columns with gaps:
// texts and at least one empty cell, no break among them (0 otherwise). (A cell heading a group
// of columns, the rest of the group empty; a sub-header under it with an empty corner; a column
// without a header.)
int HeaderGaps(const Profile &profile, int p, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (p < 0 || p + cols > profile.size()
        || profile.breaksBefore[p + cols] != profile.breaksBefore[p])
        return 0;
    int empty = 0, text = 0;
    for (int c = 0; c < cols; ++c) {
        const Cell &h = cells[p + c];
        if (h.kind == Kind::Empty)
            ++empty;
        else if (IsText(h.kind) && !h.note && !h.leadIn)
            ++text;
        else
            return 0;
    }
    return text >= 2 ? empty : 0;
}

// Blocks under header rows with empty cells: the rows above are added to the block. Either a
// group header over a sub-header with an empty corner (a shape plain enough on its own), or one
// header row with a column left without a header over rows that are no header, where it opens a
// block.
void GappedHeaders(const Profile &profile, std::vector<Candidate> &all)
{
    const size_t whole = all.size();
    for (size_t k = 0; k < whole; ++k) {
        const Candidate c = all[k];
        if (c.cols < 3)
            continue;
        int above = 0;
        const int group = c.first - 2 * c.cols, sub = c.first - c.cols;
        const int gaps = HeaderGaps(profile, group, c.cols);
        // (The group's cells after its heading are empty to the end of the row; the sub-header
        // is empty only in its corner.)
        if (gaps > 0 && profile.emptyBefore[sub] - profile.emptyBefore[sub - gaps] == gaps
            && HeaderGaps(profile, sub, c.cols) == 1 && profile.cells[sub].kind == Kind::Empty)
            above = 2;
        else if (HeaderGaps(profile, sub, c.cols) > 0 && profile.cells[sub].kind != Kind::Empty
            && Opened(profile, sub) && !AllText(profile, c.first, c.cols))
            above = 1;
        if (above == 0)
            continue;
        Candidate wider = c;
        wider.first -= above * c.cols;
        wider.rows += above;
        wider.gain += GappedHeaderGain;
        all.push_back(wider);
    }
}

} // namespace

std::vector<Candidate> AllCandidates(const Profile &profile, const std::vector<HeaderRun> &runs)
{
    const int n = profile.size();
    std::vector<Candidate> all;
    for (int cols = 1; cols <= MaxCols; ++cols) {
        for (int first = 0; first < n; ++first) {
            // A row alike to the rows above and below it is inside a table, not its top, unless
            // it has words over numbers the way a header has.
            // (A single column checks the line above itself: a list's title is no row.)
            // (Nor is a row under a title whose columns below keep their habits.)
            if (cols > 1 && profile.chains[cols][first] >= 2
                && RunsOnFromAbove(profile, first, cols)
                && !WordsOverNumbers(profile, first, cols)
                // (Nor is a header over a units row, nor a row that reads as a header.)
                && !UnitsRowBelow(profile, first, cols) && !HeaderLikeRow(profile, first, cols)
                && !(Opened(profile, first)
                    && HabitsGain(profile, first + cols,
                           std::min(n, first + cols * (1 + profile.chains[cols][first + cols])),
                           cols)
                        >= HabitsAt))
                continue;
            CandidatesAt(profile, first, cols, all);
        }
    }
    for (const HeaderRun &run : runs)
        if (const auto table = HeaderTableAt(runs, run.first, false))
            all.push_back(*table);
    JoinStackedColumns(profile, all);
    // A table directly followed by another whose cells look alike runs into it; the same block
    // cut where another block could start competes with it.
    std::vector<bool> starts(n + 1, false);
    for (const Candidate &c : all)
        starts[c.first] = true;
    // Empty paragraphs between the two belong to neither.
    for (int i = n - 1; i >= 0; --i)
        if (profile.cells[i].kind == Kind::Empty && starts[i + 1])
            starts[i] = true;
    const size_t whole = all.size();
    for (size_t k = 0; k < whole; ++k) {
        const Candidate c = all[k];
        int cuts = 0;
        for (int rows = c.rows - 1; rows >= std::max(3, c.rows - MaxCutRows) && cuts < MaxCuts;
             --rows) {
            const int end = c.first + rows * c.cols;
            // (Or where a title stands over the next block, a note under the title or not: the
            // block ends above it.)
            const Cell &title = profile.cells[end];
            const bool noted = end + 2 <= n && profile.cells[end + 1].note
                && !profile.cells[end + 1].leadIn && starts[end + 2];
            // (Or where an empty line, taken for a row's empty first cell, opens a row that
            // does not go on the columns: the empty paragraph after the table.)
            if (starts[end] || (IsTitle(title) && (starts[end + 1] || noted))
                || (end + c.cols <= n && title.kind == Kind::Empty
                    && !RowGoesOn(profile, end, c.cols))) {
                CandidatesAt(profile, c.first, c.cols, all, rows);
                ++cuts;
            }
        }
    }
    all = PreferNarrowest(std::move(all));
    GappedHeaders(profile, all);
    // Where a table surely starts under a header of words, the lines above it end; where one
    // surely ends, the lines below it start.
    std::vector<bool> tableStarts(n + 1, false), tableEnds(n + 1, false);
    for (const Candidate &c : all) {
        bool header = c.cols >= 2 && c.confidence >= SureStartAt;
        for (int i = c.first; i < c.first + c.cols && header; ++i)
            header = IsText(profile.cells[i].kind) && !HoldsDigits(profile.cells[i]);
        tableStarts[c.first] = tableStarts[c.first] || header;
        const int end = c.first + c.rows * c.cols;
        tableEnds[end] = tableEnds[end] || header;
    }
    TitledBlocks(profile, all);
    KeyValueTables(profile, tableStarts, all);
    NameLists(profile, tableStarts, all);
    Glossaries(profile, all);
    SmallTables(profile, tableStarts, tableEnds, all);
    BlankForms(profile, all);
    // Pairs end above a last row that is unlike both their columns.
    for (Candidate &c : all)
        while (c.cols == 2 && c.rows >= OddPairMinRows
            && !(IsBlankCell(profile.cells[c.first + 2 * c.rows - 2])
                && IsBlankCell(profile.cells[c.first + 2 * c.rows - 1]))
            && OddLastPair(profile, c.first, c.first + 2 * c.rows))
            --c.rows;
    // Pairs read a line early, a title for their first key, start a line later.
    for (Candidate &c : all)
        if (c.cols == 2 && c.rows >= OddPairMinRows
            && PairsLineEarly(profile, c.first, c.first + 2 * c.rows)) {
            ++c.first;
            --c.rows;
        }
    // A title that names the header under it opens no table: the table starts at the header.
    std::erase_if(all, [&](const Candidate &c) { return profile.namesHeaderBelow[c.first]; });
    // A single column that says a name twice is a wider table read down one column.
    std::erase_if(all, [&](const Candidate &c) { return c.cols == 1 && NamesTwice(profile, c); });
    // Nor is a block narrower than the words that head columns across its first row: no table of
    // the corpora's 135 opening on two or more such words is.
    std::erase_if(all, [&](const Candidate &c) { return LabelRun(profile, c.first) > c.cols; });
    return all;
}

} // namespace cellwright::finder
