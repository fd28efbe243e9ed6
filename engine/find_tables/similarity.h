// How alike two cells are as members of one column.
#pragma once

#include "find_tables/cell_kind.h"

namespace cellwright::finder {

// From 0 (never in one column) to 1 (the same layout).
double Similarity(const Cell &x, const Cell &y);

} // namespace cellwright::finder
