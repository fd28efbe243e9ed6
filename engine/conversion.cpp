#include "conversion.h"

#include "known_tables.h"
#include "latex_escape.h"
#include "number_reading.h"
#include "tabular.h"
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

std::u16string TooManyLines(int t)
{
    return u"Table " + Number(t)
        + u" cannot be converted: the document would have more than 32767 lines.";
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
    // The lines of the document before the conversion that a line or row stands for.
    struct Span {
        int first, last;
    };

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
        ConvertBlocks(t, true, state.TableLine[t], state.TableFirstCell[t], state.TableRows[t],
            state.TableCols[t], found);
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
            if (const TableShape *shape = KnownShapeAt(i, R, K)) {
                TableMatch match { t, span(handle[i]).first, 0, true, {} };
                match.LastLine = span(handle[i + shape->LineCount() - 1]).last;
                if (!found(match))
                    return;
                ConvertShape(t, tracked, i, *shape);
                continue;
            }
            const int last = i + R * K - 1;
            TableMatch match { t, span(handle[i]).first, 0, last <= count, {} };
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
            // Every row is built before any line of the block is given up.
            std::vector<int32_t> built;
            TabularCells cells;
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
                built.push_back(AddRow(
                    std::move(row), { span(handle[p]).first, span(handle[p + K - 1]).last }));
                if (state.CompleteTabular) {
                    cells.Text.emplace_back();
                    for (int c = 1; c <= K; ++c)
                        cells.Text.back().push_back(text(handle[p + c - 1]));
                    cells.Decides.emplace_back(K, true);
                }
            }
            cells.Cols = K;
            Place(
                t, tracked, i, R * K, built, cells, 1, {}, [K](int offset) { return offset / K; });
        }
    }

    // Commits the conversion to the state it was made from, which it reads until then, and uses
    // up this scratch copy. Only the handles of the document's lines are walked: the lines past
    // it never change.
    void CommitTo(ConversionState &target) &&
    {
        // An environment may have made the document longer than the stores; like the copies
        // below, this can only fail before anything changed.
        if (target.WorkLines.size() < handle.size())
            target.WorkLines.resize(handle.size());
        const int lines = static_cast<int>(handle.size()) - 1;
        if (grew) {
            // Lines moved down as well as up, so no order of moves is safe: every line is
            // made anew first, and only then does the document change.
            std::vector<std::u16string> fresh(handle.size());
            for (int x = 1; x <= lines; ++x)
                fresh[x] = text(handle[x]);
            for (int x = 1; x <= lines; ++x)
                target.WorkLines[x].swap(fresh[x]);
            target.WorkLineCount = static_cast<int16_t>(count);
            target.TableStart = start;
            target.WorkLinesAsRead = false;
            return;
        }
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
        target.WorkLinesAsRead = false;
    }

