// Reading a document into lines: the bytes of a file decoded and split the way a text export is
// read, checked against the limits, and handed to the conversion state only when all went well.
#pragma once

#include "conversion_state.h"
#include "document_file.h"
#include "table_shape.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

// What the window says of any document it could not read.
inline constexpr char16_t ReadErrorMessage[] = u"Read error of some kind";

// A document as read, not yet the state's.
struct DocumentText {
    std::vector<std::u16string> Lines; // numbered from 1, as in the state: entry 0 stays empty
    TextEncoding Encoding = TextEncoding::Utf8;
    std::vector<TableShape> Tables; // the tables a word-processor document knows exactly
    bool TablesKnown = false; // a word-processor document: Tables are all its tables
};

struct DocumentRead {
    std::optional<DocumentText> Document; // set when the document was read whole
    ReadFailure Failure = ReadFailure::None;
    std::u16string Reason; // otherwise why, in a few words for the user
};

// Reads the file at path and hands its bytes to decode; a file that cannot be read, or no memory
// for it, is refused the same way whatever the decoder.
DocumentRead ReadDocumentWith(
    const std::filesystem::path &path, DocumentRead (*decode)(std::string_view bytes));

// Reads the text file at path: at most MaxLines lines of UTF-16 (after its byte-order mark), of
// UTF-8 (with or without a byte-order mark) or else of Windows-1252, each line without its
// leading spaces.
DocumentRead ReadTextDocument(const std::filesystem::path &path);

// The same from bytes already read.
DocumentRead DecodeTextDocument(std::string_view bytes);

// A document whose lines were read by other means (tables included), checked against the same
// limits and kept the same way: numbered from 1, without leading spaces.
DocumentRead LinesDocument(std::vector<std::u16string> lines, std::vector<TableShape> tables);

// The refusal for a failure of reading, in a few words ("no such file", ...).
DocumentRead ReadRefused(ReadFailure failure, int systemError = 0);

// Makes the document the state's: both line stores, the counts, the encoding and its tables.
// Lines past it in the stores keep what they held. Throws (out of memory) only before it has
// changed anything.
void TakeDocument(ConversionState &state, DocumentText &&document);

} // namespace cellwright
