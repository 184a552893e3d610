#pragma once
// The one pixel rule shared by Ellipse and CreateEllipticRgn, so that an oval
// button's painted face and its window shape agree to the pixel.

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

} // namespace gdi::detail
