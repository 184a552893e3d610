#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace gdi {

namespace {

// floor(n / d) for d > 0.
std::int64_t floorDiv(std::int64_t n, std::int64_t d)
{
    const std::int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

// n / d rounded to the nearest integer, a half going to the smaller one (d > 0).
int roundHalfDown(std::int64_t n, std::int64_t d)
{
    return int(-floorDiv(d - 2 * n, 2 * d));
}

} // namespace

Dc::Dc(Surface& surface) : m_surface(&surface)
{
}

Pen Dc::selectPen(const Pen& pen)
{
    return std::exchange(m_pen, pen);
}
Brush Dc::selectBrush(const Brush& brush)
{
    return std::exchange(m_brush, brush);
}
QFont Dc::selectFont(const QFont& font)
{
    return std::exchange(m_font, font);
}
ColorRef Dc::setTextColor(ColorRef c)
{
    return std::exchange(m_textColor, c & 0xFFFFFF);
}
ColorRef Dc::setBkColor(ColorRef c)
{
    return std::exchange(m_bkColor, c & 0xFFFFFF);
}

Point Dc::moveTo(int x, int y)
{
    return std::exchange(m_position, Point{x, y});
}

void Dc::lineTo(int x, int y)
{
    const Point from = std::exchange(m_position, Point{x, y});
    if (!m_pen.null)
        drawLine(from.x, from.y, x, y);
}

// Pixel choice of a line from (x0, y0) to (x1, y1), end point excluded. GDI lights a
// pixel when the ideal line leaves the diamond |u| + |v| < 1/2 around its centre.
// Between integer end points that is, in every column of an x-major line (every row
// of a y-major one), the pixel nearest to the line. When the line passes exactly
// halfway between two pixels, the diamonds' half-open corners give the pixel with the
// smaller minor coordinate (the upper one, or the left one), in whatever direction the
// line runs; so a line drawn backwards covers the same pixels apart from its ends.
// This is Bresenham's choice with the error bias that GDI applies in the octants that
// step towards smaller coordinates.
void Dc::drawLine(int x0, int y0, int x1, int y1)
{
    const int dx = x1 - x0, dy = y1 - y0;
    if (dx == 0 && dy == 0)
        return;
    const ColorRef c = m_pen.color & 0xFFFFFF;
    const int w = std::max(m_pen.width, 1);
    if (w == 1 && (dx == 0 || dy == 0)) {
        // Horizontal and vertical lines are one-pixel rectangles whose far end is open.
        const int l = dx > 0 ? x0 : dx < 0 ? x1 + 1 : x0;
        const int r = dx > 0 ? x1 : dx < 0 ? x0 + 1 : x0 + 1;
        const int t = dy > 0 ? y0 : dy < 0 ? y1 + 1 : y0;
        const int b = dy > 0 ? y1 : dy < 0 ? y0 + 1 : y0 + 1;
        m_surface->fillRect(m_surface->toDevice(Rect{l, t, r, b}), c);
        return;
    }
    // A wider pen (never used for lines here) is approximated by a square brush.
    const int back = (w - 1) / 2;
    auto plot = [&](int x, int y) {
        if (w == 1 && !m_surface->isScaled())
            m_surface->setPixel(x, y, c);
        else
            m_surface->fillRect(m_surface->toDevice(Rect::fromXYWH(x - back, y - back, w, w)), c);
    };
    const int adx = std::abs(dx), ady = std::abs(dy);
    if (adx >= ady) {
        const int sx = dx > 0 ? 1 : -1;
        for (int i = 0; i < adx; ++i)
            plot(x0 + sx * i, y0 + roundHalfDown(std::int64_t(dy) * i, adx));
    } else {
        const int sy = dy > 0 ? 1 : -1;
        for (int i = 0; i < ady; ++i)
            plot(x0 + roundHalfDown(std::int64_t(dx) * i, ady), y0 + sy * i);
    }
}

namespace {

// The pixels PatBlt(x, y, w, h) paints. A positive extent runs from x up to x + w,
// x + w left out; a negative one runs the other way from x and keeps x itself, so
// PatBlt(5, 0, -3, 1) paints the columns 3 to 5: the rectangle is mirrored about
// the pixel at x, not about the edge at x. Zero paints nothing.
Rect patBltArea(int x, int y, int w, int h)
{
    const auto run = [](int from, int extent, int& lo, int& hi) {
        lo = extent >= 0 ? from : from + extent + 1;
        hi = extent >= 0 ? from + extent : from + 1;
    };
    Rect r;
    run(x, w, r.left, r.right);
    run(y, h, r.top, r.bottom);
    return r;
}

} // namespace

// FillRect is a PatBlt of the rectangle's width and height from its left and top,
// so an inverted rectangle (5, 0, 2, 1) fills the columns 3 to 5: the mirror of the
// run, not the rectangle with its edges swapped.
void Dc::fillRect(const Rect& r, ColorRef brush)
{
    const Rect area = patBltArea(r.left, r.top, r.width(), r.height());
    if (!area.isEmpty())
        m_surface->fillRect(m_surface->toDevice(area), brush & 0xFFFFFF);
}

void Dc::frameRect(const Rect& r, ColorRef brush)
{
    if (r.isEmpty())
        return;
    // Four strips like GDI's PatBlt calls, so a one-pixel-wide rectangle frames as a
    // line and the strips may overlap without harm.
    const ColorRef c = brush & 0xFFFFFF;
    const Surface& s = *m_surface;
    m_surface->fillRect(s.toDevice(Rect{r.left, r.top, r.left + 1, r.bottom}), c);
    m_surface->fillRect(s.toDevice(Rect{r.right - 1, r.top, r.right, r.bottom}), c);
    m_surface->fillRect(s.toDevice(Rect{r.left, r.top, r.right, r.top + 1}), c);
    m_surface->fillRect(s.toDevice(Rect{r.left, r.bottom - 1, r.right, r.bottom}), c);
}

void Dc::setPixelV(int x, int y, ColorRef c)
{
    if (m_surface->isScaled())
        m_surface->fillRect(m_surface->toDevice(Rect{x, y, x + 1, y + 1}), c & 0xFFFFFF);
    else
        m_surface->setPixel(x, y, c & 0xFFFFFF);
}

ColorRef Dc::getPixel(int x, int y) const
{
    return m_surface->pixel(m_surface->toDevice(x), m_surface->toDevice(y));
}

// The block's logical edges go to device edges on each side. When both surfaces
// have one scale that is a copy of device pixels; between scales each device pixel
// takes the source's block of the logical pixel it lies in.
void Dc::bitBlt(int dx, int dy, int w, int h, const Surface& src, int sx, int sy)
{
    if (w <= 0 || h <= 0)
        return;
    if (src.scale() != m_surface->scale()) {
        blitResampled(dx, dy, w, h, src, sx, sy);
        return;
    }
    const Rect to = m_surface->toDevice(Rect::fromXYWH(dx, dy, w, h));
    deviceBlit(to.left, to.top, to.width(), to.height(), src, src.toDevice(sx), src.toDevice(sy));
}

void Dc::blitResampled(int dx, int dy, int w, int h, const Surface& src, int sx, int sy)
{
    const Rect to = m_surface->toDevice(Rect::fromXYWH(dx, dy, w, h));
    const int y0 = std::max(to.top, 0), y1 = std::min(to.bottom, m_surface->height());
    const int x0 = std::max(to.left, 0), x1 = std::min(to.right, m_surface->width());
    // The source column of each device column, worked out once for the block.
    std::vector<int> columns;
    for (int x = x0; x < x1; ++x)
        columns.push_back(src.toDevice(sx + m_surface->toLogical(x) - dx));
    for (int y = y0; y < y1; ++y) {
        const int from = src.toDevice(sy + m_surface->toLogical(y) - dy);
        for (int x = x0; x < x1; ++x) {
            const int c = columns[std::size_t(x - x0)];
            // Outside the source a blit leaves the destination as it was.
            if (src.contains(c, from))
                m_surface->setPixel(x, y, src.pixel(c, from));
        }
    }
}

void Dc::deviceBlit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy)
{
    // Clip the block against the source, then against this surface.
    auto clip = [&](int& a, int& b, int& len, int limitA) {
        if (a < 0) {
            b -= a;
            len += a;
            a = 0;
        }
        len = std::min(len, limitA - a);
    };
    clip(sx, dx, w, src.width());
    clip(sy, dy, h, src.height());
    clip(dx, sx, w, m_surface->width());
    clip(dy, sy, h, m_surface->height());
    if (w <= 0 || h <= 0)
        return;
    const QImage& from = src.image();
    QImage& to = m_surface->image();
    const std::size_t rowBytes = std::size_t(w) * sizeof(QRgb);
    if (&src == m_surface) {
        // Same surface: stage the block so overlapping areas copy like a real blit.
        std::vector<QRgb> block(std::size_t(w) * std::size_t(h));
        for (int j = 0; j < h; ++j)
            std::memcpy(block.data() + std::size_t(j) * w,
                        reinterpret_cast<const QRgb*>(from.constScanLine(sy + j)) + sx, rowBytes);
        for (int j = 0; j < h; ++j)
            std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(dy + j)) + dx, block.data() + std::size_t(j) * w,
                        rowBytes);
        return;
    }
    for (int j = 0; j < h; ++j)
        std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(dy + j)) + dx,
                    reinterpret_cast<const QRgb*>(from.constScanLine(sy + j)) + sx, rowBytes);
}

