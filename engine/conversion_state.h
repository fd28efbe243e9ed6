// The program-wide conversion state: one instance, owned by the application object, shared by
// the main window, the dialogs, the viewer and the engine's functions.
//
// Line stores hold MaxLines + 1 entries; line numbers start at 1 and entry 0 is never written.
// Entries beyond the current counts keep whatever an earlier document or conversion left there.
#pragma once

#include "table_shape.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cellwright {

inline constexpr int MaxTables = 6;
inline constexpr int MaxLines = 5000;

// How the document on disk was encoded; the writer uses the same one.
enum class TextEncoding {
    Utf8,
    Utf8WithBom,
    Windows1252,
    Utf16LE, // with its byte-order mark, as every UTF-16 document read has one
    Utf16BE,
};

struct ConversionState {
    // Line stores that start with entry 0 alone and grow with each document read, for a front end
    // that shows no line beyond the document: building 2 x 5001 empty lines costs a short run
    // more than its conversion.
    struct GrowingLineStores { };

    ConversionState() = default;
    explicit ConversionState(GrowingLineStores)
        : SourceLines(1)
        , WorkLines(1)
    {
    }

    std::u16string OpenFolder;
    std::u16string OpenFileName;
    std::u16string SaveFolder;
    std::u16string SaveFileName;

    int16_t TableCount = 0;
    std::array<std::u16string, MaxTables + 1> TableFirstCell {};
    std::array<int16_t, MaxTables + 1> TableRows {};
    std::array<int16_t, MaxTables + 1> TableCols {};
    std::array<int16_t, MaxTables + 1> TableStart {};
    // For table t: the line of its top-left cell in the document as read when its boxes were
    // filled from a proposal and left as filled, so that it converts there; 0 when described.
    std::array<int16_t, MaxTables + 1> TableLine {};

    std::vector<std::u16string> SourceLines = std::vector<std::u16string>(MaxLines + 1);
    std::vector<std::u16string> WorkLines = std::vector<std::u16string>(MaxLines + 1);
    int16_t SourceLineCount = 0;
    int16_t WorkLineCount = 0;

    int32_t ViewerHeight = 0;

    // When set, the cells of converted tables have LaTeX's special characters escaped.
    bool EscapeSpecialCharacters = false;

    // When set, each converted table becomes a whole tabular environment with booktabs rules.
    bool CompleteTabular = false;

    // Encoding of the last document read; nothing read yet means UTF-8.
    TextEncoding DocumentEncoding = TextEncoding::Utf8;

    // The tables the last document read knows exactly (a word-processor document); none for a
    // text export, whose tables only their first cell and the sizes given describe.
    std::vector<TableShape> DocumentTables;
    // True for a word-processor document: its tables are all known, and none is guessed.
    bool DocumentTablesKnown = false;
    // True while the working document is the document as read (after a read or a reset): only
    // then do the known tables' lines stand where they were read.
    bool WorkLinesAsRead = true;
};

} // namespace cellwright
