#include "find_tables/profile.h"

#include "find_tables/similarity.h"
#include "find_tables/tuning.h"
#include "text_rules.h"

#include <algorithm>
#include <span>
#include <unordered_map>

namespace cellwright::finder {

namespace {

// For each line, the first line from it on where `is` holds; `count` when none, and at `count`.
template <class Is> std::vector<int> NextWhere(int count, Is is)
{
    std::vector<int> next(count + 1, count);
    for (int i = count - 1; i >= 0; --i)
        next[i] = is(i) ? i : next[i + 1];
    return next;
}

// For each line and at `count`, how many lines before it `is` holds: what a block asks of its
// lines at once, from the counts at its ends.
template <class Is> std::vector<int> CountBefore(int count, Is is)
{
    std::vector<int> before(count + 1, 0);
    for (int i = 0; i < count; ++i)
        before[i + 1] = before[i] + (is(i) ? 1 : 0);
    return before;
}

// The similarity of each cell with the cell `lag` lines below (0 past the end).
std::vector<double> SimilarityBelow(const std::vector<Cell> &cells, int lag)
{
    const int n = int(cells.size());
    std::vector<double> below(n, 0);
    for (int i = 0; i + lag < n; ++i)
        below[i] = Similarity(cells[i], cells[i + lag]);
    return below;
}

// Prefix sums of the similarity of each cell with the cell `lag` lines below (`below`), over all
// pairs and over the pairs of filled cells alone (with how many there are).
void LagSums(Profile &profile, int lag, const std::vector<double> &below)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<double> &sums = profile.lagSums[lag], &filled = profile.filledSums[lag];
    std::vector<int> &pairs = profile.filledPairs[lag];
    sums.assign(n + 1, 0);
    filled.assign(n + 1, 0);
    pairs.assign(n + 1, 0);
    for (int i = 0; i < n; ++i) {
        const double s = below[i];
        const bool both = i + lag < n && !IsBlankCell(cells[i]) && !IsBlankCell(cells[i + lag]);
        sums[i + 1] = sums[i] + s;
        filled[i + 1] = filled[i] + (both ? s : 0);
        pairs[i + 1] = pairs[i] + (both ? 1 : 0);
    }
}

// True when the row at `p`, its first cell blank and others too, holds values in step with
// the rows above and below it (a subtotal, a line without its date): at least two filled
// cells, each alike to the cells above and below it, between rows with their first cells
// filled.
bool SubtotalRow(const Profile &profile, int p, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (p < cols || p + 2 * cols > profile.size() || cells[p].kind != Kind::Empty
        || IsBlankCell(cells[p - cols]) || IsBlankCell(cells[p + cols])
        || profile.breaksBefore[p + 2 * cols] != profile.breaksBefore[p - cols])
        return false;
    return profile.FilledAlike(p, cols, p - cols) >= 2
        && profile.FilledAlike(p, cols, p + cols) >= 2;
}

// True when `t` holds a digit at `j`.
bool DigitAt(std::u16string_view t, size_t j)
{
    return j < t.size() && t[j] >= u'0' && t[j] <= u'9';
}

// The value of a number written plainly ("1,250", "6.59", "-3", "£40", "12 km"): a sign or a
// currency before it and a unit after it left out. False for anything else.
bool ReadValue(std::u16string_view t, double &value)
{
    size_t i = 0;
    bool negative = false;
    for (; i < t.size() && !DigitAt(t, i); ++i) {
        if (t[i] == u'-' || t[i] == u'\u2212')
            negative = true;
        else if (t[i] != u' ' && t[i] != u'+' && t[i] != u'$' && t[i] != u'\u00a3'
            && t[i] != u'\u20ac')
            return false;
    }
    if (i == t.size())
        return false;
    double whole = 0, scale = 0;
    for (; i < t.size(); ++i) {
        if (DigitAt(t, i)) {
            whole = whole * 10 + (t[i] - u'0');
            scale *= 10;
        } else if (t[i] == u'.' && scale == 0 && DigitAt(t, i + 1)) {
            scale = 1;
        } else if (!(t[i] == u',' && scale == 0 && DigitAt(t, i + 1) && DigitAt(t, i + 2)
                       && DigitAt(t, i + 3) && !DigitAt(t, i + 4))) {
            // (Past the number, but for a comma before three digits, which groups thousands.)
            break;
        }
    }
    value = (negative ? -whole : whole) / (scale > 0 ? scale : 1);
    return true;
}

// The minutes of a duration written in hours and minutes ("2h 25m", "1h", "56m"). False for
// anything else.
bool ReadDuration(std::u16string_view t, double &minutes)
{
    size_t i = 0;
    minutes = 0;
    bool any = false;
    for (const char16_t unit : { u'h', u'm' }) {
        if (!DigitAt(t, i))
            continue;
        size_t j = i;
        double v = 0;
        for (; DigitAt(t, j); ++j)
            v = v * 10 + (t[j] - u'0');
        if (j >= t.size() || t[j] != unit)
            return false;
        minutes += unit == u'h' ? 60 * v : v;
        any = true;
        for (i = j + 1; i < t.size() && t[i] == u' '; ++i) { }
    }
    return any && i == t.size();
}

// The prefix counts of OrderKept at `lag` (see Profile::orderKept), from the amounts of the lines
// `valued`. (`way`: room for each line's step to the line `lag` below; where a three is counted,
// all its lines are valued, so an amount that is no value never counts.)
void Orders(Profile &profile, int lag, const std::vector<uint8_t> &valued, std::vector<int8_t> &way)
{
    const int n = profile.size();
    const std::vector<double> &values = profile.amounts;
    std::vector<int> &kept = profile.orderKept[lag], &threes = profile.orderThrees[lag];
    kept.resize(n + 1);
    threes.resize(n + 1);
    kept[0] = threes[0] = 0;
    // (Numbers and others come mixed in a table's rows, and go up or down as they please, so
    // the threes are counted without a branch. Past the last line with one twice `lag` below,
    // no three starts.)
    way.resize(n);
    for (int i = 0; i + lag < n; ++i) {
        const double d = values[i + lag] - values[i];
        way[i] = int8_t(int(d > 0) - int(d < 0));
    }
    const int last = std::max(0, n - 2 * lag);
    for (int i = 0; i < last; ++i) {
        const int three = valued[i] & valued[i + lag] & valued[i + 2 * lag];
        threes[i + 1] = threes[i] + three;
        kept[i + 1] = kept[i] + (three & int(way[i] != 0) & int(way[i] == way[i + lag]));
    }
    for (int i = last; i < n; ++i) {
        threes[i + 1] = threes[i];
        kept[i + 1] = kept[i];
    }
}

// The counts of period `period` (see Profile::countsBefore). (`counted`: the lines holding a
// count, in order, the only ones a step starts from.)
void Counts(Profile &profile, int period, const std::vector<int> &counted)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    // The step from each line to the line `period` below: +1, -1, or 0 when it counts no step.
    // (A note in a row's last cell breaks no count, the rows numbered on; a paragraph or a heading
    // between two steps does: "Star1" and "Star2" heading tables apart number no rows.)
    const auto step = [&](int i) {
        if (i < 0 || i + period >= n || cells[i].count < 0
            || cells[i + period].countPrefix != cells[i].countPrefix
            || profile.breaksBefore[i + period] != profile.breaksBefore[i + 1])
            return 0;
        const int d = cells[i + period].count - cells[i].count;
        return d == 1 || d == -1 ? d : 0;
    };
    std::vector<int> &before = profile.countsBefore[period];
    before.assign(n + 1, 0);
    std::vector<bool> in(n, false);
    for (const int s : counted) {
        const int d = step(s);
        if (d == 0 || step(s - period) == d)
            continue;
        int last = s + period;
        while (step(last) == d)
            last += period;
        const int length = (last - s) / period + 1;
        if (length < CountRunMin)
            continue;
        for (int i = s; i <= last; i += period) {
            in[i] = true;
            if (profile.countPeriod[i] == 0
                || profile.countTo[i] - profile.countFrom[i] < last - s) {
                profile.countPeriod[i] = period;
                profile.countFrom[i] = s;
                profile.countTo[i] = last;
            }
        }
    }
    for (int i = 0; i < n; ++i)
        before[i + 1] = before[i] + (in[i] ? 1 : 0);
}

