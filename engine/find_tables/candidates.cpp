#include "find_tables/candidates.h"

#include "find_tables/candidate_checks.h"
#include "find_tables/scoring.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

namespace cellwright::finder {

namespace {

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

// True when each column of the `rows` rows of `cols` from `first` keeps one kind of cell under
// its first row, blanks aside.
bool KindsAgreeDown(const Profile &profile, int first, int rows, int cols)
{
    for (int c = 0; c < cols; ++c) {
        std::optional<Kind> kind;
        for (int r = 1; r < rows; ++r) {
            const Cell &cell = profile.cells[first + r * cols + c];
            if (IsBlankCell(cell))
                continue;
            if (kind && *kind != cell.kind)
                return false;
            kind = cell.kind;
        }
    }
    return true;
}

// A block that reads as K columns also reads as any multiple of K; the smallest period that
// explains the same lines takes the place (and the evidence) of the wider readings.
std::vector<Candidate> PreferNarrowest(const Profile &profile, std::vector<Candidate> all)
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
                // (Or where its columns keep their kinds down the block and the narrower ones
                // do not: the narrower reading mixes columns.)
                const bool kinds = c.rows >= KindsAgreeMinRows
                    && KindsAgreeDown(profile, c.first, c.rows, c.cols)
                    && !KindsAgreeDown(profile, k->first, k->rows, k->cols);
                // (Never over a units row under the narrower header: the wider reading puts the
                // units beside the words they measure, in one row with them.)
                if ((c.gain > k->gain + WiderReadingMargin || kinds)
                    && !UnitsRowBelow(profile, k->first, k->cols)) {
                    const double gain = std::max(k->gain, c.gain);
                    *k = c;
                    k->gain = gain;
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

// True when lines [p, p + width) read as a row across: a name, then values alike to one another.
bool RowAcross(const Profile &profile, int p, int width)
{
    const std::vector<Cell> &cells = profile.cells;
    if (p + width > profile.size() || !IsText(cells[p].kind) || cells[p].note
        || profile.breaksBefore[p + width] != profile.breaksBefore[p])
        return false;
    const std::vector<double> &nextAlike = profile.lagSums[1];
    const double alike = (nextAlike[p + width - 1] - nextAlike[p + 1]) / (width - 2);
    return alike >= SingleColumnAlikeAt;
}

// True when line `end` closes rows read across: what closes a block, or a title on a line of its
// own with that under it (the next block's title).
bool ClosedAcross(const Profile &profile, int end)
{
    return ClosesBlock(profile, end)
        || (end + 1 < profile.size() && IsTitle(profile.cells[end])
            && ClosesBlock(profile, end + 1));
}

// Rows under a block whose rows each open with a name that read across (a name, then values alike
// to one another) are the block's, whatever their kind down its columns: a row of words under rows
// of numbers, each row headed by its own name.
void RowsAcrossBelow(const Profile &profile, std::vector<Candidate> &all)
{
    const size_t count = all.size();
    for (size_t k = 0; k < count; ++k) {
        const Candidate c = all[k];
        if (c.cols < RowsAcrossMinCols || c.rows < 2)
            continue;
        bool named = true;
        for (int r = 1; r < c.rows && named; ++r)
            named = RowAcross(profile, c.first + r * c.cols, c.cols);
        // (A row whose name the block's first column has said already starts a table again.)
        const auto saidAgain = [&](int p) {
            for (int r = 0; r * c.cols < p - c.first; ++r)
                if (profile.nextSame[c.first + r * c.cols] == p)
                    return true;
            return false;
        };
        int rows = c.rows;
        while (named && RowAcross(profile, c.first + rows * c.cols, c.cols)
            && !saidAgain(c.first + rows * c.cols))
            ++rows;
        if (rows == c.rows || !ClosedAcross(profile, c.first + rows * c.cols))
            continue;
        Candidate longer = c;
        longer.rows = rows;
        longer.gain = c.gain * rows / c.rows;
        all.push_back(longer);
    }
}

// Blocks whose rows under the first each read across (a name, then values alike to one another)
// end where those rows do, when something closes them there: the rows tell the block's end where
// its columns, of words that run on into the text, do not.
void RowsAcrossBlocks(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    for (int first = 0; first < n; ++first) {
        if (!Opened(profile, first))
            continue;
        for (int cols = RowsAcrossMinCols; cols <= MaxCols && first + 3 * cols <= n; ++cols) {
            int rows = 1;
            while (RowAcross(profile, first + rows * cols, cols))
                ++rows;
            // (A title closes them too, whatever follows it: the rows have told where they end.)
            const int end = first + rows * cols;
            if (rows >= 3 && (ClosesBlock(profile, end) || IsTitle(profile.cells[end])))
                CandidatesAt(profile, first, cols, all, rows);
        }
    }
}

// Single columns of as many rows directly after one another are the rows of a wide table read
// one by one (a name, then its values across): none of them is a table, all of them are one, as
// far as lines of that length go on as a name and values alike to one another.
void JoinStackedColumns(const Profile &profile, std::vector<Candidate> &all)
{
    std::vector<std::pair<int, int>> singles; // (first, rows)
    for (const Candidate &c : all)
        if (c.cols == 1)
            singles.emplace_back(c.first, c.rows);
    std::sort(singles.begin(), singles.end());
    const auto has = [&](int first, int rows) {
        return std::binary_search(singles.begin(), singles.end(), std::pair(first, rows));
    };
    std::vector<Candidate> joined;
    for (const Candidate &c : all) {
        const int width = c.rows;
        if (c.cols != 1 || width < 3 || width > MaxCols || has(c.first - width, width))
            continue;
        int rows = 1;
        while (RowAcross(profile, c.first + rows * width, width))
            ++rows;
        if (rows < 2 || !ClosedAcross(profile, c.first + rows * width))
            continue;
        Candidate table = c;
        table.rows = rows;
        table.cols = width;
        table.gain = c.gain * rows
            - CountOutOfStepCost * CountsOutOfStep(profile, table.first, rows, width);
        joined.push_back(table);
    }
    std::erase_if(all, [&](const Candidate &c) {
        return c.cols == 1 && (has(c.first + c.rows, c.rows) || has(c.first - c.rows, c.rows));
    });
    all.insert(all.end(), joined.begin(), joined.end());
}

// Single columns that are rows of a wider reading read down one at a time: each starts where a
// row of a block `w` wide would (in the block, or in the row after one such column), holds fewer
// lines than `w`, mixes a text with numbers (a key and its values, not a list of one kind) and
// keeps, line by line, the kind of the line `w` above it. A missed value or a remark breaks the
// rows' likeness there, not the period the rows keep. So are narrower blocks of no more lines
// than `w`: one row folded ("FEN22", "Fenbendazole 22% granules" over "10 sachets", "7").
// (Dropped: none of them is a table.)
void DropRowsReadDown(const Profile &profile, std::vector<Candidate> &all)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    // reach[w][p]: how far a block `w` wide that has a row starting at `p` runs, at least.
    std::vector<std::vector<int>> reach(MaxCols + 1);
    for (int w = RowsReadDownMinCols; w <= MaxCols; ++w)
        reach[w].assign(n + 1, -1);
    for (const Candidate &c : all)
        if (c.cols >= RowsReadDownMinCols && c.rows >= RowsReadDownMinRows)
            reach[c.cols][c.first] = std::max(reach[c.cols][c.first], End(c));
    for (int w = RowsReadDownMinCols; w <= MaxCols; ++w)
        for (int p = w; p <= n; ++p)
            reach[w][p] = std::max(reach[w][p], reach[w][p - w] >= p ? reach[w][p - w] : -1);
    // (Empty rows left at a block's end hold nothing of the wider rows: its lines end at its last
    // filled cell.)
    std::vector<std::pair<int, int>> singles; // (index, lines)
    for (int k = 0; k < int(all.size()); ++k) {
        const Candidate &c = all[k];
        int end = End(c);
        while (c.cols > 1 && end > c.first && cells[end - 1].kind == Kind::Empty)
            --end;
        if (c.cols == 1 || end - c.first <= MaxCols)
            singles.emplace_back(k, end - c.first);
    }
    std::sort(singles.begin(), singles.end(),
        [&](const auto &x, const auto &y) { return all[x.first].first < all[y.first].first; });
    std::vector<bool> drop(all.size(), false);
    for (const auto &[k, r] : singles) {
        const int s = all[k].first;
        bool text = false, number = false;
        for (int i = s; i < s + r; ++i) {
            text = text || IsText(cells[i].kind);
            number = number || IsNumeric(cells[i].kind);
        }
        if (!text || !number)
            continue;
        const int least = all[k].cols == 1 ? r + 1 : std::max(r, all[k].cols + 1);
        for (int w = std::max(RowsReadDownMinCols, least); w <= MaxCols && !drop[k]; ++w) {
            // (A name of more words under a name of one keeps its column too: "Cushion cloth"
            // under "Shawls".)
            if (s < w || reach[w][s] < s
                || (cells[s].kind != cells[s - w].kind
                    && Similarity(cells[s], cells[s - w]) < CompatibleAt))
                continue;
            bool kept = true;
            for (int i = s + 1; i < s + r && kept; ++i)
                kept = IsBlankCell(cells[i]) || IsBlankCell(cells[i - w])
                    || Similarity(cells[i], cells[i - w]) >= CompatibleAt;
            if (!kept)
                continue;
            drop[k] = true;
            // (The row read down runs the block on: the next such column is one of its rows.)
            if (s + w <= n)
                reach[w][s + w] = std::max(reach[w][s + w], s + w);
        }
    }
    int k = 0;
    std::erase_if(all, [&](const Candidate &) { return drop[k++]; });
}

// True when a name or an identifier stands twice in the block: a list names each thing once, so
// a single column that repeats one ("Ohio" under two presidents, "2.3.0" as two upgrades' target)
// is a table of several columns read down one. (Numbers and plain codes, "Po" among categories,
// repeat in a column of any table.)
bool NamesTwice(const Profile &profile, const Candidate &c)
{
    const int end = End(c);
    for (int i = c.first; i < end; ++i) {
        const Cell &cell = profile.cells[i];
        const bool name = cell.kind == Kind::Word || cell.kind == Kind::Phrase
            || (IsText(cell.kind) && HoldsDigits(cell));
        if (name && profile.nextSame[i] < end)
            return true;
    }
    return false;
}

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

// True when the row of `cols` at `p` has its gaps where the row at `q` has them, and says again
// each text of it after the first: the same row for another key.
bool SameGaps(const Profile &profile, int p, int q, int cols)
{
    if (profile.breaksBefore[q + cols] != profile.breaksBefore[p] || !IsText(profile.cells[p].kind)
        || profile.cells[p].note)
        return false;
    for (int c = 1; c < cols; ++c) {
        const Cell &x = profile.cells[p + c], &y = profile.cells[q + c];
        if ((x.kind == Kind::Empty) != (y.kind == Kind::Empty) || x.text != y.text)
            return false;
    }
    return true;
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
            && !AllText(profile, c.first, c.cols)) {
            // Rows of that shape said again over one another ("Closed" and its empty cell, day
            // after day) are the block's first rows, not its header: they go with it, as far as
            // the text above or a lead-in ("Winter (November to March):") opens them.
            int top = sub;
            while (top >= c.cols && (sub - top) / c.cols < MaxSameGapRows
                && SameGaps(profile, top - c.cols, top, c.cols))
                top -= c.cols;
            if ((top > 0 && profile.cells[top - 1].leadIn) || Opened(profile, top))
                above = (c.first - top) / c.cols;
        }
        if (above == 0)
            continue;
        Candidate wider = c;
        wider.first -= above * c.cols;
        wider.rows += above;
        wider.gain += GappedHeaderGain;
        all.push_back(wider);
    }
}

