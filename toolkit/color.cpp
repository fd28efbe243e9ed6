#include "color.h"

#include <QGuiApplication>
#include <QPalette>

namespace cellwright {

namespace {

constexpr OleColor SystemFlag = 0x80000000;

// The palette entry that stands for a system colour index.
QPalette::ColorRole roleOf(unsigned index)
{
    switch (index) {
    case 0x05: // window background
        return QPalette::Base;
    case 0x08: // window text
        return QPalette::Text;
    case 0x0D:
        return QPalette::Highlight;
    case 0x0E:
        return QPalette::HighlightedText;
    case 0x12: // button text
    case 0x07: // menu text
        return QPalette::ButtonText;
    case 0x11: // grey text
        return QPalette::PlaceholderText;
    case 0x04: // menu
    case 0x0F: // button face
    default:
        return QPalette::Button;
    }
}

} // namespace

QColor ToQColor(OleColor color)
{
    if (color & SystemFlag)
        return QGuiApplication::palette().color(QPalette::Active, roleOf(color & 0xFF));
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

} // namespace cellwright