// Runs of cells alike to the cell one row below (`alike`) and two rows below (`alikeTwo`), and
// how many cells before each are alike to the cell a row below: what the chains of rows are read
// from.
struct AlikeRuns {
    std::vector<int> alike, alikeTwo, alikeBefore;

    // True when all the cells of the row at `p` but one are alike to the cells below them.
    bool OneCellUnalike(int p, int cols) const
    {
        return alikeBefore[p + cols] - alikeBefore[p] == cols - 1;
    }
};

// True when the cell at `i` or the cell a row below, unalike, is a lone word in a column of
// numbers ("Free", "nil", "TBC") that stands for that row's value, so that the two are taken as
// alike: two numbers run on above it, the cell below it is a number or blank (or the other way
// round), and the cells beside it keep to their columns (or are such words too). (Words going on
// under it are the text after the table; a row's title read at the wrong width stands between
// numbers too, but beside cells out of their columns.) `one` holds the similarity of each cell
// with the cell a row below, alike from `threshold` on.
bool WordForValueBelow(
    const Profile &profile, int cols, const std::vector<double> &one, double threshold, int i)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const auto number = [&](int j) { return j >= 0 && j < n && IsNumeric(cells[j].kind); };
    const auto numberOrBlank
        = [&](int j) { return j >= 0 && j < n && (number(j) || IsBlankCell(cells[j])); };
    const auto word = [&](int j) {
        const Cell &c = cells[j];
        return (c.kind == Kind::Word || c.kind == Kind::Code) && !HoldsDigits(c) && !c.label
            && !c.leadIn;
    };
    const auto inColumn
        = [&](int j) { return j >= cols && j < n && (word(j) || one[j - cols] >= threshold); };
    // (Asked of a cell already known to be such a word.)
    const auto wordForValue = [&](int j) {
        return inColumn(j - 1) && inColumn(j + 1)
            && ((number(j - cols) && number(j - 2 * cols) && numberOrBlank(j + cols))
                || (number(j + cols) && number(j + 2 * cols) && numberOrBlank(j - cols)));
    };
    // (Of the word first: most pairs of unalike cells hold no such word.)
    return (word(i) && number(i + cols) && wordForValue(i))
        || (word(i + cols) && number(i) && wordForValue(i + cols));
}

