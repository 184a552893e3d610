#include "platform/gdi/Region.h"

#include "platform/gdi/EllipseSpans.h"
#include "platform/gdi/Surface.h"

#include <QList>
#include <algorithm>
#include <utility>

namespace gdi {

namespace {

// CreateRectRgn and CreateEllipticRgn accept their corners in either order.
void order(int& a, int& b)
{
    if (a > b)
        std::swap(a, b);
}

} // namespace

Region Region::rect(int left, int top, int right, int bottom)
{
    order(left, right);
    order(top, bottom);
    if (left == right || top == bottom)
        return Region();
    return Region(QRegion(left, top, right - left, bottom - top));
}

Region Region::ellipse(int left, int top, int right, int bottom)
{
    order(left, right);
    order(top, bottom);
    const int w = right - left, h = bottom - top;
    // One rectangle per run of rows with the same span, top to bottom: already the
    // banded, y-sorted form QRegion keeps internally.
    QList<QRect> rects;
    for (int row = 0; row < h; ++row) {
        const detail::Span s = detail::ellipseRowSpan(w, h, row, 0);
        if (s.isEmpty())
            continue;
        const QRect r(left + s.x0, top + row, s.x1 - s.x0, 1);
        if (!rects.isEmpty() && rects.last().left() == r.left() && rects.last().width() == r.width()
            && rects.last().bottom() + 1 == r.top())
            rects.last().setBottom(r.bottom());
        else
            rects.append(r);
    }
    QRegion region;
    if (!rects.isEmpty())
        region.setRects(rects.constData(), int(rects.size()));
    return Region(std::move(region));
}

Region Region::subtracted(const Region& other) const
{
    return Region(m_region.subtracted(other.m_region));
}

Region Region::scaled(double scale) const
{
    if (scale == 1.0)
        return *this;
    QRegion device;
    for (const QRect& r : m_region) {
        const int l = Surface::deviceEdge(r.left(), scale), t = Surface::deviceEdge(r.top(), scale);
        const int rr = Surface::deviceEdge(r.left() + r.width(), scale);
        const int b = Surface::deviceEdge(r.top() + r.height(), scale);
        if (rr > l && b > t)
            device += QRect(l, t, rr - l, b - t);
    }
    return Region(std::move(device));
}

Rect Region::bounds() const
{
    const QRect b = m_region.boundingRect();
    if (b.isEmpty())
        return {};
    return Rect::fromXYWH(b.x(), b.y(), b.width(), b.height());
}

} // namespace gdi
