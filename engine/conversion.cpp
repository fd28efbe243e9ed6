#include "conversion.h"

#include "latex_escape.h"
#include "number_reading.h"
#include "text_rules.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace cellwright {

namespace {

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

std::u16string TooLarge(int t)
{
    return u"Table " + Number(t) + u" is too large: rows \u00d7 columns must not exceed 32767.";
}

std::u16string TooLong(int t)
{
    return u"Table " + Number(t)
        + u" cannot be converted: the converted document would be larger than 256 MiB.";
}

// The line is counted in the document as read, the number the user's editor shows.
std::u16string DoesNotFit(int t, int rows, int cols, int line)
{
    return u"Table " + Number(t) + u" does not fit: " + Number(rows) + u" rows \u00d7 "
        + Number(cols) + u" columns from line " + Number(line)
        + u" run past the end of the document.";
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
        for (int i = 1; i <= count; ++i)
            documentLength += state.WorkLines[i].size() + 2;
    }

    // Whether a block was left unconverted, and the conversion stopped, because the document
    // would have grown past MaxConvertedCharacters.
    bool Oversized() const { return oversized; }

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
            // The rows' lengths, each row then built in one allocation, and the document's
            // checked against the bound before any row is built.
            std::vector<size_t> rowLength(R, K + 1);
            size_t before = 0;
            size_t after = 0;
            for (int r = 1; r <= R; ++r) {
                for (int c = 1; c <= K; ++c) {
                    const std::u16string &cell = text(handle[i + (r - 1) * K + c - 1]);
                    before += cell.size() + 2;
                    rowLength[r - 1]
                        += state.EscapeSpecialCharacters ? EscapedLength(cell) : cell.size();
                }
                after += rowLength[r - 1] + 2;
            }
            if (documentLength - before + after > MaxConvertedCharacters) {
                oversized = true;
                return;
            }
            documentLength = documentLength - before + after;
            // Row r reads lines p.. and writes line q <= p, so no cell is overwritten unread.
            for (int r = 1; r <= R; ++r) {
                const int p = i + (r - 1) * K;
                std::u16string row;
                row.reserve(rowLength[r - 1]);
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
            AppendEscapedCell(row, text(h));
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
    size_t documentLength = 0; // characters, two for each line end as saved
    bool oversized = false;
    std::array<int16_t, MaxTables + 1> start;
    std::array<bool, MaxTables + 1> foundNow {}; // tables found by this conversion
};

// The conversion of tables given by their place: with a preview, every match is listed and
// nothing changes; without one, the result is committed to target (the state itself) unless it
// is refused. Returns the refusal, or empty.
std::u16string ConvertAt(const ConversionState &state, const std::vector<TableAt> &tables,
    ConversionPreview *preview, ConversionState *target)
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
        if (scratch.Oversized())
            return TooLong(t);
        if (table.Line != 0 && !found && !preview) {
            return u"Table " + Number(t) + u" cannot start at line " + Number(table.Line)
                + u": that line is no longer a line of its own once the tables before it are "
                  u"converted.";
        }
    }
    if (target)
        std::move(scratch).CommitTo(*target);
    return {};
}

} // namespace

int DescribedTableCount(const ConversionState &state)
{
    return std::clamp<int>(state.TableCount, 0, MaxTables);
}

void CaptureTableSettings(ConversionState &state, int listIndex, std::span<const TableBoxes> boxes)
{
    state.TableCount = static_cast<int16_t>(std::clamp(listIndex, -1, MaxTables - 1) + 1);
    for (int t = 1; t <= state.TableCount; ++t) {
        const TableBoxes empty;
        const TableBoxes &row = static_cast<size_t>(t) <= boxes.size() ? boxes[t - 1] : empty;
        state.TableFirstCell[t] = TrimSpaces(row.FirstCell);
        state.TableRows[t] = SaturateToInt16(ReadNumber(row.Rows));
        state.TableCols[t] = SaturateToInt16(ReadNumber(row.Cols));
    }
}

std::u16string BoxesRefusal(std::span<const TableBoxes> boxes)
{
    // Every table is checked, not only up to the first incomplete one.
    bool complete = true;
    for (const TableBoxes &row : boxes) {
        if (row.FirstCell.empty() || ReadNumber(row.Rows) < 1 || ReadNumber(row.Cols) < 1)
            complete = false;
    }
    if (!complete)
        return IncompleteBoxesMessage;

    for (size_t k = 0; k < boxes.size(); ++k) {
        const auto rows = RoundToInt16(ReadNumber(boxes[k].Rows));
        const auto cols = RoundToInt16(ReadNumber(boxes[k].Cols));
        if (!rows || !cols || long(*rows) * *cols > INT16_MAX)
            return TooLarge(static_cast<int>(k + 1));
    }
    return {};
}

std::u16string ConvertTables(ConversionState &state, std::span<const TableBoxes> boxes)
{
    if (auto refusal = BoxesRefusal(boxes); !refusal.empty())
        return refusal;

    ScratchConversion scratch(state);
    for (int t = 1; t <= DescribedTableCount(state); ++t) {
        std::u16string refusal;
        scratch.ConvertTable(t, [&](const TableMatch &match) {
            if (!match.Fits)
                refusal = DoesNotFit(t, state.TableRows[t], state.TableCols[t], match.FirstLine);
            return match.Fits;
        });
        if (!refusal.empty())
            return refusal;
        if (scratch.Oversized())
            return TooLong(t);
    }
    std::move(scratch).CommitTo(state);
    return {};
}

ConversionPreview PreviewConversion(const ConversionState &state, std::span<const TableBoxes> boxes)
{
    ConversionPreview preview;
    preview.Refusal = BoxesRefusal(boxes);
    if (!preview.Refusal.empty())
        return preview;

    ScratchConversion scratch(state);
    for (int t = 1; t <= DescribedTableCount(state); ++t) {
        scratch.ConvertTable(t, [&](const TableMatch &match) {
            preview.Matches.push_back(match);
            return true;
        });
        if (scratch.Oversized()) {
            preview.Refusal = TooLong(t);
            break;
        }
    }
    return preview;
}

std::u16string ConvertTablesAt(ConversionState &state, const std::vector<TableAt> &tables)
{
    return ConvertAt(state, tables, nullptr, &state);
}

ConversionPreview PreviewTablesAt(const ConversionState &state, const std::vector<TableAt> &tables)
{
    ConversionPreview preview;
    // Nothing is committed with a preview, so the state is only read.
    preview.Refusal = ConvertAt(state, tables, &preview, nullptr);
    return preview;
}

void ResetConversion(ConversionState &state)
{
    for (int i = 1; i <= state.SourceLineCount; ++i)
        state.WorkLines[i] = state.SourceLines[i];
    state.WorkLineCount = state.SourceLineCount;
}

std::vector<std::vector<size_t>> SizeClashes(const std::vector<TableAt> &tables)
{
    std::vector<std::vector<size_t>> clashes;
    std::vector<bool> grouped(tables.size());
    for (size_t a = 0; a < tables.size(); ++a) {
        if (grouped[a])
            continue;
        std::vector<size_t> alike { a };
        bool differ = false;
        for (size_t b = a + 1; b < tables.size(); ++b) {
            if (tables[b].FirstCell != tables[a].FirstCell)
                continue;
            alike.push_back(b);
            grouped[b] = true;
            differ |= tables[b].Rows != tables[a].Rows || tables[b].Cols != tables[a].Cols;
        }
        if (differ)
            clashes.push_back(std::move(alike));
    }
    return clashes;
}

} // namespace cellwright
