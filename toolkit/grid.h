// Grid: a read-only table of text cells, Rows × Cols, addressed from (0, 0); each column is as
// wide as its widest cell.
#pragma once

#include "control.h"

namespace cellwright {

class Grid : public Control {
public:
    explicit Grid(Form &form);

    // Number of rows and columns; lowering them drops the cells beyond, raising them adds
    // empty ones.
    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);

    // Text of cell (row, col); "" outside the grid. Setting a cell outside the grid does nothing.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);

    // The text beside row r, "" outside the grid. The grid shows a column of row labels once one
    // is set; a row without a label of its own shows its number, counted from 1.
    QString RowLabel(int row) const;
    void setRowLabel(int row, const QString &text);

    // Empties every cell; the size and the row labels stay.
    void Clear();
};

} // namespace cellwright
