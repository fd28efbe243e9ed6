// The exact shape of a table that a word-processor document knows: which line holds which cell,
// where each cell sits on the table's grid and how far it spans. A text export loses this; a
// document read from its package keeps it, and the conversion then needs no sizes from the user.
#pragma once

#include <string>
#include <vector>

namespace cellwright {

// One line of a table in the document: a cell, or the place below a cell that spans rows.
struct ShapeCell {
    int Column = 0; // first grid column it covers, from 0
    int ColSpan = 1; // grid columns it covers, 1 or more
    int RowSpan = 1; // rows it covers (on its first row; 1 on the rows it covers below)
    bool CoveredFromAbove = false; // an empty line standing for a cell merged into the one above

    bool operator==(const ShapeCell &) const = default;
};

struct ShapeRow {
    // One entry per line of the row, left to right; grid places no entry covers (skipped
    // columns, a row shorter than the grid) have no line.
    std::vector<ShapeCell> Cells;
    bool operator==(const ShapeRow &) const = default;
};

struct TableShape {
    int FirstLine = 0; // line of the top-left cell, 1-based, in the document's lines
    int Cols = 0; // grid columns: the widest row, skipped places included
    int HeaderRows = 0; // rows the document marks as repeated headers, from the top
    std::vector<ShapeRow> Rows;

    // How many lines the table occupies: one per entry of every row.
    int LineCount() const
    {
        int lines = 0;
        for (const ShapeRow &row : Rows)
            lines += static_cast<int>(row.Cells.size());
        return lines;
    }
    bool operator==(const TableShape &) const = default;
};

} // namespace cellwright
