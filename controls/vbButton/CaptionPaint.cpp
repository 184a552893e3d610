// Caption text styles and their effect layers; the focus rectangle.

#include "controls/vbButton/CaptionPaint.h"
#include "controls/vbButton/ButtonPainter.h"

namespace vb {

namespace {

// One layer of caption text: no background is painted, so the face and any
// earlier layers stay visible between the letters.
void drawText(const ButtonState& s, ButtonHost& host, gdi::Rect rect, gdi::ColorRef color)
{
    gdi::Dc& dc = host.surfaceDc();
    dc.setTextColor(color);
    dc.drawText(s.m_Caption, rect, kCaptionFormat);
}

} // namespace

void DrawCaption(ButtonState& s, ButtonHost& host, std::uint8_t style)
{
    s.m_TextState = style;
    // "Main text" goes into the caption rectangle, "the copy" into the text area,
    // which after layout is the caption rectangle moved one pixel right and down.
    const gdi::Rect& main = s.m_CaptionRect;
    const gdi::Rect& copy = s.m_TextArea;
    switch (style) {
    case tsNormal:
        DrawCaptionEffect(s, host, main);
        drawText(s, host, main, s.m_TextColor);
        break;
    case tsHot:
        DrawCaptionEffect(s, host, main);
        drawText(s, host, main, s.m_TextOverColor);
        break;
    case tsPressed:
        // The pressed caption is only the copy: it moves one pixel right and down.
        DrawCaptionEffect(s, host, copy);
        drawText(s, host, copy, s.m_ButtonType == btRounded ? s.m_LightColor : s.m_TextOverColor);
        break;
    case tsEngraved:
        drawText(s, host, copy, s.m_HighlightColor);
        drawText(s, host, main, s.m_ShadowColor);
        break;
    case tsGrey:
        drawText(s, host, main, s.m_ShadowColor);
        break;
    case tsTintGrey:
        drawText(s, host, main, ShiftColor(s, s.m_FaceTintColor, -104, true));
        break;
    case tsEngravedFace:
        drawText(s, host, copy, s.m_HighlightColor);
        drawText(s, host, main, s.m_FaceColor);
        break;
    case tsShadowed:
        drawText(s, host, copy, ShiftColor(s, s.m_ShadowColor, -50, false));
        drawText(s, host, main, s.m_HighlightColor);
        break;
    default:
        break;
    }
}

void DrawCaptionEffect(const ButtonState& s, ButtonHost& host, const gdi::Rect& rect)
{
    if (s.m_SpecialEffect < fxRaised)
        return;

    gdi::ColorRef base = s.m_FaceColor;
    if (s.m_ButtonType == btRoundGradient || s.m_ButtonType == btRounded || s.m_ButtonType == btGradient)
        base = s.m_FaceTintColor;
    else if (s.m_LastState == dsUp && s.m_IsHot && s.m_ColorScheme != csCustom
             && s.m_ButtonType == btHotSelect)
        base = s.m_AccentSoftColor; // the face of a hot btHotSelect button
    const gdi::ColorRef lighter = ShiftColor(s, base, +40, false);
    const gdi::ColorRef darker = ShiftColor(s, base, -40, false);

    // A sunken caption is lit from below right; raised and shadowed ones are shaded there.
    const bool sunken = s.m_SpecialEffect == fxSunken;
    drawText(s, host, rect.offset(1, 1), sunken ? lighter : darker);
    if (s.m_SpecialEffect == fxRaised || sunken)
        drawText(s, host, rect.offset(-1, -1), sunken ? darker : lighter);
}

void DrawFocus(const ButtonState& s, ButtonHost& host)
{
    if (!(s.m_ShowFocusRect && s.m_HasFocus))
        return;
    gdi::Dc& dc = host.surfaceDc();
    dc.setTextColor(s.m_TextColor);
    dc.drawFocusRect(s.m_FaceRect);
}

} // namespace vb
