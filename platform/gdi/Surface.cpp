#include "platform/gdi/Surface.h"

#include <algorithm>

namespace gdi {

namespace {

// 3780 dots per metre is 96 dots per inch: point sizes then map to pixels as on a
// classic Windows desktop.
constexpr int kDotsPerMeter96 = 3780;

QImage makeImage(int width, int height, ColorRef fill)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter96);
    image.setDotsPerMeterY(kDotsPerMeter96);
    image.fill(toQRgb(fill));
    return image;
}

// The stored pixel keeps its (unused) alpha byte at 0xFF so the image stays a valid RGB32.
constexpr QRgb ropPixel(QRgb d, QRgb andMask, QRgb xorMask)
{
    return (((d & andMask) ^ xorMask) & 0x00FFFFFFu) | 0xFF000000u;
}

} // namespace

Surface::Surface(int width, int height, ColorRef fill) : m_image(makeImage(width, height, fill))
{
}

void Surface::resize(int width, int height, ColorRef fill)
{
    m_image = makeImage(width, height, fill);
}

ColorRef Surface::pixel(int x, int y) const
{
    if (!contains(x, y))
        return 0;
    return fromQRgb(reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x]);
}

void Surface::setPixel(int x, int y, ColorRef c)
{
    if (!contains(x, y))
        return;
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = toQRgb(c);
}

void Surface::rop(int x, int y, ColorRef andMask, ColorRef xorMask)
{
    if (!contains(x, y))
        return;
    QRgb& d = reinterpret_cast<QRgb*>(m_image.scanLine(y))[x];
    d = ropPixel(d, toQRgb(andMask), toQRgb(xorMask));
}

void Surface::fill(ColorRef c)
{
    if (!m_image.isNull())
        m_image.fill(toQRgb(c));
}

void Surface::fillRect(const Rect& r, ColorRef c)
{
    const int x0 = std::max(r.left, 0), x1 = std::min(r.right, width());
    const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const QRgb q = toQRgb(c);
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int y = y0; y < y1; ++y)
        std::fill(reinterpret_cast<QRgb*>(bits + y * stride) + x0,
                  reinterpret_cast<QRgb*>(bits + y * stride) + x1, q);
}

void Surface::ropRect(const Rect& r, ColorRef andMask, ColorRef xorMask)
{
    const int x0 = std::max(r.left, 0), x1 = std::min(r.right, width());
    const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const QRgb a = toQRgb(andMask), x = toQRgb(xorMask);
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int y = y0; y < y1; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int i = x0; i < x1; ++i)
            row[i] = ropPixel(row[i], a, x);
    }
}

} // namespace gdi
