// Header runs: columns of the same kind of number show their width only in the header above
// them. A run of H short words set apart from what precedes it, directly over a run of numbers
// that fills whole rows of H and ends where a table ends (prose, a caption, an empty line, the
// document's end, or the next such header), is a table of H columns.
#pragma once

#include "find_tables/profile.h"

#include <optional>
#include <vector>

namespace cellwright::finder {

struct HeaderRun {
    int first = 0; // the first header cell
    int end = 0; // one past the numbers that fill whole rows
    bool fits = false; // whole rows of numbers under a header of 2 to MaxCols cells
    bool startsWell = false;
    bool endsWell = false;
    Candidate candidate;
};

// Every run of short text followed by numbers, in document order.
std::vector<HeaderRun> FindHeaderRuns(const Profile &profile);

// The block a header run at `first` describes, when the run is one: `toldStart` leaves out what
// is asked of the line above, since the user said the table starts there.
std::optional<Candidate> HeaderTableAt(
    const std::vector<HeaderRun> &runs, int first, bool toldStart);

} // namespace cellwright::finder
