// Property procedures and the public methods. Every let stores its value first
// and then updates what depends on it; the order of those steps is part of the
// control's behaviour (a host sees the redraws and notifications in it).

#include "controls/vbButton/ButtonModel.h"

#include "controls/vbButton/ButtonPainter.h"
#include "platform/forms/Fonts.h"

#include <cmath>
#include <limits>

namespace vb {

ButtonModel::ButtonModel(ControlHost& host, ButtonEvents& events) : m_host(host), m_events(events)
{
    s.m_RedrawEnabled = true;
}

void ButtonModel::setBackColor(OleColor value)
{
    s.m_BackColor = value;
    // At design time the hover colour follows, so a new colour scheme starts even.
    if (!m_host.userMode())
        s.m_BackOver = value;
    coloursChanged("BackColor");
}

void ButtonModel::setBackOver(OleColor value)
{
    s.m_BackOver = value;
    coloursChanged("BackOver");
}

void ButtonModel::setForeColor(OleColor value)
{
    s.m_ForeColor = value;
    if (!m_host.userMode())
        s.m_ForeOver = value;
    coloursChanged("ForeColor");
}

void ButtonModel::setForeOver(OleColor value)
{
    s.m_ForeOver = value;
    coloursChanged("ForeOver");
}

void ButtonModel::setMaskColor(OleColor value)
{
    s.m_MaskColor = value;
    coloursChanged("MaskColor");
}

void ButtonModel::setSoftBevel(bool value)
{
    s.m_SoftBevel = value;
    coloursChanged("SoftBevel");
}

void ButtonModel::setButtonType(std::int32_t value)
{
    s.m_ButtonType = value;
    if (value == btFlat && !m_host.userMode()) {
        QFont f = m_host.controlFont();
        f.setBold(true);
        m_host.setControlFont(f);
    } else if (value == btTransparent && s.m_RedrawEnabled) {
        CaptureBackground(s, m_host);
    }
    // The face inset and the shape depend on the type.
    handleResize();
    notify("ButtonType");
}

void ButtonModel::setCaption(const QString& value)
{
    s.m_Caption = value;
    SetAccessKey();
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, dsUp, true);
    notify("Caption");
}

void ButtonModel::setEnabled(bool value)
{
    s.m_Enabled = value;
    Redraw(s, m_host, dsUp, true);
    m_host.setControlEnabled(value);
    notify("Enabled");
}

void ButtonModel::setFont(const QFont& value)
{
    m_host.setControlFont(value);
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, dsUp, true);
    notify("Font");
}

// The single font attributes change the layout like a new font does, but they
// are not properties of their own in the saved set, so they notify nothing.
void ButtonModel::fontChanged(const QFont& font)
{
    m_host.setControlFont(font);
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, dsUp, true);
}

void ButtonModel::setFontBold(bool value)
{
    QFont f = m_host.controlFont();
    f.setBold(value);
    fontChanged(f);
}

void ButtonModel::setFontItalic(bool value)
{
    QFont f = m_host.controlFont();
    f.setItalic(value);
    fontChanged(f);
}

void ButtonModel::setFontUnderline(bool value)
{
    QFont f = m_host.controlFont();
    f.setUnderline(value);
    fontChanged(f);
}

short ButtonModel::FontSize() const
{
    // Nearest integer, halves to even (8.25 reads 8, 9.75 reads 10, 8.5 reads 8).
    return short(std::nearbyint(m_host.controlFont().pointSizeF()));
}

bool ButtonModel::setFontSize(short value)
{
    // A font has no size of zero or below: refused before anything changes.
    if (value <= 0)
        return false;
    QFont f = m_host.controlFont();
    f.setPointSizeF(double(value));
    fontChanged(f);
    return true;
}

void ButtonModel::setFontName(const QString& value)
{
    QFont f = m_host.controlFont();
    f.setFamilies(forms::fontFamiliesFor(value));
    fontChanged(f);
}

void ButtonModel::setColorScheme(std::int32_t value)
{
    s.m_ColorScheme = value;
    LoadColors(s, m_host);
    Redraw(s, m_host, dsUp, true);
    notify("ColorScheme");
}

void ButtonModel::setShowFocusRect(bool value)
{
    s.m_ShowFocusRect = value;
    Redraw(s, m_host, s.m_LastState, true);
    notify("ShowFocusRect");
}

void ButtonModel::setSpecialEffect(std::int32_t value)
{
    s.m_SpecialEffect = value;
    Redraw(s, m_host, s.m_LastState, true);
    notify("SpecialEffect");
}

void ButtonModel::setCheckBoxBehaviour(bool value)
{
    s.m_CheckBoxBehaviour = value;
    Redraw(s, m_host, s.m_LastState, true);
    notify("CheckBoxBehaviour");
}

bool ButtonModel::setMousePointer(std::int32_t value)
{
    // The host keeps the pointer in 16 bits; a wider value is an overflow, not a wrap.
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return false;
    if (!m_host.setPointerCode(std::int16_t(value)))
        return false;
    notify("MousePointer");
    return true;
}

void ButtonModel::setMouseIcon(const gdi::PicturePtr& value)
{
    (void)m_host.setPointerIcon(value); // a picture the host cannot use is ignored
    notify("MouseIcon");
}

bool ButtonModel::setHandPointer(bool value)
{
    s.m_HandPointer = value;
    if (value) {
        const gdi::PicturePtr hand = m_host.handCursor();
        if (!hand || !m_host.setPointerIcon(hand))
            return false;
        m_host.setPointerCode(99);
    } else {
        m_host.setPointerIcon(nullptr);
        m_host.setPointerCode(1);
    }
    notify("HandPointer");
    return true;
}

void ButtonModel::setPictureNormal(const gdi::PicturePtr& value)
{
    s.m_PictureNormal = value;
    MeasurePicture(s);
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, s.m_LastState, true);
    notify("PictureNormal");
}

void ButtonModel::setPictureOver(const gdi::PicturePtr& value)
{
    s.m_PictureOver = value;
    // The hover picture is only on the screen while the button is hot.
    if (s.m_IsHot)
        Redraw(s, m_host, s.m_LastState, true);
    notify("PictureOver");
}

void ButtonModel::setPicturePosition(std::int32_t value)
{
    s.m_PicturePosition = value;
    notify("PicturePosition");
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, s.m_LastState, true);
}

void ButtonModel::setUseMaskColor(bool value)
{
    s.m_UseMaskColor = value;
    if (s.m_PictureNormal)
        Redraw(s, m_host, s.m_LastState, true);
    notify("UseMaskColor");
}

void ButtonModel::setUseGreyscale(bool value)
{
    s.m_UseGreyscale = value;
    if (s.m_PictureNormal)
        Redraw(s, m_host, s.m_LastState, true);
    notify("UseGreyscale");
}

void ButtonModel::setValue(bool value)
{
    s.m_Value = value;
    if (s.m_CheckBoxBehaviour)
        Redraw(s, m_host, dsUp, true);
    notify("Value");
}

void ButtonModel::DisableRefresh()
{
    s.m_RedrawEnabled = false;
}

void ButtonModel::Refresh()
{
    if (s.m_ButtonType == btTransparent)
        CaptureBackground(s, m_host);
    LoadColors(s, m_host);
    CalcCaptionRect(s, m_host);
    s.m_RedrawEnabled = true;
    Redraw(s, m_host, s.m_LastState, true);
}

} // namespace vb
