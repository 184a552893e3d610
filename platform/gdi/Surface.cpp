#include "platform/gdi/Surface.h"

#include <algorithm>
#include <cmath>

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

Surface::Surface(int width, int height, ColorRef fill, double scale)
{
    resize(width, height, fill, scale);
}

void Surface::resize(int width, int height, ColorRef fill, double scale)
{
    // A ratio that is not a finite positive number draws as 1: nothing a screen reports.
    m_scale = (std::isfinite(scale) && scale > 0) ? scale : 1.0;
    m_logicalWidth = std::max(width, 0);
    m_logicalHeight = std::max(height, 0);
    m_image = makeImage(toDevice(width), toDevice(height), fill);
}

int Surface::deviceEdge(int x, double scale)
{
    if (scale == 1.0)
        return x;
    return int(std::floor(double(x) * scale + 0.5));
}

Surface Surface::deviceView() const
{
    Surface view;
    view.m_image = m_image;
    return view;
}

// Device pixel X belongs to logical pixel L when toDevice(L) <= X < toDevice(L + 1),
// which with toDevice(x) = floor(x * s + 1/2) is L = ceil((X + 1/2) / s) - 1.
int Surface::toLogical(int deviceX) const
{
    if (m_scale == 1.0)
        return deviceX;
    int l = int(std::ceil((double(deviceX) + 0.5) / m_scale)) - 1;
    // Guard the rounding of the division against the edges it must agree with.
    while (toDevice(l) > deviceX)
        --l;
    while (toDevice(l + 1) <= deviceX)
        ++l;
    return l;
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
