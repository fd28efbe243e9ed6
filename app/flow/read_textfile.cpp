#include "read_textfile.h"

#include "text_codec.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace cellwright {

namespace fs = std::filesystem;

void Read_Textfile::ReadDocument()
{
    // Names that cannot be turned into a path, or a document too large for memory, are read
    // errors like any other: nothing of the state has changed when they are thrown.
    try {
        std::error_code ec;
        fs::current_path(fs::path(state.OpenFolder), ec);
        if (ec)
            return window.MsgBox(ReadErrorMessage);
        DocumentRead read = ReadDocumentFile(fs::path(state.OpenFileName));
        if (read.Failure == ReadFailure::NotTextDocument)
            return window.MsgBox(read.Reason);
        if (!read.Document)
            return window.MsgBox(ReadErrorMessage);
        TakeDocument(state, std::move(*read.Document));
    } catch (const std::exception &) {
        return window.MsgBox(ReadErrorMessage);
    }
    window.SetCaption(state.OpenFileName);
    window.SetCommand2Enabled(true);
}

std::vector<TableBoxes> Read_Textfile::Boxes() const
{
    std::vector<TableBoxes> boxes;
    for (int t = 1; t <= DescribedTableCount(state); ++t)
        boxes.push_back({ window.Text1(t - 1), window.Text2(t - 1), window.Text3(t - 1),
            window.UsedLine(t - 1) });
    return boxes;
}

void Read_Textfile::CaptureTableSettings()
{
    std::vector<TableBoxes> boxes;
    const int listIndex = window.Combo1_ListIndex();
    for (int k = 0; k <= std::min(listIndex, MaxTables - 1); ++k)
        boxes.push_back({ window.Text1(k), window.Text2(k), window.Text3(k), window.UsedLine(k) });
    cellwright::CaptureTableSettings(state, listIndex, boxes);
}

void Read_Textfile::ConversionDone()
{
    window.SetCommand2Enabled(false);
    window.SetCommand3Enabled(true);
    window.SetCommand5Enabled(true);
}

void Read_Textfile::ConvertTables()
{
    if (const auto refusal = cellwright::ConvertTables(state, Boxes()); !refusal.empty())
        return window.MsgBox(refusal);
    for (int t = 1; t <= DescribedTableCount(state); ++t)
        window.SetCommand4Enabled(t - 1, true);
    ConversionDone();
}

bool Read_Textfile::ConvertTablesAt(const std::vector<TableAt> &tables)
{
    if (const auto refusal = cellwright::ConvertTablesAt(state, tables); !refusal.empty()) {
        window.MsgBox(refusal);
        return false;
    }
    ConversionDone();
    return true;
}

bool Read_Textfile::WriteDocument()
{
    std::u16string reason;
    try {
        std::error_code ec;
        fs::current_path(fs::path(state.SaveFolder), ec);
        if (ec)
            reason = SystemReason(ec.value());
        else if (state.SaveFileName.empty())
            reason = u"no file name was given";
        else
            reason = SaveFileAtomically(
                fs::path(state.SaveFileName), EncodeDocument(state), firstTemporaryName);
    } catch (const fs::filesystem_error &error) {
        // A name that cannot be turned into a path.
        reason = SystemReason(error.code().value());
    } catch (const std::exception &) {
        reason = SystemReason(ENOMEM);
    }
    if (reason.empty())
        return true;
    window.MsgBox(u"Could not save " + state.SaveFileName + u": " + reason);
    return false;
}

void Read_Textfile::ResetConversion()
{
    cellwright::ResetConversion(state);
    window.SetCommand2Enabled(true);
    window.SetCommand3Enabled(false);
    window.SetCommand5Enabled(false);
    for (int t = 1; t <= DescribedTableCount(state); ++t)
        window.SetCommand4Enabled(t - 1, false);
}

} // namespace cellwright
