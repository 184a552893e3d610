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

// Pictures count as changed by their content, not by their object.
void ButtonModel::storePicture(gdi::PicturePtr& field, const gdi::PicturePtr& value, Property p,
                               ChangeSet& changed)
{
    const bool same =
        (!field || !value) ? field == value : field->type == value->type && field->image == value->image;
    if (!same)
        changed |= bit(p);
    field = value;
}

void ButtonModel::storeFont(const QFont& font, ChangeSet& changed)
{
    if (m_host.controlFont() != font)
        changed |= bit(Property::Font);
    m_host.setControlFont(font);
}

bool ButtonModel::storePointerCode(int code, ChangeSet& changed)
{
    const std::int16_t before = m_host.pointerCode();
    if (!m_host.setPointerCode(code))
        return false;
    if (m_host.pointerCode() != before)
        changed |= bit(Property::MousePointer);
    return true;
}

bool ButtonModel::storePointerIcon(const gdi::PicturePtr& icon, ChangeSet& changed)
{
    gdi::PicturePtr now = m_host.pointerIcon();
    if (!m_host.setPointerIcon(icon))
        return false;
    storePicture(now, icon, Property::MouseIcon, changed);
    return true;
}

void ButtonModel::setBackColor(OleColor value)
{
    ChangeSet changed = 0;
    store(s.m_BackColor, value, Property::BackColor, changed);
    // At design time the hover colour follows, so a new colour scheme starts even.
    if (!m_host.userMode())
        store(s.m_BackOver, value, Property::BackOver, changed);
    coloursChanged("BackColor", changed);
}

void ButtonModel::setBackOver(OleColor value)
{
    ChangeSet changed = 0;
    store(s.m_BackOver, value, Property::BackOver, changed);
    coloursChanged("BackOver", changed);
}

void ButtonModel::setForeColor(OleColor value)
{
    ChangeSet changed = 0;
    store(s.m_ForeColor, value, Property::ForeColor, changed);
    if (!m_host.userMode())
        store(s.m_ForeOver, value, Property::ForeOver, changed);
    coloursChanged("ForeColor", changed);
}

void ButtonModel::setForeOver(OleColor value)
{
    ChangeSet changed = 0;
    store(s.m_ForeOver, value, Property::ForeOver, changed);
    coloursChanged("ForeOver", changed);
}

void ButtonModel::setMaskColor(OleColor value)
{
    ChangeSet changed = 0;
    store(s.m_MaskColor, value, Property::MaskColor, changed);
    coloursChanged("MaskColor", changed);
}

void ButtonModel::setSoftBevel(bool value)
{
    ChangeSet changed = 0;
    store(s.m_SoftBevel, value, Property::SoftBevel, changed);
    coloursChanged("SoftBevel", changed);
}

void ButtonModel::setButtonType(std::int32_t value)
{
    ChangeSet changed = 0;
    store(s.m_ButtonType, value, Property::ButtonType, changed);
    if (value == btFlat && !m_host.userMode()) {
        QFont f = m_host.controlFont();
        f.setBold(true);
        storeFont(f, changed);
    } else if (value == btTransparent && s.m_RedrawEnabled) {
        CaptureBackground(s, m_host);
    }
    // The face inset and the shape depend on the type.
    handleResize();
    notify("ButtonType");
    report(changed);
}

void ButtonModel::setCaption(const QString& value)
{
    ChangeSet changed = 0;
    store(s.m_Caption, value, Property::Caption, changed);
    SetAccessKey();
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, dsUp, true);
    notify("Caption");
    report(changed);
}

void ButtonModel::setEnabled(bool value)
{
    ChangeSet changed = 0;
    store(s.m_Enabled, value, Property::Enabled, changed);
    Redraw(s, m_host, dsUp, true);
    m_host.setControlEnabled(value);
    notify("Enabled");
    report(changed);
}

void ButtonModel::setFont(const QFont& value)
{
    ChangeSet changed = 0;
    storeFont(value, changed);
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, dsUp, true);
    notify("Font");
    report(changed);
}

// The single font attributes change the layout like a new font does, but they
// are not properties of their own in the saved set, so they notify nothing.
ChangeSet ButtonModel::fontChanged(const QFont& font)
{
    ChangeSet changed = 0;
    storeFont(font, changed);
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, dsUp, true);
    return changed;
}

void ButtonModel::setFontBold(bool value)
{
    QFont f = m_host.controlFont();
    f.setBold(value);
    report(fontChanged(f));
}

void ButtonModel::setFontBoldWhileDrawing(bool value)
{
    QFont f = m_host.controlFont();
    f.setBold(value);
    (void)fontChanged(f);
}

void ButtonModel::setFontItalic(bool value)
{
    QFont f = m_host.controlFont();
    f.setItalic(value);
    report(fontChanged(f));
}

