#include "platform/gdi/Dc.h"

#include "platform/gdi/EllipseSpans.h"

#include <algorithm>
#include <utility>

namespace gdi {

// Ellipse(l, t, r, b) with a solid pen centres the pen on the ideal outline. Pixel x
// covers [x, x + 1); like every figure the outline leaves the right and bottom edges
// out, so it runs through x = l and x = r - 1 and through y = t and y = b - 1: centre
// ((l + r - 1) / 2, (t + b - 1) / 2), half axes (r - l - 1) / 2 and (b - t - 1) / 2.
// A pen of width w spans [p - w / 2, p - w / 2 + w) across the outline at p (the odd
// pixel of an even pen going up and left, as for wide lines), taken as the ring
// between the ellipse grown to the box (l - w / 2, t - w / 2, r - 1 + (w + 1) / 2,
// b - 1 + (w + 1) / 2) and that box shrunk by w on every side. A pixel belongs to an
// ellipse when its centre lies inside or on it (EllipseSpans, the rule of elliptic
// regions); the brush fills the inner ellipse and the pen the rest of the outer one.
// For the 2-pixel pen of the oval button that is the box grown by one pixel at the
// left and top only: half the pen falls outside (l, t, r, b), where the surface and
// the button's elliptic window region cut it, leaving about one pixel of outline at
// the left and top and two at the right and bottom. A 1-pixel pen stays in the box.
// Without a pen the brush fills the ellipse of the box itself, the elliptic region's
// pixels; the hollow brush leaves the inside untouched.
void Dc::ellipse(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (right - left <= 0 || bottom - top <= 0)
        return;
    const int penWidth = m_pen.null ? 0 : std::max(m_pen.width, 1);
    const ColorRef pen = m_pen.color & 0xFFFFFF;
    const Rect box = penWidth == 0 ? Rect{left, top, right, bottom}
                                   : Rect{left - penWidth / 2, top - penWidth / 2,
                                          right - 1 + (penWidth + 1) / 2, bottom - 1 + (penWidth + 1) / 2};
    const int w = box.width(), h = box.height();
    const int firstRow = std::max(0, -box.top), lastRow = std::min(h, m_surface->logicalHeight() - box.top);
    // Each logical span is one device rectangle: the rows stay blocks of device pixels.
    auto span = [this](int x0, int y, int x1, ColorRef c) {
        m_surface->fillRect(m_surface->toDevice(Rect{x0, y, x1, y + 1}), c);
    };
    for (int row = firstRow; row < lastRow; ++row) {
        const detail::Span outer = detail::ellipseRowSpan(w, h, row, 0);
        if (outer.isEmpty())
            continue;
        const int y = box.top + row;
        const int x0 = box.left;
        const detail::Span inner = penWidth > 0 ? detail::ellipseRowSpan(w, h, row, penWidth) : outer;
        if (m_brush && !inner.isEmpty())
            span(x0 + inner.x0, y, x0 + inner.x1, *m_brush & 0xFFFFFF);
        if (penWidth == 0)
            continue;
        if (inner.isEmpty()) {
            span(x0 + outer.x0, y, x0 + outer.x1, pen);
        } else {
            span(x0 + outer.x0, y, x0 + inner.x0, pen);
            span(x0 + inner.x1, y, x0 + outer.x1, pen);
        }
    }
}

} // namespace gdi
