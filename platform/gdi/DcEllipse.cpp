#include "platform/gdi/Dc.h"

#include "platform/gdi/EllipseSpans.h"

#include <algorithm>
#include <utility>

namespace gdi {

// Ellipse(l, t, r, b) covers the pixels whose centres lie in the ellipse inscribed in
// the box, right and bottom excluded (the rule of EllipseSpans, shared with elliptic
// regions). The pen lies inside that outline like PS_INSIDEFRAME: a pen of width w
// paints the pixels of the outer ellipse that are not in the ellipse inscribed in the
// box shrunk by w on every side, and the brush fills that inner ellipse. So a 2-pixel
// outline is two pixels deep at the four edge midpoints, never leaves the box, and
// the picture is symmetric about both axes. Without a pen the brush fills the outer
// ellipse; the hollow brush leaves the inside untouched.
void Dc::ellipse(int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0)
        return;
    const int penWidth = m_pen.null ? 0 : std::max(m_pen.width, 1);
    const ColorRef pen = m_pen.color & 0xFFFFFF;
    const int firstRow = std::max(0, -top), lastRow = std::min(h, m_surface->height() - top);
    for (int row = firstRow; row < lastRow; ++row) {
        const detail::Span outer = detail::ellipseRowSpan(w, h, row, 0);
        if (outer.isEmpty())
            continue;
        const int y = top + row;
        const detail::Span inner = penWidth > 0 ? detail::ellipseRowSpan(w, h, row, penWidth) : outer;
        if (m_brush && !inner.isEmpty())
            m_surface->fillRect({left + inner.x0, y, left + inner.x1, y + 1}, *m_brush & 0xFFFFFF);
        if (penWidth == 0)
            continue;
        if (inner.isEmpty()) {
            m_surface->fillRect({left + outer.x0, y, left + outer.x1, y + 1}, pen);
        } else {
            m_surface->fillRect({left + outer.x0, y, left + inner.x0, y + 1}, pen);
            m_surface->fillRect({left + inner.x1, y, left + outer.x1, y + 1}, pen);
        }
    }
}

} // namespace gdi
