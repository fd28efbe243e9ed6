#include "console_window.h"

#include "text_codec.h"

#include <cstdio>

namespace cellwright {

ConsoleWindow::ConsoleWindow(const std::vector<TableArgument> &tables)
{
    for (const TableArgument &table : tables)
        rows.push_back(
            { ArgumentText(table.firstCell), ArgumentText(table.rows), ArgumentText(table.cols) });
}

const ConsoleWindow::Boxes *ConsoleWindow::row(int k) const
{
    return k >= 0 && static_cast<size_t>(k) < rows.size() ? &rows[k] : nullptr;
}

int ConsoleWindow::Combo1_ListIndex() const
{
    return static_cast<int>(rows.size()) - 1;
}

std::u16string ConsoleWindow::Text1(int k) const
{
    return row(k) ? row(k)->text1 : u"";
}

std::u16string ConsoleWindow::Text2(int k) const
{
    return row(k) ? row(k)->text2 : u"";
}

std::u16string ConsoleWindow::Text3(int k) const
{
    return row(k) ? row(k)->text3 : u"";
}

void ConsoleWindow::MsgBox(const std::u16string &text)
{
    ++messageCount;
    std::string line = "cellwright-convert: ";
    if (!messageContext.empty())
        line += messageContext + ": ";
    line += EncodeText(text, TextEncoding::Utf8) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace cellwright
