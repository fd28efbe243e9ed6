// The table conversion: the table settings taken from the boxes, checked, and every described
// table rewritten in place in the working document as one line per row, cells joined by "&" and
// the row closed by "\\". Every function answers with what happened; none shows anything.
#pragma once

#include "conversion_state.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

inline constexpr char16_t IncompleteBoxesMessage[] = u"Hey, you need to complete the boxes!";

// A conversion that would make the document longer than this many characters is refused: no
// paper comes near it, and escaping a long line of backslashes would otherwise take gigabytes.
// Every character takes at least a byte on disk, so the saved file would pass 256 MiB.
inline constexpr size_t MaxConvertedCharacters = size_t(256) << 20;

// The three boxes of a table's row as typed: first cell, rows, columns; and the line of the
// proposal that filled them, while they stay as filled (0 when typed).
struct TableBoxes {
    std::u16string FirstCell;
    std::u16string Rows;
    std::u16string Cols;
    int Line = 0;
};

// The tables the state describes: TableCount within 0 to MaxTables.
int DescribedTableCount(const ConversionState &state);

// TableCount from the selector's index (-1 when nothing is selected) and the settings of tables
// 1 to TableCount from boxes[0 ..]: first cell without its end spaces, sizes read and rounded,
// and the line a proposal gave.
void CaptureTableSettings(ConversionState &state, int listIndex, std::span<const TableBoxes> boxes);

// The message that refuses the boxes as they stand (incomplete, or a table too large), or empty.
// Boxes filled from a proposal need no first cell: their line names the table.
std::u16string BoxesRefusal(std::span<const TableBoxes> boxes);

// One place where the conversion finds a table's first-cell text. Line numbers count in the
// working document as it stands before the conversion, so they point into the file as read.
struct TableMatch {
    int Table = 0; // 1 to TableCount
    int FirstLine = 0; // the top-left cell
    int LastLine = 0; // the last cell; beyond the document's last line when the block does not fit
    bool Fits = false; // false: the block runs past the end of the document
    // The column letters of its tabular environment, when the state asks for environments and
    // the block fits (previews only).
    std::u16string ColumnLetters;
};

// What a conversion would do with the tables as they stand.
struct ConversionPreview {
    // The message the conversion would refuse with before searching (incomplete boxes, a table
    // too large), or once the converted document would pass MaxConvertedCharacters; empty when
    // it would convert.
    std::u16string Refusal;
    // Every match of every table, in the order the conversion meets them. A block that does not
    // fit is listed and left unconverted, so the tables after it are still looked for.
    std::vector<TableMatch> Matches;
};

// Checks the boxes (those of tables 1 to TableCount) and converts tables 1 to TableCount as
// captured in the state, all or nothing. Returns the refusal, or empty once converted.
std::u16string ConvertTables(ConversionState &state, std::span<const TableBoxes> boxes);

// What ConvertTables would find; changes nothing.
ConversionPreview PreviewConversion(
    const ConversionState &state, std::span<const TableBoxes> boxes);

// A table given by its place: the line of its top-left cell in the working document as it stands
// before the conversion (after a read or a reset, the document as read), or, with Line 0, the
// text of that cell, found as ConvertTables finds it (every block that starts with it).
struct TableAt {
    int Line = 0;
    std::u16string FirstCell; // with Line 0: compared like TableFirstCell
    int Rows = 0;
    int Cols = 0;
};

// Converts the tables in the order given, any number of them, each on the document as the ones
// before it left it, all or nothing (TableStart belongs to the boxes and is left alone). Returns
// why not when a table is too large, does not fit, or its line was taken by the block of a table
// before it; empty once converted.
std::u16string ConvertTablesAt(ConversionState &state, const std::vector<TableAt> &tables);

// What ConvertTablesAt would find; matches name the tables by their place in the list, from 1,
// and a table whose line was taken has none. Changes nothing.
ConversionPreview PreviewTablesAt(const ConversionState &state, const std::vector<TableAt> &tables);

// Gives the working document back the document as read.
void ResetConversion(ConversionState &state);

// Tables found by their first-cell text alone cannot be told apart by it: every group (indices
// into tables, in order) of two or more with the same text but not all of one size.
std::vector<std::vector<size_t>> SizeClashes(const std::vector<TableAt> &tables);

} // namespace cellwright
