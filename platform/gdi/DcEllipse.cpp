#include "platform/gdi/Dc.h"

#include "platform/gdi/EllipseSpans.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace gdi {

namespace {

// The 2-pixel pen's pixels and the brush's inside them, over the box grown by one
// pixel at the left and top (where the pen reaches out).
class WidePenCells {
public:
    WidePenCells(int width, int height)
        : m_width(width + 1), m_cells(std::size_t(m_width) * std::size_t(height + 1), 0)
    {
    }

    // The pen is a 2 x 2 square on the top-left corner of each pixel of its path,
    // swept from one to the next. Along a row or a column the sweep is a 2-pixel
    // band; along a diagonal step it half covers two more pixels, of which the
    // lower one is painted.
    void sweep(Point a, Point b)
    {
        const int x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
        const int y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
        if (a.x == b.x || a.y == b.y) {
            mark(x0 - 1, y0 - 1, x1, y1, kPen);
            return;
        }
        mark(a.x - 1, a.y - 1, a.x, a.y, kPen);
        mark(b.x - 1, b.y - 1, b.x, b.y, kPen);
        if ((b.x - a.x) * (b.y - a.y) > 0)
            mark(x0 - 1, y1, x0 - 1, y1, kPen); // down-right: below the left column
        else
            mark(x0 + 1, y1, x0 + 1, y1, kPen); // up-right: below the right column
    }
    // Row y of the box from x0 to x1 (inclusive) is inside the figure: the brush
    // takes what the pen left.
    void inside(int y, int x0, int x1)
    {
        for (int x = x0; x <= x1; ++x)
            if (std::uint8_t& c = at(x, y); c == 0)
                c = kBrush;
    }

    // Runs of one kind in row y of the grown box: [x0, x1) in box coordinates.
    template <class Visit> void runs(int y, Visit&& visit) const
    {
        for (int x = -1; x < m_width - 1;) {
            const std::uint8_t kind = cell(x, y);
            int end = x + 1;
            while (end < m_width - 1 && cell(end, y) == kind)
                ++end;
            if (kind != 0)
                visit(x, end, kind == kPen);
            x = end;
        }
    }

private:
    static constexpr std::uint8_t kPen = 1, kBrush = 2;
    void mark(int x0, int y0, int x1, int y1, std::uint8_t kind)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                at(x, y) = kind;
    }
    std::uint8_t& at(int x, int y)
    {
        return m_cells[std::size_t(y + 1) * std::size_t(m_width) + std::size_t(x + 1)];
    }
    [[nodiscard]] std::uint8_t cell(int x, int y) const
    {
        return m_cells[std::size_t(y + 1) * std::size_t(m_width) + std::size_t(x + 1)];
    }

    int m_width;
    std::vector<std::uint8_t> m_cells;
};

} // namespace

// Ellipse(l, t, r, b) with a solid pen centres the pen on the ideal outline. Pixel x
// covers [x, x + 1); like every figure the outline leaves the right and bottom edges
// out, so it runs through x = l and x = r - 1 and through y = t and y = b - 1.
//
// The 2-pixel pen of the oval button follows the platform: its path is the chain of
// outline pixels the midpoint rule traces (EllipseSpans), and the pen is a 2 x 2
// square on the top-left corner of each, swept along the chain (WidePenCells). So
// the ring reaches one pixel out of the box at the left and top and lies two deep
// inside at the right and bottom, and where the curve steps diagonally the pen is a
// pixel thicker on the lower side of each step: over the top of the ellipse it is
// thin, under the bottom thick. The brush fills, row by row, what lies between the
// chain's first and last pixel and the pen left. A box 2 pixels or less across is a
// rectangle for the pen: its corners (r - 1 and b - 1 inclusive) are the path, the
// brush fills the box less its last row and column, less the pen.
//
// Any other pen width spans [p - w / 2, p - w / 2 + w) across the outline at p, taken
// as the ring between the ellipse grown to the box (l - w / 2, t - w / 2, r - 1 +
// (w + 1) / 2, b - 1 + (w + 1) / 2) and that box shrunk by w on every side. A pixel
// belongs to an ellipse when its centre lies inside or on it (EllipseSpans, the rule
// of elliptic regions); the brush fills the inner ellipse and the pen the rest of the
// outer one. A 1-pixel pen stays in the box. Without a pen the brush fills the
// ellipse of the box itself, the elliptic region's pixels; the hollow brush leaves
// the inside untouched.
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
    if (penWidth == 2) {
        ellipseWidePen(left, top, right, bottom);
        return;
    }
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

void Dc::ellipseWidePen(int left, int top, int right, int bottom)
{
    const int w = right - left, h = bottom - top;
    WidePenCells cells(w, h);
    if (w <= 2 || h <= 2) {
        const Point corners[] = {{w - 1, h - 1}, {0, h - 1}, {0, 0}, {w - 1, 0}};
        for (int i = 0; i < 4; ++i)
            cells.sweep(corners[i], corners[(i + 1) % 4]);
        for (int y = 0; y < h - 1; ++y)
            cells.inside(y, 0, w - 2);
    } else {
        const std::vector<Point> chain = detail::ellipseOutline(w, h);
        for (std::size_t i = 0; i < chain.size(); ++i)
            cells.sweep(chain[i], chain[(i + 1) % chain.size()]);
        std::vector<int> first(std::size_t(h), w), last(std::size_t(h), -1);
        for (const Point& p : chain) {
            first[std::size_t(p.y)] = std::min(first[std::size_t(p.y)], p.x);
            last[std::size_t(p.y)] = std::max(last[std::size_t(p.y)], p.x);
        }
        for (int y = 0; y < h; ++y)
            cells.inside(y, first[std::size_t(y)], last[std::size_t(y)]);
    }
    const ColorRef pen = m_pen.color & 0xFFFFFF;
    const std::optional<ColorRef> brush = m_brush;
    // Each logical run is one device rectangle: the rows stay blocks of device pixels.
    const int firstRow = std::max(-1, -top), lastRow = std::min(h, m_surface->logicalHeight() - top);
    for (int y = firstRow; y < lastRow; ++y)
        cells.runs(y, [&](int x0, int x1, bool isPen) {
            if (!isPen && !brush)
                return;
            const ColorRef c = isPen ? pen : *brush & 0xFFFFFF;
            m_surface->fillRect(m_surface->toDevice(Rect{left + x0, top + y, left + x1, top + y + 1}), c);
        });
}

} // namespace gdi