private:
    // The table the document knows exactly at line i, when it has the size the conversion was
    // given and its lines still stand as read; else null, and the block is converted as described.
    const TableShape *KnownShapeAt(int i, int R, int K) const
    {
        if (!state.WorkLinesAsRead || handle[i] > MaxLines)
            return nullptr;
        const TableShape *shape = KnownTableAt(state, handle[i]);
        if (!shape || static_cast<int>(shape->Rows.size()) != R || shape->Cols != K)
            return nullptr;
        const int lines = shape->LineCount();
        if (i + lines - 1 > count)
            return nullptr;
        for (const ShapeRow &row : shape->Rows) {
            if (row.Cells.empty())
                return nullptr;
        }
        for (int k = 1; k < lines; ++k) {
            if (handle[i + k] != handle[i] + k)
                return nullptr;
        }
        return shape;
    }

    // Converts the known table at line i: every row as wide as the grid, a cell spanning columns
    // as one \multicolumn, a place covered from above or left out as an empty cell.
    void ConvertShape(int t, bool tracked, int i, const TableShape &shape)
    {
        const int R = static_cast<int>(shape.Rows.size());
        const int headerRows = HeaderRowCount(shape);
        std::vector<int> rowOfOffset;
        std::vector<int32_t> built;
        TabularCells grid;
        grid.Cols = shape.Cols;
        std::vector<std::vector<std::pair<int, int>>> spans;
        int p = i;
        for (int r = 0; r < R; ++r) {
            const std::vector<ShapeCell> &cells = shape.Rows[r].Cells;
            if (state.CompleteTabular) {
                grid.Text.emplace_back(shape.Cols);
                grid.Decides.emplace_back(shape.Cols, true);
                spans.emplace_back();
                for (size_t e = 0; e < cells.size(); ++e) {
                    const ShapeCell &cell = cells[e];
                    const int end = std::min(cell.Column + std::max(cell.ColSpan, 1), shape.Cols);
                    for (int c = std::max(cell.Column, 0); c < end; ++c)
                        grid.Decides.back()[c] = cell.ColSpan == 1 && !cell.CoveredFromAbove;
                    if (cell.Column >= 0 && cell.Column < shape.Cols && !cell.CoveredFromAbove)
                        grid.Text.back()[cell.Column] = text(handle[p + static_cast<int>(e)]);
                    if (cell.ColSpan > 1 && !cell.CoveredFromAbove)
                        spans.back().push_back({ cell.Column, cell.ColSpan });
                }
            }
            std::u16string row;
            int column = 0;
            for (size_t e = 0; e < cells.size(); ++e) {
                const ShapeCell &cell = cells[e];
                for (; column < cell.Column; ++column)
                    row += column > 0 ? u"&" : u"";
                if (column > 0)
                    row += u'&';
                if (cell.ColSpan > 1)
                    row += u"\\multicolumn{" + Number(cell.ColSpan) + u"}{c}{";
                if (!cell.CoveredFromAbove)
                    AppendCell(row, handle[p + static_cast<int>(e)]);
                if (cell.ColSpan > 1)
                    row += u'}';
                column = std::max(column, cell.Column) + std::max(cell.ColSpan, 1);
                rowOfOffset.push_back(r);
            }
            for (; column < shape.Cols; ++column)
                row += column > 0 ? u"&" : u"";
            row += u"\\\\";
            const int lines = static_cast<int>(cells.size());
            built.push_back(AddRow(
                std::move(row), { span(handle[p]).first, span(handle[p + lines - 1]).last }));
            p += lines;
        }
        Place(t, tracked, i, p - i, built, grid, headerRows, spans,
            [&](int offset) { return rowOfOffset[offset]; });
    }

    // Keeps a new line (a row, or a line of the environment around the rows); its handle.
    int32_t AddRow(std::u16string line, Span from)
    {
        rows.push_back(std::move(line));
        rowSpans.push_back(from);
        return static_cast<int32_t>(MaxLines + rows.size());
    }

    // Puts the rows built from the `lines` lines of a block at line i in their place, with the
    // tabular environment around them when the state asks for it, and moves the rest of the
    // document up (or down, when the environment takes more lines than the block). rowOf tells
    // which row each line of the block went into.
    template <typename RowOf>
    void Place(int t, bool tracked, int i, int lines, const std::vector<int32_t> &built,
        const TabularCells &cells, int headerRows,
        const std::vector<std::vector<std::pair<int, int>>> &spans, RowOf rowOf)
    {
        const int R = static_cast<int>(built.size());
        std::u16string letters;
        std::vector<int32_t> out;
        std::vector<int> rowAt(R); // where each row lands in out
        if (!state.CompleteTabular) {
            out = built;
            std::iota(rowAt.begin(), rowAt.end(), 0);
        } else {
            letters = ColumnLetters(cells, headerRows);
            const TabularFrame frame = MakeTabularFrame(letters, R, headerRows, spans);
            const Span first = rowSpans[built.front() - MaxLines - 1];
            const Span last = rowSpans[built.back() - MaxLines - 1];
            for (const std::u16string &line : frame.Before)
                out.push_back(AddRow(line, first));
            for (int r = 0; r < R; ++r) {
                rowAt[r] = static_cast<int>(out.size());
                out.push_back(built[r]);
                for (const std::u16string &line : frame.AfterRow[r])
                    out.push_back(AddRow(line, rowSpans[built[r] - MaxLines - 1]));
            }
            for (const std::u16string &line : frame.After)
                out.push_back(AddRow(line, last));
        }
        const int N = static_cast<int>(out.size());
        if (count + (N - lines) > INT16_MAX) {
            tooManyLines = true;
            return;
        }
        // The vacated tail keeps its old entries when the block shrinks.
        if (N <= lines)
            std::copy(
                handle.begin() + i + lines, handle.begin() + count + 1, handle.begin() + i + N);
        else
            handle.insert(handle.begin() + i + lines, N - lines, 0), grew = true;
        std::copy(out.begin(), out.end(), handle.begin() + i);
        count += N - lines;
        if (state.CompleteTabular)
            placedLetters.push_back(std::move(letters));
        if (!tracked)
            return;
        // Tables found earlier in this conversion whose rows lay below the block moved with the
        // rest; one whose first row was a cell of it now lies in the row that took that cell.
        const int blockEnd = i + lines; // first line after the block, before it was replaced
        for (int u = 1; u <= MaxTables; ++u) {
            if (u == t || !foundNow[u] || start[u] < i)
                continue;
            start[u] = static_cast<int16_t>(
                start[u] >= blockEnd ? start[u] + (N - lines) : i + rowAt[rowOf(start[u] - i)]);
        }
        // The viewer shows the table from its first row.
        start[t] = static_cast<int16_t>(i + rowAt[0]);
        foundNow[t] = true;
    }

    // A block of `lines` lines at line i became rows: tables found earlier in this conversion
    // whose rows lay below it moved up with the rest, and one whose first row was a cell of it
    // now lies in the row that took that cell. Table t now starts at line i.
    template <typename RowOf> void Track(int t, int i, int lines, RowOf rowOf)
    {
        const int blockEnd = i + lines; // first line after the block, before the gap closed
        const int rowCount = rowOf(lines - 1) + 1;
        for (int u = 1; u <= MaxTables; ++u) {
            if (u == t || !foundNow[u] || start[u] < i)
                continue;
            start[u] = static_cast<int16_t>(
                start[u] >= blockEnd ? start[u] - (lines - rowCount) : i + rowOf(start[u] - i));
        }
        start[t] = static_cast<int16_t>(i);
        foundNow[t] = true;
    }

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
    bool grew = false; // an environment took more lines than its block

