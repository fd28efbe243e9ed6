// Colours as the forms store them: &H00BBGGRR& for a colour of its own, &H800000xx& for one of
// the system's colours (taken from the application palette when used).
#pragma once

#include <QColor>
#include <cstdint>

namespace cellwright {

using OleColor = std::uint32_t;

// A colour from its red, green and blue parts (0 to 255 each).
constexpr OleColor Rgb(int red, int green, int blue) noexcept
{
    return OleColor(red & 0xFF) | OleColor(green & 0xFF) << 8 | OleColor(blue & 0xFF) << 16;
}

// System colours the forms use.
inline constexpr OleColor SysButtonFace = 0x8000000F;
inline constexpr OleColor SysButtonText = 0x80000012;
inline constexpr OleColor SysWindowBackground = 0x80000005;
inline constexpr OleColor SysWindowText = 0x80000008;
inline constexpr OleColor SysHighlight = 0x8000000D;
inline constexpr OleColor SysHighlightText = 0x8000000E;

// Common colours of their own.
inline constexpr OleColor ColorBlack = 0x00000000;
inline constexpr OleColor ColorWhite = 0x00FFFFFF;

// The Qt colour for a stored colour; system colours come from the application palette.
QColor ToQColor(OleColor color);

} // namespace cellwright