// The runs of cells alike to the cells one and two rows below (`one`, `two`: their similarities)
// when the rows are `cols` wide.
AlikeRuns RunsAlike(const Profile &profile, int cols, const std::vector<double> &one,
    const std::vector<double> &two)
{
    const int n = profile.size();
    std::vector<int> alike(n + 1, 0), alikeTwo(n + 1, 0);
    const double threshold = cols == 1 ? SingleColumnCompatibleAt : CompatibleAt;
    // (Past the end the similarities are 0: no cell there is alike. Alike or not is as good as
    // random in a document of short runs, so the runs are counted without a branch.)
    static_assert(CompatibleAt > 0 && SingleColumnCompatibleAt > 0);
    for (int i = n - 1; i >= 0; --i) {
        // (A word for a value is looked for only where the cells are unalike.)
        const bool value = one[i] < threshold && cols >= 2 && i + cols < n
            && WordForValueBelow(profile, cols, one, threshold, i);
        alike[i] = (alike[i + 1] + 1) * int(one[i] >= threshold || value);
        alikeTwo[i] = (alikeTwo[i + 1] + 1) * int(two[i] >= threshold);
    }
    std::vector<int> alikeBefore = CountBefore(n, [&](int i) { return alike[i] > 0; });
    return { std::move(alike), std::move(alikeTwo), std::move(alikeBefore) };
}

