// The help window's layout arithmetic, kept apart from the window so that it can be checked on
// its own; frmHelp runs exactly these steps on its labels.
//
// A paragraph's height is estimated from its number of characters and the width it gets:
// count x 15000 / width twips. The paragraphs are stacked from 500 twips down, each below the
// estimated end of the one before plus a gap, and the window is made as high as the five
// estimates and their gaps need. Products of a count and 15000 are exact 32-bit integers; the
// quotients and sums are doubles; every top and the height are rounded to 16-bit integers.
#pragma once

#include <array>
#include <cstdint>

namespace cellwright {

// Which handler lays out. The load handler leaves 700 twips between paragraphs; the resize handler
// leaves 600, and adds the 700 per paragraph of the window's height as 600 and then 100.
enum class HelpPass {
    Load,
    Resize,
};

// The narrowest window the layout works with, in twips (400 pixels at 96 DPI). Below about
// 1580 twips the chain of tops would leave the 16-bit range, below about 1090 the height would,
// and at 500 or less the labels would have no width. At 6000 every paragraph still fits its
// label in the substituted fonts, and the window (9640 twips high) fits a 768-pixel screen.
inline constexpr double HelpMinWidth = 6000;
// The labels are this much narrower than the window.
inline constexpr double HelpLabelMargin = 500;
// Top of the first paragraph.
inline constexpr double HelpFirstTop = 500;
// Labels Label1(1) .. Label1(5) hold the paragraphs.
inline constexpr int HelpMaxParagraphs = 5;

// Nearest integer, a half going to the even neighbour, as a signed 16-bit value. Values beyond
// the 16-bit range stop at its ends; NaN gives 0.
int16_t RoundHalfEven16(double x) noexcept;

// The window width the arithmetic uses: the window's outer width, but at least HelpMinWidth.
double HelpLayoutWidth(double windowWidth) noexcept;

// Width of the heading and of every paragraph label in a window this wide.
double HelpLabelWidth(double windowWidth) noexcept;

// Top of the paragraph after one whose label reports this top and width and that holds length
// characters. A label width below that at the minimum window width counts as that width.
int16_t HelpNextTop(double top, int16_t length, double labelWidth, HelpPass pass) noexcept;

// The window's outer height for paragraphs 1 .. count of lengths in a window this wide.
int16_t HelpWindowHeight(
    double windowWidth, const std::array<int16_t, 6> &lengths, int count, HelpPass pass) noexcept;

// The whole layout for one window width.
struct HelpLayout {
    double labelWidth = 0;
    std::array<int16_t, 6> tops {}; // entries 1 .. count
    int16_t height = 0;
};

// The layout of paragraphs 1 .. count (at most 5) for a window this wide, with labels that report
// back the top and width they were given.
HelpLayout ComputeHelpLayout(
    double windowWidth, const std::array<int16_t, 6> &lengths, int count, HelpPass pass) noexcept;

} // namespace cellwright
