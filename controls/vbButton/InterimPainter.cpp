// Interim painter: keeps Redraw's skip rule and bookkeeping exactly and paints a
// plain face (fill and centred caption), so the buttons are usable before the
// full look is drawn. The full painter replaces this file.

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

#include <cmath>

namespace vb {

gdi::ColorRef TranslateColor(OleColor color)
{
    gdi::ColorRef out = 0;
    gdi::OleTranslateColor(color, &out);
    return out;
}

gdi::ColorRef ShiftColor(const ButtonState& s, gdi::ColorRef c, int n, bool proportional)
{
    if (s.m_SoftBevel)
        n /= 2;
    int r = gdi::redOf(c) + n, g = gdi::greenOf(c) + n;
    int b = gdi::blueOf(c);
    b = proportional ? b + (b * n) / 192 : b + n;
    auto clamp = [n](int x) { return n > 0 ? std::min(x, 255) : n < 0 ? std::max(x, 0) : x; };
    return gdi::ColorRef(clamp(r) + 256 * clamp(g) + 65536 * clamp(b));
}

gdi::ColorRef LightenColor(gdi::ColorRef c, int n)
{
    auto ch = [n](int x) { return std::min(255, n + ((255 - n) * x) / 255); };
    return gdi::rgb(ch(gdi::redOf(c)), ch(gdi::greenOf(c)), ch(gdi::blueOf(c)));
}

void LoadColors(ButtonState& s, ButtonHost&)
{
    if (s.m_ColorScheme == csCustom) {
        s.m_FaceColor = TranslateColor(s.m_BackColor);
        s.m_TextColor = TranslateColor(s.m_ForeColor);
        s.m_TextOverColor = TranslateColor(s.m_ForeOver);
    } else {
        s.m_FaceColor = gdi::GetSysColor(gdi::COLOR_BTNFACE);
        s.m_TextColor = gdi::GetSysColor(gdi::COLOR_BTNTEXT);
        s.m_TextOverColor = s.m_TextColor;
    }
    s.m_MaskColorRGB = TranslateColor(s.m_MaskColor);
}

void Redraw(ButtonState& s, ButtonHost& host, std::uint8_t state, bool force)
{
    if (s.m_CheckBoxBehaviour && s.m_Value)
        state = dsDown;
    if (!(force || s.m_Caption != s.m_LastCaption || state != s.m_LastState) || s.m_Height == 0
        || !s.m_RedrawEnabled)
        return;
    s.m_LastState = state;
    s.m_LastCaption = s.m_Caption;
    host.clearSurface();
    gdi::Dc& dc = host.surfaceDc();
    dc.fillRect({0, 0, s.m_Width, s.m_Height}, s.m_FaceColor);
    dc.setTextColor(s.m_IsHot || state == dsDown ? s.m_TextOverColor : s.m_TextColor);
    gdi::Rect r = state == dsDown ? s.m_TextArea : s.m_CaptionRect;
    dc.drawText(s.m_Caption, r, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_WORDBREAK);
    if (s.m_HasFocus && s.m_ShowFocusRect)
        dc.drawFocusRect(s.m_FaceRect);
}

void MeasurePicture(ButtonState& s)
{
    s.m_PictureWidth = s.m_PictureNormal ? gdi::himetricToPixels(s.m_PictureNormal->hmWidth) : 0;
    s.m_PictureHeight = s.m_PictureNormal ? gdi::himetricToPixels(s.m_PictureNormal->hmHeight) : 0;
}

void CalcCaptionRect(ButtonState& s, ButtonHost& host)
{
    gdi::Rect area{1, 1, s.m_Width - 2, s.m_Height - 2};
    host.surfaceDc().drawText(s.m_Caption, area, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    s.m_CaptionWidth = area.width();
    s.m_CaptionHeight = area.height();
    s.m_CaptionRect = area.offset((s.m_Width - area.right) / 2, (s.m_Height - area.bottom) / 2);
    s.m_TextArea = s.m_CaptionRect.offset(1, 1);
    CalcPicturePosition(s);
}

void CalcPicturePosition(ButtonState& s)
{
    if (!s.m_PictureNormal && !s.m_PictureOver)
        return;
    s.m_PictureX = (s.m_Width - s.m_PictureWidth) / 2;
    s.m_PictureY = (s.m_Height - s.m_PictureHeight) / 2;
}

void MakeShape(ButtonState& s)
{
    s.m_Region = gdi::Region::rect(0, 0, s.m_Width, s.m_Height);
}

void CaptureBackground(ButtonState&, ButtonHost&) {}

} // namespace vb
