// A converted table as a whole tabular environment with booktabs rules: one column letter per
// grid column (r where the body's cells are all numbers), the header rows set off by \midrule,
// a \cmidrule under each cell that spans columns in a header row above the last.
#pragma once

#include "table_shape.h"

#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

// True when the cell reads as a number: a sign (the Unicode minus and ± included), digits with
// at most one decimal point or comma, an exponent, a percent sign at the end; spaces around it.
bool ReadsAsNumber(std::u16string_view cell);

// A table's cells as the environment needs them: for each row, the text of each grid place a
// cell of one column starts at, and which places a wider cell or a merge covers.
struct TabularCells {
    int Cols = 0;
    // Rows[r][c]: the text at row r, grid column c; Decides[r][c] false where that place is part
    // of a cell spanning columns (such cells decide no column).
    std::vector<std::vector<std::u16string>> Text;
    std::vector<std::vector<bool>> Decides;
};

// The column letters: r for a column whose every non-empty body cell (below the header rows) that
// decides it reads as a number, l otherwise, and for a column with no such cell.
std::u16string ColumnLetters(const TabularCells &cells, int headerRows);

// The header rows of a known table: the rows the document marks; else the first row with every
// following row that holds a place covered from above by a cell of the first; at least one.
int HeaderRowCount(const TableShape &shape);

// The lines that go around the converted rows, each a line of its own: the lines before the first
// row, the lines after each row (a \cmidrule line, the \midrule), and those after the last.
struct TabularFrame {
    std::vector<std::u16string> Before;
    std::vector<std::vector<std::u16string>> AfterRow; // one entry per row
    std::vector<std::u16string> After;
};

// headerRows rows of rowCount are the header; spans lists, for each header row, the grid columns
// (first, count) of its cells spanning more than one column.
TabularFrame MakeTabularFrame(std::u16string_view letters, int rowCount, int headerRows,
    const std::vector<std::vector<std::pair<int, int>>> &spans);

} // namespace cellwright