// The row of the block where a second table of the same width starts again, nothing between the
// two (-1 when none): its first cell says again the first cell of the block's first or second
// row (the same keys again, "Monday" again after "Sunday", the header repeated).
int RestartRow(const Profile &profile, int first, int rows, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < 2)
        return -1;
    for (int r = 2; r < rows; ++r) {
        const int q = first + r * cols;
        const int before = profile.prevSame[q];
        if (before < first || (before - first) % cols != 0)
            continue;
        const int again = (before - first) / cols;
        if (again > 1)
            return -1;
        // A name or a date, not a number or a code: those repeat in a column of any table. The
        // header again is told by its whole row.
        const Kind k = cells[q].kind;
        if (k != Kind::Word && k != Kind::Phrase && k != Kind::Date)
            return -1;
        // (A key said in the next row again groups rows; the first row is a header unless it
        // is of the kind of the row under it. Pairs saying their first key again, three rows on
        // or more, are a second card of the same keys.)
        if (again == 1 && r < 3)
            return -1;
        if (again == 0 && k != cells[first + cols].kind && !(cols == 2 && r >= 3))
            for (int c = 1; c < cols; ++c)
                if (cells[q + c].text != cells[first + c].text)
                    return -1;
        return r;
    }
    return -1;
}

// True when line `end` closes the rows of a second table above it: text, or the next title.
bool SecondTableClosed(const Profile &profile, int end)
{
    return Framed(profile, end) || (end < profile.size() && IsTitle(profile.cells[end]));
}

// True when a line of the column from `p` to `end`, `cols` apart, leads in as line `p` does.
bool ColonAgain(const Profile &profile, int p, int end, int cols)
{
    for (int i = p + cols; i < end; i += cols)
        if (profile.cells[i].leadIn)
            return true;
    return false;
}

// True when the number at `p` opens rows of `width` or `width - 1` cells: alike to the cell as
// far below. (Not one followed by the next number written alike, "1st" by "2nd": a count along
// the row heads columns.)
bool RowsOpenAt(const Profile &profile, int p, int width)
{
    const std::vector<Cell> &cells = profile.cells;
    if (!IsNumeric(cells[p].kind))
        return false;
    if (p + 1 < profile.size() && cells[p + 1].kind == cells[p].kind
        && cells[p + 1].flags == cells[p].flags && profile.amounts[p + 1] == profile.amounts[p] + 1)
        return false;
    for (int w : { width - 1, width })
        if (p + w < profile.size() && Similarity(cells[p], cells[p + w]) >= CompatibleAt)
            return true;
    return false;
}

// True when the words heading columns from `c`'s first line, `run` of them, run past its header
// into its first row's first cells only, each alike to every cell under it in its column: the
// first keys ("A" over "B", "C"), which happen to head columns elsewhere.
bool FirstRowKeys(const Profile &profile, const Candidate &c, int run)
{
    if (run >= 2 * c.cols || c.rows < 2)
        return false;
    for (int i = c.first + c.cols; i < c.first + run; ++i)
        for (int j = i + c.cols; j < End(c); j += c.cols)
            if (!IsBlankCell(profile.cells[j])
                && Similarity(profile.cells[i], profile.cells[j]) < CompatibleAt)
                return false;
    return true;
}

// A reading's first line, rows and columns.
using Size = std::tuple<int, int, int>;

// Of the readings at least `minCols` wide, the one that gains most of each size at each line.
std::map<Size, int> StrongestOfEachSize(const std::vector<Candidate> &all, int minCols)
{
    std::map<Size, int> strongest;
    for (int k = 0; k < int(all.size()); ++k) {
        const Candidate &c = all[k];
        if (c.cols < minCols)
            continue;
        const auto [at, fresh] = strongest.try_emplace(Size(c.first, c.rows, c.cols), k);
        if (!fresh && c.gain > all[at->second].gain)
            at->second = k;
    }
    return strongest;
}

// True when line `i` can be a key or a header cell said again: a text, not a note.
bool SayableKey(const Profile &profile, int i)
{
    const Cell &cell = profile.cells[i];
    return IsText(cell.kind) && cell.kind != Kind::Long && !cell.note && !cell.leadIn;
}

// True when the line above `a` opens a block or stands over one: a lead-in, a note, a numbered
// title, or a text unlike the line above it or unlike the line above `b` (the last cell of the
// first table), as a row's cell would not be.
bool OpensSaidBlock(const Profile &profile, int a, int b)
{
    const Cell &above = profile.cells[a - 1];
    return OpensBlock(profile, a - 1) || above.leadIn || above.note || TitleNext(profile, a - 1)
        || (IsText(above.kind) && above.kind != Kind::Long && !above.label
            && (Similarity(above, profile.cells[b - 1]) < CompatibleAt
                || (a >= 2 && Similarity(above, profile.cells[a - 2]) < CompatibleAt)));
}

