// The table finder: the document's profile, every candidate block in it, and the set of blocks
// that together gain the most. Its parts live beside this file:
//
//   cell_kind     what kind of cell each line would be
//   header_words  the words that head table columns, whoever wrote the table
//   similarity    how alike two cells are as members of one column
//   profile       what is known of the document before looking for tables
//   header_runs   tables that only their header row shows
//   candidates    blocks that read as tables, found by their rows and by header runs; its
//                 checks live in block_frame (where blocks open and close), block_rows (how
//                 many rows and what they tell), header_checks (headers and titles) and
//                 small_blocks (pairs, lists, small tables), sharing candidate_checks.h
//   scoring       what a candidate gains and how sure it is
//   guesses       the likeliest size where nothing was chosen, at a low confidence
//   tuning.h      every weight and threshold, with what chose it
#include "find_tables.h"

#include "find_tables/candidate_checks.h"
#include "find_tables/candidates.h"
#include "find_tables/guesses.h"
#include "find_tables/header_runs.h"
#include "find_tables/profile.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"
#include "text_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cellwright {

namespace {

using finder::Candidate;

// Everything the finder works from, built once per document.
struct Finder {
    explicit Finder(const ConversionState &state)
        : profile(state)
        , runs(finder::FindHeaderRuns(profile))
    {
    }

