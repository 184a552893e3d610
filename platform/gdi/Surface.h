#pragma once
// A retained 32-bit pixel surface: what a window or a memory bitmap holds.
// Pixels outside the surface are ignored on write and read as 0.

#include "platform/gdi/Color.h"
#include "platform/gdi/Rect.h"

#include <QImage>

namespace gdi {

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, ColorRef fill = 0);

    // New size; the contents are not kept (filled with `fill`).
    void resize(int width, int height, ColorRef fill = 0);

    [[nodiscard]] int width() const { return m_image.width(); }
    [[nodiscard]] int height() const { return m_image.height(); }
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
    [[nodiscard]] bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }

    // The image, Format_RGB32 at 96 dots per inch, for showing and for text drawing.
    [[nodiscard]] const QImage& image() const { return m_image; }
    [[nodiscard]] QImage& image() { return m_image; }

private:
    QImage m_image;
};

} // namespace gdi
