#pragma once
// The private part of quintaro::vbButton: the model (ButtonModel, where the
// behaviour lives) with its host over the widget's ControlSite. The widget
// passes its Qt events here; the model's nine events come back out as the
// widget's signals and the model's change report as its NOTIFY signals.
//
// Internal to the program and the library; the program's own code and tests
// reach it with vbButtonPrivate::get().

#include "controls/vbButton/ButtonEvents.h"
#include "controls/vbButton/ButtonModel.h"
#include "controls/vbButton/ControlHost.h"
#include "platform/forms/ControlSite.h"

#include <quintaro/vbButton.h>

#include <QObject>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

namespace quintaro {

class vbButtonPrivate : public QObject,
                        public forms::ControlSite,
                        public vb::ButtonModel,
                        public vb::ControlHost,
                        private vb::ButtonEvents {
    Q_OBJECT
public:
    explicit vbButtonPrivate(vbButton* q);
    ~vbButtonPrivate() override;

    [[nodiscard]] static vbButtonPrivate* get(vbButton* q) { return q->d_func(); }
    [[nodiscard]] static const vbButtonPrivate* get(const vbButton* q) { return q->d_func(); }
    [[nodiscard]] vbButton* widget() const { return q_ptr; }

    // Hover tracking: on from the pointer's entry until the hover ends. No
    // timer runs; the end is checked when the pointer's own events say it may
    // have gone (a leave, a move outside, another window taking the pointer).
    // Tests and tools run that check by hand.
    [[nodiscard]] bool isOverTimerEnabled() const { return m_overTracking; }
    void overTimerTick() { handleOverTimer(); }

    // A click as the access key gives it, at once. (Accessibility's press
    // action posts one instead; see vbButtonAccessible.)
    void accessiblePress() { handleAccessKeyPress(); }

    // Design mode, as the widget's setDesignMode sets it.
    void setDesignMode(bool design);
    [[nodiscard]] bool designMode() const { return m_design; }

    // The widget's events. widgetEvent() runs before QWidget's own handling and
    // returns true for an event it consumed.
    bool widgetEvent(QEvent* event);
    void mousePress(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void mouseDoubleClick(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void keyPress(QKeyEvent* event);
    void keyRelease(QKeyEvent* event);
    void focusIn(QFocusEvent* event);
    void focusOut(QFocusEvent* event);
    // QWidget::setEnabled (or the parent's) changed the widget's enabled state.
    void enabledChanged();

    // The host interfaces of the model and the painter. Where a name is also
    // ControlSite's, it does the same thing.
    // ButtonHost
    gdi::Dc& surfaceDc() override { return ControlSite::surfaceDc(); }
    void clearSurface() override { cls(); }
    bool displayAsDefault() const override { return ControlSite::displayAsDefault(); }
    bool fontBold() const override { return FontBold(); }
    void setFontBold(bool bold) override { setFontBoldWhileDrawing(bold); }
    gdi::ColorRef parentBackColor() const override;
    gdi::ColorRef parentTextColor() const override;
    gdi::Point positionOnParent() const override;
    void copyFromParent(gdi::Surface& dest, int x, int y, int w, int h) override;

    // ControlHost
    bool userMode() const override { return ControlSite::userMode(); }
    QString ambientDisplayName() const override { return ControlSite::ambientDisplayName(); }
    QFont ambientFont() const override { return ControlSite::ambientFont(); }
    QFont controlFont() const override { return ControlSite::controlFont(); }
    void setControlFont(const QFont& font) override { ControlSite::setControlFont(font); }
    void setControlEnabled(bool enabled) override;
    std::int16_t pointerCode() const override { return ControlSite::pointerCode(); }
    bool setPointerCode(int code) override { return ControlSite::setPointerCode(code); }
    gdi::PicturePtr pointerIcon() const override { return ControlSite::pointerIcon(); }
    bool setPointerIcon(const gdi::PicturePtr& icon) override { return ControlSite::setPointerIcon(icon); }
    gdi::PicturePtr handCursor() const override;
    // In design mode the keyboard belongs to the designer: no access key is taken.
    void setAccessKeys(const QString& keys) override;
    void propertyChanged(const QString& name) override;
    bool valuesChanged(vb::ChangeSet changed) override;
    std::int32_t windowHandle() const override { return hWnd(); }
    gdi::Rect clientRect() const override;
    void setWindowShape(const gdi::Region& region) override { setShape(region); }
    void refreshWindow() override { refresh(); }
    void setCapture() override { ControlSite::setCapture(); }
    bool pointerOverOwnWindow() const override;
    void sendTabKey(bool backwards) override { ControlSite::sendTabKey(backwards); }
    void setOverTimerEnabled(bool enabled) override;

signals:
    // Every host property-changed notification, by property name.
    void propertyChangedNotified(const QString& name);

protected:
    // ControlSite notifications.
    void InitProperties() override { InitNewInstance(); }
    void ReadProperties(const forms::PropertyBag& bag) override { ReadSavedProperties(bag); }
    void WriteProperties(forms::PropertyBag& bag) override { WriteSavedProperties(bag); }
    void Resize() override { handleResize(); }
    void Show() override { handleShow(); }
    void Hide() override;
    void AmbientChanged(const QString&) override { handleAmbientChanged(); }
    void AccessKeyPress(const QString&) override { handleAccessKeyPress(); }
    void PropertyChangeNoted(const QString& name) override { emit propertyChangedNotified(name); }

    bool eventFilter(QObject* watched, QEvent* event) override;

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

    vbButton* const q_ptr;
    bool m_design = false;
    bool m_overTracking = false;
    bool m_pointerInside = false;
    // A left press inside the shape waits for its release to become a click.
    bool m_clickArmed = false;
};

} // namespace quintaro