    finder::Profile profile;
    std::vector<finder::HeaderRun> runs;
};

// The candidates' indices by the line they start at.
std::vector<std::vector<int>> StartingAt(const std::vector<Candidate> &all, int n)
{
    std::vector<std::vector<int>> startingAt(n);
    for (int k = 0; k < int(all.size()); ++k)
        startingAt[all[k].first].push_back(k);
    return startingAt;
}

// True when the first row of `c` holds a word that heads columns.
bool OpensOnLabel(const finder::Profile &profile, const Candidate &c)
{
    const auto begin = profile.cells.begin() + c.first;
    return std::any_of(begin, begin + c.cols, [](const finder::Cell &x) { return x.label; });
}

// True when each of lines [from, to) is blank or a figure alike to the cell `cols` lines above
// it: the rest of a row, not the text after a table.
bool RowEndsAlike(const finder::Profile &profile, int from, int to, int cols)
{
    for (int i = from; i < to; ++i)
        if (!IsBlankCell(profile.cells[i])
            && (!HoldsDigits(profile.cells[i])
                || finder::Similarity(profile.cells[i], profile.cells[i - cols])
                    < finder::CompatibleAt))
            return false;
    return true;
}

// True when none of lines [from, to) is a note: no sentence stands in a table's header, nor in
// the last row that empty rows left for entries follow.
bool NoNotes(const finder::Profile &profile, int from, int to)
{
    return std::none_of(profile.cells.begin() + from, profile.cells.begin() + to,
        [](const finder::Cell &x) { return x.note; });
}

// Of the readings `cols` wide starting on lines [from, to] that `fits`, not blocks only their
// frame makes tables, the one that gains most, and more than `floor`; nullptr when none.
template <typename Fits>
const Candidate *BestReading(const std::vector<Candidate> &all,
    const std::vector<std::vector<int>> &startingAt, int from, int to, int cols, double floor,
    Fits fits)
{
    const Candidate *best = nullptr;
    for (int i = from; i <= to; ++i)
        for (int k : startingAt[i]) {
            const Candidate &o = all[k];
            if (o.cols == cols && !o.frameOnly && o.gain > (best ? best->gain : floor) && fits(o))
                best = &o;
        }
    return best;
}

// True when `x` is filled and alike to each filled cell of the column of lines `from`, `from +
// cols`, ... before `to`, two of them at least: a cell of that column.
bool FitsColumn(const finder::Profile &profile, const finder::Cell &x, int from, int to, int cols)
{
    if (IsBlankCell(x))
        return false;
    int filled = 0;
    for (int i = from; i < to; i += cols) {
        const finder::Cell &y = profile.cells[i];
        if (IsBlankCell(y))
            continue;
        if (finder::Similarity(x, y) < finder::CompatibleAt)
            return false;
        ++filled;
    }
    return filled >= 2;
}

// True when the block `c` is read a line early: a title for its first cell, its last cell left
// alone under it as a cell of the column it belongs to, and text resuming after that. (`next` is
// where the next block starts.)
bool LastCellLeftUnder(const finder::Profile &profile, const Candidate &c, int next)
{
    using namespace finder;
    const std::vector<Cell> &cells = profile.cells;
    const int end = End(c), cols = c.cols;
    if (c.rows < 3 || c.cols < 2 || end >= next)
        return false;
    // (The title is unlike the column's values; the reading takes the header row for its
    // second row, so the column is read from its third.)
    const Cell &title = cells[c.first];
    if (!IsText(title.kind) || title.note || title.leadIn
        || Similarity(title, cells[c.first + 2 * cols]) >= CompatibleAt
        || !FitsColumn(profile, cells[end], c.first + 2 * cols, end, cols))
        return false;
    // (Text resumes after it, or the next block: the lines there make no row alike to the one
    // above them.)
    const int after = end + 1;
    return after == next || after + cols > profile.size() || ClosesBlock(profile, after)
        || !profile.RowAcceptable(after, cols)
        || profile.FilledAlike(after, cols, after - cols) < 0;
}

// True when the block `c` is read a line late: the first cell of a header row left alone above
// it, after text, and a line after the table taken for its last cell, unlike its column.
bool HeaderCellLeftAbove(const finder::Profile &profile, const Candidate &c, int free)
{
    using namespace finder;
    const std::vector<Cell> &cells = profile.cells;
    const int end = End(c), cols = c.cols, above = c.first - 1;
    if (c.rows < 3 || cols < 2 || above < free || !ClosesBlock(profile, above - 1))
        return false;
    // (Its first row is the header's last cells, no word heading columns among them, over the
    // first key, a cell of the column it opens.)
    const int key = c.first + cols - 1;
    if (std::any_of(
            cells.begin() + c.first, cells.begin() + key, [](const Cell &x) { return x.label; })
        || !FitsColumn(profile, cells[key], key + cols, end - 1, cols))
        return false;
    // (The header's first cell is a word, or blank over a count, the corner over row numbers:
    // an empty line over a header is as often spacing. A title naming the header or leading in
    // to it stands over the table.)
    const Cell &corner = cells[above];
    if (corner.kind == Kind::Empty
            ? profile.countPeriod[key] != cols
            : !IsShortText(corner) || corner.leadIn || profile.namesHeaderBelow[above])
        return false;
    for (int k = 1; k < cols; ++k)
        if (!HeaderLikeCell(profile, above + k, cols))
            return false;
    // (Its last cell is text after the table, or an empty line with text right after it.)
    const Cell &last = cells[end - 1];
    if (last.kind == Kind::Empty) {
        if (end >= profile.size() || cells[end].kind == Kind::Empty || !ClosesBlock(profile, end))
            return false;
    } else if (!(last.note || last.leadIn || Breaks(last)))
        return false;
    // (The column it would close holds no such cell above: there an empty cell or a note is the
    // column's own, and the reading may be in step.)
    for (int i = end - 1 - cols; i > c.first; i -= cols)
        if (last.kind == Kind::Empty ? IsBlankCell(cells[i]) : cells[i].note)
            return false;
    return true;
}

// A block read a line early or late scores almost as its reading in step, the columns rotated:
// its ends tell them apart, and it moves a line into step. (`marked` is in document order.) The
// line each block moved from, -1 where it stays.
std::vector<int> MoveIntoStep(
    const finder::Profile &profile, std::vector<std::pair<Candidate, bool>> &marked)
{
    std::vector<int> movedFrom(marked.size(), -1);
    for (std::size_t j = 0; j < marked.size(); ++j) {
        Candidate &c = marked[j].first;
        const int free = j > 0 ? End(marked[j - 1].first) : 0;
        const int next = j + 1 < marked.size() ? marked[j + 1].first.first : profile.size();
        if (LastCellLeftUnder(profile, c, next))
            movedFrom[j] = c.first++;
        else if (HeaderCellLeftAbove(profile, c, free))
            movedFrom[j] = c.first--;
    }
    return movedFrom;
}

// The set of non-overlapping blocks with the largest total gain, short of cutting a table row in
// two for a block only its frame makes a table.
std::vector<Candidate> BestSet(
    const std::vector<Candidate> &all, const std::vector<std::vector<int>> &startingAt, int n)
{
    // Gains this close are equal: sums in another order may differ in the last bits.
    constexpr double Tie = 1e-9;
    std::vector<double> best(n + 1, 0);
    std::vector<int> pick(n + 1, -1);
    // Where the best set from each line on starts its first block.
    std::vector<int> nextStart(n + 1, n);
    for (int i = n - 1; i >= 0; --i) {
        best[i] = best[i + 1];
        for (int k : startingAt[i]) {
            const Candidate &c = all[k];
            const int end = End(c);
            // A block that stops a row short of a longer reading of its rows that gains more cuts
            // that row in two when a block only its frame makes a table starts inside it, the
            // row's first cells left to no one (a list's last row read as a title over a list):
            // what little that block tells does not outweigh the rows, and the longer reading
            // takes the row.
            // (No block starts in that row when the set from there on is empty: nextStart is n.)
            if (nextStart[end] > end && nextStart[end] < std::min(n, end + c.cols)
                && all[pick[nextStart[end]]].frameOnly
                && std::any_of(startingAt[i].begin(), startingAt[i].end(), [&](int m) {
                       return all[m].cols == c.cols && all[m].rows > c.rows && all[m].gain > c.gain;
                   }))
                continue;
            const double total = c.gain + best[end];
            // Ties go to the narrower table: the smallest period that explains the block. A block
            // that ties with what starts a line later starts here: the later reading leaves this
            // line out of any table (a key read as a title, its block out of step).
            if (total > best[i] + Tie || (pick[i] < 0 && c.gain > 0 && total >= best[i] - Tie)
                || (pick[i] >= 0 && std::abs(total - best[i]) <= Tie
                    && c.cols < all[pick[i]].cols)) {
                best[i] = total;
                pick[i] = k;
            }
        }
        nextStart[i] = pick[i] >= 0 ? i : nextStart[i + 1];
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

// Rows of a block's own width left to no one right above it are its first rows when a reading
// that takes them and ends where it does is a candidate, unless the block opens on a word that
// heads columns: the set explains those lines (a header, a first row unlike the rest) rather
// than gain the little more a shorter reading scores.
void TakeRowsAbove(const finder::Profile &profile, const std::vector<Candidate> &all,
    const std::vector<std::vector<int>> &startingAt, std::vector<Candidate> &chosen)
{
    for (std::size_t j = 0; j < chosen.size(); ++j) {
        Candidate &c = chosen[j];
        const int free = j > 0 ? End(chosen[j - 1]) : 0;
        if (OpensOnLabel(profile, c))
            continue;
        const Candidate *longer = nullptr;
        for (int i = free; i < c.first; ++i) {
            for (int k : startingAt[i]) {
                const Candidate &o = all[k];
                if (o.cols == c.cols && End(o) == End(c) && !o.frameOnly
                    && (!longer || (o.first == longer->first && o.gain > longer->gain)))
                    longer = &o;
            }
            if (longer)
                break;
        }
        if (longer)
            c = *longer;
    }
}

// A narrower block within the row right above a block, give or take a title over it, is that
// block's header read down (dates read as pairs over rows of marks): the reading of the wider
// width from that row is taken where it is a candidate that gains more than the block alone.
void TakeHeaderReadDown(const std::vector<Candidate> &all,
    const std::vector<std::vector<int>> &startingAt, std::vector<Candidate> &chosen)
{
    for (std::size_t j = 1; j < chosen.size();) {
        const Candidate &a = chosen[j - 1], &b = chosen[j];
        const int top = b.first - b.cols;
        // (Not over a block above `a` in that row: proposals never overlap.)
        const Candidate *both = b.cols >= finder::HeaderReadDownMinCols && a.cols < b.cols
                && top >= 0 && a.first >= top - 1 && End(a) <= b.first
                && (j < 2 || End(chosen[j - 2]) <= top)
            ? BestReading(all, startingAt, top, top, b.cols, b.gain,
                [&](const Candidate &o) { return End(o) == End(b); })
            : nullptr;
        if (!both) {
            ++j;
            continue;
        }
        chosen[j - 1] = *both;
        chosen.erase(chosen.begin() + int(j));
    }
}

// A block that starts inside a row of a reading of its width over all of it, that reading
// starting in the lines left to no one above it and ending before the next block, reads its
// rows out of step: cells of a row on two of its rows, the table's first cells and last
// cells left to no one. The reading in step explains every line it does and those too.
void ReadInStep(const finder::Profile &profile, const std::vector<Candidate> &all,
    const std::vector<std::vector<int>> &startingAt, std::vector<Candidate> &chosen, int n)
{
    for (std::size_t j = 0; j < chosen.size(); ++j) {
        Candidate &c = chosen[j];
        const int free = j > 0 ? End(chosen[j - 1]) : 0;
        const int next = j + 1 < chosen.size() ? chosen[j + 1].first : n;
        // (A block opening on a header row starts its table there.)
        if (free >= c.first || finder::HeaderLikeRow(profile, c.first, c.cols))
            continue;
        const Candidate *inStep = BestReading(all, startingAt, free, c.first - 1, c.cols,
            std::numeric_limits<double>::lowest(), [&](const Candidate &o) {
                return (c.first - o.first) % c.cols != 0 && End(o) > End(c)
                    && End(o) < End(c) + c.cols && End(o) <= next
                    && RowEndsAlike(profile, End(c), End(o), c.cols)
                    && NoNotes(profile, o.first, c.first);
            });
        if (inStep)
            c = *inStep;
    }
}

// A block of a table's width right under it, headed by no word that heads columns, goes on that
// table: a table split where its first column changes kind reads as one when a reading of both
// is a candidate.
void JoinSplitTables(const finder::Profile &profile, const std::vector<Candidate> &all,
    const std::vector<std::vector<int>> &startingAt, std::vector<Candidate> &chosen)
{
    for (std::size_t j = 0; j + 1 < chosen.size();) {
        const Candidate &a = chosen[j], &b = chosen[j + 1];
        const bool meet = End(a) == b.first && a.cols == b.cols && a.cols >= 2;
        // (A header said again heads a table of its own, and so do words over numbers again;
        // the rows of both are read at one width only where they meet at it.)
        const bool header = OpensOnLabel(profile, b)
            || profile.cells[b.first].text == profile.cells[a.first].text
            || (meet && b.rows >= 2
                && finder::SecondHeaderRow(profile, a.first, a.rows + b.rows, a.cols) == a.rows);
        const Candidate *both = nullptr;
        if (meet && !header)
            for (int k : startingAt[a.first])
                if (all[k].cols == a.cols && End(all[k]) == End(b) && !all[k].frameOnly
                    && all[k].gain >= a.gain + b.gain - finder::SplitReadingMargin)
                    both = &all[k];
        if (!both) {
            ++j;
            continue;
        }
        chosen[j] = *both;
        chosen.erase(chosen.begin() + int(j) + 1);
    }
}

// A list under a table, inside a longer reading of it that gains more than the table alone,
// is that table's last rows: a list has no rows of its own to stand against the table's (a
// totals row, rows of the table read down as one column), and the lines between are its too.
// The longer reading may start in the lines left to no one within a row above the table.
void TakeListsUnder(const std::vector<Candidate> &all,
    const std::vector<std::vector<int>> &startingAt, std::vector<Candidate> &chosen, int n)
{
    for (std::size_t j = 0; j + 1 < chosen.size();) {
        const Candidate &a = chosen[j], &b = chosen[j + 1];
        const int free = std::max(j > 0 ? End(chosen[j - 1]) : 0, a.first - a.cols + 1);
        const int next = j + 2 < chosen.size() ? chosen[j + 2].first : n;
        const Candidate *longer = b.cols == 1 && a.cols > 1
            ? BestReading(all, startingAt, free, a.first, a.cols, a.gain,
                [&](const Candidate &o) { return End(o) >= End(b) && End(o) <= next; })
            : nullptr;
        if (!longer) {
            ++j;
            continue;
        }
        chosen[j] = *longer;
        chosen.erase(chosen.begin() + int(j) + 1);
    }
}

// The best set (BestSet), mended where it reads a table in pieces or out of step: a header read
// down over its rows, rows left to no one above a block, a block starting inside a row, a table
// split where its first column changes kind, a list under a table. (Last rows left under a block
// join it later, once the guesses are in: LastRowsKept.)
std::vector<Candidate> Choose(
    const finder::Profile &profile, const std::vector<Candidate> &all, int n)
{
    const std::vector<std::vector<int>> startingAt = StartingAt(all, n);
    std::vector<Candidate> chosen = BestSet(all, startingAt, n);
    TakeHeaderReadDown(all, startingAt, chosen);
    TakeRowsAbove(profile, all, startingAt, chosen);
    ReadInStep(profile, all, startingAt, chosen, n);
    JoinSplitTables(profile, all, startingAt, chosen);
    TakeListsUnder(all, startingAt, chosen, n);
    return chosen;
}

// 1 / (1 + e^-x), without the maths library, which the command line does not link: e^-x as
// 2^k e^r with |r| <= ln 2 / 2, e^r by its series to well past double precision.
double Logistic(double x)
{
    constexpr double Ln2Hi = 0.693147180369123816490, Ln2Lo = 1.90821492927058770002e-10;
    const double y = -std::clamp(x, -700.0, 700.0);
    const int k = static_cast<int>(y / (Ln2Hi + Ln2Lo) + (y < 0 ? -0.5 : 0.5));
    const double r = (y - k * Ln2Hi) - k * Ln2Lo;
    double term = 1, sum = 1;
    for (int i = 1; i <= 16; ++i) {
        term *= r / i;
        sum += term;
    }
    for (int i = 0; i < k; ++i)
        sum *= 2;
    for (int i = 0; i > k; --i)
        sum /= 2;
    return 1 / (1 + sum);
}

// Best totals over the lines before each line (prefix) and from each line on (suffix).
struct Totals {
    std::vector<double> before, from;
};

Totals BestTotals(const std::vector<Candidate> &all, int n)
{
    Totals t { std::vector<double>(n + 1, 0), std::vector<double>(n + 1, 0) };
    const std::vector<std::vector<int>> startingAt = StartingAt(all, n);
    std::vector<std::vector<int>> endingAt(n + 1);
    for (int k = 0; k < int(all.size()); ++k)
        endingAt[End(all[k])].push_back(k);
    for (int i = n - 1; i >= 0; --i) {
        t.from[i] = t.from[i + 1];
        for (int k : startingAt[i])
            t.from[i] = std::max(t.from[i], all[k].gain + t.from[i + all[k].rows * all[k].cols]);
    }
    for (int i = 1; i <= n; ++i) {
        t.before[i] = t.before[i - 1];
        for (int k : endingAt[i])
            t.before[i] = std::max(t.before[i], t.before[all[k].first] + all[k].gain);
    }
    return t;
}

// The last pass: how sure each chosen block is, from what any table shows. Its readings
// elsewhere (how much the best set loses without it, how near the best rival comes), its header
// words, its frame and its size weigh in; guesses keep what they were given. (`readRows`: the
// rows each block was chosen with.)
void Assure(const finder::Profile &profile, const std::vector<Candidate> &all,
    std::vector<Candidate> &chosen, const std::vector<bool> &guessed,
    const std::vector<int> &movedFrom, const std::vector<int> &readRows)
{
    using namespace finder;
    const int n = profile.size();
    const Totals totals = BestTotals(all, n);
    const double best = totals.from[0];
    // Only blocks starting at most the longest block's length above one can overlap it.
    const std::vector<std::vector<int>> startingAt = StartingAt(all, n);
    int longest = 1;
    for (const Candidate &o : all)
        longest = std::max(longest, o.rows * o.cols);
    for (std::size_t j = 0; j < chosen.size(); ++j) {
        Candidate &c = chosen[j];
        if (guessed[j])
            continue;
        const int end = End(c), readEnd = c.first + readRows[j] * c.cols;
        // Without it, the best set splits inside it or takes another block over all of it. (Rows
        // taken under it afterwards are sure as the block is: its reading as chosen is no rival.)
        double without = 0, rival = 0;
        for (int i = c.first + 1; i < readEnd; ++i)
            without = std::max(without, totals.before[i] + totals.from[i]);
        for (int i = std::max(0, c.first - longest + 1); i < end; ++i)
            for (int k : startingAt[i]) {
                const Candidate &o = all[k];
                const int oEnd = End(o);
                // (A block moved into step has its own reading a line off for no rival.)
                if ((o.first == c.first && (o.rows == c.rows || o.rows == readRows[j])
                        && o.cols == c.cols)
                    || oEnd <= c.first || o.first >= end
                    || (o.first == movedFrom[j] && o.cols == c.cols))
                    continue;
                rival = std::max(rival, o.gain);
                if (o.first <= c.first && oEnd >= end)
                    without
                        = std::max(without, totals.before[o.first] + o.gain + totals.from[oEnd]);
            }
        const double lost = std::max(0.0, best - without);
        int labels = 0;
        for (int i = c.first; i < end && i < c.first + c.cols; ++i)
            labels += profile.cells[i].label ? 1 : 0;
        const bool tableAbove = j > 0 && End(chosen[j - 1]) == c.first;
        const bool tableBelow = j + 1 < chosen.size() && chosen[j + 1].first == end;
        // (A table right above its title frames it too, when the title names the header under it:
        // "Terms" over "Term".)
        const bool titledAbove
            = j > 0 && profile.namesHeaderBelow[c.first - 1] && End(chosen[j - 1]) == c.first - 1;
        const bool framedAbove = c.first == 0 || tableAbove || titledAbove
            || profile.cells[c.first - 1].kind == Kind::Empty || Breaks(profile.cells[c.first - 1]);
        const bool numberBeside
            = (c.first > 0 && !tableAbove && IsNumeric(profile.cells[c.first - 1].kind))
            || (end < n && !tableBelow && IsNumeric(profile.cells[end].kind));
        double evidence = SureBase + SureLost * lost / (lost + ConfidenceExtraCols + c.cols)
            + SureFound * c.confidence
            - SureRival * std::min(SureRivalCap, rival / std::max(c.gain, SureGainFloor));
        evidence += labels > 0 ? SureHeaderWords : 0;
        evidence += framedAbove ? SureFramedAbove : 0;
        evidence -= numberBeside ? SureNumberBeside : 0;
        evidence -= c.rows <= SureThinRows ? SureThin : 0;
        evidence -= c.cols == 1 ? SureOneColumn : 0;
        c.confidence = Logistic(evidence);
    }
}

std::vector<Candidate> ChooseTables(const Finder &finder)
{
    const std::vector<Candidate> all = finder::AllCandidates(finder.profile, finder.runs);
    // The chooser weighs each block's traits too; how sure a block is stays told by its gain.
    std::vector<Candidate> corrected = all;
    for (Candidate &c : corrected)
        c.gain += finder::ChooserCorrection(finder.profile, c);
    std::vector<Candidate> chosen = Choose(finder.profile, corrected, finder.profile.size());
    for (Candidate &c : chosen)
        c.gain -= finder::ChooserCorrection(finder.profile, c);
    // Where nothing is chosen, a framed run of short lines is proposed at its likeliest size.
    std::vector<Candidate> guesses = finder::GuessTables(finder.profile, chosen);
    // A guessed list that names a thing twice is a wider table read down one column.
    std::erase_if(guesses, [&](const Candidate &c) {
        const auto &cells = finder.profile.cells;
        const int end = End(c);
        for (int i = c.first; i < end; ++i)
            if ((cells[i].kind == finder::Kind::Word || cells[i].kind == finder::Kind::Phrase)
                && finder.profile.nextSame[i] < end)
                return true;
        return false;
    });
    // Where neither stands, a framed run read at a width whose columns keep their kinds.
    finder::FramedRunGuesses(finder.profile, chosen, guesses);
    // (Guesses are told apart by their place: after the blocks chosen, until sorted.)
    std::vector<std::pair<Candidate, bool>> marked;
    for (const Candidate &c : chosen)
        marked.emplace_back(c, false);
    for (const Candidate &c : guesses)
        marked.emplace_back(c, true);
    // A block that only the text around it makes a table keeps worse readings and guesses off its
    // lines, but is not proposed unasked: its size is anyone's guess, running on into a signature
    // or an address as readily as stopping, or starting a line off.
    std::erase_if(marked, [](const auto &m) { return m.first.frameOnly; });
    std::sort(marked.begin(), marked.end(),
        [](const auto &x, const auto &y) { return x.first.first < y.first.first; });
    const std::vector<int> movedFrom = MoveIntoStep(finder.profile, marked);
    std::vector<int> readRows; // the rows each block was chosen with, before the rows under it
    for (const auto &m : marked)
        readRows.push_back(m.first.rows);
    // Rows of a block's width left to no one right under it, their keys keeping the key column
    // and the text closing after them, are the block's last rows, whatever their values hold.
    for (std::size_t j = 0; j < marked.size(); ++j) {
        Candidate &c = marked[j].first;
        const int next = j + 1 < marked.size() ? marked[j + 1].first.first : finder.profile.size();
        if (const int kept = finder::LastRowsKept(finder.profile, c, next)) {
            c.gain += kept * c.gain / c.rows;
            c.rows += kept;
        }
        // (Empty rows under it, left for entries to come, with the text resuming after them: not
        // under rows of sentences, definitions or remarks, which end where their text does.)
        const int empty = finder::EmptyRowsAfter(finder.profile, c.first, c.rows, c.cols);
        if (empty > 0 && c.rows >= 2 && End(c) + empty * c.cols <= next
            && NoNotes(finder.profile, End(c) - c.cols, End(c)))
            c.rows += empty;
    }
    chosen.clear();
    std::vector<bool> guessed;
    for (const auto &[c, guess] : marked) {
        chosen.push_back(c);
        guessed.push_back(guess);
    }
    Assure(finder.profile, all, chosen, guessed, movedFrom, readRows);
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
    for (const Candidate &c : ChooseTables(finder))
        proposals.push_back(ToProposal(state, c));
    return proposals;
}

std::optional<TableProposal> ProposeTableAt(const ConversionState &state, int line)
{
    const Finder finder(state);
    if (line < 1 || line > finder.profile.size())
        return std::nullopt;
    // A table the finder proposes unasked keeps its size when its first cell is named.
    for (const Candidate &c : ChooseTables(finder))
        if (c.first == line - 1)
            return ToProposal(state, c);
    std::vector<Candidate> here;
    for (int cols = 1; cols <= finder::MaxCols; ++cols)
        finder::CandidatesAt(finder.profile, line - 1, cols, here, MaxLines, true);
    if (const auto table = finder::HeaderTableAt(finder.runs, line - 1, true))
        here.push_back(*table);
    if (here.empty())
        return std::nullopt;
    const auto best = std::max_element(here.begin(), here.end(),
        [](const Candidate &x, const Candidate &y) { return x.gain < y.gain; });
    return ToProposal(state, *best);
}

} // namespace cellwright