public:
    // Whether a block was left unconverted because the document would pass 32767 lines.
    bool tooManyLines = false;
    // The column letters of every environment placed, in the order of the blocks.
    std::vector<std::u16string> placedLetters;

    // Why table t left a block unconverted and stopped the conversion, or empty: the document
    // would have grown past what it may hold.
    std::u16string Overflow(int t) const
    {
        if (tooManyLines)
            return TooManyLines(t);
        return Oversized() ? TooLong(t) : std::u16string();
    }

    // Gives each fitting match of a preview the letters of its environment.
    void LabelMatches(ConversionPreview &preview) const
    {
        size_t next = 0;
        for (TableMatch &match : preview.Matches) {
            if (match.Fits && next < placedLetters.size())
                match.ColumnLetters = placedLetters[next++];
        }
    }
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
        if (auto refusal = scratch.Overflow(t); !refusal.empty())
            return refusal;
        if (table.Line != 0 && !found && !preview) {
            return u"Table " + Number(t) + u" cannot start at line " + Number(table.Line)
                + u": that line is no longer a line of its own once the tables before it are "
                  u"converted.";
        }
    }
    if (preview)
        scratch.LabelMatches(*preview);
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
        state.TableLine[t] = static_cast<int16_t>(std::clamp(row.Line, 0, MaxLines));
    }
}

std::u16string BoxesRefusal(std::span<const TableBoxes> boxes)
{
    // Every table is checked, not only up to the first incomplete one.
    bool complete = true;
    for (const TableBoxes &row : boxes) {
        if ((row.FirstCell.empty() && row.Line == 0) || ReadNumber(row.Rows) < 1
            || ReadNumber(row.Cols) < 1)
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
        if (auto refusal = scratch.Overflow(t); !refusal.empty())
            return refusal;
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
        if (auto refusal = scratch.Overflow(t); !refusal.empty()) {
            preview.Refusal = std::move(refusal);
            break;
        }
    }
    scratch.LabelMatches(preview);
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
    state.WorkLinesAsRead = true;
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