// True when the row of `cols` from `p` can be a row of a table said again: acceptable, and no
// note in it (a sentence after the rows ends them).
bool SaidRowFits(const Profile &profile, int p, int cols)
{
    if (p + cols > profile.size() || !profile.RowAcceptable(p, cols))
        return false;
    for (int c = 0; c < cols; ++c)
        if (profile.cells[p + c].note)
            return false;
    return true;
}

// True when an opened line `a` can start a run said again from `b`, the next line that says the
// same, near enough and in the same stretch of text. (A line whose line above is said again as
// far apart is inside a header said again.)
bool SaidRunCanStart(const Profile &profile, int a, int b)
{
    return b < profile.size() && b - a <= SaidAgainSpan && SayableKey(profile, a)
        && profile.cells[a - 1].text != profile.cells[b - 1].text && OpensSaidBlock(profile, a, b)
        && profile.breaksBefore[b] == profile.breaksBefore[a];
}

// A run of lines from `a`, `w1` apart, said again from `b`, `w2` apart.
struct SaidRun {
    int length = 1, w1 = 0, w2 = 0;
};

// The longest run said again from `a` and `b`, of any periods up to SaidAgainMaxCols, counted
// from the run's first line only.
SaidRun LongestSaidRun(const Profile &profile, int a, int b)
{
    const int n = profile.size();
    SaidRun run;
    for (int x = 1; x <= SaidAgainMaxCols; ++x)
        for (int y = 1; y <= SaidAgainMaxCols; ++y) {
            if (a >= x && b - y > a && profile.cells[a - x].text == profile.cells[b - y].text
                && SayableKey(profile, a - x))
                continue;
            int k = 1;
            while (a + k * x < b && b + k * y < n && SayableKey(profile, a + k * x)
                && profile.cells[a + k * x].text == profile.cells[b + k * y].text)
                ++k;
            if (k > run.length)
                run = SaidRun { k, x, y };
        }
    return run;
}

// The block of `rows` of `cols` from `first` as CandidatesAt reads it when told it starts there:
// its gain and confidence where a reading of exactly those rows is found (`read`), nothing
// otherwise.
Candidate ReadAsTold(const Profile &profile, int first, int cols, int rows, bool &read)
{
    std::vector<Candidate> here;
    CandidatesAt(profile, first, cols, here, rows, true);
    Candidate block;
    block.first = first;
    block.rows = rows;
    block.cols = cols;
    read = false;
    for (const Candidate &c : here)
        if (c.rows == rows) {
            block.gain = c.gain;
            block.confidence = c.confidence;
            read = true;
        }
    return block;
}

// Keys said again in the same order are keys, whatever one looks like on its own (an abbreviation
// that ends like a sentence) and however little their values are alike: the pairs tell at least
// as much as keys beside values do.
void TakeAsKeysSaid(const Profile &profile, Candidate &block, bool read)
{
    if (block.cols != 2 || block.rows < KeyValueMinRows)
        return;
    for (int r = 0; r < block.rows; ++r)
        if (!SayableKey(profile, block.first + 2 * r))
            return;
    const double pairs = FramedBlockGain(KeyValueEvidence, block.rows, 2);
    if (!read || pairs > block.gain) {
        block.gain = pairs;
        block.confidence = RowsConfidence(pairs, 2, KeyValueEvidence);
    }
}

// The tables back to back that a run said again tells, added to `all`. (Of readings found twice,
// the one that gains most is the one chosen: being said again adds to it.)
struct SaidTables {
    const Profile &profile;
    std::vector<Candidate> &all;
    std::map<Size, int> found = StrongestOfEachSize(all, 1);

    // The block of `rows` rows of `cols` from `first`: what its rows tell, if they read as this
    // block, and what being said again adds.
    void Add(int first, int cols, int rows, bool keysSaid = false)
    {
        if (cols > MaxCols)
            return;
        for (int r = 0; r < rows; ++r)
            if (!SaidRowFits(profile, first + r * cols, cols))
                return;
        // (A reading already found keeps what it tells and gains what being said again adds.)
        const double bonus = SaidAgainGain
            + SaidAgainAlikeGain * profile.MeanAlike(first, first + rows * cols, cols);
        const auto [at, fresh] = found.try_emplace(Size(first, rows, cols), int(all.size()));
        if (!fresh) {
            all[at->second].gain += bonus;
            all[at->second].frameOnly = false;
            return;
        }
        bool read = false;
        Candidate block = ReadAsTold(profile, first, cols, rows, read);
        if (keysSaid)
            TakeAsKeysSaid(profile, block, read);
        block.gain += bonus;
        all.push_back(block);
    }

    // The second table's rows from `first`: as far as its columns go on, or else before text
    // closes them (0 when neither).
    int SecondRows(int first, int cols) const
    {
        if (cols > MaxCols)
            return 0;
        // (Nor past its first cell said again at the start of a row: a third table.)
        const int again = profile.nextSame[first];
        const int most = std::min(
            SaidAgainSpan, (again - first) % cols == 0 ? (again - first) / cols : SaidAgainSpan);
        int fit = 0;
        while (fit < most && SaidRowFits(profile, first + fit * cols, cols))
            ++fit;
        const int end = first + fit * cols;
        std::vector<Candidate> here;
        CandidatesAt(profile, first, cols, here, fit, true);
        int rows = SecondTableClosed(profile, end) ? fit : 0;
        for (const Candidate &c : here)
            rows = std::max(rows, c.rows);
        return rows;
    }

    void AddSecond(int first, int cols, int minRows, bool keysSaid = false)
    {
        if (const int rows = SecondRows(first, cols); rows >= minRows)
            Add(first, cols, rows, keysSaid);
    }

    // A header said again at `b`, `run` cells of it: the first table runs up to it from `a`, at
    // least as wide.
    void HeaderSaidAgain(int a, int b, int run)
    {
        for (int cols = run; cols <= MaxCols && 2 * cols <= b - a; ++cols)
            if ((b - a) % cols == 0)
                Add(a, cols, (b - a) / cols);
        AddSecond(b, run, 2);
    }

    // Keys said again: every key of the first table, or all the rows of a second one as wide; or
    // every key of the first, the second's header row between them.
    void KeysSaidAgain(int a, int b, const SaidRun &run)
    {
        const int said = a + run.length * run.w1;
        const int second = run.w2 == 1 ? run.length : run.w2;
        if (said == b) {
            Add(a, run.w1, run.length, true);
            AddSecond(b, second, run.w2 == 1 ? 2 : run.length, run.w2 > 1);
        } else if (run.w2 > 1 && said + run.w2 == b && AllText(profile, said, run.w2)) {
            Add(a, run.w1, run.length);
            AddSecond(said, run.w2, run.length + 1);
        } else if (run.w1 == run.w2 && (b - a) % run.w1 == 0) {
            if (SecondRows(b, run.w2) == run.length) {
                Add(a, run.w1, (b - a) / run.w1);
                Add(b, run.w2, run.length);
            }
        }
    }
};

// Two tables back to back, the second saying again the first one's header or its keys in the
// same order: a run of lines from an opened line `a`, `w1` apart, said again from `b`, `w2`
// apart, before `b`. Where the run is a header (both one apart), the tables are at least as wide
// as it; where it is keys, the periods are the widths. Words alone (pairs of terms, keys beside
// values) tell too little by their likeness; what is said again tells where each table starts
// and how wide it is.
void SaidAgain(const Profile &profile, std::vector<Candidate> &all)
{
    SaidTables tables { profile, all };
    for (int a = 1; a < profile.size(); ++a) {
        const int b = profile.nextSame[a];
        if (!SaidRunCanStart(profile, a, b))
            continue;
        const SaidRun run = LongestSaidRun(profile, a, b);
        if (run.length < 2)
            continue;
        if (run.w1 == 1 && run.w2 == 1)
            tables.HeaderSaidAgain(a, b, run.length);
        else
            tables.KeysSaidAgain(a, b, run);
    }
}

// `c` with one row more, gaining as much as each of its rows does.
Candidate OneRowMore(const Candidate &c)
{
    Candidate longer = c;
    ++longer.rows;
    longer.gain += c.gain / c.rows;
    return longer;
}

