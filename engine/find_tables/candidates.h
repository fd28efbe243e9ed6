// Candidates: every block of lines that reads as a table, found by its rows (alike to the rows
// below them, under a header row that stands apart) or by a header run, with its score.
#pragma once

#include "find_tables/header_runs.h"
#include "find_tables/profile.h"

#include <vector>

namespace cellwright::finder {

// Adds the block of `cols` columns whose header row starts at `first`, with as many rows as
// follow alike (at most `rowLimit`), when its lines read as a table; `toldStart` (the user typed
// that first cell) takes weaker evidence, since where the table starts is known. A block that
// ends where `titlesNext` is set (the title of a sure table) is framed as by text.
void CandidatesAt(const Profile &profile, int first, int cols, std::vector<Candidate> &out,
    int rowLimit = MaxLines, bool toldStart = false, const std::vector<bool> *titlesNext = nullptr);

// Every candidate of the document for the best set to be chosen from: blocks found by their
// rows, blocks of header runs, and blocks cut short where another could start. Of the readings
// of one block as K columns and as multiples of K, only K's is kept.
std::vector<Candidate> AllCandidates(const Profile &profile, const std::vector<HeaderRun> &runs);

} // namespace cellwright::finder
