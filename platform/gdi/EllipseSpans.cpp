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

namespace gdi::detail {

// The quarter from the right end up to the top is traced by the midpoint rule on
// the ellipse through the centres of the box's first and last pixels: semi-axes
// a / 2 and b / 2 with a = width - 1, b = height - 1, in coordinates doubled so
// that every quantity is an integer. From (a, height / 2), counted upward from the
// bottom row, each step goes left, up or both, whichever keeps the point nearest
// the curve; err is the curve's implicit function (scaled by 4) at the next
// candidate, dx and dy its changes for one step left and one step up, which
// themselves grow by 8 b^2 and 8 a^2 per step. An odd height starts half a pixel
// off the centre line, hence the (b % 2) terms. The other quarters are mirror
// images, so the chain is symmetric about both axes of the box.
std::vector<Point> ellipseOutline(int width, int height)
{
    const Wide a = width - 1, b = height - 1;
    const Wide stepX = 8 * b * b, stepY = 8 * a * a;
    Wide dx = 4 * b * b * (1 - a);
    Wide dy = 4 * a * a * (1 + b % 2);
    Wide err = dx + dy + a * a * (b % 2);
    std::vector<Point> quarter;
    int x = int(a), y = height / 2;
    while (x >= width / 2) {
        const Wide e2 = 2 * err;
        quarter.push_back({x, height - 1 - y});
        if (e2 >= dx) {
            --x;
            err += dx += stepX;
        }
        if (e2 <= dy) {
            ++y;
            err += dy += stepY;
        }
    }
    // Right-top quarter, then its mirror (top to left end), then the lower half
    // mirrored; the middle point of an odd side is not doubled.
    std::vector<Point> half(quarter);
    const std::size_t skipX = width % 2 ? 1 : 0;
    for (std::size_t i = quarter.size() - skipX; i-- > 0;)
        half.push_back({width - 1 - quarter[i].x, quarter[i].y});
    std::vector<Point> chain(half);
    const std::size_t skipY = height % 2 ? 1 : 0;
    for (std::size_t i = half.size() - skipY; i-- > 0;)
        chain.push_back({half[i].x, height - 1 - half[i].y});
    return chain;
}

} // namespace gdi::detail
