#pragma once
// Regions for window shapes: rectangles, ellipses and their difference.

#include "platform/gdi/Rect.h"

#include <QRegion>

namespace gdi {

class Region {
public:
    Region() = default;
    // CreateRectRgn(l, t, r, b): right and bottom excluded.
    [[nodiscard]] static Region rect(int left, int top, int right, int bottom);
    // CreateEllipticRgn(l, t, r, b): the ellipse inscribed in the bounding box.
    [[nodiscard]] static Region ellipse(int left, int top, int right, int bottom);
    // CombineRgn(..., RGN_DIFF)
    [[nodiscard]] Region subtracted(const Region& other) const;

    // The region in device pixels of a surface of that scale: every edge goes where
    // Surface::toDevice puts it, so a scaled drawing and its shape agree pixel for pixel.
    [[nodiscard]] Region scaled(double scale) const;

    [[nodiscard]] bool contains(int x, int y) const { return m_region.contains(QPoint(x, y)); }
    [[nodiscard]] bool isEmpty() const { return m_region.isEmpty(); }
    [[nodiscard]] Rect bounds() const;
    // For QWidget::setMask.
    [[nodiscard]] const QRegion& toQRegion() const { return m_region; }

private:
    explicit Region(QRegion r) : m_region(std::move(r)) {}
    QRegion m_region;
};

} // namespace gdi
