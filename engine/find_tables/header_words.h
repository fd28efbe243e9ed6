// The words that head table columns: what tells a header row of labels from a paragraph's short
// lines, whoever wrote the table.
#pragma once

#include <string_view>

namespace cellwright::finder {

// True when `lowered` (a cell's text, trimmed, in small letters, without a unit in brackets) is
// a word or phrase that commonly heads a table column.
bool IsHeaderWord(std::u16string_view lowered);

} // namespace cellwright::finder
