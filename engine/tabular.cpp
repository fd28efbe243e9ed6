#include "tabular.h"

#include "text_rules.h"

#include <algorithm>
#include <string>

namespace cellwright {

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::u16string Number(long value)
{
    const std::string digits = std::to_string(value);
    return { digits.begin(), digits.end() };
}

} // namespace

bool ReadsAsNumber(std::u16string_view cell)
{
    size_t i = 0, end = cell.size();
    while (i < end && IsWordBlank(cell[i]))
        ++i;
    while (end > i && IsWordBlank(cell[end - 1]))
        --end;
    if (i < end && cell[end - 1] == u'%')
        --end;
    if (i < end && (cell[i] == u'+' || cell[i] == u'-' || cell[i] == 0x2212 || cell[i] == 0xB1))
        ++i;
    size_t digits = 0;
    while (i < end && IsDigit(cell[i]))
        ++i, ++digits;
    if (i < end && (cell[i] == u'.' || cell[i] == u',')) {
        ++i;
        while (i < end && IsDigit(cell[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < end && (cell[i] == u'e' || cell[i] == u'E')) {
        ++i;
        if (i < end && (cell[i] == u'+' || cell[i] == u'-' || cell[i] == 0x2212))
            ++i;
        const size_t exponent = i;
        while (i < end && IsDigit(cell[i]))
            ++i;
        if (i == exponent)
            return false;
    }
    return i == end;
}

std::u16string ColumnLetters(const TabularCells &cells, int headerRows)
{
    std::u16string letters;
    for (int c = 0; c < cells.Cols; ++c) {
        bool numbers = false;
        bool words = false;
        for (size_t r = static_cast<size_t>(std::max(headerRows, 0)); r < cells.Text.size(); ++r) {
            if (static_cast<size_t>(c) >= cells.Text[r].size() || !cells.Decides[r][c])
                continue;
            const std::u16string_view text = TrimSpaces(cells.Text[r][c]);
            if (text.empty())
                continue;
            (ReadsAsNumber(text) ? numbers : words) = true;
        }
        letters += numbers && !words ? u'r' : u'l';
    }
    return letters;
}

int HeaderRowCount(const TableShape &shape)
{
    const int rows = static_cast<int>(shape.Rows.size());
    if (shape.HeaderRows > 0)
        return std::min(shape.HeaderRows, rows);
    int header = 1;
    if (rows > 0) {
        for (const ShapeCell &cell : shape.Rows[0].Cells)
            header = std::max(header, std::min(cell.RowSpan, rows));
    }
    return header;
}

TabularFrame MakeTabularFrame(std::u16string_view letters, int rowCount, int headerRows,
    const std::vector<std::vector<std::pair<int, int>>> &spans)
{
    TabularFrame frame;
    frame.Before = { u"\\begin{tabular}{" + std::u16string(letters) + u"}", u"\\toprule" };
    frame.AfterRow.resize(static_cast<size_t>(std::max(rowCount, 0)));
    headerRows = std::clamp(headerRows, 1, std::max(rowCount, 1));
    for (int r = 0; r + 1 < headerRows && static_cast<size_t>(r) < spans.size(); ++r) {
        std::u16string rules;
        for (const auto &[first, count] : spans[static_cast<size_t>(r)]) {
            if (!rules.empty())
                rules += u' ';
            rules += u"\\cmidrule(lr){" + Number(first + 1) + u"-" + Number(first + count) + u"}";
        }
        if (!rules.empty())
            frame.AfterRow[static_cast<size_t>(r)].push_back(std::move(rules));
    }
    // A table of one row is all header: nothing to set off.
    if (rowCount > headerRows)
        frame.AfterRow[static_cast<size_t>(headerRows - 1)].push_back(u"\\midrule");
    frame.After = { u"\\bottomrule", u"\\end{tabular}" };
    return frame;
}

} // namespace cellwright