// GDI inverts the focus rectangle with a monochrome checkerboard brush (PATINVERT):
// the dots are XORed with the background colour and the gaps with the text colour,
// so with the default black text on white background the dots invert and the gaps
// stay. A pattern brush is aligned to the device context's origin, so the dots lie
// where x + y is even wherever the rectangle starts. Each pixel of the border is
// visited exactly once, so a second call restores the surface.
//
// The border is four PatBlt strips: the top and bottom rows at full width and the
// two sides between them. An inverted rectangle (right < left or bottom < top, as
// a face rectangle shrunk past its own size gives on a tiny button) keeps those
// strips with their negative extents, each mirrored about its start pixel as
// patBltArea says; where two strips then cross, the pixel is inverted twice and
// stays. A rectangle one pixel wide or tall is a single run, drawn once.
//
// On a scaled surface the border keeps its logical width (one logical pixel, a band
// of device pixels) and the checkerboard is the device's own: the dots are single
// device pixels where X + Y is even, as fine as the screen draws.
void Dc::drawFocusRect(const Rect& r)
{
    auto dot = [&](int x, int y) {
        const bool on = ((x + y) & 1) == 0;
        m_surface->rop(x, y, 0xFFFFFF, on ? m_bkColor : m_textColor);
    };
    const Surface& s = *m_surface;
    if (r.right < r.left || r.bottom < r.top) {
        const int w = r.width(), h = r.height();
        for (const Rect strip :
             {patBltArea(r.left, r.top, w, 1), patBltArea(r.left, r.bottom - 1, w, 1),
              patBltArea(r.left, r.top + 1, 1, h - 2), patBltArea(r.right - 1, r.top + 1, 1, h - 2)}) {
            const Rect band = s.toDevice(strip);
            for (int y = band.top; y < band.bottom; ++y)
                for (int x = band.left; x < band.right; ++x)
                    dot(x, y);
        }
        return;
    }
    if (r.isEmpty())
        return;
    // Device bands of the four logical border lines; a one-pixel-wide rectangle
    // has its left and right band in the same place and visits it once.
    const int left = s.toDevice(r.left), leftEnd = s.toDevice(r.left + 1);
    const int rightStart = std::max(s.toDevice(r.right - 1), leftEnd), right = s.toDevice(r.right);
    const int top = s.toDevice(r.top), topEnd = s.toDevice(r.top + 1);
    const int bottomStart = std::max(s.toDevice(r.bottom - 1), topEnd), bottom = s.toDevice(r.bottom);
    for (int y = top; y < bottom; ++y) {
        if (y < topEnd || y >= bottomStart) {
            for (int x = left; x < right; ++x)
                dot(x, y);
            continue;
        }
        for (int x = left; x < leftEnd; ++x)
            dot(x, y);
        for (int x = rightStart; x < right; ++x)
            dot(x, y);
    }
}

