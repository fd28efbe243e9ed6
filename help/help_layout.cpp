#include "help_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cellwright {

namespace {

// The window's height before the paragraphs are added.
constexpr double BaseHeight = 1000;

// Twips of height per character, times the width the paragraph gets.
constexpr int32_t TwipsPerCharacterWidth = 15000;

double ParagraphGap(HelpPass pass) noexcept
{
    return pass == HelpPass::Load ? 700 : 600;
}

// A paragraph's estimated height: the product is exact in 32 bits, the quotient a double.
double EstimatedHeight(int16_t length, double width) noexcept
{
    return double(int32_t(length) * TwipsPerCharacterWidth) / width;
}

int ParagraphCount(int count) noexcept
{
    return std::clamp(count, 0, HelpMaxParagraphs);
}

} // namespace

int16_t RoundHalfEven16(double x) noexcept
{
    if (std::isnan(x))
        return 0;
    constexpr double Low = std::numeric_limits<int16_t>::min();
    constexpr double High = std::numeric_limits<int16_t>::max();
    if (x <= Low)
        return std::numeric_limits<int16_t>::min();
    if (x >= High)
        return std::numeric_limits<int16_t>::max();
    const double below = std::floor(x);
    const double fraction = x - below;
    double nearest = fraction < 0.5 ? below : below + 1;
    if (fraction == 0.5)
        nearest = std::fmod(below, 2.0) == 0 ? below : below + 1;
    return int16_t(nearest);
}

double HelpLayoutWidth(double windowWidth) noexcept
{
    // Written so that NaN also falls back to the minimum.
    return windowWidth >= HelpMinWidth ? windowWidth : HelpMinWidth;
}

double HelpLabelWidth(double windowWidth) noexcept
{
    return HelpLayoutWidth(windowWidth) - HelpLabelMargin;
}

int16_t HelpNextTop(double top, int16_t length, double labelWidth, HelpPass pass) noexcept
{
    const double narrowest = HelpLabelWidth(HelpMinWidth);
    const double width = labelWidth >= narrowest ? labelWidth : narrowest;
    return RoundHalfEven16(top + EstimatedHeight(length, width) + ParagraphGap(pass));
}

int16_t HelpWindowHeight(
    double windowWidth, const std::array<int16_t, 6> &lengths, int count, HelpPass pass) noexcept
{
    const double width = HelpLayoutWidth(windowWidth);
    int16_t h = int16_t(BaseHeight);
    for (int k = 1; k <= ParagraphCount(count); ++k) {
        const double sum = h + EstimatedHeight(lengths[std::size_t(k)], width);
        // The load handler adds 700 at once, the resize handler 600 and then 100.
        h = pass == HelpPass::Load ? RoundHalfEven16(sum + 700) : RoundHalfEven16(sum + 600 + 100);
    }
    return h;
}

HelpLayout ComputeHelpLayout(
    double windowWidth, const std::array<int16_t, 6> &lengths, int count, HelpPass pass) noexcept
{
    HelpLayout layout;
    layout.labelWidth = HelpLabelWidth(windowWidth);
    double y = HelpFirstTop;
    for (int k = 1; k <= ParagraphCount(count); ++k) {
        layout.tops[std::size_t(k)] = int16_t(y);
        y = HelpNextTop(y, lengths[std::size_t(k)], layout.labelWidth, pass);
    }
    layout.height = HelpWindowHeight(windowWidth, lengths, count, pass);
    return layout;
}

} // namespace cellwright