// A table whose rows would run out of step into the text after it ends where a small table of
// two rows fills the lines left to that text: one of another width, or of the same under a title
// of its own. The block is cut there, and the small table proposed after it.
void SmallTablesAfter(const Profile &profile, std::vector<Candidate> &all)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<bool> ends(n + 1, false);
    std::vector<Candidate> found;
    for (int last = 4; last <= n; ++last) {
        if (!Framed(profile, last))
            continue;
        for (int w = 2; w <= SmallTableMaxCols && last - 2 * w >= 1; ++w) {
            const int small = last - 2 * w;
            const Cell &title = cells[small - 1];
            const bool titled = IsTitle(title) && !HoldsDigits(title);
            for (const int top : { small, titled ? small - 1 : -1 }) {
                std::vector<Candidate> table, above;
                if (top < 0 || !SmallTableUnder(profile, small, w, top < small, table))
                    continue;
                ends[top] = true;
                for (int k = 2; k <= MaxCols; ++k) {
                    // (The same width runs on alike unless a title stands between.)
                    if ((top == small) != (k != w))
                        continue;
                    for (int r = 3; r <= MaxCutRows && top - r * k >= 1; ++r) {
                        const int first = top - r * k;
                        // Rows in step with the text could all be the block's; these run alike
                        // from an opened line into the small table, and on past it.
                        if ((last - first) % k == 0 || profile.chains[k][first + k] + 1 < r
                            || !ClosesBlock(profile, first - 1)
                            || BlockRows(profile, first, k, MaxLines) <= r)
                            continue;
                        // (A title of more words than any cell of the rows it would go on; not
                        // where pairs a line down, in step to the text, keep their columns apart:
                        // the "title" is a value among them.)
                        if (top < small
                            && (!std::all_of(cells.begin() + first, cells.begin() + top,
                                    [&](const Cell &c) { return c.a < title.a; })
                                || (k == 2 && PairsApart(profile, first + 1, last))))
                            continue;
                        std::vector<Candidate> here;
                        CandidatesAt(profile, first, k, here, r, false, &ends);
                        const size_t before = above.size();
                        for (const Candidate &c : here)
                            if (c.rows == r)
                                above.push_back(c);
                        // Words tell little by their likeness: a header of short words over
                        // rows of no sentence, framed by the small table, tells the rest.
                        if (above.size() == before && k <= SmallTableMaxCols
                            && std::all_of(cells.begin() + first, cells.begin() + first + k,
                                [](const Cell &h) { return IsShortText(h) && !HoldsDigits(h); })
                            && std::none_of(cells.begin() + first, cells.begin() + top,
                                [](const Cell &c) { return c.note || (c.flags & SentenceEnd); })
                            && BlockRows(profile, first, k, r) == r)
                            AddFramedBlock(above, first, r, k, CutBlockEvidence, GuessConfidence);
                    }
                }
                ends[top] = false;
                if (!above.empty()) {
                    found.insert(found.end(), table.begin(), table.end());
                    found.insert(found.end(), above.begin(), above.end());
                }
            }
        }
    }
    all.insert(all.end(), found.begin(), found.end());
}

// Two readings of one size a line apart hold the same cells but one: the earlier takes the short
// text above the block for its first header cell, the later the line under the block for its
// last cell. Where that line is a value of the column it would close (alike to the two above it)
// and the text after the table follows it, the earlier reading strands a cell of the table to
// take the title: the later reading has the rows' evidence, the earlier pays for the slip.
void StrandedLastCell(const Profile &profile, std::vector<Candidate> &all)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const std::map<Size, int> strongest = StrongestOfEachSize(all, 2);
    std::vector<std::pair<int, int>> slips; // (earlier, later)
    for (const auto &[key, k] : strongest) {
        const auto &[f, rows, cols] = key;
        const int s = f + rows * cols;
        const auto later = strongest.find({ f + 1, rows, cols });
        if (rows < 3 || s + 1 >= n || later == strongest.end())
            continue;
        // (A title set apart above; a note, a caption or a lead-in right under the stranded cell.)
        const Cell &stranded = cells[s];
        if (IsShortText(cells[f]) && ClosesBlock(profile, f - 1) && cells[s + 1].note
            && !IsBlankCell(stranded) && Similarity(stranded, cells[s - cols]) >= CompatibleAt
            && Similarity(stranded, cells[s - 2 * cols]) >= CompatibleAt)
            slips.emplace_back(k, later->second);
    }
    for (const auto &[k, later] : slips) {
        Candidate &late = all[later];
        late.gain = std::max(late.gain, all[k].gain);
        late.confidence = std::max(late.confidence, all[k].confidence);
        all[k].gain -= StrandedCellCost;
    }
}

// How plainly the cells from `from` to `to`, `step` apart, key the rows of a column: 3 for a run
// (numbers going up by one, months in turn), 2 for texts each said once, 1 for values each said
// once, 0 where one is blank or said twice (values repeat and go missing, keys do not).
int KeyColumn(const Profile &profile, int from, int to, int step)
{
    const std::vector<Cell> &cells = profile.cells;
    bool texts = true, run = to - from > step;
    for (int i = from; i < to; i += step) {
        const Cell &c = cells[i];
        const int again = profile.nextSame[i];
        if (IsBlankCell(c) || c.note || (again < to && (again - i) % step == 0))
            return 0;
        texts = texts && IsText(c.kind);
        if (i > from) {
            const Cell &p = cells[i - step];
            const bool counts
                = p.count >= 0 && c.count == p.count + 1 && c.countPrefix == p.countPrefix;
            const bool months = p.calendar != 0 && p.calendar <= 12
                && c.calendar == NextCalendarPlace(p.calendar);
            run = run && (counts || months);
        }
    }
    return run ? 3 : texts ? 2 : 1;
}

// Two readings of one size a line apart hold the same columns, rotated: likeness down them cannot
// tell them apart, only the ends can. A table keys its rows in its first column; read a line
// early, a title taken for the first header cell, the keys stand in the second column and the
// first holds the last column's values; read a line late, the header's first cell taken for a
// title, the first column holds the second's values. Where one reading's first column keys the
// rows more plainly, under a cell that can head keys, the other pays.
void KeysFirst(const Profile &profile, std::vector<Candidate> &all)
{
    const std::vector<Cell> &cells = profile.cells;
    const std::map<Size, int> strongest = StrongestOfEachSize(all, 2);
    std::set<Size> losers;
    for (const auto &[size, k] : strongest) {
        const auto &[f, rows, cols] = size;
        if (rows < KeysFirstMinRows || !strongest.contains({ f + 1, rows, cols }))
            continue;
        const int to = f + rows * cols;
        const int early = KeyColumn(profile, f + cols, to, cols);
        const int late = KeyColumn(profile, f + 1 + cols, to + 1, cols);
        // The earlier reading: keys under a word that heads columns or an empty corner under a
        // title or a lead-in (after a paragraph an empty line is spacing); its first key is no
        // such word, the later reading's last header cell.
        const Cell &head = cells[f];
        const bool corner = IsBlankCell(head) && f > 0 && IsText(cells[f - 1].kind)
            && (!cells[f - 1].note || cells[f - 1].leadIn);
        // (Or a short text in a row of texts, no longer than the longest of them: a header cell,
        // where a title over the header is often longer than the words under it.)
        const Cell &key = cells[f + cols];
        int words = 0;
        for (int c = 1; c < cols; ++c)
            words = std::max(words, int(cells[f + c].a));
        const bool word = IsShortText(head) && AllText(profile, f, cols) && head.a <= words;
        if (early > late && (head.label || corner || word) && !key.label)
            losers.insert({ f + 1, rows, cols });
        // The later one: keys under a text, a title above taken for its first header cell. (A
        // caption is followed by its table's first cell, no title; and the header stands apart
        // from its columns as well as read a line early, unless the keys run.)
        else if (late > early && IsText(cells[f + 1].kind) && !cells[f + 1].note && IsTitle(head)
            && (late == 3
                || ((f == 0 || cells[f - 1].kind != Kind::Caption)
                    && ApartColumns(profile, f + 1, cols) >= ApartColumns(profile, f, cols))))
            losers.insert(size);
    }
    for (Candidate &c : all)
        if (losers.contains({ c.first, c.rows, c.cols }))
            c.gain -= KeysFirstCost;
}

