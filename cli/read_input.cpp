#include "read_input.h"

#include "document_file.h"
#include "lazy_libraries.h"
#include "read_document.h"

namespace cellwright {

namespace {

DocumentRead ReadBytes(std::string_view bytes)
{
    // A text export goes straight to the engine, so that its run touches none of the package
    // reader's pages.
    if (!IsWordProcessorFile(bytes))
        return DecodeTextDocument(bytes);
    const std::string failure = LoadPackageLibraries();
    if (!failure.empty())
        return { std::nullopt, ReadFailure::NotTextDocument,
            u"it is a word-processor document, and the library that unpacks those could not be "
            u"loaded: "
                + std::u16string(failure.begin(), failure.end()) };
    return ReadPackageBytes(bytes);
}

} // namespace

DocumentRead ReadInput(const std::filesystem::path &input)
{
    return ReadDocumentWith(input, ReadBytes);
}

} // namespace cellwright
