#pragma once
// A retained 32-bit pixel surface: what a window or a memory bitmap holds.
// Pixels outside the surface are ignored on write and read as 0.
//
// A surface has a logical size (the pixels the drawing code speaks of) and a
// scale, the device pixel ratio of the screen it is shown on. Its image holds
// device pixels: logical edge x lies on device edge toDevice(x), the nearest
// whole device pixel, so each logical pixel is a block of whole device pixels
// and nothing is ever blended. At scale 1 both are the same. The pixel-level
// functions below address device pixels; Dc speaks logical ones.

#include "platform/gdi/Color.h"
#include "platform/gdi/Rect.h"

#include <QImage>

namespace gdi {

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, ColorRef fill = 0, double scale = 1.0);

    // New logical size and scale; the contents are not kept (filled with `fill`).
    void resize(int width, int height, ColorRef fill = 0, double scale = 1.0);

    // Device pixels.
    [[nodiscard]] int width() const { return m_image.width(); }
    [[nodiscard]] int height() const { return m_image.height(); }
    // An image set through image() is its own logical size at scale 1.
    [[nodiscard]] int logicalWidth() const { return isScaled() ? m_logicalWidth : width(); }
    [[nodiscard]] int logicalHeight() const { return isScaled() ? m_logicalHeight : height(); }
    [[nodiscard]] double scale() const { return m_scale; }
    [[nodiscard]] bool isScaled() const { return m_scale != 1.0; }
    // The device edge of logical edge x: x * scale rounded to the nearest whole
    // pixel, a half going up. The device pixel X lies in logical pixel toLogical(X).
    [[nodiscard]] int toDevice(int x) const { return deviceEdge(x, m_scale); }
    [[nodiscard]] Rect toDevice(const Rect& r) const
    {
        return {toDevice(r.left), toDevice(r.top), toDevice(r.right), toDevice(r.bottom)};
    }
    [[nodiscard]] int toLogical(int deviceX) const;
    // The device pixels as a surface of scale 1 (shares the pixels, copy on write).
    [[nodiscard]] Surface deviceView() const;
    [[nodiscard]] static int deviceEdge(int x, double scale);
    [[nodiscard]] bool isNull() const { return m_image.isNull(); }

    [[nodiscard]] ColorRef pixel(int x, int y) const;
    void setPixel(int x, int y, ColorRef c);
    // The one raster operation everything reduces to: D = (D & andMask) ^ xorMask,
    // on the 24 colour bits. A plain write is (0, c); an inversion (0xFFFFFF, 0xFFFFFF).
    void rop(int x, int y, ColorRef andMask, ColorRef xorMask);
    void fill(ColorRef c);
    // Row-at-a-time forms of setPixel and rop over a rectangle (right and bottom
    // excluded), clipped to the surface; an empty or inverted rectangle does nothing.
    void fillRect(const Rect& r, ColorRef c);
    void ropRect(const Rect& r, ColorRef andMask, ColorRef xorMask);
    [[nodiscard]] bool contains(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width() && y < height();
    }

    // The image (device pixels), Format_RGB32 at 96 dots per inch, for showing and
    // for text drawing.
    [[nodiscard]] const QImage& image() const { return m_image; }
    [[nodiscard]] QImage& image() { return m_image; }

private:
    QImage m_image;
    int m_logicalWidth = 0;
    int m_logicalHeight = 0;
    double m_scale = 1.0;
};

} // namespace gdi
