#pragma once
// Window layouts are written in twips: 1440 per inch, 15 per pixel at 96 dpi.

#include <QRect>

#include <cmath>

namespace forms {

inline constexpr int TwipsPerPixel = 15;

// Nearest pixel; negative positions (a text scrolled above its viewport) round
// the same way as positive ones.
[[nodiscard]] inline int twipsToPixels(double twips)
{
    return int(std::floor(twips / TwipsPerPixel + 0.5));
}

[[nodiscard]] inline double pixelsToTwips(int pixels)
{
    return double(pixels) * TwipsPerPixel;
}

[[nodiscard]] inline QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace forms
