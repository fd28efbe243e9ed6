// Where a block of lines opens and closes (text, empty lines, notes, titles), and whether the
// rows above run on into it.
#include "find_tables/candidate_checks.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>
#include <vector>

namespace cellwright::finder {

namespace {

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

// True when the row at `p` is words only, no digit in any cell: a header, not a row of values.
bool WordsRow(const Profile &profile, int p, int cols)
{
    return AllText(profile, p, cols)
        && std::none_of(profile.cells.begin() + p, profile.cells.begin() + p + cols,
            [](const Cell &c) { return HoldsDigits(c); });
}

} // namespace

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

// True when line `i` ends a block above it: anything that opens one, or a note under it. (Above a
// block, or above its title, it sets them apart as well.)
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

// The row of the block, headed by words, where a second table of the same width starts under a
// header of its own (-1 when none): words where a column held numbers in every row above it and
// holds one again in the row under it.
int SecondHeaderRow(const Profile &profile, int first, int rows, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < 2 || !WordsRow(profile, first, cols))
        return -1;
    for (int r = SecondHeaderMinRows; r + 1 < rows; ++r) {
        const int q = first + r * cols;
        // (Written as the header is, capitals and all: "free" in a column of fees is a value.)
        bool header = WordsRow(profile, q, cols);
        for (int c = 0; c < cols && header; ++c)
            header = (cells[q + c].flags & Capitalised) == (cells[first + c].flags & Capitalised);
        if (!header)
            continue;
        for (int c = 0; c < cols; ++c) {
            bool numbers = IsNumeric(cells[q + cols + c].kind);
            for (int p = first + cols + c; p < q && numbers; p += cols)
                numbers = IsNumeric(cells[p].kind);
            if (numbers)
                return r;
        }
        // (A row of words not over numbers is a row of the table: read on for a header.)
    }
    return -1;
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

// How many lines of counts (row numbers, years) the block reads out of step: counts of another
// period in its rows under the first, which would wander across its columns (unless the period is
// a multiple of its width: a number every few rows), and counts of its own period that run on
// above its first row or below its last, where its columns go on.
int CountsOutOfStep(const Profile &profile, int first, int rows, int cols)
{
    if (rows < 2)
        return 0;
    const int end = first + rows * cols;
    int off = 0;
    for (int p = 2; p <= MaxCols; ++p) {
        if (p % cols == 0)
            continue;
        const int below = profile.countsBefore[p][end] - profile.countsBefore[p][first + cols];
        off += below >= CountRunMin ? below : 0;
    }
    for (int q = first; q < first + cols; ++q)
        if (profile.countPeriod[q] == cols && profile.countFrom[q] < first)
            off += (std::min(profile.countTo[q], end - 1) - q) / cols + 1;
    for (int q = std::max(end - cols, first + cols); q < end; ++q)
        if (profile.countPeriod[q] == cols && profile.countTo[q] >= end)
            off += (q - std::max(profile.countFrom[q], first)) / cols + 1;
    return off;
}

namespace {

// True when the row at `at` under the block `c` keys as its rows do: a short text alike to a key
// above, no break before its end, and values that stand for the column's (a number written
// otherwise, a word for it, "nil", "free", "DNF"), no lead-in or sentence among them. With
// `anyWords`, a capitalised short text unlike its column passes for a value too.
bool KeyedRowUnder(const Profile &profile, const Candidate &c, int at, bool anyWords)
{
    const std::vector<Cell> &cells = profile.cells;
    const int end = End(c), after = at + c.cols;
    if (after > profile.size() || profile.breaksBefore[after] != profile.breaksBefore[c.first])
        return false;
    // (The key is read against every key under the first row: a column of keys mixes kinds, "Ice"
    // under "Above 20 °C" keys a row as "Rain" above does, and a key ends in a full stop, "inj.",
    // where keys above do.)
    const Cell &key = cells[at];
    const auto keyLike = [&](const Cell &k) {
        return Similarity(key, k) >= CompatibleAt
            && (key.flags & Capitalised) == (k.flags & Capitalised)
            && HoldsDigits(key) == HoldsDigits(k)
            && (!(key.flags & SentenceEnd) || (k.flags & SentenceEnd));
    };
    // (A wide row may leave its key out beside a figure: a sum under a title of its own.)
    const bool keyLeftOut = key.kind == Kind::Empty && c.cols >= LeadingBlankMinCols
        && std::any_of(cells.begin() + at + 1, cells.begin() + after,
            [](const Cell &x) { return IsNumeric(x.kind); });
    if (!keyLeftOut
        && ((key.kind != Kind::Word && key.kind != Kind::Phrase) || key.leadIn
            || (key.note && !(key.flags & SentenceEnd)) || key.text == cells[c.first].text))
        return false;
    // (Or words where the keys above are figures: "Total" under positions, "Cool" under steps.)
    bool keyed = keyLeftOut, figures = !HoldsDigits(key);
    for (int p = end - c.cols; p > c.first && !keyed; p -= c.cols) {
        keyed = keyLike(cells[p]);
        figures = figures && IsNumeric(cells[p].kind);
    }
    if (!keyed && !figures)
        return false;
    // (A title or a caption in its place is the text after the table.)
    for (int i = at; i < after; ++i) {
        const Cell &x = cells[i], &above = cells[i - c.cols];
        // (A few words ended by a full stop, shaped like the values above, are a value still.)
        const bool shortNote = x.kind == Kind::Phrase && Similarity(x, above) >= CompatibleAt;
        if (x.leadIn || (x.note && !above.note && !shortNote))
            return false;
        if (i > at && !IsBlankCell(x) && Similarity(x, above) < CompatibleAt && !HoldsDigits(x)
            && !(IsShortText(x)
                && (anyWords || !(x.flags & Capitalised) || (x.flags & AllCapitals))))
            return false;
    }
    return true;
}

// True when line `i` is a title over text: a short text with a paragraph or a note under it.
bool TitleOverText(const Profile &profile, int i)
{
    return i + 1 < profile.size() && IsShortText(profile.cells[i]) && !profile.cells[i].leadIn
        && (Breaks(profile.cells[i + 1]) || profile.cells[i + 1].note);
}

} // namespace

// How many rows right under the block `c` are its last (0 to MaxTailRows), before `next` where
// the next block starts: rows keyed as its rows are (KeyedRowUnder), with the text closing, or
// the next block starting, right after them. A reader takes rows whose keys keep the column for
// the table's, whatever their values hold, when nothing comes between them and the end of the
// table. (The first of them, with a capitalised word unlike its column, is kept only with more
// rows under it: alone, it reads as a title under the table.)
int LastRowsKept(const Profile &profile, const Candidate &c, int next)
{
    if (c.cols < 2 || c.rows < 3)
        return 0;
    int kept = 0;
    // (Pairs keep one such row at most: a key alone under pairs is as often a signature.)
    const int most = c.cols >= TailRowsMinCols ? MaxTailRows : 1;
    for (int k = 0; k < most; ++k) {
        const int at = End(c) + k * c.cols, after = at + c.cols;
        if (after > next || !KeyedRowUnder(profile, c, at, true))
            break;
        const bool closed
            = Framed(profile, after) || TitleNext(profile, after) || TitleOverText(profile, after);
        if ((closed || after == next) && (k > 0 || KeyedRowUnder(profile, c, at, false)))
            kept = k + 1;
    }
    return kept;
}

} // namespace cellwright::finder
