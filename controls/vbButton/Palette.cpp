// The working palette: every look takes its colours from here, never from the
// colour properties directly.

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

namespace vb {

void LoadColors(ButtonState& s, ButtonHost& host)
{
    const auto shift = [&s](gdi::ColorRef c, int n) { return ShiftColor(s, c, n, false); };

    switch (s.m_ColorScheme) {
    case csCustom: {
        const gdi::ColorRef face = TranslateColor(s.m_BackColor);
        s.m_FaceColor = face;
        s.m_TextColor = TranslateColor(s.m_ForeColor);
        s.m_TextOverColor = TranslateColor(s.m_ForeOver);
        s.m_ShadowColor = shift(face, -64);
        s.m_LightColor = shift(face, +31);
        s.m_HighlightColor = shift(face, +47);
        s.m_DarkShadowColor = shift(face, -192);
        s.m_AccentColor = shift(face, -128);
        s.m_AccentSoftColor = face;
        break;
    }
    case csClassic:
        s.m_FaceColor = 0xC0C0C0;
        s.m_TextColor = 0;
        s.m_TextOverColor = 0;
        s.m_ShadowColor = 0x808080;
        s.m_LightColor = 0xDFDFDF;
        s.m_HighlightColor = 0xFFFFFF;
        s.m_DarkShadowColor = 0;
        s.m_AccentColor = 0x800000;
        s.m_AccentSoftColor = 0xD1ADAD;
        break;
    case csParent: {
        const gdi::ColorRef face = host.parentBackColor();
        s.m_FaceColor = face;
        s.m_TextColor = host.parentTextColor();
        s.m_TextOverColor = s.m_TextColor;
        s.m_ShadowColor = shift(face, -64);
        s.m_LightColor = shift(face, +31);
        s.m_HighlightColor = shift(face, +47);
        s.m_DarkShadowColor = shift(face, -192);
        s.m_AccentColor = gdi::GetSysColor(gdi::COLOR_HIGHLIGHT);
        s.m_AccentSoftColor = LightenColor(s.m_AccentColor, 176);
        break;
    }
    default: // csSystem, and every value without a scheme of its own
        s.m_FaceColor = gdi::GetSysColor(gdi::COLOR_BTNFACE);
        s.m_TextColor = gdi::GetSysColor(gdi::COLOR_BTNTEXT);
        s.m_TextOverColor = s.m_TextColor;
        s.m_ShadowColor = gdi::GetSysColor(gdi::COLOR_BTNSHADOW);
        s.m_LightColor = gdi::GetSysColor(gdi::COLOR_3DLIGHT);
        s.m_HighlightColor = gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT);
        s.m_DarkShadowColor = gdi::GetSysColor(gdi::COLOR_3DDKSHADOW);
        s.m_AccentColor = gdi::GetSysColor(gdi::COLOR_HIGHLIGHT);
        s.m_AccentSoftColor = LightenColor(s.m_AccentColor, 176);
        break;
    }

    s.m_MaskColorRGB = TranslateColor(s.m_MaskColor);
    // The rounded gradient look shades its bluish tint proportionally, the others additively.
    s.m_FaceTintColor = ShiftColor(s, s.m_FaceColor, 48, s.m_ButtonType == btRoundGradient);
}

} // namespace vb