// An icon arrives as ARGB32 with its mask in the alpha channel: alpha 0 (outside the
// mask) keeps the destination, 255 replaces it, and the alpha of a 32-bit icon in
// between blends: D = (S * a + D * (255 - a) + 127) / 255 per channel.
//
// On a scaled surface each icon pixel covers its logical pixel's device block.
void Dc::drawIconEx(int x, int y, const QImage& icon)
{
    if (icon.isNull())
        return;
    if (m_surface->isScaled()) {
        Surface natural(icon.width(), icon.height(), 0);
        Dc(natural).bitBlt(0, 0, icon.width(), icon.height(), *m_surface, x, y);
        Dc(natural).drawIconEx(0, 0, icon);
        bitBlt(x, y, icon.width(), icon.height(), natural, 0, 0);
        return;
    }
    const QImage src =
        icon.format() == QImage::Format_ARGB32 ? icon : icon.convertToFormat(QImage::Format_ARGB32);
    const int x0 = std::max(x, 0), x1 = std::min(x + src.width(), m_surface->width());
    const int y0 = std::max(y, 0), y1 = std::min(y + src.height(), m_surface->height());
    QImage& to = m_surface->image();
    for (int py = y0; py < y1; ++py) {
        const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(py - y));
        QRgb* d = reinterpret_cast<QRgb*>(to.scanLine(py));
        for (int px = x0; px < x1; ++px) {
            const QRgb sp = s[px - x];
            const int a = qAlpha(sp);
            if (a == 0)
                continue;
            if (a == 255) {
                d[px] = sp | 0xFF000000u;
                continue;
            }
            const QRgb dp = d[px];
            auto mix = [a](int sc, int dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
            d[px] = qRgb(mix(qRed(sp), qRed(dp)), mix(qGreen(sp), qGreen(dp)), mix(qBlue(sp), qBlue(dp)));
        }
    }
}

} // namespace gdi