// A block of the same width as one ending right above it, or a row or two below it, whose first
// rows keep the kinds of that block's last row (no header of its own, no title between) is the
// rest of the same table, read in pieces: the two as one compete with them, gaining a little
// more than both.
void JoinedPieces(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    std::vector<std::vector<int>> endingAt(n + 1);
    for (int k = 0; k < int(all.size()); ++k)
        if (!all[k].frameOnly && all[k].rows >= 3)
            endingAt[End(all[k])].push_back(k);
    const std::map<Size, int> strongest = StrongestOfEachSize(all, 2);
    std::vector<Candidate> joined;
    for (const auto &[key, k] : strongest) {
        const Candidate &b = all[k];
        if (b.frameOnly || b.rows < 2)
            continue;
        for (int gap = 0; gap <= JoinedPiecesMaxGap; ++gap) {
            const int end = b.first - gap * b.cols;
            if (end < 1)
                break;
            for (int j : endingAt[end]) {
                const Candidate &a = all[j];
                if (a.cols != b.cols
                    || !RowsKeepKinds(profile, end - a.cols, end, b.first + b.cols, a.cols))
                    continue;
                Candidate both = a;
                both.rows = a.rows + gap + b.rows;
                both.gain = a.gain + b.gain + JoinedPiecesGain;
                both.confidence = std::max(a.confidence, b.confidence);
                joined.push_back(both);
            }
        }
    }
    all.insert(all.end(), joined.begin(), joined.end());
}

// True when the last of the `rows` of `cols` from `first` has no number and nothing said above
// it (a value written in words repeats, "on request") and puts words in a column of numbers: it
// breaks the rows' kinds, the text after the table (an address) read as a row. (Not in the first
// column: "Total" under row numbers. Nor a row left half blank: text after a table fills its
// lines, a last row with a value in words, "Honorary", "free", often leaves the rest blank.)
bool TextAfterAsLastRow(const Profile &profile, int first, int rows, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const int tail = first + (rows - 1) * cols;
    int blanks = 0;
    for (int c = 0; c < cols; ++c) {
        const Cell &t = cells[tail + c];
        if (IsNumeric(t.kind)
            || (!IsBlankCell(t) && SaidElsewhere(profile, tail + c, first + cols, tail)))
            return false;
        blanks += IsBlankCell(t) ? 1 : 0;
    }
    if (2 * blanks >= cols)
        return false;
    for (int c = 1; c < cols; ++c) {
        const Cell &t = cells[tail + c];
        if (!IsShortText(t) || (t.flags & WithDigits))
            continue;
        bool numbered = true;
        for (int i = first + cols + c; i < tail && numbered; i += cols)
            numbered = IsNumeric(cells[i].kind);
        if (numbered)
            return true;
    }
    return false;
}

// True when the row of `cols` from `first` can head no table: a sentence (a note, a lead-in) opens
// it, it runs past the end, or it is mostly empty. (Told from the count of blank cells, before
// anything else is read: a table of two rows has no blank header cell either.)
bool FirstRowRefused(const Profile &profile, int first, int cols)
{
    if (IsSentenceNote(profile.cells[first]))
        return true;
    if (first + cols > profile.size())
        return true;
    const int blank = profile.emptyBefore[first + cols] - profile.emptyBefore[first];
    return blank > HeaderBlankShare * cols;
}

// True when the first row is blank beside its corner (a title beside an empty cell is no header).
// Such a blank is allowed only over a units row, or, in a header of words alone, in its last cell:
// a column kept spare (asked last, of the few headers with such a blank).
bool BlankBesideCorner(const Profile &profile, int first, int cols, bool units)
{
    const int blank = profile.emptyBefore[first + cols] - profile.emptyBefore[first];
    const int corner = IsBlankCell(profile.cells[first]) ? 1 : 0;
    return blank > corner && !units
        && blank > corner + (SpareLastColumn(profile, first, cols) ? 1 : 0);
}

// True when the last of the `rows` of `cols` from `first` is a row of values all said once under
// keys beside values said again: the text after the table read as a row. (Not a row that adds the
// columns up: its sums are new.)
bool LastRowSaidOnce(const Profile &profile, int first, int rows, int cols)
{
    if (AddsUp(profile, first, first + (rows - 1) * cols, cols))
        return false;
    const int last = first + rows * cols, tail = last - cols;
    bool once = true;
    for (int i = tail + 1; i < last && once; ++i)
        once = IsBlankCell(profile.cells[i]) || !SaidElsewhere(profile, i, first + cols, last);
    return once && KeysInStep(profile, first + cols, tail, cols);
}

// The rows of `cols` from `first` that BlockRows finds under a units row of `units` cells (if
// any), less a last row that is the text after the table.
int DataRows(const Profile &profile, int first, int cols, int rowLimit, int units)
{
    int rows = BlockRows(profile, first + units, cols, rowLimit - (units ? 1 : 0), units);
    if (rows > 4 && !units && LastRowSaidOnce(profile, first, rows, cols))
        --rows;
    if (rows > 4 && !units && TextAfterAsLastRow(profile, first, rows, cols))
        --rows;
    return rows;
}

// True when a block from `first` starts in the units row under a header: it is read out of step
// ("£" for a corner).
bool StartsInUnitsRow(const Profile &profile, int first, int cols)
{
    for (int h = std::max(first - 2 * cols + 1, 0); h <= first - cols; ++h)
        if (UnitsRowBelow(profile, h, cols))
            return true;
    return false;
}

// The rows pairs keep where their rows tell nothing as read but their keys are set apart from
// their values one way down the first rows and not below them: the block ran on into the text or
// the table after them, and ends where the contrast does (0 when it does not).
int RowsToContrastEnd(const Profile &profile, int first, int rows)
{
    const int kept = ContrastRows(profile, first + 2, first + rows * 2);
    return kept >= ContrastMinRows && kept + 1 < rows ? kept + 1 : 0;
}

// The rows a reading of `rows` data rows takes: its units row, those rows and the empty rows after
// them, as far as `rowLimit` allows.
int RowsTaken(const Profile &profile, int first, int cols, int rows, int units, int rowLimit)
{
    const int taken = rows + (units ? 1 : 0);
    if (taken >= rowLimit)
        return taken;
    return std::min(taken + EmptyRowsAfter(profile, first + units, rows, cols), rowLimit);
}

// What the reading gains from its rows (of `rows` data rows). A list's title above it is a title,
// however alike to the names.
double GainAsRead(const Profile &profile, const Candidate &candidate, int rows, double evidence,
    const HeaderRow &header)
{
    const int first = candidate.first, cols = candidate.cols;
    const bool list = cols == 1 && WordList(profile, first, rows);
    double gain = RowsGain(
        profile, candidate, evidence, header, !list && RunsOnFromAbove(profile, first, cols));
    if (list)
        gain += TextBoundary - Boundary(profile, first - 1, first);
    return gain;
}

// Words read out of step break their columns' habits in the first row under the header (of the
// `rows` data rows under a units row of `units` cells, if any).
void ChargeFirstRowBreaks(const Profile &profile, Candidate &candidate, int rows, int units)
{
    const int first = candidate.first, cols = candidate.cols;
    if (cols < 2)
        return;
    const int from = first + units + cols, to = first + (rows + (units ? 1 : 0)) * cols;
    if (HabitsGain(profile, from, to, cols) >= HabitsAt)
        candidate.gain -= HabitBreakCost * FirstRowBreaks(profile, from, to, cols);
}

// A title taken for a header cell reads the block a line early.
void ChargeHeaderLineEarly(
    const Profile &profile, Candidate &candidate, const HeaderRow &header, int units)
{
    const int first = candidate.first, cols = candidate.cols;
    // A title taken for the first header cell pushes the header's last word ("E-mail") into the
    // first data row, under a header row one line down.
    if (HeaderReadLineEarly(profile, first, cols))
        candidate.gain -= HeaderReadLineEarlyCost;
    // A title taken for the first cell of a header of words.
    if (header.text == cols && !units && TitleHeaderCell(profile, first, cols, candidate.rows))
        candidate.gain -= TitleHeaderCost;
}

// A header's first cell or its empty corner left above the block reads it a line late.
void ChargeLineLate(
    const Profile &profile, Candidate &candidate, const HeaderRow &header, int units)
{
    const int first = candidate.first, cols = candidate.cols;
    // A word that heads columns right above the block, or one written like its header's cells, is
    // its header's first cell, left out.
    if (cols >= 2 && first > 0) {
        const Cell &above = profile.cells[first - 1];
        if ((IsText(above.kind) && !above.note && above.label)
            || (header.text == cols && !units && HeaderWordAbove(profile, first, cols)))
            candidate.gain -= LabelAboveCost;
        // (Or a short text under a title of its own, more alike to the header than to it.)
        if (header.text == cols && !units && FirstHeaderCellAbove(profile, first, cols))
            candidate.gain -= StackedTitleCost;
    }
    // An empty line right above a wide header of labels in a run is its empty corner, left out. So
    // is a block that starts on a day or a month going on from the line above: the rest of its
    // header's run.
    if (CornerAbove(profile, first, cols)
        || (cols >= LabelRunCornerMinCols && InsideCalendarRun(profile, first)))
        candidate.gain -= CornerLeftOutCost;
}

