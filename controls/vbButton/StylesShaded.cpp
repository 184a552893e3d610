// The shaded looks: btRoundGradient (the look of every button in the program),
// btRounded and btGradient.

#include "controls/vbButton/Styles.h"

namespace vb {

namespace {

constexpr gdi::ColorRef kRoundFrame = 0x733C00;
constexpr gdi::ColorRef kRoundCorner = 0x7B4D10;

// The six strokes of the coloured rim inside the frame: the rim frame, the
// bottom line, the two top lines and the two inner side lines.
struct Rim {
    gdi::ColorRef frame, bottom, top, top2, left, right;
};
constexpr Rim kHotRim{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF, 0x6BCBFF};
constexpr Rim kFocusRim{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5, 0xF0D1B5};

void drawRim(Recipe& r, const Rim& c)
{
    const int W = r.W, H = r.H;
    r.frame(1, 2, W - 2, H - 4, c.frame);
    r.line(2, H - 2, W - 2, H - 2, c.bottom);
    r.line(2, 1, W - 2, 1, c.top);
    r.line(1, 2, W - 1, 2, c.top2);
    r.line(2, 3, 2, H - 3, c.left);
    r.line(W - 3, 3, W - 3, H - 3, c.right);
}

} // namespace

void PaintRoundGradient(Recipe& r, Face face)
{
    ButtonState& s = r.s;
    const int W = r.W, H = r.H;
    const gdi::ColorRef t = s.m_FaceTintColor;
    switch (face) {
    case Face::Up:
        r.gradient(t, 25, true, true);
        r.caption(r.upStyle());
        r.frame(0, 0, W, H, kRoundFrame);
        r.corners(kRoundCorner);
        if (s.m_IsHot) {
            drawRim(r, kHotRim);
        } else if ((s.m_HasFocus || r.host.displayAsDefault()) && s.m_ShowFocusRect) {
            drawRim(r, kFocusRim);
        } else {
            // Plain rim: darker at the bottom and right, lighter at the top.
            r.line(2, H - 2, W - 2, H - 2, r.shiftP(t, -48));
            r.line(1, H - 3, W - 2, H - 3, r.shiftP(t, -32));
            r.line(W - 2, 2, W - 2, H - 2, r.shiftP(t, -36));
            r.line(W - 3, 3, W - 3, H - 3, r.shiftP(t, -24));
            r.line(2, 1, W - 2, 1, r.shiftP(t, +16));
            r.line(1, 2, W - 2, 2, r.shiftP(t, +10));
            r.line(1, 2, 1, H - 2, r.shiftP(t, -5));
            r.line(2, 3, 2, H - 3, r.shiftP(t, -10));
        }
        break;
    case Face::Down: {
        // Pressed: the gradient turns over (darkest at the top) on a darker base.
        const gdi::ColorRef b = r.shiftP(t, -32);
        r.gradient(b, 25, false, true);
        r.caption(tsPressed);
        r.frame(0, 0, W, H, kRoundFrame);
        r.corners(kRoundCorner);
        r.line(2, H - 2, W - 2, H - 2, r.shiftP(b, +16));
        r.line(1, H - 3, W - 2, H - 3, r.shiftP(b, +10));
        r.line(W - 2, 2, W - 2, H - 2, r.shiftP(b, +5));
        r.line(W - 3, 3, W - 3, H - 3, t);
        r.line(2, 1, W - 2, 1, r.shiftP(b, -32));
        r.line(1, 2, W - 2, 2, r.shiftP(b, -24));
        r.line(1, 2, 1, H - 2, r.shiftP(b, -32));
        r.line(2, 2, 2, H - 2, r.shiftP(b, -22));
        break;
    }
    case Face::Disabled:
        r.fill(0, 0, W, H, r.shiftP(t, -24));
        r.caption(tsTintGrey);
        r.frame(0, 0, W, H, r.shiftP(t, -84));
        r.corners(r.shiftP(t, -72));
        break;
    }
}

void PaintRounded(Recipe& r, Face face)
{
    ButtonState& s = r.s;
    const int W = r.W, H = r.H;
    const auto f = s.m_FaceColor, l = s.m_LightColor, hi = s.m_HighlightColor, sh = s.m_ShadowColor,
               ds = s.m_DarkShadowColor;
    if (face == Face::Down) {
        const gdi::ColorRef dark = r.shift(sh, -16);
        r.fill(1, 1, W - 2, H - 2, dark);
        // The caption's effect layers shade from the tint; while pressed they
        // shade from the dark face instead.
        s.m_FaceTintColor = dark;
        r.caption(tsPressed);
        s.m_FaceTintColor = r.shift(f, +48);
        r.frame(0, 0, W, H, ds);
        r.frame(1, 1, W - 2, H - 2, r.shift(sh, -64));
        r.frame(2, 2, W - 4, H - 4, r.shift(sh, -32));
        r.pixel(2, 2, r.shift(sh, -64));
        r.pixel(3, 3, r.shift(sh, -32));
        r.corners(ds);
        r.line(W - 3, 1, W - 3, H - 3, sh);
        r.line(1, H - 3, W - 2, H - 3, sh);
        r.pixel(W - 4, H - 4, sh);
        r.line(W - 2, 3, W - 2, H - 2, dark);
        r.line(3, H - 2, W - 2, H - 2, dark);
        r.line(W - 2, H - 3, W - 4, H - 1, r.shift(sh, -32));
        r.pixel(2, H - 2, r.shift(sh, -32));
        r.pixel(W - 2, 2, r.shift(sh, -32));
        return;
    }

    // Up and disabled differ only in the caption style.
    r.fill(1, 1, W - 2, H - 2, l);
    r.caption(face == Face::Up ? r.upStyle() : std::uint8_t(tsEngraved));
    r.frame(0, 0, W, H, ds);
    r.corners(ds);
    r.line(1, 2, 2, 0, f);
    r.line(3, 2, W - 3, 2, hi);
    r.line(2, 2, 2, H - 3, hi);
    r.pixel(3, 3, hi);
    r.line(W - 3, 1, W - 3, H - 3, f);
    r.line(1, H - 3, W - 3, H - 3, f);
    r.pixel(W - 4, H - 4, f);
    r.line(W - 2, 2, W - 2, H - 2, sh);
    r.line(2, H - 2, W - 2, H - 2, sh);
    r.pixel(W - 3, H - 3, sh);
}

void PaintGradient(Recipe& r, Face face)
{
    ButtonState& s = r.s;
    ButtonHost& host = r.host;
    const int W = r.W, H = r.H;
    const auto f = s.m_FaceColor, l = s.m_LightColor, hi = s.m_HighlightColor, sh = s.m_ShadowColor;

    // The frame and the highlight bands of the up and disabled looks.
    const auto edges = [&] {
        r.frame(0, 0, W, H, r.shift(sh, -50));
        r.frame(1, 1, W - 2, H - 2, r.shift(f, -9));
        r.fill(2, 2, W - 4, 2, hi);
        r.fill(2, 4, 2, H - 6, hi);
    };

    switch (face) {
    case Face::Up: {
        if (s.m_IsHot)
            r.fill(0, 0, W, H, l);
        else
            r.gradient(hi, 58, true, false);
        // The default button's caption is bold. The font change re-measures the
        // caption through the FontBold property; redrawing is held off meanwhile so
        // that it does not start a nested redraw.
        bool wasBold = false;
        const bool bolded = host.displayAsDefault();
        if (bolded) {
            s.m_RedrawEnabled = false;
            wasBold = host.fontBold();
            host.setFontBold(true);
        }
        r.caption(r.upStyle());
        if (bolded) {
            host.setFontBold(wasBold);
            s.m_RedrawEnabled = true;
        }
        edges();
        r.focus();
        break;
    }
    case Face::Down:
        r.fill(1, 1, W, H, r.shift(f, -9));
        r.frame(0, 0, W, H, r.shift(sh, -48));
        r.line(2, H - 2, W - 2, H - 2, hi);
        r.line(W - 2, 2, W - 2, H - 1, hi);
        r.caption(tsShadowed);
        r.focus();
        break;
    case Face::Disabled:
        r.gradient(hi, 58, true, false);
        edges();
        r.caption(tsEngravedFace);
        break;
    }
}

} // namespace vb
