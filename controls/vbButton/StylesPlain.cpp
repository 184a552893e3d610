// The flat and frameless looks: btFlat, btHotSelect, btTransparent and btOval.
// (btPictureOnly has no recipe: the face fill and the picture are its whole look.)

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/CaptionPaint.h"
#include "controls/vbButton/Styles.h"

namespace vb {

namespace {

// btFlat shows the focus as a frame around the caption instead of a dotted rectangle.
void flatFocus(Recipe& r)
{
    const ButtonState& s = r.s;
    if (s.m_HasFocus && s.m_ShowFocusRect)
        r.frame(s.m_CaptionRect.left - 2, s.m_CaptionRect.top - 1, s.m_CaptionWidth + 4,
                s.m_CaptionHeight + 2, 0xCC9999);
}

} // namespace

void PaintFlat(Recipe& r, Face face)
{
    ButtonState& s = r.s;
    const int W = r.W, H = r.H;
    const auto f = s.m_FaceColor, hi = s.m_HighlightColor, sh = s.m_ShadowColor;
    switch (face) {
    case Face::Up:
        r.fill(1, 1, W - 1, H - 1, r.shift(f, +12));
        r.caption(r.upStyle());
        r.frame(1, 1, W - 1, H - 1, hi);
        r.frame(0, 0, W - 1, H - 1, r.shift(sh, -26));
        r.pixel(1, H - 2, r.shift(sh, +26));
        r.pixel(W - 2, 1, r.shift(sh, +26));
        flatFocus(r);
        break;
    case Face::Down: {
        r.fill(1, 1, W - 2, H - 2, r.shift(sh, +16));
        r.frame(0, 0, W - 1, H - 1, r.shift(sh, -26));
        r.line(W - 1, 1, W - 1, H, hi);
        r.line(1, H - 1, W - 1, H - 1, hi);
        // The pressed flat caption stays in place, in the hover colour, with no
        // effect layers; it is not a text style, so m_TextState is left alone.
        gdi::Dc& dc = r.host.surfaceDc();
        dc.setTextColor(s.m_TextOverColor);
        gdi::Rect rect = s.m_CaptionRect;
        dc.drawText(s.m_Caption, rect, kCaptionFormat);
        flatFocus(r);
        break;
    }
    case Face::Disabled:
        r.caption(tsGrey);
        r.frame(0, 0, W, H, sh);
        break;
    }
}

void PaintHotSelect(Recipe& r, Face face)
{
    const ButtonState& s = r.s;
    const int W = r.W, H = r.H;
    const auto a = s.m_AccentColor, as = s.m_AccentSoftColor;
    switch (face) {
    case Face::Up:
        if (s.m_IsHot)
            r.fill(1, 1, W, H, as);
        r.caption(r.upStyle());
        if (s.m_IsHot)
            r.frame(0, 0, W, H, a);
        r.focus();
        break;
    case Face::Down:
        if (s.m_IsHot)
            r.fill(0, 0, W, H, s.m_ColorScheme == csCustom ? r.shift(as, -32) : LightenColor(a, 128));
        r.caption(tsPressed);
        r.frame(0, 0, W, H, a);
        r.focus();
        break;
    case Face::Disabled:
        r.caption(tsGrey);
        break;
    }
}

void PaintTransparent(Recipe& r, Face face)
{
    const ButtonState& s = r.s;
    // The parent's pixels behind the button are its face. Before the first show
    // there is no captured background and the face fill stands in for it.
    if (s.m_BackgroundDC)
        r.host.surfaceDc().bitBlt(0, 0, r.W, r.H, *s.m_BackgroundDC, 0, 0);
    switch (face) {
    case Face::Up:
        r.caption(r.upStyle());
        r.focus();
        break;
    case Face::Down:
        r.caption(tsPressed);
        r.focus();
        break;
    case Face::Disabled:
        r.caption(tsEngraved);
        break;
    }
}

void PaintOval(Recipe& r, Face face)
{
    const ButtonState& s = r.s;
    const auto f = s.m_FaceColor;
    switch (face) {
    case Face::Up:
        r.oval(s.m_IsHot ? s.m_ShadowColor : f, f);
        r.caption(r.upStyle());
        break;
    case Face::Down:
        r.oval(s.m_DarkShadowColor, r.shift(f, -32));
        r.caption(tsPressed);
        break;
    case Face::Disabled:
        r.caption(tsEngraved);
        break;
    }
}

} // namespace vb
