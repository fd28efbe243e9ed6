// The tables to offer the user: a word-processor document's own tables, exactly and in order, or
// else, in a text export, what the finder proposes.
#pragma once

#include "conversion_state.h"
#include "find_tables.h"

#include <optional>
#include <vector>

namespace cellwright {

std::vector<TableProposal> ProposeTables(const ConversionState &state);

// The table whose top-left cell is at line (document as read), or nothing.
std::optional<TableProposal> ProposeTable(const ConversionState &state, int line);

// The shape of the table the document knows at line, or null.
const TableShape *KnownTableAt(const ConversionState &state, int line);

} // namespace cellwright
