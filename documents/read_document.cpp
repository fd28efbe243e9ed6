#include "read_document.h"

#include "word_document.h"

#include <cerrno>

namespace cellwright {

DocumentRead ReadDocumentBytes(std::string_view bytes)
{
    if (!IsWordProcessorFile(bytes))
        return DecodeTextDocument(bytes);
    WordDocumentRead word = ReadWordDocument(bytes);
    if (!word.Document)
        return { std::nullopt, ReadFailure::NotTextDocument, std::move(word.Refusal) };
    return LinesDocument(std::move(word.Document->Lines), std::move(word.Document->Tables));
}

DocumentRead ReadDocumentFile(const std::filesystem::path &path)
{
    // A document too large for memory is a failure to read like any other.
    try {
        const FileBytes file = ReadFileBytes(path);
        if (file.Failure != ReadFailure::None)
            return ReadRefused(file.Failure, file.SystemError);
        return ReadDocumentBytes(file.Bytes);
    } catch (const std::exception &) {
        return ReadRefused(ReadFailure::Other, ENOMEM);
    }
}

} // namespace cellwright
