// The report of --check: where the conversion would find each table and what it would take.
#pragma once

#include "command_line.h"
#include "conversion.h"
#include "conversion_state.h"

#include <string>
#include <vector>

namespace cellwright {

struct CheckReport {
    std::string text; // UTF-8, one finding per line
    bool passed = false; // every table found and every block fits
};

// Describes the preview of a conversion of the document in state: per table each line its
// first-cell text is found on, the lines its block takes and whether it fits, and, as warnings,
// the cells of each block that hold a character LaTeX treats specially, shown as resolved when
// the conversion escapes them.
CheckReport MakeCheckReport(const ConversionState &state, const std::vector<TableArgument> &tables,
    const ConversionPreview &preview);

// A control character as the terminal is shown it instead: \xHH (C0, DEL and C1 only).
void AppendHexEscape(std::u16string &out, char16_t c);

// The characters LaTeX treats specially that cell holds, each once, in the order met.
std::u16string LatexSpecialCharacters(std::u16string_view cell);

} // namespace cellwright
