// The one procedure every change of look goes through.

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/PicturePaint.h"
#include "controls/vbButton/Primitives.h"
#include "controls/vbButton/Styles.h"

namespace vb {

void Redraw(ButtonState& s, ButtonHost& host, std::uint8_t state, bool force)
{
    // A checked check-box button stays down whatever the caller asks for.
    if (s.m_CheckBoxBehaviour && s.m_Value)
        state = dsDown;
    // Hover and keyboard handlers call this freely; repeating the last look is free.
    if (!s.m_RedrawEnabled || s.m_Height == 0)
        return;
    if (!force && state == s.m_LastState && s.m_Caption == s.m_LastCaption)
        return;

    s.m_LastState = state;
    s.m_LastCaption = s.m_Caption;
    host.clearSurface();

    // A hot custom-coloured button takes its whole palette from the hover colour for
    // this one drawing; the stored palette goes back to describing the plain look.
    const bool hoverPalette = s.m_IsHot && s.m_ColorScheme == csCustom;
    const OleColor backColor = s.m_BackColor;
    if (hoverPalette) {
        s.m_BackColor = s.m_BackOver;
        LoadColors(s, host);
    }

    DrawRect(host.surfaceDc(), 0, 0, s.m_Width, s.m_Height, s.m_FaceColor, false);

    if (!s.m_Enabled) {
        PaintRecipe(s, host, Face::Disabled);
        DrawPicture(s, host, psDisabled);
    } else if (state == dsUp) {
        PaintRecipe(s, host, Face::Up);
        DrawPicture(s, host, psUp);
    } else {
        PaintRecipe(s, host, Face::Down);
        DrawPicture(s, host, psDown);
    }

    if (hoverPalette) {
        s.m_BackColor = backColor;
        LoadColors(s, host);
    }
}

} // namespace vb
