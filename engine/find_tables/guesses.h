// Guesses: where no block is chosen, a run of short lines framed by text is as often a small
// table as not; its likeliest size is proposed, unsure, so that the user checks it.
#pragma once

#include "find_tables/profile.h"

#include <vector>

namespace cellwright::finder {

// Blocks of two or three columns over the runs of short lines that `chosen` leaves uncovered,
// never overlapping it.
std::vector<Candidate> GuessTables(const Profile &profile, const std::vector<Candidate> &chosen);

// Runs of lines framed by what no table holds (or by two empty lines, or the document's ends; one
// empty line inside is an empty cell), read from their first line and from a line or two lower
// (a title, a caption over the header), to their end or to an empty line inside them, at every
// width whose columns keep their kinds. Where neither `chosen` nor `guesses` stands, the
// readings that gain most are added to `guesses`.
void FramedRunGuesses(
    const Profile &profile, const std::vector<Candidate> &chosen, std::vector<Candidate> &guesses);

} // namespace cellwright::finder
