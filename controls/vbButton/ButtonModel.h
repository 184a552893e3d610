#pragma once
// The button's public face and its state machine, in plain C++: the property
// procedures (store first, then what depends on the value, in a fixed order),
// the saved property set, and the handlers of mouse, keyboard, focus, hover
// tracking and lifecycle. It paints only through the painter procedures and
// reaches its window only through ControlHost; events go out through
// ButtonEvents.

#include "controls/vbButton/ButtonEvents.h"
#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/ButtonState.h"
#include "controls/vbButton/ControlHost.h"
#include "platform/forms/PropertyBag.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <type_traits>

namespace vb {

class ButtonModel {
public:
    // Creation: redrawing is allowed from here on. Nothing of the host is used yet.
    ButtonModel(ControlHost& host, ButtonEvents& events);
    ButtonModel(const ButtonModel&) = delete;
    ButtonModel& operator=(const ButtonModel&) = delete;
    virtual ~ButtonModel() = default;

    // Properties.
    [[nodiscard]] OleColor BackColor() const { return s.m_BackColor; }
    void setBackColor(OleColor value);
    [[nodiscard]] OleColor BackOver() const { return s.m_BackOver; }
    void setBackOver(OleColor value);
    [[nodiscard]] OleColor ForeColor() const { return s.m_ForeColor; }
    void setForeColor(OleColor value);
    [[nodiscard]] OleColor ForeOver() const { return s.m_ForeOver; }
    void setForeOver(OleColor value);
    [[nodiscard]] OleColor MaskColor() const { return s.m_MaskColor; }
    void setMaskColor(OleColor value);
    [[nodiscard]] std::int32_t ButtonType() const { return s.m_ButtonType; }
    void setButtonType(std::int32_t value);
    [[nodiscard]] const QString& Caption() const { return s.m_Caption; }
    void setCaption(const QString& value);
    [[nodiscard]] bool Enabled() const { return s.m_Enabled; }
    void setEnabled(bool value);
    [[nodiscard]] QFont Font() const { return m_host.controlFont(); }
    void setFont(const QFont& value);
    [[nodiscard]] bool FontBold() const { return m_host.controlFont().bold(); }
    void setFontBold(bool value);
    // FontBold as drawing sets it for a moment (the default button's bold
    // caption): relayout without a change report.
    void setFontBoldWhileDrawing(bool value);
    [[nodiscard]] bool FontItalic() const { return m_host.controlFont().italic(); }
    void setFontItalic(bool value);
    [[nodiscard]] bool FontUnderline() const { return m_host.controlFont().underline(); }
    void setFontUnderline(bool value);
    // The font keeps a real size; the property reads it to the nearest integer.
    [[nodiscard]] short FontSize() const;
    // False (nothing stored, no relayout, no redraw) for a size of 0 or below.
    bool setFontSize(short value);
    [[nodiscard]] QString FontName() const { return m_host.controlFont().family(); }
    void setFontName(const QString& value);
    [[nodiscard]] std::int32_t ColorScheme() const { return s.m_ColorScheme; }
    void setColorScheme(std::int32_t value);
    [[nodiscard]] bool ShowFocusRect() const { return s.m_ShowFocusRect; }
    void setShowFocusRect(bool value);
    [[nodiscard]] std::int32_t MousePointer() const { return m_host.pointerCode(); }
    // False (and no notification) for a value beyond 16 bits or a code the host refuses.
    bool setMousePointer(std::int32_t value);
    [[nodiscard]] gdi::PicturePtr MouseIcon() const { return m_host.pointerIcon(); }
    void setMouseIcon(const gdi::PicturePtr& value);
    [[nodiscard]] bool HandPointer() const { return s.m_HandPointer; }
    // False when the hand cursor cannot be loaded; the property keeps the value.
    bool setHandPointer(bool value);
    [[nodiscard]] std::int32_t hwnd() const { return m_host.windowHandle(); }
    [[nodiscard]] bool SoftBevel() const { return s.m_SoftBevel; }
    void setSoftBevel(bool value);
    [[nodiscard]] const gdi::PicturePtr& PictureNormal() const { return s.m_PictureNormal; }
    void setPictureNormal(const gdi::PicturePtr& value);
    [[nodiscard]] const gdi::PicturePtr& PictureOver() const { return s.m_PictureOver; }
    void setPictureOver(const gdi::PicturePtr& value);
    [[nodiscard]] std::int32_t PicturePosition() const { return s.m_PicturePosition; }
    void setPicturePosition(std::int32_t value);
    [[nodiscard]] bool UseMaskColor() const { return s.m_UseMaskColor; }
    void setUseMaskColor(bool value);
    [[nodiscard]] bool UseGreyscale() const { return s.m_UseGreyscale; }
    void setUseGreyscale(bool value);
    [[nodiscard]] std::int32_t SpecialEffect() const { return s.m_SpecialEffect; }
    void setSpecialEffect(std::int32_t value);
    [[nodiscard]] bool CheckBoxBehaviour() const { return s.m_CheckBoxBehaviour; }
    void setCheckBoxBehaviour(bool value);
    [[nodiscard]] bool Value() const { return s.m_Value; }
    void setValue(bool value);
    [[nodiscard]] static QString Version() { return QStringLiteral("2.0.6"); }