// A framed block is a table of some size: the likeliest one is proposed, unsure. Rows that tell
// less than a block standing on its own needs are framed and nothing more, unless a word that
// heads columns ("Code") shows the header they hang from.
void TakeAsFramed(const Profile &profile, Candidate &candidate, double evidence)
{
    const auto row = profile.cells.begin() + candidate.first;
    candidate.frameOnly = candidate.gain < FramedGain && evidence < EvidenceAt
        && std::none_of(row, row + candidate.cols, [](const Cell &c) { return c.label; });
    candidate.gain = std::max(candidate.gain, FramedGain);
}

} // namespace

// The reading of `cols` columns from `first` as the steps above tell it: a first row that can
// head a table, its rows, their evidence and gain less what reads them out of step.
void CandidatesAt(const Profile &profile, int first, int cols, std::vector<Candidate> &out,
    int rowLimit, bool toldStart, const std::vector<bool> *titlesNext)
{
    if (FirstRowRefused(profile, first, cols))
        return;
    // A units row under the header counts as a row of the table but not of its data. (It gives
    // the columns under a label spanning two of them their own units: the header may leave
    // those blank.)
    const int units = UnitsRowBelow(profile, first, cols) ? cols : 0;
    if (BlankBesideCorner(profile, first, cols, units > 0))
        return;
    const int rows = DataRows(profile, first, cols, rowLimit, units);
    if (rows == 0) {
        if (!units && rowLimit >= 2)
            TwoRowTable(profile, first, cols, out);
        return;
    }
    if (StartsInUnitsRow(profile, first, cols))
        return;
    HeaderRow header; // read with the evidence, where the rows could be a table this wide
    bool framed = false;
    const std::optional<double> evidence = RowsEvidence(
        profile, first + units, rows, cols, header, toldStart, units > 0, &framed, titlesNext);
    if (!evidence) {
        if (cols == 2 && !units)
            if (const int kept = RowsToContrastEnd(profile, first, rows))
                CandidatesAt(profile, first, cols, out, kept, toldStart, titlesNext);
        return;
    }
    Candidate candidate;
    candidate.first = first;
    candidate.rows = RowsTaken(profile, first, cols, rows, units, rowLimit);
    candidate.cols = cols;
    candidate.gain = GainAsRead(profile, candidate, rows, *evidence, header);
    ChargeFirstRowBreaks(profile, candidate, rows, units);
    // Most columns changing kind at one row are two tables run together: the block pays for it,
    // and the one ending above that row competes with it.
    if (const int seam = KindSeam(profile, first + units, rows, cols); seam > 0) {
        candidate.gain -= KindSeamCost;
        CandidatesAt(profile, first, cols, out, seam + (units ? 1 : 0), toldStart, titlesNext);
    }
    // A title taken for the first cell of a table without a header, its last cell on the text
    // after it: read a line early.
    const bool early = ReadLineEarly(profile, first, End(candidate), cols);
    if (early)
        candidate.gain -= ReadLineEarlyCost;
    ChargeHeaderLineEarly(profile, candidate, header, units);
    ChargeLineLate(profile, candidate, header, units);
    // Row numbers or years counting by one fix the width and where the rows start and end.
    candidate.gain -= CountOutOfStepCost * CountsOutOfStep(profile, first, candidate.rows, cols);
    // (Not pairs read a line early, their keys in the second column, nor a block read a line
    // early: the frame is the one of the reading a line down.)
    if (framed && !early && !(cols == 2 && KeysSecond(profile, first, candidate.rows)))
        TakeAsFramed(profile, candidate, *evidence);
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

// A block that opens on a title under text and ends on an empty line, text right after it, is
// read a line early when the table's last cell is left empty: the reading a line later takes
// that line for its last cell and ends where the text starts. It competes, a little ahead,
// where its rows read as a table and its first row is a header or a row like the one under it.
void LastCellLeftEmpty(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    // (Not where a longer reading starts a line later: the empty line is inside the table.)
    std::map<std::pair<int, int>, int> longest; // (first, cols) -> rows
    for (const Candidate &c : all)
        longest[{ c.first, c.cols }] = std::max(longest[{ c.first, c.cols }], c.rows);
    const size_t count = all.size();
    for (size_t k = 0; k < count; ++k) {
        const Candidate c = all[k];
        const int end = End(c);
        const auto later = longest.find({ c.first + 1, c.cols });
        if (c.first < 1 || c.rows < 2 || end + 1 >= n
            || (later != longest.end() && later->second > c.rows))
            continue;
        // (A title is said once: one said again in the block heads its columns. Under a heading
        // or an empty line the block has its title already: the short text is a cell.)
        const Cell &title = profile.cells[c.first], &above = profile.cells[c.first - 1];
        if (!IsTitle(title) || profile.nextSame[c.first] < end
            || !(above.kind == Kind::Prose || above.note) || profile.cells[end].kind != Kind::Empty
            || profile.cells[end - 1].kind == Kind::Empty || !IsText(profile.cells[end + 1].kind))
            continue;
        // (A text with a remark in brackets over numbers, "Wind (kn)" over "0–10", gives their
        // unit: it heads their column, no title.)
        if (title.remarked && IsNumeric(profile.cells[c.first + c.cols].kind)
            && IsNumeric(profile.cells[c.first + 2 * c.cols].kind))
            continue;
        bool rowAlike = true;
        for (int i = c.first + 1; i < c.first + 1 + c.cols && rowAlike; ++i)
            rowAlike = Similarity(profile.cells[i], profile.cells[i + c.cols]) >= CompatibleAt;
        if (!rowAlike && !HeaderLikeRow(profile, c.first + 1, c.cols))
            continue;
        // (Nor where the columns as read keep their kinds down the block: the short text is
        // their corner, a line early would mix them.)
        if (c.rows >= KindsAgreeMinRows && KindsAgreeDown(profile, c.first, c.rows, c.cols))
            continue;
        std::vector<Candidate> here;
        CandidatesAt(profile, c.first + 1, c.cols, here, c.rows, true);
        if (std::none_of(here.begin(), here.end(),
                [&](const Candidate &h) { return h.rows == c.rows && h.gain > 0; }))
            continue;
        Candidate shifted = c;
        ++shifted.first;
        shifted.gain += EmptyLastCellGain;
        shifted.frameOnly = false;
        all.push_back(shifted);
    }
}

// Blocks that stop a row short of the text after them, that row keyed like theirs, take it
// for their last row (see RowToFrame), gaining half as much as each of their rows does: it
// tells less, unlike them. (Not past a row of words in a column of numbers that fills most of
// its row: text after a table, an address, across a block of three columns or more. Nor where
// a reading from its second row that gains as much ends there: the block is read from a
// title.)
void RowsToFrame(const Profile &profile, std::vector<Candidate> &all)
{
    std::map<std::tuple<int, int, int>, double> ends; // (cols, end, first) -> gain
    for (const Candidate &c : all) {
        double &gain = ends.try_emplace({ c.cols, End(c), c.first }, c.gain).first->second;
        gain = std::max(gain, c.gain);
    }
    const size_t count = all.size();
    for (size_t k = 0; k < count; ++k) {
        const Candidate c = all[k];
        const auto second = ends.find({ c.cols, End(c) + c.cols, c.first + c.cols });
        if (!RowToFrame(profile, c.first, c.rows, c.cols)
            || (c.cols >= 3 && TextAfterAsLastRow(profile, c.first, c.rows + 1, c.cols))
            || (second != ends.end() && second->second >= c.gain))
            continue;
        Candidate longer = c;
        ++longer.rows;
        longer.gain += FrameRowShare * c.gain / c.rows;
        all.push_back(longer);
    }
}

// Pairs that open a line under a line leading in to them are read a line late: what follows
// the colon is the table, its first key no title, and the line after the pairs (a value left
// empty, or one before the text resumes) is the last key's value.
void PairsUnderLeadIn(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    const std::vector<Cell> &cells = profile.cells;
    const size_t count = all.size();
    for (size_t k = 0; k < count; ++k) {
        const Candidate c = all[k];
        const int top = c.first - 1, end = End(c);
        if (c.cols != 2 || c.rows < KeyValueMinRows || top < 1 || end >= n || !cells[top - 1].leadIn
            || !IsShortText(cells[top]) || cells[top].leadIn)
            continue;
        // (Not where the pairs as read open on a word that heads columns, a title under the
        // lead-in over their header, nor where they key their rows more plainly.)
        if (cells[c.first].label || cells[c.first + 1].label
            || KeyColumn(profile, top + 2, end, 2) < KeyColumn(profile, c.first + 2, end, 2))
            continue;
        const Cell &last = cells[end];
        const bool emptyValue = last.kind == Kind::Empty && cells[end - 1].kind != Kind::Empty;
        if (!emptyValue && !(IsShortText(last) && !last.leadIn && ClosesBlock(profile, end + 1)))
            continue;
        Candidate earlier = c;
        --earlier.first;
        ++earlier.rows;
        earlier.gain += EmptyLastCellGain;
        earlier.frameOnly = false;
        all.push_back(earlier);
    }
}

// Every reading that opens at each line, of each width, but not one that opens on a row inside
// a table.
void ReadingsAtEachLine(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    for (int cols = 1; cols <= MaxCols; ++cols) {
        for (int first = 0; first < n; ++first) {
            // A row alike to the rows above and below it is inside a table, not its top, unless
            // it has words over numbers the way a header has.
            // (A single column checks the line above itself: a list's title is no row.)
            if (cols > 1 && profile.chains[cols][first] >= 2
                && RunsOnFromAbove(profile, first, cols)
                && !WordsOverNumbers(profile, first, cols)
                // (Nor is a header over a units row, nor a row that reads as a header.)
                && !UnitsRowBelow(profile, first, cols) && !HeaderLikeRow(profile, first, cols))
                continue;
            CandidatesAt(profile, first, cols, all);
        }
    }
}

// The tables that only their header row shows, less what their counts out of step cost.
void HeaderRunTables(
    const Profile &profile, const std::vector<HeaderRun> &runs, std::vector<Candidate> &all)
{
    for (const HeaderRun &run : runs)
        if (auto table = HeaderTableAt(runs, run.first, false)) {
            table->gain -= CountOutOfStepCost
                * CountsOutOfStep(profile, table->first, table->rows, table->cols);
            all.push_back(*table);
        }
}

// A table directly followed by another whose cells look alike runs into it; the same block
// cut where another block could start competes with it.
void CutWhereBlocksStart(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    std::vector<bool> starts(n + 1, false);
    for (const Candidate &c : all)
        starts[c.first] = true;
    // Empty paragraphs between the two belong to neither.
    for (int i = n - 1; i >= 0; --i)
        if (profile.cells[i].kind == Kind::Empty && starts[i + 1])
            starts[i] = true;
    const size_t uncut = all.size(); // the readings before any cut of them
    for (size_t k = 0; k < uncut; ++k) {
        const Candidate c = all[k];
        int cuts = 0;
        for (int rows = c.rows - 1; rows >= std::max(3, c.rows - MaxCutRows) && cuts < MaxCuts;
             --rows) {
            const int end = c.first + rows * c.cols;
            // (Or where a title stands over the next block: the block ends above it.)
            const Cell &below = profile.cells[end]; // the line under the cut
            // (Or where a title opens a row, unlike the first column above it: the next block's
            // title, whatever follows it.)
            const auto unlike = [&] {
                return c.cols > 1
                    && std::min(Similarity(below, profile.cells[end - c.cols]),
                           Similarity(below, profile.cells[end - 2 * c.cols]))
                    <= TitleCutAt;
            };
            // (Or where an empty line, taken for a row's empty first cell, opens a row that
            // does not go on the columns: the empty paragraph after the table.)
            const bool cut = starts[end] || (IsTitle(below) && (starts[end + 1] || unlike()))
                || (end + c.cols <= n && below.kind == Kind::Empty
                    && !RowGoesOn(profile, end, c.cols));
            // (Never above a row that adds the columns up: it is the table's, not the next's.)
            if (cut && !AddsUp(profile, c.first, end, c.cols)) {
                CandidatesAt(profile, c.first, c.cols, all, rows);
                ++cuts;
            }
        }
    }
}

// Where a table surely starts under a header of words, the lines above it end; where one
// surely ends, the lines below it start. The pair and small-table readings stop at these lines.
struct SureEdges {
    std::vector<bool> starts, ends; // by line
};

SureEdges SureEdgesOf(const Profile &profile, const std::vector<Candidate> &all)
{
    const int n = profile.size();
    SureEdges sure { std::vector<bool>(n + 1, false), std::vector<bool>(n + 1, false) };
    for (const Candidate &c : all) {
        bool header = c.cols >= 2 && c.confidence >= SureStartAt;
        for (int i = c.first; i < c.first + c.cols && header; ++i)
            header = IsText(profile.cells[i].kind) && !HoldsDigits(profile.cells[i]);
        sure.starts[c.first] = sure.starts[c.first] || header;
        const int end = End(c);
        sure.ends[end] = sure.ends[end] || header;
    }
    return sure;
}

// Pairs end above a last row that is unlike both their columns, unless their first row is
// said again right under them: the next table's header closes them where they end.
void EndPairsAboveOddRow(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    const auto headerAgainAt = [&](const Candidate &c) {
        const int end = End(c);
        return end + 1 < n && profile.prevSame[end] == c.first
            && profile.prevSame[end + 1] == c.first + 1;
    };
    for (Candidate &c : all)
        while (c.cols == 2 && c.rows >= OddPairMinRows
            && !(IsBlankCell(profile.cells[End(c) - 2]) && IsBlankCell(profile.cells[End(c) - 1]))
            && OddLastPair(profile, c.first, End(c)) && !headerAgainAt(c))
            --c.rows;
}

// Pairs read a line early, a title for their first key, start a line later.
void StartPairsLineLater(const Profile &profile, std::vector<Candidate> &all)
{
    for (Candidate &c : all)
        if (c.cols == 2 && c.rows >= OddPairMinRows && PairsLineEarly(profile, c.first, End(c))) {
            ++c.first;
            --c.rows;
        }
}

// Pairs read across a title from the pairs above it start under the title, and the pairs above
// keep the row they lost to them, gaining as much as each of their rows does.
void SplitPairsAtTitles(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    std::vector<std::vector<int>> endingAt(n + 1); // the pairs ending at each line
    for (int k = 0; k < int(all.size()); ++k)
        if (all[k].cols == 2)
            endingAt[End(all[k])].push_back(k);
    const std::vector<Candidate> read = all; // as read, before any is moved
    std::vector<Candidate> longer;
    for (Candidate &c : all) {
        if (c.cols != 2 || c.rows < OddPairMinRows || c.first < 1)
            continue;
        bool across = false;
        for (int k : endingAt[c.first - 1]) {
            const Candidate &above = read[k];
            if (!PairsAcrossTitle(profile, above.first, c.first, End(c)))
                continue;
            across = true;
            longer.push_back(OneRowMore(above));
        }
        if (across) {
            c.first += 2;
            --c.rows;
        }
    }
    all.insert(all.end(), longer.begin(), longer.end());
}

// Pairs that stop above a key whose value is left empty take it for their last row.
void TakeKeysLeftEmpty(const Profile &profile, std::vector<Candidate> &all)
{
    const size_t count = all.size();
    for (size_t k = 0; k < count; ++k)
        if (all[k].cols == 2 && all[k].rows >= KeyLeftEmptyMinRows
            && KeyLeftEmpty(profile, all[k].first, End(all[k])))
            all.push_back(OneRowMore(all[k]));
}

// Pairs that leave one line between them and what closes them are read out of step.
void PairsInStep(const Profile &profile, std::vector<Candidate> &all)
{
    for (Candidate &c : all)
        if (c.cols == 2 && c.rows >= OddPairMinRows)
            if (const int shift = PairsOutOfStep(profile, c.first, End(c))) {
                c.first += shift;
                c.rows += shift < 0 ? 1 : 0;
            }
}

// Pairs under a title, read from the title and from the line under it: the reading in step has
// its values beside its keys, written as values are (figures, money, a phone number, a name with
// a comma) where keys are not; read out of step, both columns mix the two. The reading whose
// values keep such a habit, and better than the other's, stands; the other goes.
void DropPairsOutOfStep(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &all)
{
    const int n = profile.size();
    const std::vector<Cell> &cells = profile.cells;
    // (A title is short, no word heading columns nor written as a value, after a frame; a word
    // heading columns under it makes it a header's first cell.)
    const auto titled = [&](int t) {
        return t + 1 < n && IsTitle(cells[t]) && !ValueHabit(cells[t]) && !cells[t + 1].label
            && (ClosesBlock(profile, t - 1) || cells[t - 1].keyed || cells[t - 1].leadIn);
    };
    std::vector<std::vector<int>> startingAt(n);
    std::vector<std::array<double, PairHabits>> habits(all.size());
    for (int k = 0; k < int(all.size()); ++k) {
        const Candidate &c = all[k];
        const int t = c.first;
        if (c.cols == 2 && c.rows >= KeyValueMinRows && (titled(t) || (t >= 1 && titled(t - 1)))) {
            startingAt[t].push_back(k);
            habits[k] = ValuesKeepHabits(profile, t, End(c));
        }
    }
    // (`b`'s keys are short labels, and its values keep a habit its keys lack, on most of its
    // rows and more than `a`'s do; and `b` ends where a frame, a lead-in or a sure table closes
    // it, as well as `a` does: a header read a line late for a title strands the table's last
    // cell.)
    const auto better = [&](int a, int b) {
        const int end = End(all[b]);
        for (int i = all[b].first; i < end; i += 2)
            if (!IsShortText(cells[i]))
                return false;
        if (!(ClosesBlock(profile, end) || tableStarts[end] || cells[end].leadIn)
            || (ClosesBlock(profile, End(all[a])) && !ClosesBlock(profile, end)))
            return false;
        for (int t = 0; t < PairHabits; ++t)
            if (habits[b][t] >= PairHabitKeptAt && habits[b][t] > habits[a][t])
                return true;
        return false;
    };
    std::vector<bool> drop(all.size(), false);
    for (int t = 0; t + 1 < n; ++t) {
        if (!titled(t))
            continue;
        for (int a : startingAt[t])
            for (int b : startingAt[t + 1]) {
                // (Two readings of the same lines, a line apart.)
                if (std::abs(all[a].rows - all[b].rows) > 1)
                    continue;
                const bool early = better(a, b), late = better(b, a);
                drop[a] = drop[a] || (early && !late);
                drop[b] = drop[b] || (late && !early);
            }
    }
    int k = 0;
    std::erase_if(all, [&](const Candidate &) { return drop[k++]; });
}

// Readings that open on the text before a table, or read a wider table down one column, are no
// tables as read.
void DropMisreadBlocks(const Profile &profile, std::vector<Candidate> &all)
{
    // A lead-in in the first row ("Two fixed points:") is the text before the table, unless its
    // column opens on one again below (keys that end in a colon).
    std::erase_if(all, [&](const Candidate &c) {
        for (int k = 0; k < c.cols; ++k)
            if (profile.cells[c.first + k].leadIn
                && !ColonAgain(profile, c.first + k, End(c), c.cols))
                return true;
        return false;
    });
    // A title that names the header under it opens no table: the table starts at the header.
    std::erase_if(all, [&](const Candidate &c) { return profile.namesHeaderBelow[c.first]; });
    // A single column that says a name twice is a wider table read down one column.
    std::erase_if(all, [&](const Candidate &c) { return c.cols == 1 && NamesTwice(profile, c); });
}

// A block narrower than the words that head columns across its first row is no table: a header
// is hardly ever wider than the rows it heads.
// (Unless the words past its width are its first row's keys, and no reading as wide starts
// where those words would end its header exactly: that one is a title over the header.)
// (Nor is one whose first row goes on from such words, three or more, into a number that
// opens rows as wide as the words or one fewer, a title among them: the header is theirs,
// the number the first value under it.)
void DropNarrowerThanHeader(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    static_assert(MaxCols < 32);
    std::vector<uint32_t> headedExactly(n, 0); // bit `cols`: a reading that wide, its header so
    for (const Candidate &c : all)
        if (LabelRun(profile, c.first) == c.cols)
            headedExactly[c.first] |= 1u << c.cols;
    std::erase_if(all, [&](const Candidate &c) {
        const int run = LabelRun(profile, c.first);
        return (run > c.cols
                   && !(FirstRowKeys(profile, c, run)
                       && !(headedExactly[c.first + run - c.cols] >> c.cols & 1)))
            || (run >= HeaderOverRowsLabels && run < c.cols
                && RowsOpenAt(profile, c.first + run, run));
    });
}

// A block that says its first keys or its header again, or has a row of words over numbers
// again, is two tables back to back, nothing between them: both halves compete with it, each with
// its share of what it gained.
void SplitTablesBackToBack(const Profile &profile, std::vector<Candidate> &all)
{
    const int n = profile.size();
    const size_t count = all.size();
    for (size_t k = 0; k < count; ++k) {
        const Candidate c = all[k];
        const int end = End(c);
        int r = RestartRow(profile, c.first, c.rows, c.cols);
        if (r < 0)
            r = SecondHeaderRow(profile, c.first, c.rows, c.cols);
        if (r >= 0) {
            for (const auto &[first, rows] :
                { std::pair(c.first, r), std::pair(end - (c.rows - r) * c.cols, c.rows - r) }) {
                Candidate half = c;
                half.first = first;
                half.rows = rows;
                half.gain = c.gain * rows / c.rows + RestartGain;
                all.push_back(half);
            }
            continue;
        }
        // The same keys again right under a block: a second table, as far as its rows run before
        // text or a title closes them (two rows at least, and no more than the first has).
        if (end + 2 * c.cols > n || RestartRow(profile, c.first, c.rows + 1, c.cols) != c.rows)
            continue;
        for (int rows = 2; rows <= c.rows && end + rows * c.cols <= n; ++rows) {
            const int after = end + rows * c.cols;
            if (!profile.RowAcceptable(end + (rows - 1) * c.cols, c.cols))
                break;
            if (SecondTableClosed(profile, after)) {
                Candidate second = c;
                second.first = end;
                second.rows = rows;
                second.gain = RestartGain * rows / 2;
                second.frameOnly = false;
                all.push_back(second);
                break;
            }
        }
    }
}

} // namespace

