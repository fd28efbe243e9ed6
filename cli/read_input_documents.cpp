#include "read_document.h"
#include "read_input.h"

namespace cellwright {

DocumentRead ReadInput(const std::filesystem::path &input, char **)
{
    return ReadDocumentFile(input);
}

} // namespace cellwright
