// How the converter reads its INPUT. Build scripts run it on text exports many times over, so the
// converter itself reads text only and loads no package library; a word-processor file is handed,
// with the same arguments, to its companion, which carries the package reader.
#pragma once

#include "document_reading.h"

#include <filesystem>

namespace cellwright {

// The document at input. The converter replaces itself with its companion when the bytes are a
// word-processor file, so this returns only for text or when the companion cannot be started.
DocumentRead ReadInput(const std::filesystem::path &input, char **argv);

} // namespace cellwright
