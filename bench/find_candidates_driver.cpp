// Prints every candidate block the finder weighs for each document named, before it chooses:
// FILE, line, rows, columns, gain, whether only its frame makes it a table, its confidence and
// its traits (below), tab-separated.
// Set beside a truth file, it tells a miss the chooser passed over from one it never saw.
#include "find_tables/candidates.h"
#include "find_tables/header_runs.h"
#include "find_tables/profile.h"
#include "read_paper.h"

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

using namespace cellwright;
using namespace cellwright::finder;

namespace {

// What a candidate shows of itself and its frame, each 0..1, as bench/fit-chooser-weights
// weighs them to fit the chooser's correction to its gain (its TRAITS, in this order).
enum Trait {
    TraitOpenedAbove, // an empty line, a break or the document's start above
    TraitClosedBelow, // an empty line, a break, a note or the document's end below
    TraitNumberAbove, // a number right above
    TraitNumberBelow, // a number right below
    TraitHeaderWords, // share of the first row's cells that are words heading columns
    TraitHeaderText, // every cell of the first row is text
    TraitKindsKept, // share of columns whose cells under the first row keep one kind
    TraitLastRowEmpty, // share of the last row's cells empty
    TraitBlankCells, // share of the block's cells blank
    TraitNotes, // share of the block's cells that are notes
    TraitFrameOnly,
    TraitOneColumn,
    TraitTwoColumns,
    TraitFewRows, // three rows or fewer
    TraitEmptyAbove, // an empty line right above
    TraitEmptyBelow, // an empty line right below
    TraitTitleAbove, // a short text that heads no column right above
    TraitTitleBelow, // the same right below
    TraitFirstRowAlike, // share of the first row's cells of the kind of the cell under them
    TraitLastRowFull, // every cell of the last row filled
    TraitNumberBelowAlone, // a number right below that opens no other candidate
    TraitCount
};

// Numbers, texts and blanks: the kinds a column keeps.
int KindClass(Kind k)
{
    return IsNumeric(k) ? 1 : IsText(k) ? 2 : 0;
}

// `starts`: for each line and one past the last, whether a candidate starts there.
std::array<double, TraitCount> Traits(
    const Profile &profile, const Candidate &c, const std::vector<bool> &starts)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size(), end = c.first + c.rows * c.cols;
    std::array<double, TraitCount> t {};
    const auto opens = [&](int i) {
        return i < 0 || i >= n || cells[i].kind == Kind::Empty || Breaks(cells[i]);
    };
    t[TraitOpenedAbove] = opens(c.first - 1) ? 1 : 0;
    t[TraitClosedBelow] = opens(end) || cells[end].note ? 1 : 0;
    t[TraitNumberAbove] = c.first > 0 && IsNumeric(cells[c.first - 1].kind) ? 1 : 0;
    t[TraitNumberBelow] = end < n && IsNumeric(cells[end].kind) ? 1 : 0;
    int labels = 0, text = 0;
    for (int i = c.first; i < c.first + c.cols && i < end; ++i) {
        labels += cells[i].label ? 1 : 0;
        text += IsText(cells[i].kind) ? 1 : 0;
    }
    t[TraitHeaderWords] = double(labels) / c.cols;
    t[TraitHeaderText] = text == c.cols ? 1 : 0;
    int kept = 0;
    for (int k = 0; k < c.cols; ++k) {
        int seen = 0;
        bool one = true;
        for (int i = c.first + c.cols + k; i < end; i += c.cols) {
            const int cls = KindClass(cells[i].kind);
            if (cls == 0)
                continue;
            one = one && (seen == 0 || seen == cls);
            seen = cls;
        }
        kept += one && seen != 0 ? 1 : 0;
    }
    t[TraitKindsKept] = double(kept) / c.cols;
    int lastEmpty = 0, blank = 0, notes = 0;
    for (int i = end - c.cols; i < end; ++i)
        lastEmpty += cells[i].kind == Kind::Empty ? 1 : 0;
    for (int i = c.first; i < end; ++i) {
        blank += IsBlankCell(cells[i]) ? 1 : 0;
        notes += cells[i].note ? 1 : 0;
    }
    t[TraitLastRowEmpty] = double(lastEmpty) / c.cols;
    t[TraitBlankCells] = double(blank) / (end - c.first);
    t[TraitNotes] = double(notes) / (end - c.first);
    t[TraitFrameOnly] = c.frameOnly ? 1 : 0;
    t[TraitOneColumn] = c.cols == 1 ? 1 : 0;
    t[TraitTwoColumns] = c.cols == 2 ? 1 : 0;
    t[TraitFewRows] = c.rows <= 3 ? 1 : 0;
    t[TraitEmptyAbove] = c.first > 0 && cells[c.first - 1].kind == Kind::Empty ? 1 : 0;
    t[TraitEmptyBelow] = end < n && cells[end].kind == Kind::Empty ? 1 : 0;
    t[TraitTitleAbove] = c.first > 0 && IsTitle(cells[c.first - 1]) ? 1 : 0;
    t[TraitTitleBelow] = end < n && IsTitle(cells[end]) ? 1 : 0;
    int alike = 0;
    for (int i = c.first; i < c.first + c.cols && i + c.cols < end; ++i)
        alike += KindClass(cells[i].kind) == KindClass(cells[i + c.cols].kind) ? 1 : 0;
    t[TraitFirstRowAlike] = double(alike) / c.cols;
    t[TraitLastRowFull] = lastEmpty == 0 ? 1 : 0;
    t[TraitNumberBelowAlone] = t[TraitNumberBelow] > 0 && !starts[end] ? 1 : 0;
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::optional<ConversionState> state = ReadPaper(argv[i]);
        if (!state) {
            ++failures;
            continue;
        }
        const finder::Profile profile(*state);
        const std::vector<finder::Candidate> all
            = finder::AllCandidates(profile, finder::FindHeaderRuns(profile));
        std::vector<bool> starts(profile.size() + 1, false);
        for (const finder::Candidate &c : all)
            starts[c.first] = true;
        for (const finder::Candidate &c : all) {
            std::printf("%s\t%d\t%d\t%d\t%.4f\t%d\t%.4f", argv[i], c.first + 1, c.rows, c.cols,
                c.gain, c.frameOnly ? 1 : 0, c.confidence);
            for (double t : Traits(profile, c, starts))
                std::printf("\t%.4f", t);
            std::printf("\n");
        }
    }
    return failures == 0 ? 0 : 1;
}
