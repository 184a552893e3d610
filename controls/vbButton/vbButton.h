#pragma once
// The owner-drawn push button of every window. The widget is glue: it maps
// Qt's events onto the handlers of ButtonModel (where the behaviour lives),
// gives the model and the painter their host, and raises the model's events
// as Qt signals. Connect to the signals with Qt::DirectConnection (the
// default for objects of one thread): arguments are references, and what a
// handler leaves in them is what the button goes on with.
//
// A container creates one, then calls initNew() (a new instance) or
// load(properties) (a saved one), places and shows it; save() gives the
// saved set back. The public properties are ButtonModel's.

#include "controls/vbButton/ButtonEvents.h"
#include "controls/vbButton/ButtonModel.h"
#include "controls/vbButton/ControlHost.h"
#include "platform/forms/UserControl.h"

namespace vb {

class vbButton : public forms::UserControl, public ButtonModel, public ControlHost, private ButtonEvents {
    Q_OBJECT
    // The caption as the window runtime reads and writes any control's text.
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    explicit vbButton(QWidget* parent = nullptr);
    ~vbButton() override;

    // The property lets, not QWidget's own functions of the same name.
    using ButtonModel::setEnabled;
    using ButtonModel::setFont;

    // Hover tracking: on from the pointer's entry until the hover ends. No
    // timer runs; the end is checked when the pointer's own events say it may
    // have gone (a leave, a move outside, another window taking the pointer).
    // Tests and tools run that check by hand.
    [[nodiscard]] bool isOverTimerEnabled() const { return m_overTracking; }
    void overTimerTick() { handleOverTimer(); }

    // A click as the access key gives it, at once. (Accessibility's press
    // action posts one instead; see vbButtonAccessible.)
    void accessiblePress() { handleAccessKeyPress(); }

signals:
    void Click();
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);
    void KeyPress(short& KeyAscii);
    void KeyDown(short& KeyCode, short& Shift);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseOver();
    void MouseOut();

protected:
    // UserControl notifications.
    void InitProperties() override { InitNewInstance(); }
    void ReadProperties(const forms::PropertyBag& bag) override { ReadSavedProperties(bag); }
    void WriteProperties(forms::PropertyBag& bag) override { WriteSavedProperties(bag); }
    void Resize() override { handleResize(); }
    void Show() override { handleShow(); }
    void Hide() override;
    void AmbientChanged(const QString&) override { handleAmbientChanged(); }
    void AccessKeyPress(const QString&) override { handleAccessKeyPress(); }

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

public:
    // The host interfaces of the model and the painter. Where a name is also
    // UserControl's, it does the same thing.
    // ButtonHost
    gdi::Dc& surfaceDc() override { return UserControl::surfaceDc(); }
    void clearSurface() override { cls(); }
    bool displayAsDefault() const override { return UserControl::displayAsDefault(); }
    bool fontBold() const override { return FontBold(); }
    void setFontBold(bool bold) override { ButtonModel::setFontBold(bold); }
    gdi::ColorRef parentBackColor() const override;
    gdi::ColorRef parentTextColor() const override;
    gdi::Point positionOnParent() const override { return {x(), y()}; }
    void copyFromParent(gdi::Surface& dest, int x, int y, int w, int h) override;

    // ControlHost
    bool userMode() const override { return UserControl::userMode(); }
    QString ambientDisplayName() const override { return UserControl::ambientDisplayName(); }
    QFont ambientFont() const override { return UserControl::ambientFont(); }
    QFont controlFont() const override { return UserControl::controlFont(); }
    void setControlFont(const QFont& font) override { UserControl::setControlFont(font); }
    void setControlEnabled(bool enabled) override { QWidget::setEnabled(enabled); }
    std::int16_t pointerCode() const override { return UserControl::pointerCode(); }
    bool setPointerCode(int code) override { return UserControl::setPointerCode(code); }
    gdi::PicturePtr pointerIcon() const override { return UserControl::pointerIcon(); }
    bool setPointerIcon(const gdi::PicturePtr& icon) override { return UserControl::setPointerIcon(icon); }
    gdi::PicturePtr handCursor() const override;
    void setAccessKeys(const QString& keys) override { UserControl::setAccessKeys(keys); }
    void propertyChanged(const QString& name) override;
    std::int32_t windowHandle() const override { return hWnd(); }
    gdi::Rect clientRect() const override { return {0, 0, width(), height()}; }
    void setWindowShape(const gdi::Region& region) override { setShape(region); }
    void refreshWindow() override { refresh(); }
    void setCapture() override { UserControl::setCapture(); }
    bool pointerOverOwnWindow() const override;
    void sendTabKey(bool backwards) override { UserControl::sendTabKey(backwards); }
    void setOverTimerEnabled(bool enabled) override;

private:
    // ButtonEvents
    bool raiseClick() override;
    bool raiseMouseDown(short& Button, short& Shift, float& X, float& Y) override;
    bool raiseMouseMove(short& Button, short& Shift, float& X, float& Y) override;
    bool raiseMouseUp(short& Button, short& Shift, float& X, float& Y) override;
    bool raiseKeyPress(short& KeyAscii) override;
    bool raiseKeyDown(short& KeyCode, short& Shift) override;
    bool raiseKeyUp(short& KeyCode, short& Shift) override;
    bool raiseMouseOver() override;
    bool raiseMouseOut() override;

    // Whether the pointer is over this window, as its own events last said.
    [[nodiscard]] bool overOwnWindowAt(const QPointF& local) const;
    // The pointer is known to be elsewhere: end a hover that is tracked.
    void pointerGone();

    bool m_overTracking = false;
    bool m_pointerInside = false;
    // A left press inside the shape waits for its release to become a click.
    bool m_clickArmed = false;
};

} // namespace vb
