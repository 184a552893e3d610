#include "ShotHost.h"

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

namespace buttonshot {

ShotHost::ShotHost(vb::ButtonState& state, const QFont& font, bool isDefault,
                   std::optional<vb::OleColor> parentColor)
    : m_state(state), m_font(font), m_isDefault(isDefault), m_parentColor(parentColor)
{
    m_dc.selectFont(m_font);
}

void ShotHost::clearSurface()
{
    // The user control's own back colour is the button face.
    m_surface.fill(gdi::GetSysColor(gdi::COLOR_BTNFACE));
}

void ShotHost::setFontBold(bool bold)
{
    m_font.setBold(bold);
    m_dc.selectFont(m_font);
    vb::CalcCaptionRect(m_state, *this);
    vb::Redraw(m_state, *this, vb::dsUp, true);
}

gdi::ColorRef ShotHost::parentBackColor() const
{
    return m_parentColor ? vb::TranslateColor(*m_parentColor) : gdi::GetSysColor(gdi::COLOR_BTNFACE);
}

gdi::ColorRef ShotHost::parentTextColor() const
{
    return gdi::GetSysColor(gdi::COLOR_BTNTEXT);
}

void ShotHost::copyFromParent(gdi::Surface& dest, int /*x*/, int /*y*/, int w, int h)
{
    // The parent form shows nothing but its back colour, wherever the button sits.
    gdi::Dc(dest).fillRect({0, 0, w, h}, parentBackColor());
}

void ShotHost::resizeAndShow(int width, int height, double scale)
{
    vb::ButtonState& s = m_state;
    m_surface.resize(width, height, gdi::GetSysColor(gdi::COLOR_BTNFACE), scale);
    m_dc.selectFont(m_font);

    s.m_Width = width;
    s.m_Height = height;
    s.m_FaceRect = vb::FaceRectFor(s.m_ButtonType, {0, 0, width, height});
    vb::MeasurePicture(s);
    vb::CalcCaptionRect(s, *this);
    vb::MakeShape(s);

    if (s.m_ButtonType == vb::btTransparent) {
        s.m_BackgroundDC.emplace(width, height, 0, scale);
        vb::CaptureBackground(s, *this);
    }
    s.m_RedrawEnabled = true;
    vb::LoadColors(s, *this);
}

} // namespace buttonshot
