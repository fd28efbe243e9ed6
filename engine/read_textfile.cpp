#include "read_textfile.h"

#include "latex_escape.h"
#include "number_reading.h"
#include "text_codec.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <numeric>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace cellwright {

namespace fs = std::filesystem;

namespace {

// Larger documents are refused before they are read into memory: 5000 lines of a paper never
// need this much, and reading keeps several copies of the text while it splits the lines.
constexpr std::uintmax_t MaxDocumentBytes = 64u << 20;

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

std::u16string FromAscii(std::string_view text)
{
    return { text.begin(), text.end() };
}

std::u16string Number(long value)
{
    return FromAscii(std::to_string(value));
}

// The system's messages come in the user's language, encoded for the locale: decoded as such,
// a byte that does not decode standing for U+FFFD.
std::u16string FromSystemText(std::string_view text)
{
    std::u16string out;
    std::mbstate_t shift {};
    while (!text.empty()) {
        wchar_t c = 0;
        const size_t used = std::mbrtowc(&c, text.data(), text.size(), &shift);
        if (used == static_cast<size_t>(-1) || used == static_cast<size_t>(-2)) {
            out += u'\uFFFD';
            shift = {};
            text.remove_prefix(1);
            continue;
        }
        text.remove_prefix(std::max<size_t>(used, 1));
        const auto code = static_cast<char32_t>(c);
        if (code > 0xFFFF && code <= 0x10FFFF) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += code <= 0xFFFF ? static_cast<char16_t>(code) : u'\uFFFD';
        }
    }
    return out;
}

std::u16string TooLarge(int t)
{
    return u"Table " + Number(t) + u" is too large: rows \u00d7 columns must not exceed 32767.";
}

// The line is counted in the document as read, the number the user's editor shows.
std::u16string DoesNotFit(int t, int rows, int cols, int line)
{
    return u"Table " + Number(t) + u" does not fit: " + Number(rows) + u" rows \u00d7 "
        + Number(cols) + u" columns from line " + Number(line)
        + u" run past the end of the document.";
}

std::u16string SystemReason(int error)
{
    if (error == 0)
        return u"the system reported no reason";
    return FromSystemText(std::generic_category().message(error));
}

// Reads n bytes into to, fewer at the end of the file; how many, or -1 after an error.
ssize_t ReadUpTo(int fd, char *to, size_t n)
{
    size_t got = 0;
    while (got < n) {
        const ssize_t part = ::read(fd, to + got, n - got);
        if (part < 0 && errno == EINTR)
            continue;
        if (part < 0)
            return -1;
        if (part == 0)
            break;
        got += static_cast<size_t>(part);
    }
    return static_cast<ssize_t>(got);
}

// Reads a whole regular file into bytes; false when it cannot be opened or read. With the
// system's own calls: the stream or stdio buffers would only copy the text once more.
bool ReadFileBytes(const fs::path &path, std::string &bytes)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)
        || static_cast<std::uintmax_t>(info.st_size) > MaxDocumentBytes)
        return false;
    struct Descriptor {
        const int fd;
        ~Descriptor()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } in { ::open(path.c_str(), O_RDONLY | O_CLOEXEC) };
    if (in.fd < 0)
        return false;
    // In blocks, and no further than the limit, also when the file grows while it is read.
    bytes.clear();
    size_t used = 0;
    for (size_t block = static_cast<size_t>(info.st_size) + 1; used <= MaxDocumentBytes;
         block = 64 << 10) {
        bytes.resize(used + block);
        const ssize_t got = ReadUpTo(in.fd, bytes.data() + used, block);
        if (got < 0)
            return false;
        used += static_cast<size_t>(got);
        if (static_cast<size_t>(got) < block)
            break;
    }
    bytes.resize(used);
    return used <= MaxDocumentBytes;
}

// The file a link leads to, through any chain of links, also when that file does not exist yet.
fs::path FollowLinks(fs::path path)
{
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// A name for the temporary file beside target that no save of this process used before. It need
// not be unpredictable: the file is created exclusively, and a taken name is simply passed over.
fs::path TemporaryNameBeside(const fs::path &target, unsigned long serial)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Room for the tag within the usual 255-byte limit of a name.
    std::string name = target.filename().string().substr(0, 160);
    name.insert(name.begin(), '.');
    name += '.';
    name += std::to_string(getpid());
    name += '-';
    name += std::to_string(serial);
    name += '-';
    name += std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
    name += ".tmp";
    return folder / name;
}

