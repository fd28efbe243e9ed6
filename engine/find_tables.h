// Finding tables in a cell-per-line document: which runs of lines read as rows of cells, where
// each such block starts and how many rows and columns it has.
#pragma once

#include "conversion_state.h"

#include <optional>
#include <string>
#include <vector>

namespace cellwright {

// One table the finder proposes. Line numbers count in the document as read (SourceLines,
// 1-based), i.e. the numbers the user's editor shows.
struct TableProposal {
    int FirstLine = 0; // line of the top-left cell
    std::u16string FirstCell; // that line with leading/trailing spaces (code 32) removed,
                              // exactly what CaptureTableSettings would compare
    int Rows = 0;
    int Cols = 0;
    double Confidence = 0; // 0..1, higher is surer

    bool operator==(const TableProposal &) const = default;
};

// Proposals over SourceLines[1..SourceLineCount], in document order, never overlapping,
// never running past the last line.
std::vector<TableProposal> FindTables(const ConversionState &state);

// The size of the block whose top-left cell is at `line` (1-based, document as read), or
// nothing when no size can be proposed there.
std::optional<TableProposal> ProposeTableAt(const ConversionState &state, int line);

} // namespace cellwright