    // Methods.
    void DisableRefresh();
    void Refresh();

    // The whole state, for the painter and for inspection.
    [[nodiscard]] const ButtonState& state() const { return s; }

    // Saved property set.
    void InitNewInstance();
    void ReadSavedProperties(const forms::PropertyBag& bag);
    void WriteSavedProperties(forms::PropertyBag& bag) const;

    // Handlers. Arguments are those the platform reports; Button and Shift use
    // the bit values 1 left / 2 right / 4 middle and 1 shift / 2 ctrl / 4 alt.
    void handleMouseDown(short Button, short Shift, float X, float Y);
    void handleMouseMove(short Button, short Shift, float X, float Y);
    void handleMouseUp(short Button, short Shift, float X, float Y);
    void handleClick();
    void handleDblClick();
    void handleKeyDown(short KeyCode, short Shift);
    void handleKeyPress(short KeyAscii);
    void handleKeyUp(short KeyCode, short Shift);
    void handleAccessKeyPress();
    void handleGotFocus();
    void handleLostFocus();
    void handleAmbientChanged();
    void handleOverTimer();
    void handleResize();
    void handleShow();
    void handleHide();
    void handleTerminate();

    [[nodiscard]] bool IsMouseOver() const { return m_host.pointerOverOwnWindow(); }
    void SetAccessKey();

private:
    // Each returns false when an event handler destroyed the control.
    bool mouseDown(short Button, short Shift, float X, float Y);
    bool click();
    void notify(const char* property) { m_host.propertyChanged(QString::fromLatin1(property)); }
    // After a colour or bevel property is stored: new palette, the same face redrawn,
    // notify, report.
    void coloursChanged(const char* property, ChangeSet changed)
    {
        LoadColors(s, m_host);
        Redraw(s, m_host, s.m_LastState, true);
        notify(property);
        report(changed);
    }
    // Returns what changed.
    ChangeSet fontChanged(const QFont& font);
    bool handPointer(bool value, ChangeSet& changed);

    // Storing with the change report: each store marks its property in `changed`
    // when the value differs; a let reports the set when it is done.
    template <class T>
    static void store(T& field, const std::type_identity_t<T>& value, Property p, ChangeSet& changed)
    {
        if (!(field == value))
            changed |= bit(p);
        field = value;
    }
    static void storePicture(gdi::PicturePtr& field, const gdi::PicturePtr& value, Property p,
                             ChangeSet& changed);
    void storeFont(const QFont& font, ChangeSet& changed);
    bool storePointerCode(int code, ChangeSet& changed);
    bool storePointerIcon(const gdi::PicturePtr& icon, ChangeSet& changed);
    // False when a receiver of the report destroyed the control.
    bool report(ChangeSet changed) { return changed == 0 || m_host.valuesChanged(changed); }

    ButtonState s;
    ControlHost& m_host;
    ButtonEvents& m_events;
};

} // namespace vb
