#include "document_reading.h"

#include "text_codec.h"
#include "text_rules.h"

#include <cerrno>
#include <string>

namespace cellwright {

namespace {

std::u16string ReasonOf(ReadFailure failure, int systemError)
{
    switch (failure) {
    case ReadFailure::None:
        return {};
    case ReadFailure::NoSuchFile:
        return u"no such file";
    case ReadFailure::PermissionDenied:
        return u"permission denied";
    case ReadFailure::IsFolder:
        return u"it is a folder, not a file";
    case ReadFailure::NotRegularFile:
        return u"it is not a regular file";
    case ReadFailure::Empty:
        return u"the file is empty";
    case ReadFailure::TooManyLines:
        return u"it has more than 5000 lines";
    case ReadFailure::TooLarge:
        return u"it is larger than 64 MiB";
    case ReadFailure::NotTextDocument:
        return u"it is not a text document";
    case ReadFailure::Other:
        break;
    }
    return SystemReason(systemError);
}

// Entry 0 is the store's unused line; the lines follow from entry 1.
DocumentRead Checked(DocumentText document)
{
    const size_t count = document.Lines.size() - 1;
    if (count == 0)
        return ReadRefused(ReadFailure::Empty);
    if (count > static_cast<size_t>(MaxLines))
        return ReadRefused(ReadFailure::TooManyLines);
    for (size_t i = 1; i <= count; ++i) {
        std::u16string &line = document.Lines[i];
        line.erase(0, line.size() - TrimLeadingSpaces(line).size());
    }
    return { std::move(document), ReadFailure::None, {} };
}

// Gives a line store lines 1 to lines.size() - 1 of lines; entries past them keep what they held.
// A store no longer than that is replaced whole, which spares a growing store its copy.
void TakeLines(std::vector<std::u16string> &store, std::vector<std::u16string> &lines) noexcept
{
    if (store.size() <= lines.size()) {
        store.swap(lines);
        return;
    }
    for (size_t i = 1; i < lines.size(); ++i)
        store[i].swap(lines[i]);
}

} // namespace

DocumentRead ReadRefused(ReadFailure failure, int systemError)
{
    return { std::nullopt, failure, ReasonOf(failure, systemError) };
}

DocumentRead DecodeTextDocument(std::string_view bytes)
{
    // UTF-16 is split into lines after decoding: a byte 0D or 0A there may be half of any
    // character, and a line end is two bytes.
    if (const auto utf16 = Utf16ByMark(bytes)) {
        const std::u16string text = DecodeUtf16(bytes, *utf16);
        if (CountLines(text) > static_cast<size_t>(MaxLines))
            return ReadRefused(ReadFailure::TooManyLines);
        DocumentText document;
        document.Encoding = *utf16;
        document.Lines = SplitLines(text);
        document.Lines.insert(document.Lines.begin(), std::u16string());
        return Checked(std::move(document));
    }
    // Too many lines are refused before decoding.
    const char lineEnd = LineEnd(bytes);
    const size_t lineEnds = CountLineEnds(bytes, lineEnd);
    if (lineEnds > static_cast<size_t>(MaxLines))
        return ReadRefused(ReadFailure::TooManyLines);
    DocumentText document;
    // Numbered from 1 as in the stores, with room for a last line without an end.
    document.Lines.resize(1);
    document.Lines.reserve(lineEnds + 2);
    AppendDecodedLines(bytes, lineEnd, document.Encoding, document.Lines);
    return Checked(std::move(document));
}

DocumentRead ReadDocumentWith(
    const std::filesystem::path &path, DocumentRead (*decode)(std::string_view bytes))
{
    // A document too large for memory is a failure to read like any other.
    try {
        const FileBytes file = ReadFileBytes(path);
        if (file.Failure != ReadFailure::None)
            return ReadRefused(file.Failure, file.SystemError);
        return decode(file.Bytes);
    } catch (const std::exception &) {
        return ReadRefused(ReadFailure::Other, ENOMEM);
    }
}

DocumentRead ReadTextDocument(const std::filesystem::path &path)
{
    return ReadDocumentWith(path, DecodeTextDocument);
}

DocumentRead LinesDocument(std::vector<std::u16string> lines, std::vector<TableShape> tables)
{
    if (lines.size() > static_cast<size_t>(MaxLines))
        return ReadRefused(ReadFailure::TooManyLines);
    DocumentText document;
    document.Lines.reserve(lines.size() + 1);
    document.Lines.emplace_back();
    for (std::u16string &line : lines)
        document.Lines.push_back(std::move(line));
    document.Tables = std::move(tables);
    document.TablesKnown = true;
    return Checked(std::move(document));
}

void TakeDocument(ConversionState &state, DocumentText &&document)
{
    const auto count = static_cast<int16_t>(document.Lines.size() - 1);
    // The only step that can fail comes first: the previous document gives way only after it.
    std::vector<std::u16string> work = document.Lines;
    TakeLines(state.SourceLines, document.Lines);
    TakeLines(state.WorkLines, work);
    state.SourceLineCount = count;
    state.WorkLineCount = count;
    state.DocumentEncoding = document.Encoding;
    state.DocumentTables = std::move(document.Tables);
    state.DocumentTablesKnown = document.TablesKnown;
    state.WorkLinesAsRead = true;
}

} // namespace cellwright
