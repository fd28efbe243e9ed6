#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace cellwright {

namespace {

// Far beyond any screen, well inside int: keeps absurd values from overflowing.
constexpr double PixelLimit = 1 << 24;

float twipsPerPixel(bool across)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal dpi = !screen ? 96.0
        : across              ? screen->logicalDotsPerInchX()
                              : screen->logicalDotsPerInchY();
    return dpi > 0 ? float(TwipsPerInch / dpi) : TwipsPerInch / 96.0f;
}

} // namespace

float TwipsPerPixelX()
{
    return twipsPerPixel(true);
}

float TwipsPerPixelY()
{
    return twipsPerPixel(false);
}

int PixelsFromTwips(Twips twips, float twipsPerPixel) noexcept
{
    const double pixels = double(twips) / double(twipsPerPixel);
    if (!std::isfinite(pixels))
        return 0;
    return int(std::lround(std::clamp(pixels, -PixelLimit, PixelLimit)));
}

Twips TwipsFromPixels(int pixels, float twipsPerPixel) noexcept
{
    return Twips(pixels) * twipsPerPixel;
}

int ToPixelsX(Twips twips)
{
    return PixelsFromTwips(twips, TwipsPerPixelX());
}

int ToPixelsY(Twips twips)
{
    return PixelsFromTwips(twips, TwipsPerPixelY());
}

Twips ToTwipsX(int pixels)
{
    return TwipsFromPixels(pixels, TwipsPerPixelX());
}

Twips ToTwipsY(int pixels)
{
    return TwipsFromPixels(pixels, TwipsPerPixelY());
}

Twips ReadBackTwips(Twips set, int actualPixels, float twipsPerPixel) noexcept
{
    return PixelsFromTwips(set, twipsPerPixel) == actualPixels
        ? set
        : TwipsFromPixels(actualPixels, twipsPerPixel);
}

} // namespace cellwright