void ButtonModel::setFontUnderline(bool value)
{
    QFont f = m_host.controlFont();
    f.setUnderline(value);
    report(fontChanged(f));
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
    report(fontChanged(f));
    return true;
}

void ButtonModel::setFontName(const QString& value)
{
    QFont f = m_host.controlFont();
    f.setFamilies(forms::fontFamiliesFor(value));
    report(fontChanged(f));
}

void ButtonModel::setColorScheme(std::int32_t value)
{
    ChangeSet changed = 0;
    store(s.m_ColorScheme, value, Property::ColorScheme, changed);
    LoadColors(s, m_host);
    Redraw(s, m_host, dsUp, true);
    notify("ColorScheme");
    report(changed);
}

void ButtonModel::setShowFocusRect(bool value)
{
    ChangeSet changed = 0;
    store(s.m_ShowFocusRect, value, Property::ShowFocusRect, changed);
    Redraw(s, m_host, s.m_LastState, true);
    notify("ShowFocusRect");
    report(changed);
}

void ButtonModel::setSpecialEffect(std::int32_t value)
{
    ChangeSet changed = 0;
    store(s.m_SpecialEffect, value, Property::SpecialEffect, changed);
    Redraw(s, m_host, s.m_LastState, true);
    notify("SpecialEffect");
    report(changed);
}

void ButtonModel::setCheckBoxBehaviour(bool value)
{
    ChangeSet changed = 0;
    store(s.m_CheckBoxBehaviour, value, Property::CheckBoxBehaviour, changed);
    Redraw(s, m_host, s.m_LastState, true);
    notify("CheckBoxBehaviour");
    report(changed);
}

bool ButtonModel::setMousePointer(std::int32_t value)
{
    // The host keeps the pointer in 16 bits; a wider value is an overflow, not a wrap.
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return false;
    ChangeSet changed = 0;
    if (!storePointerCode(std::int16_t(value), changed))
        return false;
    notify("MousePointer");
    report(changed);
    return true;
}

void ButtonModel::setMouseIcon(const gdi::PicturePtr& value)
{
    ChangeSet changed = 0;
    (void)storePointerIcon(value, changed); // a picture the host cannot use is ignored
    notify("MouseIcon");
    report(changed);
}

// False when the hand cursor cannot be loaded; the property keeps the value.
bool ButtonModel::handPointer(bool value, ChangeSet& changed)
{
    store(s.m_HandPointer, value, Property::HandPointer, changed);
    if (value) {
        const gdi::PicturePtr hand = m_host.handCursor();
        if (!hand || !storePointerIcon(hand, changed))
            return false;
        storePointerCode(99, changed);
    } else {
        storePointerIcon(nullptr, changed);
        storePointerCode(1, changed);
    }
    return true;
}

bool ButtonModel::setHandPointer(bool value)
{
    ChangeSet changed = 0;
    if (!handPointer(value, changed)) {
        report(changed);
        return false;
    }
    notify("HandPointer");
    report(changed);
    return true;
}

void ButtonModel::setPictureNormal(const gdi::PicturePtr& value)
{
    ChangeSet changed = 0;
    storePicture(s.m_PictureNormal, value, Property::PictureNormal, changed);
    MeasurePicture(s);
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, s.m_LastState, true);
    notify("PictureNormal");
    report(changed);
}

void ButtonModel::setPictureOver(const gdi::PicturePtr& value)
{
    ChangeSet changed = 0;
    storePicture(s.m_PictureOver, value, Property::PictureOver, changed);
    // The hover picture is only on the screen while the button is hot.
    if (s.m_IsHot)
        Redraw(s, m_host, s.m_LastState, true);
    notify("PictureOver");
    report(changed);
}

void ButtonModel::setPicturePosition(std::int32_t value)
{
    ChangeSet changed = 0;
    store(s.m_PicturePosition, value, Property::PicturePosition, changed);
    notify("PicturePosition");
    CalcCaptionRect(s, m_host);
    Redraw(s, m_host, s.m_LastState, true);
    report(changed);
}

void ButtonModel::setUseMaskColor(bool value)
{
    ChangeSet changed = 0;
    store(s.m_UseMaskColor, value, Property::UseMaskColor, changed);
    if (s.m_PictureNormal)
        Redraw(s, m_host, s.m_LastState, true);
    notify("UseMaskColor");
    report(changed);
}

void ButtonModel::setUseGreyscale(bool value)
{
    ChangeSet changed = 0;
    store(s.m_UseGreyscale, value, Property::UseGreyscale, changed);
    if (s.m_PictureNormal)
        Redraw(s, m_host, s.m_LastState, true);
    notify("UseGreyscale");
    report(changed);
}

void ButtonModel::setValue(bool value)
{
    ChangeSet changed = 0;
    store(s.m_Value, value, Property::Value, changed);
    if (s.m_CheckBoxBehaviour)
        Redraw(s, m_host, dsUp, true);
    notify("Value");
    report(changed);
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
