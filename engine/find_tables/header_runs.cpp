#include "find_tables/header_runs.h"

#include "find_tables/scoring.h"
#include "find_tables/tuning.h"

#include <algorithm>

namespace cellwright::finder {

namespace {

bool HeaderCell(const Profile &profile, int i)
{
    const Kind k = profile.cells[i].kind;
    return (k == Kind::Word || k == Kind::Phrase || k == Kind::Code) && !profile.cells[i].note;
}

// The header run of `cols` cells right above the numbers from `dataFirst`, the last of them at
// `lastNumber`, followed by blank cells up to `runEnd`.
HeaderRun FitRows(const Profile &profile, int dataFirst, int cols, int lastNumber, int runEnd)
{
    const std::vector<Cell> &cells = profile.cells;
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
        && profile.emptyBefore[run.end] - profile.emptyBefore[dataFirst]
            <= length / HeaderRunCellsPerBlank;
    // Every row holds a number.
    for (int row = dataFirst; run.fits && row < run.end; row += cols) {
        bool number = false;
        for (int c = 0; c < cols; ++c)
            number = number || IsNumeric(cells[row + c].kind);
        run.fits = number;
    }
    return run;
}

// A header run starts a table after the text around tables or right after another table (the
// numbers of one whose header is a run too); rows of a wider table, a few words and some
// numbers repeating alike, must not read as a table each.
bool StartsWell(const Profile &profile, const HeaderRun &run, const HeaderRun *before)
{
    const std::vector<Cell> &cells = profile.cells;
    const int first = run.first;
    if (first == 0 || Breaks(cells[first - 1]))
        return true;
    const auto opens
        = [&](int i) { return i < 0 || Breaks(cells[i]) || cells[i].kind == Kind::Empty; };
    // A title on its own line right above the header.
    if (HeaderCell(profile, first - 1))
        return first < 2 || opens(first - 2) || cells[first - 2].note;
    if (cells[first - 1].kind != Kind::Empty && !cells[first - 1].note)
        return before && before->end == first && before->fits && before->startsWell
            && before->endsWell;
    // One line stands between: a short title on its own, numbers of an earlier block, or a
    // paragraph too short to tell from a cell.
    const int q = first - 2;
    if (opens(q))
        return true;
    if (HeaderCell(profile, q))
        return opens(q - 1);
    // The same shape again right after a line is a row of a wider table, unless the block
    // before it stood on its own.
    if (before && before->end == first - 1 && before->candidate.cols == run.candidate.cols
        && before->candidate.rows == run.candidate.rows)
        return before->fits && before->startsWell && before->endsWell;
    return true;
}

} // namespace

std::vector<HeaderRun> FindHeaderRuns(const Profile &profile)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<HeaderRun> runs;
    for (int i = 0; i < n;) {
        if (!HeaderCell(profile, i)) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < n && HeaderCell(profile, i))
            ++i;
        int lastNumber = -1, runEnd = i;
        while (runEnd < n && (IsNumeric(cells[runEnd].kind) || IsBlankCell(cells[runEnd]))) {
            if (IsNumeric(cells[runEnd].kind))
                lastNumber = runEnd;
            ++runEnd;
        }
        if (lastNumber < 0)
            continue;
        HeaderRun run = FitRows(profile, i, i - start, lastNumber, runEnd);
        // A title right above the header, with nothing between, makes the run a word too long.
        // (Numbers that fill rows of both widths under a first word that heads no column are read
        // at the width they keep their shapes at.)
        if (i - start >= TitledHeaderRunCells) {
            const HeaderRun titled = FitRows(profile, i, i - start - 1, lastNumber, runEnd);
            if (titled.fits
                && (!run.fits
                    || (!cells[start].label
                        && profile.MeanAlike(i, run.end, i - start - 1)
                            > profile.MeanAlike(i, run.end, i - start))))
                run = titled;
        }
        runs.push_back(run);
    }
    for (size_t k = 0; k < runs.size(); ++k) {
        HeaderRun &run = runs[k];
        const HeaderRun *before = k > 0 ? &runs[k - 1] : nullptr;
        const HeaderRun *after = k + 1 < runs.size() ? &runs[k + 1] : nullptr;
        run.startsWell = StartsWell(profile, run, before);
        const int end = run.end;
        run.endsWell = end == n || cells[end].kind == Kind::Empty || Breaks(cells[end])
            || cells[end].note || (after && after->first == end && after->fits);
        if (!run.fits)
            continue;
        const int cols = run.candidate.cols;
        run.candidate.gain = HeaderRunGain(profile, run.first, end, cols);
        run.candidate.confidence = HeaderRunConfidence(run.candidate.gain, cols);
    }
    return runs;
}

std::optional<Candidate> HeaderTableAt(
    const std::vector<HeaderRun> &runs, int first, bool toldStart)
{
    const auto run = std::lower_bound(runs.begin(), runs.end(), first,
        [](const HeaderRun &r, int line) { return r.first < line; });
    if (run == runs.end() || run->first != first || !run->fits || !run->endsWell
        || !(run->startsWell || toldStart))
        return std::nullopt;
    return run->candidate;
}

} // namespace cellwright::finder