// True when the row below the row at `p`, alike to it but for one cell, is the table's last row
// all the same: a last row may hold one odd cell when the text plainly ends after it (or a
// caption under the table does, the text going on under that).
bool OddLastRow(const Profile &profile, int cols, const AlikeRuns &runs, int p)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const int after = p + 2 * cols;
    if (cols < OddLastRowPairCols || after > n || !runs.OneCellUnalike(p, cols)
        || !profile.RowAcceptable(p + cols, cols))
        return false;
    const bool ends = after == n || Breaks(cells[after]) || cells[after].kind == Kind::Empty
        || IsSentenceNote(cells[after]);
    if (cols < OddLastRowMinCols)
        // Pairs read rows out of two runs of lines too easily: the odd pair closes two
        // full pairs alike, and holds no note (a remark under a short table of keys).
        return ends && p >= cols && runs.alike[p - cols] >= cols
            && profile.emptyBefore[p + cols] == profile.emptyBefore[p - cols]
            && !cells[p + cols].note && !cells[p + cols + 1].note;
    // (Or the next table's title over its header.)
    return ends || (after < n && profile.nextTitle[after] == after)
        || (after + 1 < n && IsTitle(cells[after])
            && (Breaks(cells[after + 1]) || cells[after + 1].note));
}

// True when the row below the row at `p` differs from it in one cell only (a word among
// numbers, say) and the row after it continues this one cell by cell, so that the chain runs on
// over it. Odd rows stay rare: the row after one goes on plainly (or ends the run), so that two
// kinds of row in turn read as twice the columns, not as a run of odd rows. (`chain`: the chains
// from the rows below, already counted.)
bool OddRowBelow(
    const Profile &profile, int cols, const AlikeRuns &runs, const std::vector<int> &chain, int p)
{
    return cols >= 2 && p + 3 * cols <= profile.size() && runs.alikeTwo[p] >= cols
        && runs.OneCellUnalike(p, cols) && profile.RowAcceptable(p + cols, cols)
        && profile.RowAcceptable(p + 2 * cols, cols)
        && (runs.alike[p + 2 * cols] >= cols || chain[p + 2 * cols] == 1);
}

// (`one` and `two`: the similarity of each cell with the cells one and two rows below.)
std::vector<int> Chains(const Profile &profile, int cols, const std::vector<double> &one,
    const std::vector<double> &two)
{
    const int n = profile.size();
    const AlikeRuns runs = RunsAlike(profile, cols, one, two);
    std::vector<int> chain(n + cols + 1, 0);
    for (int p = n - cols; p >= 0; --p) {
        if (!profile.RowAcceptable(p, cols)
            && !(cols >= LeadingBlankMinCols && SubtotalRow(profile, p, cols)))
            continue;
        if (runs.alike[p] >= cols)
            chain[p] = 1 + chain[p + cols];
        else if (OddRowBelow(profile, cols, runs, chain, p))
            chain[p] = 2 + chain[p + 2 * cols];
        else if (OddLastRow(profile, cols, runs, p))
            chain[p] = 2;
        else
            chain[p] = 1;
    }
    return chain;
}

// True when `title` is a short text on its own line over a header: a word that heads columns
// ("Date"), then another header cell. A table's title over its header starts a table even right
// under another one.
bool TitleOverHeader(const Cell &title, const Cell &h1, const Cell &h2)
{
    return IsTitle(title) && IsShortText(h1) && h1.label && (IsShortText(h2) || h2.label);
}

// The counts of lines before each line that a block asks of its lines: breaks, blanks, lines
// that head no column and lines no table of words holds (see Profile).
void LinesBefore(Profile &profile)
{
    const std::vector<Cell> &cells = profile.cells;
    const int count = profile.size();
    // (A sentence leading in to what follows, "The full list now reads:", sits in no table
    // either: the rows above are another table's, or text.)
    const auto leadIn = [](const Cell &c) { return c.leadIn && c.a >= LeadInBreakWords; };
    profile.breaksBefore
        = CountBefore(count, [&](int i) { return Breaks(cells[i]) || leadIn(cells[i]); });
    profile.emptyBefore = CountBefore(count, [&](int i) { return IsBlankCell(cells[i]); });
    profile.unheadingBefore = CountBefore(count, [&](int i) {
        const Cell &c = cells[i];
        const bool heads = (IsText(c.kind) || IsNumeric(c.kind)) && !c.note;
        return !heads;
    });
    profile.unlikeWordsBefore = CountBefore(count, [&](int i) {
        const Cell &c = cells[i];
        return !IsBlankCell(c)
            && (IsNumeric(c.kind) || c.note || c.leadIn || c.kind == Kind::Prose
                || c.kind == Kind::Long);
    });
}

