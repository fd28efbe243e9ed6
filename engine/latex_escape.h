// Escaping LaTeX's special characters in the cells of a converted table, so that "R&D" stays one
// cell, "12%" does not comment out the rest of its row and "x_1" stays in text mode.
#pragma once

#include <string>
#include <string_view>

namespace cellwright {

// The cell with \ & % $ # _ { } ~ ^ written as LaTeX commands that print them; nothing else
// changes, so text outside those ten characters (non-ASCII included) is kept as it stands.
std::u16string EscapeLatexCell(std::u16string_view cell);

// Appends EscapeLatexCell(cell) to out.
void AppendEscapedCell(std::u16string &out, std::u16string_view cell);

// The length of EscapeLatexCell(cell), found without making it.
size_t EscapedLength(std::u16string_view cell);

// True when the cell holds any of the characters EscapeLatexCell rewrites.
bool HasLatexSpecials(std::u16string_view cell);

} // namespace cellwright
