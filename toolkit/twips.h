// Geometry in twips: 1440 to the inch, 1440 / logical DPI to the pixel (15 at 96 DPI).
// Values are single precision and are rounded to whole pixels only where they reach Qt.
#pragma once

namespace cellwright {

using Twips = float;

inline constexpr float TwipsPerInch = 1440.0f;

// Twips per pixel across and down the primary screen (15 at 96 logical DPI).
float TwipsPerPixelX();
float TwipsPerPixelY();

// Twips to whole pixels: nearest pixel, halves away from zero (157.5 px -> 158 px).
int PixelsFromTwips(Twips twips, float twipsPerPixel) noexcept;
// Whole pixels to twips.
Twips TwipsFromPixels(int pixels, float twipsPerPixel) noexcept;

// The same on the primary screen.
int ToPixelsX(Twips twips);
int ToPixelsY(Twips twips);
Twips ToTwipsX(int pixels);
Twips ToTwipsY(int pixels);

// What a geometry getter reports: the value that was set while the widget still has exactly the
// pixels that value rounds to, otherwise the widget's own pixels in twips.
Twips ReadBackTwips(Twips set, int actualPixels, float twipsPerPixel) noexcept;

} // namespace cellwright