// Links each line but a blank one to the next and the previous line of the same text (see
// Profile::nextSame), so that a text said again (a header over another table, a row's label) is
// found at once.
void SameTexts(Profile &profile)
{
    const std::vector<Cell> &cells = profile.cells;
    const int count = profile.size();
    profile.nextSame.assign(count, count);
    profile.prevSame.assign(count, -1);
    std::unordered_map<uint32_t, int> seen;
    for (int i = count - 1; i >= 0; --i) {
        if (cells[i].kind == Kind::Empty)
            continue;
        const auto [at, fresh] = seen.try_emplace(cells[i].text, i);
        if (!fresh) {
            profile.nextSame[i] = at->second;
            profile.prevSame[at->second] = i;
            at->second = i;
        }
    }
}

// Marks the titles that open with the text of the line below (see Profile::namesHeaderBelow),
// read from the lines themselves: the cells keep no text.
void NamesHeaderBelow(Profile &profile, const ConversionState &state)
{
    const std::vector<Cell> &cells = profile.cells;
    const int count = profile.size();
    profile.namesHeaderBelow.assign(count + 1, false);
    for (int i = 0; i + 1 < count; ++i) {
        if (!IsShortText(cells[i]) || !IsShortText(cells[i + 1]))
            continue;
        const std::u16string_view title = TrimSpaces(state.SourceLines[i + 1]),
                                  header = TrimSpaces(state.SourceLines[i + 2]);
        profile.namesHeaderBelow[i] = header.size() >= NamedHeaderMinLength
            && title.size() > header.size()
            && std::equal(header.begin(), header.end(), title.begin(),
                // (Letters compared without case: "Stations" names the column "Station".)
                [](char16_t x, char16_t y) { return LowerAscii(x) == LowerAscii(y); });
    }
}

// For each line, the next line from it on that opens or closes a table whatever stands around
// it: a title over a header, a sentence, a lead-in (see Profile::nextTitle and those after it).
void NextLines(Profile &profile)
{
    const std::vector<Cell> &cells = profile.cells;
    const int count = profile.size();
    profile.nextTitle = NextWhere(count, [&](int i) {
        return i + 2 < count && TitleOverHeader(cells[i], cells[i + 1], cells[i + 2]);
    });
    profile.nextSentence = NextWhere(
        count, [&](int i) { return IsSentenceNote(cells[i]) && IsText(cells[i].kind); });
    profile.nextLeadIn = NextWhere(count, [&](int i) { return cells[i].leadIn && cells[i].note; });
    profile.nextShortLeadIn
        = NextWhere(count, [&](int i) { return cells[i].leadIn && !cells[i].note; });
}

// [lag]: the similarity of each cell with the cell `lag` lines below, for the lags asked. (Each
// lag's similarities are worked out once: the chains of `cols` ask them again at `cols` and
// twice that. Past MaxCols only those twice a width are asked.)
std::vector<std::vector<double>> SimilaritiesBelow(const std::vector<Cell> &cells)
{
    std::vector<std::vector<double>> below(2 * MaxCols + 1);
    for (int lag = 1; lag <= 2 * MaxCols; ++lag)
        if (lag <= MaxCols || lag % 2 == 0)
            below[lag] = SimilarityBelow(cells, lag);
    return below;
}

// The counts of every period a row can have (see Profile::countsBefore and countPeriod), each
// started only from the lines holding a count.
void AllCounts(Profile &profile)
{
    const int count = profile.size();
    profile.countsBefore.resize(MaxCols + 1);
    profile.countPeriod.assign(count, 0);
    profile.countFrom.assign(count, 0);
    profile.countTo.assign(count, 0);
    std::vector<int> counted;
    for (int i = 0; i < count; ++i)
        if (profile.cells[i].count >= 0)
            counted.push_back(i);
    for (int period = 2; period <= MaxCols; ++period)
        Counts(profile, period, counted);
}