std::vector<Candidate> AllCandidates(const Profile &profile, const std::vector<HeaderRun> &runs)
{
    std::vector<Candidate> all;
    ReadingsAtEachLine(profile, all);
    HeaderRunTables(profile, runs, all);
    JoinStackedColumns(profile, all);
    RowsAcrossBelow(profile, all);
    RowsAcrossBlocks(profile, all);
    CutWhereBlocksStart(profile, all);
    all = PreferNarrowest(profile, std::move(all));
    GappedHeaders(profile, all);
    const SureEdges sure = SureEdgesOf(profile, all);
    TitledBlocks(profile, all);
    CornerTables(profile, all);
    KeyValueTables(profile, sure.starts, all);
    NameLists(profile, sure.starts, all);
    Glossaries(profile, all);
    AlternatingPairs(profile, sure.starts, sure.ends, all);
    SmallTables(profile, sure.starts, sure.ends, all);
    LabelledRows(profile, sure.starts, sure.ends, all);
    HeaderOverRecord(profile, sure.starts, sure.ends, all);
    BlankForms(profile, all);
    SentenceLists(profile, all);
    LeadInLists(profile, sure.starts, all);
    SaidAgain(profile, all);
    EndPairsAboveOddRow(profile, all);
    StartPairsLineLater(profile, all);
    SplitPairsAtTitles(profile, all);
    TakeKeysLeftEmpty(profile, all);
    RowsToFrame(profile, all);
    PairsInStep(profile, all);
    DropPairsOutOfStep(profile, sure.starts, all);
    LastCellLeftEmpty(profile, all);
    // (After the pairs are trimmed: a block cut where a small table starts keeps its last pair,
    // whatever it looks like.)
    SmallTablesAfter(profile, all);
    DropMisreadBlocks(profile, all);
    DropRowsReadDown(profile, all);
    DropNarrowerThanHeader(profile, all);
    SplitTablesBackToBack(profile, all);
    StrandedLastCell(profile, all);
    KeysFirst(profile, all);
    JoinedPieces(profile, all);
    PairsUnderLeadIn(profile, all);
    return all;
}

} // namespace cellwright::finder
