// Guesses: where no block is chosen, a run of short lines framed by text is as often a small
// table as not; its likeliest size is proposed, unsure, so that the user checks it.
#pragma once

#include "find_tables/profile.h"

#include <vector>

namespace cellwright::finder {

// Blocks of two or three columns over the runs of short lines that `chosen` leaves uncovered,
// never overlapping it.
std::vector<Candidate> GuessTables(const Profile &profile, const std::vector<Candidate> &chosen);

} // namespace cellwright::finder
