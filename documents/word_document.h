// Reading a word-processor document (.docx or .odt) from its bytes into what the engine works
// on: the document's lines, one per paragraph or table cell, and the exact shape of each table.
#pragma once

#include "document_file.h"
#include "table_shape.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

struct WordDocument {
    std::vector<std::u16string> Lines; // the document's lines, in reading order (index 0 = line 1)
    std::vector<TableShape> Tables; // top-level tables, in order; FirstLine is 1-based
};

struct WordDocumentRead {
    std::optional<WordDocument> Document; // set on success
    std::u16string Refusal; // otherwise: why, as a short sentence for the user
};

// IsWordProcessorFile (document_file.h) tells whether bytes are such a file: ReadWordDocument
// answers every one of them with a document or a refusal.

// Reads the main text of a .docx or .odt package as printed with tracked changes accepted: each
// paragraph is a line, each table cell a line (row by row), a cell merged into the one above an
// empty line. Notes, comments, headers, footers, text boxes and drawings are left out. Anything
// else (legacy or password-protected Office files, spreadsheets, damaged or oversized packages)
// gets a refusal.
WordDocumentRead ReadWordDocument(std::string_view bytes);

} // namespace cellwright
