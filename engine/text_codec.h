// Turning document bytes into lines of 16-bit text and back.
#pragma once

#include "conversion_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

// Decodes bytes: valid UTF-8 (with or without a byte-order mark) as UTF-8, anything else as
// Windows-1252 with every byte kept as one character, so encoding back gives the same bytes.
std::u16string DecodeText(std::string_view bytes, TextEncoding &encoding);

// The same as SplitLines(DecodeText(bytes, encoding)), without the whole text in between.
std::vector<std::u16string> DecodeLines(std::string_view bytes, TextEncoding &encoding);
// The same lines appended to lines, split at lineEnd (LineEnd of the same bytes); on return it
// holds what it held before and the new lines.
void AppendDecodedLines(std::string_view bytes, char lineEnd, TextEncoding &encoding,
    std::vector<std::u16string> &lines);

// The UTF-16 encoding whose byte-order mark the bytes start with (FF FE little-endian, FE FF
// big-endian), or nothing. Bytes of an odd number are no UTF-16 and are read as bytes, so that
// writing them back gives the same bytes.
std::optional<TextEncoding> Utf16ByMark(std::string_view bytes);

// The 16-bit units of UTF-16 bytes (Utf16ByMark gave encoding), the mark left out. Units are
// kept as they stand, a lone surrogate too, so encoding back gives the same bytes.
std::u16string DecodeUtf16(std::string_view bytes, TextEncoding encoding);

// The number of lines SplitLines(text) would give, counted without making them.
size_t CountLines(std::u16string_view text);

// Encodes text in the given encoding (the byte-order mark is not included).
std::string EncodeText(std::u16string_view text, TextEncoding encoding);

// Splits text into lines. A line ends at CR, and an LF right after the CR belongs to that line
// end; LF alone is ordinary text, except in a text that holds no CR at all, where LF ends every
// line. A terminator at the very end gives no extra empty line, and empty text gives no line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// The byte that ends the lines of a document, by the same rule (CR and LF are single bytes in
// UTF-8 and Windows-1252; UTF-16 is split after DecodeUtf16), looked for once and handed to the
// two functions below.
char LineEnd(std::string_view bytes);

// The number of line ends in a document's bytes, counted before decoding.
size_t CountLineEnds(std::string_view bytes, char lineEnd);

// The bytes a save writes: lines 1 to WorkLineCount of WorkLines, each followed by CR LF, in the
// encoding the document was read in, with its byte-order mark if it had one.
std::string EncodeDocument(const ConversionState &state);

} // namespace cellwright
