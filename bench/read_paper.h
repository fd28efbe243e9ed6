// The finder's drivers read each document named the way the program does.
#pragma once

#include "read_document.h"

#include <cstdio>
#include <optional>

namespace cellwright {

// The document at `path` taken into a fresh state, or nothing when it cannot be read (said on
// stderr).
inline std::optional<ConversionState> ReadPaper(const char *path)
{
    DocumentRead read = ReadDocumentFile(path);
    if (!read.Document) {
        std::fprintf(stderr, "%s: could not be read\n", path);
        return std::nullopt;
    }
    std::optional<ConversionState> state(std::in_place);
    TakeDocument(*state, std::move(*read.Document));
    return state;
}

} // namespace cellwright
