// The shared libraries the package reader calls into, opened on first need. The converter
// defines the few functions minizip and pugixml take from them, each binding to the library's
// own on its first call, so that starting on a text export loads nothing but the C library.
#pragma once

#include <string>

namespace cellwright {

// Opens zlib now; empty when it is there, else why not (the loader's words).
std::string LoadPackageLibraries();

} // namespace cellwright
