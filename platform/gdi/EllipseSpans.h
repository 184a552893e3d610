#pragma once
// The pixel rules of ellipses: the one shared by Ellipse and CreateEllipticRgn, so
// that an oval button's painted face and its window shape agree to the pixel, and
// the outline along which a 2-pixel pen is drawn.

#include "platform/gdi/Rect.h"

#include <vector>

namespace gdi::detail {

// Half-open run [x0, x1) of a row, relative to the left edge of the box.
struct Span {
    int x0 = 0;
    int x1 = 0;
    [[nodiscard]] constexpr bool isEmpty() const { return x1 <= x0; }
};

// Pixels of row `row` (0 = top row of the box) whose centres lie inside or on the
// ellipse inscribed in a `width` x `height` box shrunk by `inset` on every side.
[[nodiscard]] Span ellipseRowSpan(int width, int height, int row, int inset);

// The outline of the ellipse in a `width` x `height` box (both at least 3) that a
// wide pen follows: a closed chain of pixels, relative to the box, each one step
// (across, up, down or diagonal; repeated points where the quarters meet) from the
// one before. The quarters mirror each other exactly.
[[nodiscard]] std::vector<Point> ellipseOutline(int width, int height);

} // namespace gdi::detail
