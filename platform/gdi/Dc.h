#pragma once
// A device context over a Surface, with the drawing rules of the Windows GDI:
// line ends and the right/bottom edges of filled rectangles are excluded,
// FrameRect draws inside its rectangle, the focus rectangle inverts.
// Coordinates are logical pixels of the surface; on a scaled surface every
// logical pixel of a fill, line, pixel or ellipse is drawn as its block of
// device pixels, while text and the focus rectangle's dots are drawn at the
// device's own resolution.

#include "platform/gdi/Color.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Surface.h"

#include <QFont>
#include <QString>
#include <optional>

namespace gdi {

// DrawText formats (the subset the program uses).
enum : unsigned {
    DT_TOP = 0x0000,
    DT_LEFT = 0x0000,
    DT_CENTER = 0x0001,
    DT_VCENTER = 0x0004,
    DT_WORDBREAK = 0x0010,
    DT_SINGLELINE = 0x0020,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
};

// A solid pen; width 0 draws like width 1.
struct Pen {
    ColorRef color = 0;
    int width = 1;
    bool null = false; // PS_NULL
    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

// A brush: a solid colour, or none (the hollow brush).
using Brush = std::optional<ColorRef>;

class Dc {
public:
    explicit Dc(Surface& surface);

    [[nodiscard]] Surface& surface() { return *m_surface; }
    [[nodiscard]] const Surface& surface() const { return *m_surface; }

    // SelectObject: each returns what was selected before.
    Pen selectPen(const Pen& pen);
    Brush selectBrush(const Brush& brush);
    QFont selectFont(const QFont& font);
    [[nodiscard]] const Pen& pen() const { return m_pen; }
    [[nodiscard]] const Brush& brush() const { return m_brush; }
    [[nodiscard]] const QFont& font() const { return m_font; }

    ColorRef setTextColor(ColorRef c);
    [[nodiscard]] ColorRef textColor() const { return m_textColor; }
    ColorRef setBkColor(ColorRef c);
    [[nodiscard]] ColorRef bkColor() const { return m_bkColor; }

    // MoveToEx / LineTo with the current pen; LineTo leaves the end point unpainted
    // and makes it the current position.
    Point moveTo(int x, int y);
    [[nodiscard]] Point currentPosition() const { return m_position; }
    void lineTo(int x, int y);

    // FillRect: right and bottom are excluded; an inverted edge pair fills the run
    // mirrored about its first pixel, as PatBlt with a negative extent does.
    // FrameRect: one-pixel border inside; an inverted rectangle draws nothing.
    void fillRect(const Rect& r, ColorRef brush);
    void frameRect(const Rect& r, ColorRef brush);

    // Ellipse in the bounding box (l, t, r, b) with the current pen and brush. A pen
    // is centred on the outline through the box's first and last pixels, so a wide
    // one reaches past the left and top edges.
    void ellipse(int left, int top, int right, int bottom);

    void setPixelV(int x, int y, ColorRef c);
    [[nodiscard]] ColorRef getPixel(int x, int y) const;

    // BitBlt SRCCOPY from (sx, sy) of src to (dx, dy) here; clipped to both.
    void bitBlt(int dx, int dy, int w, int h, const Surface& src, int sx, int sy);

    // DrawText with the selected font and text colour, transparent background.
    // "&" underlines the next character and "&&" shows one ampersand (unless
    // DT_NOPREFIX). With DT_CALCRECT nothing is drawn: right and bottom of `r`
    // become the extent of the (wrapped) text. Returns the text height.
    int drawText(const QString& text, Rect& r, unsigned format);

    // DrawFocusRect: a dotted rectangle drawn by inverting pixels; twice erases it.
    // The dots lie where x + y is even; an inverted rectangle keeps its four strips
    // with their negative extents.
    void drawFocusRect(const Rect& r);

    // DrawIconEx(DI_NORMAL) at natural size: pixels outside the icon mask stay.
    void drawIconEx(int x, int y, const QImage& icon);

private:
    void drawLine(int x0, int y0, int x1, int y1);
    // Ellipse with the 2-pixel pen (ordered, non-empty box).
    void ellipseWidePen(int left, int top, int right, int bottom);
    // BitBlt in device pixels, and between surfaces of different scales.
    void deviceBlit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy);
    void blitResampled(int dx, int dy, int w, int h, const Surface& src, int sx, int sy);

    Surface* m_surface;
    Pen m_pen;
    Brush m_brush = ColorRef(0xFFFFFF);
    QFont m_font;
    ColorRef m_textColor = 0;
    ColorRef m_bkColor = 0xFFFFFF;
    Point m_position;
};

} // namespace gdi