// Each line's amount and places (see Profile::amounts), read from the line itself; returns the
// lines whose order is kept, for OrderKept. Those are plain integers and decimals only (dates,
// times and numbers with an exponent keep no order that their digits show). The same numbers,
// and durations beside them, are the amounts.
std::vector<uint8_t> Amounts(Profile &profile, const ConversionState &state)
{
    const int count = profile.size();
    std::vector<uint8_t> valued(count, 0);
    std::vector<double> &amounts = profile.amounts;
    std::vector<int8_t> &places = profile.places;
    amounts.assign(count, 0);
    places.assign(count, -1);
    for (int i = 0; i < count; ++i) {
        const Cell &c = profile.cells[i];
        double v = 0;
        if ((c.kind == Kind::Integer || c.kind == Kind::Decimal) && !(c.flags & WithExponent)
            && ReadValue(TrimSpaces(state.SourceLines[i + 1]), v)) {
            valued[i] = 1;
            amounts[i] = v;
            places[i] = int8_t(std::min<int>(c.b, 9));
        } else if (IsText(c.kind) && (c.flags & WithDigits) && c.length <= MaxDurationLength
            && ReadDuration(TrimSpaces(state.SourceLines[i + 1]), amounts[i])) {
            places[i] = 0;
        }
    }
    return valued;
}

} // namespace

Profile::Profile(const ConversionState &state)
{
    const int count = std::clamp<int>(
        state.SourceLineCount, 0, std::min<int>(MaxLines, int(state.SourceLines.size()) - 1));
    cells = ClassifyLines(std::span(state.SourceLines).subspan(1, count));
    LinesBefore(*this);
    SameTexts(*this);
    NamesHeaderBelow(*this, state);
    NextLines(*this);
    lagSums.resize(MaxCols + 1);
    filledSums.resize(MaxCols + 1);
    filledPairs.resize(MaxCols + 1);
    const std::vector<std::vector<double>> below = SimilaritiesBelow(cells);
    for (int lag = 1; lag <= MaxCols; ++lag)
        LagSums(*this, lag, below[lag]);
    AllCounts(*this);
    const std::vector<uint8_t> valued = Amounts(*this, state);
    orderKept.resize(MaxCols + 1);
    orderThrees.resize(MaxCols + 1);
    std::vector<int8_t> way;
    for (int lag = 1; lag <= MaxCols; ++lag)
        Orders(*this, lag, valued, way);
    chains.resize(MaxCols + 1);
    for (int cols = 1; cols <= MaxCols; ++cols)
        chains[cols] = Chains(*this, cols, below[cols], below[2 * cols]);
}

double Profile::MeanAlike(int from, int to, int lag) const
{
    const std::vector<double> &sums = lagSums[lag];
    return to - lag > from ? (sums[to - lag] - sums[from]) / (to - lag - from) : 0;
}

double Profile::OrderKept(int from, int to, int lag, int &threes) const
{
    const int end = std::max(from, to - 2 * lag);
    threes = orderThrees[lag][end] - orderThrees[lag][from];
    return threes > 0 ? double(orderKept[lag][end] - orderKept[lag][from]) / threes : 0;
}

int Profile::FilledAlike(int p, int cols, int other) const
{
    int filled = 0;
    for (int c = 1; c < cols; ++c) {
        if (IsBlankCell(cells[p + c]))
            continue;
        if (Similarity(cells[p + c], cells[other + c]) < CompatibleAt)
            return -1;
        ++filled;
    }
    return filled;
}

bool Profile::RowAcceptable(int p, int cols) const
{
    if (breaksBefore[p + cols] != breaksBefore[p])
        return false;
    const int blanks = emptyBefore[p + cols] - emptyBefore[p];
    if (blanks == 0)
        return true;
    if (cols == 1)
        return false;
    if (cells[p].kind == Kind::Empty) {
        if (cols >= LeadingBlankMinCols)
            return blanks == 1;
        // Fewer columns: only a hole in a column of numbers, not the empty line and title that
        // so often follow a table.
        return blanks == 1 && p >= cols && p + 2 * cols <= size() && IsNumeric(cells[p - cols].kind)
            && IsNumeric(cells[p + cols].kind);
    }
    // A row title over few or no values (a year without a prize, ticks in a schedule) is a
    // row of a wide enough table.
    if (cols >= TitleOnlyRowMinCols && !IsBlankCell(cells[p]))
        return true;
    return blanks <= RowBlankShare * cols;
}

} // namespace cellwright::finder