// Writes every byte to fd; the system's error, or 0.
int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno ? errno : EIO;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

// Flushes a folder's entries to the disk, so that a rename in it survives a power cut. File
// systems that cannot do so are no reason to call a finished save failed.
void SyncFolder(const fs::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
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

// The conversion on a scratch copy, committed only when every table fits. It works on handles
// into WorkLines and the new rows, so closing a gap is a memmove of integers. Each handle also
// knows which lines of the document before the conversion it stands for.
class ScratchConversion {
public:
    explicit ScratchConversion(const ConversionState &state)
        : state(state)
        , handle(std::max<int>(state.WorkLineCount, 0) + 1)
        , count(state.WorkLineCount)
        , start(state.TableStart)
    {
        std::iota(handle.begin(), handle.end(), 0);
    }

    // Converts every block of table t and reports each match first. A block that does not fit
    // is left as it is; the conversion stops there when found returns false.
    template <typename Found> void ConvertTable(int t, Found found)
    {
        ConvertBlocks(
            t, true, 0, state.TableFirstCell[t], state.TableRows[t], state.TableCols[t], found);
    }

    // The same for the R x K block at the line that was `line` when this conversion began, or,
    // with line 0, at every line holding `first`; the match names it as table t. Only tables of
    // the window (tracked) keep their TableStart.
    template <typename Found>
    void ConvertBlocks(
        int t, bool tracked, int line, std::u16string_view first, int R, int K, Found found)
    {
        if (R < 1 || K < 1)
            return;
        for (int i = 1; i <= count; ++i) {
            if (line ? handle[i] != line : TrimSpaces(text(handle[i])) != first)
                continue;
            const int last = i + R * K - 1;
            TableMatch match { t, span(handle[i]).first, 0, last <= count };
            match.LastLine
                = match.Fits ? span(handle[last]).last : span(handle[count]).last + (last - count);
            if (!found(match))
                return;
            if (!match.Fits)
                continue;
            // Row r reads lines p.. and writes line q <= p, so no cell is overwritten unread.
            for (int r = 1; r <= R; ++r) {
                const int p = i + (r - 1) * K;
                // Sized for the cells as they stand, so the row is built in one allocation.
                size_t length = K + 1;
                for (int c = 1; c <= K; ++c)
                    length += text(handle[p + c - 1]).size();
                std::u16string row;
                row.reserve(length);
                for (int c = 1; c <= K; ++c) {
                    if (c > 1)
                        row += u'&';
                    AppendCell(row, handle[p + c - 1]);
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
            if (tracked) {
                FollowMovedTables(t, i, R, K);
                start[t] = static_cast<int16_t>(i);
                foundNow[t] = true;
            }
        }
    }

    // Commits the conversion to the state it was made from, which it reads until then, and uses
    // up this scratch copy. Only the handles of the document's lines are walked: the lines past
    // it never change.
    void CommitTo(ConversionState &target) &&
    {
        const int lines = static_cast<int>(handle.size()) - 1;
        // The last handle to read a line or row takes it by move and any others copy it; a line
        // that still stands in its own place is only copied.
        std::vector<int> lastReader(handle.size() + rows.size());
        for (int x = 1; x <= lines; ++x)
            lastReader[slot(handle[x])] = x;
        const auto moves = [&](int x) {
            const int32_t h = handle[x];
            return lastReader[slot(h)] == x && (h > MaxLines || handle[h] != h);
        };
        // Copies are made first, as only they can fail: a failure leaves the document as it was.
        size_t copyCount = 0;
        for (int x = 1; x <= lines; ++x)
            copyCount += handle[x] != x && !moves(x);
        std::vector<std::pair<int, std::u16string>> copies;
        copies.reserve(copyCount);
        for (int x = 1; x <= lines; ++x) {
            if (handle[x] != x && !moves(x))
                copies.emplace_back(x, text(handle[x]));
        }
        // Then the moves, from the top down: a line's handle only ever moves up, so the line it
        // reads lies below it and has not been overwritten yet.
        for (int x = 1; x <= lines; ++x) {
            const int32_t h = handle[x];
            if (h != x && moves(x))
                target.WorkLines[x]
                    = std::move(h <= MaxLines ? target.WorkLines[h] : rows[h - MaxLines - 1]);
        }
        for (auto &[x, line] : copies)
            target.WorkLines[x].swap(line);
        target.WorkLineCount = static_cast<int16_t>(count);
        target.TableStart = start;
    }

private:
    // A block of R x K lines at line i became R rows: tables found earlier in this conversion
    // whose rows lay below it moved up with the rest, and one whose first row was a cell of it
    // now lies in the row that took that cell.
    void FollowMovedTables(int t, int i, int R, int K)
    {
        const int blockEnd = i + R * K; // first line after the block, before the gap closed
        for (int u = 1; u <= MaxTables; ++u) {
            if (u == t || !foundNow[u] || start[u] < i)
                continue;
            start[u] = static_cast<int16_t>(
                start[u] >= blockEnd ? start[u] - R * (K - 1) : i + (start[u] - i) / K);
        }
    }

    struct Span {
        int first, last;
    };

    const std::u16string &text(int32_t h) const
    {
        return h <= MaxLines ? state.WorkLines[h] : rows[h - MaxLines - 1];
    }
    // Appends a cell to a converted row, escaped when the state asks for it.
    void AppendCell(std::u16string &row, int32_t h) const
    {
        if (state.EscapeSpecialCharacters)
            row += EscapeLatexCell(text(h));
        else
            row += text(h);
    }
    // Where what is kept about the line or row a handle reads is found: lines first, then rows.
    size_t slot(int32_t h) const { return h <= MaxLines ? h : handle.size() + (h - MaxLines - 1); }
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
    std::array<bool, MaxTables + 1> foundNow {}; // tables found by this conversion
};

// The conversion of tables given by their place: with a preview, every match is listed and
// nothing changes; without one, the result is committed to the state unless it is refused.
// Returns the refusal, or empty.
std::u16string ConvertTablesAt(
    ConversionState &state, const std::vector<TableAt> &tables, ConversionPreview *preview)
{
    for (size_t k = 0; k < tables.size(); ++k) {
        const TableAt &table = tables[k];
        if (table.Rows < 1 || table.Cols < 1)
            return IncompleteBoxesMessage;
        if (table.Rows > INT16_MAX || table.Cols > INT16_MAX
            || static_cast<long long>(table.Rows) * table.Cols > INT16_MAX)
            return TooLarge(static_cast<int>(k + 1));
        if (table.Line < 0 || table.Line > state.WorkLineCount) {
            return u"Table " + Number(static_cast<long>(k + 1)) + u" cannot start at line "
                + Number(table.Line) + u": the document has " + Number(state.WorkLineCount)
                + u" lines.";
        }
    }

    ScratchConversion scratch(state);
    for (size_t k = 0; k < tables.size(); ++k) {
        const TableAt &table = tables[k];
        const int t = static_cast<int>(k + 1);
        std::u16string refusal;
        bool found = false;
        scratch.ConvertBlocks(t, false, table.Line, table.FirstCell, table.Rows, table.Cols,
            [&](const TableMatch &match) {
                found = true;
                if (preview)
                    preview->Matches.push_back(match);
                else if (!match.Fits)
                    refusal = DoesNotFit(t, table.Rows, table.Cols, match.FirstLine);
                return refusal.empty();
            });
        if (!refusal.empty())
            return refusal;
        if (table.Line != 0 && !found && !preview) {
            return u"Table " + Number(t) + u" cannot start at line " + Number(table.Line)
                + u": that line is no longer a line of its own once the tables before it are "
                  u"converted.";
        }
    }
    if (!preview)
        std::move(scratch).CommitTo(state);
    return {};
}

} // namespace

std::u16string_view TrimSpaces(std::u16string_view text)
{
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

void Read_Textfile::ReadDocument()
{
    // Names that cannot be turned into a path, or a document too large for memory, are read
    // errors like any other: nothing of the state has changed when they are thrown.
    bool read = false;
    try {
        read = ReadIntoState();
    } catch (const std::exception &) {
        read = false;
    }
    if (!read)
        return window.MsgBox(ReadErrorMessage);

    window.SetCaption(state.OpenFileName);
    window.SetCommand2Enabled(true);
}

bool Read_Textfile::ReadIntoState()
{
    std::error_code ec;
    fs::current_path(fs::path(state.OpenFolder), ec);
    if (ec)
        return false;

    std::string bytes;
    if (!ReadFileBytes(fs::path(state.OpenFileName), bytes))
        return false;
    // Too many lines are refused before decoding.
    const size_t lineEnds = CountLineEnds(bytes);
    if (lineEnds > static_cast<size_t>(MaxLines))
        return false;

    // Numbered from 1 as in the stores, with room for a last line without an end.
    std::vector<std::u16string> source(1);
    source.reserve(lineEnds + 2);
    TextEncoding encoding;
    AppendDecodedLines(bytes, encoding, source);
    const size_t count = source.size() - 1;
    if (count == 0 || count > static_cast<size_t>(MaxLines))
        return false;
    for (size_t i = 1; i <= count; ++i)
        source[i].erase(0, source[i].size() - TrimLeadingSpaces(source[i]).size());
    std::vector<std::u16string> work = source;

    // Everything was read before this point; taking the lines over cannot fail, so the previous
    // document gives way only now.
    TakeLines(state.SourceLines, source);
    TakeLines(state.WorkLines, work);
    state.SourceLineCount = static_cast<int16_t>(count);
    state.WorkLineCount = state.SourceLineCount;
    state.DocumentEncoding = encoding;
    return true;
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
            return TooLarge(t);
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
        scratch.ConvertTable(t, [&](const TableMatch &match) {
            if (!match.Fits)
                refusal = DoesNotFit(t, state.TableRows[t], state.TableCols[t], match.FirstLine);
            return match.Fits;
        });
        if (!refusal.empty())
            return window.MsgBox(refusal);
    }
    std::move(scratch).CommitTo(state);

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
        scratch.ConvertTable(t, [&](const TableMatch &match) {
            preview.Matches.push_back(match);
            return true;
        });
    }
    return preview;
}

bool Read_Textfile::ConvertTablesAt(const std::vector<TableAt> &tables)
{
    if (const auto refusal = cellwright::ConvertTablesAt(state, tables, nullptr);
        !refusal.empty()) {
        window.MsgBox(refusal);
        return false;
    }
    window.SetCommand2Enabled(false);
    window.SetCommand3Enabled(true);
    window.SetCommand5Enabled(true);
    return true;
}

ConversionPreview Read_Textfile::PreviewTablesAt(const std::vector<TableAt> &tables) const
{
    ConversionPreview preview;
    // Nothing is committed with a preview, so the state is only read.
    preview.Refusal = cellwright::ConvertTablesAt(state, tables, &preview);
    return preview;
}

bool Read_Textfile::WriteDocument()
{
    std::u16string reason;
    try {
        reason = WriteToTarget();
    } catch (const fs::filesystem_error &error) {
        // A name that cannot be turned into a path.
        reason = FromSystemText(error.code().message());
    } catch (const std::exception &) {
        reason = SystemReason(ENOMEM);
    }
    if (reason.empty())
        return true;
    window.MsgBox(u"Could not save " + state.SaveFileName + u": " + reason);
    return false;
}

std::u16string Read_Textfile::WriteToTarget() const
{
    std::error_code ec;
    fs::current_path(fs::path(state.SaveFolder), ec);
    if (ec)
        return FromSystemText(ec.message());
    if (state.SaveFileName.empty())
        return u"no file name was given";

    fs::path target(state.SaveFileName);
    // Saving over a link replaces the file it points to, not the link.
    target = FollowLinks(target);
    const auto existing = fs::status(target, ec);
    if (fs::is_directory(existing))
        return SystemReason(EISDIR);
    if (fs::exists(existing)) {
        if (!fs::is_regular_file(existing))
            return u"it is not a regular file";
        // Replacing by rename would get round a file's write protection: only a file that could
        // be written in place may be replaced. Opening to append changes nothing in it.
        const int fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0)
            return SystemReason(errno);
        ::close(fd);
    }

    const std::string bytes = EncodeDocument(state);

    // Write beside the target and rename over it only when every byte is on the disk, so a
    // failed save or a power cut leaves the existing file as it was and no partial file behind.
    // The temporary file is created anew, owner-only, and never through a link: in a folder that
    // others can write to, a link planted under its name would otherwise receive the document.
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = attempt == 0 && !firstTemporaryName.empty()
            ? target.parent_path() / fs::path(firstTemporaryName)
            : TemporaryNameBeside(target, ++temporarySerial);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return SystemReason(errno);
    }
    if (fd < 0)
        return SystemReason(EEXIST);

    // The target's permissions, or those of any new file.
    mode_t mode = 0;
    if (fs::exists(existing)) {
        mode = static_cast<mode_t>(existing.permissions()) & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = WriteAll(fd, bytes);
    if (!error && ::fchmod(fd, mode) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        return SystemReason(error);
    }
    SyncFolder(target.has_parent_path() ? target.parent_path() : fs::path("."));
    return {};
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
