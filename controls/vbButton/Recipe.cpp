// The recipes' drawing vocabulary, and the choice of recipe by ButtonType.

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/CaptionPaint.h"
#include "controls/vbButton/Primitives.h"
#include "controls/vbButton/Styles.h"

#include <cmath>

namespace vb {

Recipe::Recipe(ButtonState& state, ButtonHost& h) : s(state), host(h), W(state.m_Width), H(state.m_Height)
{
}

gdi::ColorRef Recipe::shift(gdi::ColorRef c, int n) const
{
    return ShiftColor(s, c, n, false);
}
gdi::ColorRef Recipe::shiftP(gdi::ColorRef c, int n) const
{
    return ShiftColor(s, c, n, true);
}

void Recipe::fill(int x, int y, int w, int h, gdi::ColorRef c)
{
    DrawRect(host.surfaceDc(), x, y, w, h, c, false);
}
void Recipe::frame(int x, int y, int w, int h, gdi::ColorRef c)
{
    DrawRect(host.surfaceDc(), x, y, w, h, c, true);
}
void Recipe::line(int x1, int y1, int x2, int y2, gdi::ColorRef c)
{
    DrawLine(host.surfaceDc(), x1, y1, x2, y2, c);
}
void Recipe::pixel(int x, int y, gdi::ColorRef c)
{
    PutPixel(host.surfaceDc(), x, y, c);
}

void Recipe::bevel(gdi::ColorRef c1, gdi::ColorRef c2, gdi::ColorRef c3, gdi::ColorRef c4, std::int16_t inset,
                   bool outerOnly)
{
    DrawFrame3D(s, host.surfaceDc(), c1, c2, c3, c4, inset, outerOnly);
}

void Recipe::corners(gdi::ColorRef c)
{
    pixel(1, 1, c);
    pixel(1, H - 2, c);
    pixel(W - 2, 1, c);
    pixel(W - 2, H - 2, c);
}

void Recipe::oval(gdi::ColorRef pen, gdi::ColorRef fillColor)
{
    DrawEllipse(host.surfaceDc(), 0, 0, W, H, pen, fillColor);
}

void Recipe::gradient(gdi::ColorRef base, int k, bool down, bool proportional)
{
    // The step per row is worked out once in single precision; each row's amount is
    // then rounded half to even. Row H (going down) lies just outside the client area.
    const float perRow = float(k) / float(H);
    for (int i = 1; i <= H; ++i) {
        const int y = down ? i : H - i;
        const int amount = int(std::nearbyint(-(double(perRow) * i)));
        line(0, y, W, y, ShiftColor(s, base, amount, proportional));
    }
}

void Recipe::caption(std::uint8_t style)
{
    DrawCaption(s, host, style);
}
std::uint8_t Recipe::upStyle() const
{
    return s.m_IsHot ? tsHot : tsNormal;
}
void Recipe::focus()
{
    DrawFocus(s, host);
}
bool Recipe::isDefault() const
{
    return s.m_ShowFocusRect && host.displayAsDefault();
}

void PaintRecipe(ButtonState& s, ButtonHost& host, Face face)
{
    Recipe r(s, host);
    switch (s.m_ButtonType) {
    case btBordered:
        PaintBordered(r, face);
        break;
    case btStandard:
        PaintStandard(r, face);
        break;
    case btRoundGradient:
        PaintRoundGradient(r, face);
        break;
    case btRounded:
        PaintRounded(r, face);
        break;
    case btFlat:
        PaintFlat(r, face);
        break;
    case btSoft3D:
        PaintSoft3D(r, face);
        break;
    case btThin:
    case btHotThin:
    case btHot3D:
        PaintThin(r, face);
        break;
    case btHotSelect:
        PaintHotSelect(r, face);
        break;
    case btPictureOnly:
        break; // the face fill and the picture are the whole look
    case btTransparent:
        PaintTransparent(r, face);
        break;
    case btOval:
        PaintOval(r, face);
        break;
    case btGradient:
        PaintGradient(r, face);
        break;
    default:
        break; // no look of its own: face fill and picture only
    }
}

} // namespace vb
