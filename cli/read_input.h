// How the converter reads its INPUT. Build scripts run it on text exports many times over, so
// the libraries only a word-processor package needs (zlib, and libm for pugixml) are opened when
// such a package is read, not at every start (lazy_libraries.cpp).
#pragma once

#include "document_reading.h"

#include <filesystem>

namespace cellwright {

DocumentRead ReadInput(const std::filesystem::path &input);

} // namespace cellwright
