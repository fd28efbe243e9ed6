// The one function everything that reads a document asks: the open dialog, `cellwright FILE`, a
// dropped file, the command line and the fuzz target. It looks at the content, not the name: a
// word-processor package becomes lines with its tables' exact shapes, anything else is read as a
// text export.
#pragma once

#include "document_reading.h"

#include <filesystem>

namespace cellwright {

DocumentRead ReadDocumentFile(const std::filesystem::path &path);

// The same from bytes already read.
DocumentRead ReadDocumentBytes(std::string_view bytes);

// Bytes that IsWordProcessorFile (document_file.h) took for a package: its lines and tables, or
// why it cannot be read.
DocumentRead ReadPackageBytes(std::string_view bytes);

} // namespace cellwright
