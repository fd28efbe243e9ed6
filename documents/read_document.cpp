#include "read_document.h"

#include "word_document.h"

namespace cellwright {

DocumentRead ReadDocumentBytes(std::string_view bytes)
{
    return IsWordProcessorFile(bytes) ? ReadPackageBytes(bytes) : DecodeTextDocument(bytes);
}

DocumentRead ReadPackageBytes(std::string_view bytes)
{
    WordDocumentRead word = ReadWordDocument(bytes);
    if (!word.Document)
        return { std::nullopt, ReadFailure::NotTextDocument, std::move(word.Refusal) };
    return LinesDocument(std::move(word.Document->Lines), std::move(word.Document->Tables));
}

DocumentRead ReadDocumentFile(const std::filesystem::path &path)
{
    return ReadDocumentWith(path, ReadDocumentBytes);
}

} // namespace cellwright
