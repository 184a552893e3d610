// Rectangles, lines, ellipses, pixels and the bevel frame.

#include "controls/vbButton/Primitives.h"

#include <cstdlib>

namespace vb {

void DrawRect(gdi::Dc& dc, int x, int y, int w, int h, gdi::ColorRef color, bool frameOnly)
{
    const gdi::Rect r{x, y, x + w, y + h};
    if (frameOnly)
        dc.frameRect(r, color);
    else
        dc.fillRect(r, color);
}

void DrawLine(gdi::Dc& dc, int x1, int y1, int x2, int y2, gdi::ColorRef color)
{
    const gdi::Pen previous = dc.selectPen(gdi::Pen{color, 1});
    dc.moveTo(x1, y1);
    dc.lineTo(x2, y2);
    dc.selectPen(previous);
}

void DrawEllipse(gdi::Dc& dc, int x, int y, int w, int h, gdi::ColorRef penColor, gdi::ColorRef fillColor)
{
    const gdi::Brush previousBrush = dc.selectBrush(gdi::Brush{fillColor});
    const gdi::Pen previousPen = dc.selectPen(gdi::Pen{penColor, 2});
    dc.ellipse(x, y, x + w, y + h);
    dc.selectBrush(previousBrush);
    dc.selectPen(previousPen);
}

void PutPixel(gdi::Dc& dc, int x, int y, gdi::ColorRef color)
{
    dc.setPixelV(x, y, color);
}

void DrawFrame3D(const ButtonState& s, gdi::Dc& dc, gdi::ColorRef c1, gdi::ColorRef c2, gdi::ColorRef c3,
                 gdi::ColorRef c4, std::int16_t inset, bool outerOnly)
{
    const int k = std::abs(int(inset));
    const int r = s.m_Width - 1 + inset;
    const int b = s.m_Height - 1 + inset;

    // One continuous path; every stroke leaves its end point to the next one, so
    // the top-right and bottom-left corners take the bottom/right colour.
    const gdi::Pen previous = dc.selectPen(gdi::Pen{c1, 1});
    dc.moveTo(k, b);
    dc.lineTo(k, k);
    dc.lineTo(r, k);
    dc.selectPen(gdi::Pen{c2, 1});
    dc.lineTo(r, b);
    dc.lineTo(k - 1, b);
    dc.moveTo(k + 1, b - 1);
    if (!outerOnly) {
        dc.selectPen(gdi::Pen{c3, 1});
        dc.lineTo(k + 1, k + 1);
        dc.lineTo(r - 1, k + 1);
        dc.selectPen(gdi::Pen{c4, 1});
        dc.lineTo(r - 1, b - 1);
        dc.lineTo(k, b - 1);
    }
    dc.selectPen(previous);
}

} // namespace vb
