#include "read_textfile.h"

#include "number_reading.h"
#include "text_codec.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <random>
#include <system_error>

namespace cellwright {

namespace fs = std::filesystem;

namespace {

// Larger documents are refused before they are read into memory: 5000 lines never need this much.
constexpr std::uintmax_t MaxDocumentBytes = 256u << 20;

std::u16string_view TrimSpaces(std::u16string_view text)
{
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string_view TrimLeadingSpaces(std::u16string_view text)
{
    const size_t first = text.find_first_not_of(u' ');
    return first == std::u16string_view::npos ? std::u16string_view {} : text.substr(first);
}

int16_t SaturateToInt16(double value)
{
    if (const auto rounded = RoundToInt16(value))
        return *rounded;
    return value < 0 ? INT16_MIN : INT16_MAX;
}

std::u16string FromAscii(std::string_view text) { return { text.begin(), text.end() }; }

std::u16string Number(long value) { return FromAscii(std::to_string(value)); }

std::u16string SystemReason(int error)
{
    if (error == 0)
        return u"the system reported no reason";
    return FromAscii(std::generic_category().message(error));
}

// Reads a whole regular file into bytes; false when it cannot be opened or read.
bool ReadFileBytes(const fs::path &path, std::string &bytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    const auto size = fs::file_size(path, ec);
    if (ec || size > MaxDocumentBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

fs::path TemporaryNameBeside(const fs::path &target)
{
    std::random_device random;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (;;) {
        const auto tag = std::to_string(random() % 1000000);
        fs::path candidate = folder / ("." + target.filename().string() + "." + tag + ".tmp");
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

// The conversion on a scratch copy, committed only when every table fits. It works on handles
// into WorkLines and the new rows, so closing a gap is a memmove of integers. Each handle also
// knows which lines of the document before the conversion it stands for.
class ScratchConversion {
public:
    explicit ScratchConversion(const ConversionState &state)
        : state(state)
        , handle(MaxLines + 1)
        , count(state.WorkLineCount)
        , start(state.TableStart)
    {
        std::iota(handle.begin(), handle.end(), 0);
    }

    // Converts every block of table t and reports each match first, with the line where it
    // starts in the document as converted so far. A block that does not fit is left as it is;
    // the conversion stops there when found returns false.
    template <typename Found> void ConvertTable(int t, Found found)
    {
        const std::u16string &first = state.TableFirstCell[t];
        const int R = state.TableRows[t];
        const int K = state.TableCols[t];
        if (R < 1 || K < 1)
            return;
        for (int i = 1; i <= count; ++i) {
            if (TrimSpaces(text(handle[i])) != first)
                continue;
            const int last = i + R * K - 1;
            TableMatch match { t, span(handle[i]).first, 0, last <= count };
            match.LastLine
                = match.Fits ? span(handle[last]).last : span(handle[count]).last + (last - count);
            if (!found(match, i))
                return;
            if (!match.Fits)
                continue;
            // Row r reads lines p.. and writes line q <= p, so no cell is overwritten unread.
            for (int r = 1; r <= R; ++r) {
                const int p = i + (r - 1) * K;
                std::u16string row = text(handle[p]);
                for (int c = 2; c <= K; ++c) {
                    row += u'&';
                    row += text(handle[p + c - 1]);
                }
                row += u"\\\\";
                rows.push_back(std::move(row));
                rowSpans.push_back({ span(handle[p]).first, span(handle[p + K - 1]).last });
                handle[i + r - 1] = static_cast<int32_t>(MaxLines + rows.size());
            }
            // Close the gap; the vacated tail keeps its old entries.
            const int D = R * (K - 1);
            std::copy(
                handle.begin() + i + R + D, handle.begin() + count + 1, handle.begin() + i + R);
            count -= D;
            start[t] = static_cast<int16_t>(i);
        }
    }

    void CommitTo(ConversionState &target) const
    {
        std::vector<std::u16string> converted = state.WorkLines;
        for (int x = 1; x <= MaxLines; ++x) {
            if (handle[x] != x)
                converted[x] = text(handle[x]);
        }
        target.WorkLines.swap(converted);
        target.WorkLineCount = static_cast<int16_t>(count);
        target.TableStart = start;
    }

private:
    struct Span {
        int first, last;
    };

    const std::u16string &text(int32_t h) const
    {
        return h <= MaxLines ? state.WorkLines[h] : rows[h - MaxLines - 1];
    }
    Span span(int32_t h) const
    {
        return h <= MaxLines ? Span { h, h } : rowSpans[h - MaxLines - 1];
    }

    const ConversionState &state;
    std::vector<int32_t> handle;
    std::vector<std::u16string> rows;
    std::vector<Span> rowSpans;
    int count;
    std::array<int16_t, MaxTables + 1> start;
};

} // namespace

void Read_Textfile::ReadDocument()
{
    const auto fail = [this] { window.MsgBox(ReadErrorMessage); };

    std::error_code ec;
    fs::current_path(fs::path(state.OpenFolder), ec);
    if (ec)
        return fail();

    std::string bytes;
    if (!ReadFileBytes(fs::path(state.OpenFileName), bytes))
        return fail();

    TextEncoding encoding;
    const std::vector<std::u16string> lines = SplitLines(DecodeText(bytes, encoding));
    if (lines.empty() || lines.size() > static_cast<size_t>(MaxLines))
        return fail();

    // The whole file was read: only now does the previous document give way.
    const auto n = static_cast<int16_t>(lines.size());
    for (int i = 1; i <= n; ++i) {
        state.SourceLines[i] = TrimLeadingSpaces(lines[i - 1]);
        state.WorkLines[i] = state.SourceLines[i];
    }
    state.SourceLineCount = n;
    state.WorkLineCount = n;
    state.DocumentEncoding = encoding;

    window.SetCaption(state.OpenFileName);
    window.SetCommand2Enabled(true);
}

void Read_Textfile::CaptureTableSettings()
{
    const int index = std::clamp(window.Combo1_ListIndex(), -1, MaxTables - 1);
    state.TableCount = static_cast<int16_t>(index + 1);
    for (int t = 1; t <= state.TableCount; ++t) {
        state.TableFirstCell[t] = TrimSpaces(window.Text1(t - 1));
        state.TableRows[t] = SaturateToInt16(ReadNumber(window.Text2(t - 1)));
        state.TableCols[t] = SaturateToInt16(ReadNumber(window.Text3(t - 1)));
    }
}

std::u16string Read_Textfile::BoxesRefusal() const
{
    const int tableCount = std::clamp<int>(state.TableCount, 0, MaxTables);

    // Every table is checked, not only up to the first incomplete one.
    bool complete = true;
    for (int t = 1; t <= tableCount; ++t) {
        if (window.Text1(t - 1).empty() || ReadNumber(window.Text2(t - 1)) < 1
            || ReadNumber(window.Text3(t - 1)) < 1)
            complete = false;
    }
    if (!complete)
        return IncompleteBoxesMessage;

    for (int t = 1; t <= tableCount; ++t) {
        const auto rows = RoundToInt16(ReadNumber(window.Text2(t - 1)));
        const auto cols = RoundToInt16(ReadNumber(window.Text3(t - 1)));
        if (!rows || !cols || long(*rows) * *cols > INT16_MAX) {
            return u"Table " + Number(t)
                + u" is too large: rows \u00d7 columns must not exceed 32767.";
        }
    }
    return {};
}

void Read_Textfile::ConvertTables()
{
    if (const auto refusal = BoxesRefusal(); !refusal.empty())
        return window.MsgBox(refusal);

    const int tableCount = std::clamp<int>(state.TableCount, 0, MaxTables);
    ScratchConversion scratch(state);
    for (int t = 1; t <= tableCount; ++t) {
        std::u16string refusal;
        scratch.ConvertTable(t, [&](const TableMatch &match, int line) {
            if (!match.Fits) {
                refusal = u"Table " + Number(t) + u" does not fit: " + Number(state.TableRows[t])
                    + u" rows \u00d7 " + Number(state.TableCols[t]) + u" columns from line "
                    + Number(line) + u" run past the end of the document.";
            }
            return match.Fits;
        });
        if (!refusal.empty())
            return window.MsgBox(refusal);
    }
    scratch.CommitTo(state);

    for (int t = 1; t <= tableCount; ++t)
        window.SetCommand4Enabled(t - 1, true);
    window.SetCommand2Enabled(false);
    window.SetCommand3Enabled(true);
    window.SetCommand5Enabled(true);
}

ConversionPreview Read_Textfile::PreviewConversion() const
{
    ConversionPreview preview;
    preview.Refusal = BoxesRefusal();
    if (!preview.Refusal.empty())
        return preview;

    const int tableCount = std::clamp<int>(state.TableCount, 0, MaxTables);
    ScratchConversion scratch(state);
    for (int t = 1; t <= tableCount; ++t) {
        scratch.ConvertTable(t, [&](const TableMatch &match, int) {
            preview.Matches.push_back(match);
            return true;
        });
    }
    return preview;
}

bool Read_Textfile::WriteDocument()
{
    const auto fail = [this](const std::u16string &reason) {
        window.MsgBox(u"Could not save " + state.SaveFileName + u": " + reason);
        return false;
    };

    std::error_code ec;
    fs::current_path(fs::path(state.SaveFolder), ec);
    if (ec)
        return fail(FromAscii(ec.message()));
    if (state.SaveFileName.empty())
        return fail(u"no file name was given");

    fs::path target(state.SaveFileName);
    if (fs::is_directory(target, ec))
        return fail(SystemReason(EISDIR));
    // Saving over a link replaces the file it points to, not the link.
    if (fs::is_symlink(fs::symlink_status(target, ec)))
        target = fs::weakly_canonical(target, ec);

    const std::string bytes = EncodeDocument(state);

    // Write beside the target and rename over it only when every byte is out, so a failed save
    // leaves the existing file as it was and no partial file behind.
    const fs::path temporary = TemporaryNameBeside(target);
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        return fail(SystemReason(errno));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const int writeError = errno;
    const bool written = out.good();
    out.close();
    if (!written || out.fail()) {
        const int error = writeError ? writeError : errno;
        fs::remove(temporary, ec);
        return fail(SystemReason(error));
    }

    const auto existing = fs::status(target, ec);
    if (!ec && fs::exists(existing))
        fs::permissions(temporary, existing.permissions(), ec);

    fs::rename(temporary, target, ec);
    if (ec) {
        const auto reason = FromAscii(ec.message());
        fs::remove(temporary, ec);
        return fail(reason);
    }
    return true;
}

void Read_Textfile::ResetConversion()
{
    for (int i = 1; i <= state.SourceLineCount; ++i)
        state.WorkLines[i] = state.SourceLines[i];
    state.WorkLineCount = state.SourceLineCount;

    window.SetCommand2Enabled(true);
    window.SetCommand3Enabled(false);
    window.SetCommand5Enabled(false);
    for (int t = 1; t <= std::clamp<int>(state.TableCount, 0, MaxTables); ++t)
        window.SetCommand4Enabled(t - 1, false);
}

} // namespace cellwright
