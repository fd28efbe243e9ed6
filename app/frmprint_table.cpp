#include "frmprint_table.h"

#include <algorithm>

namespace cellwright {

namespace {
// X11 refuses windows taller than this many pixels.
constexpr int MaxWindowPixels = 32767;
} // namespace

frmPrint_Table::frmPrint_Table(ConversionState &state)
    : state(state)
{
    setCaption(QStringLiteral("Table"));
    setBorderStyle(Border::Sizable);
    setBackColor(ColorWhite);
    setForeColor(SysWindowText);
    setClientSize(8100, 4365);
}

void frmPrint_Table::Form_Load()
{
    ApplyViewerHeight();
}

Twips frmPrint_Table::ViewerWindowHeight(int32_t viewerHeight)
{
    const Twips tallest = ToTwipsY(MaxWindowPixels);
    if (viewerHeight < ViewerRowHeight)
        return Twips(ViewerRowHeight);
    return std::min(Twips(viewerHeight), tallest);
}

void frmPrint_Table::ApplyViewerHeight()
{
    setHeight(ViewerWindowHeight(state.ViewerHeight));
}

void frmPrint_Table::ShowTable(int t)
{
    // Str() of a positive number: a blank stands where a minus sign would.
    setCaption(QStringLiteral("Table  %1").arg(t));
    const int start = state.TableStart[t];
    const int rows = state.TableRows[t];
    for (int r = 1; r <= rows; ++r) {
        const int position = start + r - 1;
        if (position > MaxLines)
            break;
        Print(QString::fromStdU16String(state.WorkLines[std::size_t(position)]));
    }
}

} // namespace cellwright
