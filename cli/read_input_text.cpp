#include "document_file.h"
#include "read_input.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace cellwright {

namespace {

char **arguments = nullptr;

DocumentRead TextOrHandOver(std::string_view bytes)
{
    if (!IsWordProcessorFile(bytes))
        return DecodeTextDocument(bytes);
    // The companion is installed relative to the converter, so a copy in a build folder finds its
    // own.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path companion = self.parent_path() / CELLWRIGHT_DOCUMENT_COMPANION;
    if (!error)
        ::execv(companion.c_str(), arguments);
    const int failure = error ? error.value() : errno;
    return { std::nullopt, ReadFailure::NotTextDocument,
        u"it is a word-processor document, and the reader for those could not be started: "
            + SystemReason(failure) };
}

} // namespace

DocumentRead ReadInput(const std::filesystem::path &input, char **argv)
{
    arguments = argv;
    return ReadDocumentWith(input, TextOrHandOver);
}

} // namespace cellwright
