#include "platform/gdi/EllipseSpans.h"

#include <cmath>

namespace gdi::detail {

namespace {
// Wide enough for w^2 * h^2 with any int box.
using Wide = __int128;
} // namespace

// The box is [0, width) x [0, height) with pixel i covering [i, i + 1), so the
// inscribed ellipse has its centre at (width / 2, height / 2) and semi-axes
// width / 2 and height / 2. In doubled coordinates relative to the centre a pixel
// centre is X = 2x + 1 - width, Y = 2y + 1 - height, and the pixel belongs to the
// ellipse when (X / width)^2 + (Y / height)^2 <= 1, i.e. when
// X^2 * height^2 + Y^2 * width^2 <= width^2 * height^2. Everything is integer, so the
// result is exactly symmetric left/right and top/bottom, never leaves the box, and
// an inset ellipse (a shrunk box) nests inside the outer one.
Span ellipseRowSpan(int width, int height, int row, int inset)
{
    const Wide w = Wide(width) - 2 * Wide(inset);
    const Wide h = Wide(height) - 2 * Wide(inset);
    if (w <= 0 || h <= 0 || row < 0 || row >= height)
        return {};
    const Wide y = 2 * Wide(row) + 1 - height;
    const Wide rhs = w * w * h * h - y * y * w * w; // bound on X^2 * h^2
    if (rhs < 0)
        return {};
    Wide t = Wide(std::sqrt(double(rhs)) / double(h));
    while ((t + 1) * (t + 1) * h * h <= rhs)
        ++t;
    while (t > 0 && t * t * h * h > rhs)
        --t;
    // X runs over width - 1, width - 3, ...: keep the largest |X| of that parity.
    if (((t - (width - 1)) & 1) != 0)
        --t;
    if (t < 0)
        return {};
    return {int((width - 1 - t) / 2), int((width - 1 + t) / 2 + 1)};
}

} // namespace gdi::detail
