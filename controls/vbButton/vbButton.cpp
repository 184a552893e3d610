#include "controls/vbButton/vbButton.h"

#include "controls/vbButton/InputCodes.h"
#include "controls/vbButton/vbButtonAccessible.h"
#include "platform/forms/RenderBehind.h"
#include "platform/gdi/SysColors.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace vb {

vbButton::vbButton(QWidget* parent) : forms::UserControl(parent), ButtonModel(*this, *this)
{
    installButtonAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // hover tracking needs the moves without a button
}

vbButton::~vbButton()
{
    setOverTimerEnabled(false);
    handleTerminate();
}

// ---- Qt events onto the handlers ----------------------------------------

// Enter and Leave come from Qt's own dispatch, which decides with the same
// rounding as overOwnWindowAt, so coming in and going out agree at every scale.
// (Hover events would do too, but Qt withholds HoverLeave while a pop-up is open.)
bool vbButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        m_pointerInside = true;
        break;
    case QEvent::Leave:
        pointerGone();
        break;
    case QEvent::Shortcut:
        // Only the accessible press action sends one to the button itself
        // (access keys reach their QShortcut objects): a click as the access key gives it.
        handleAccessKeyPress();
        return true;
    default:
        break;
    }
    return UserControl::event(event);
}

// Watched only while a hover is tracked: a pop-up menu or a modal window that
// appears takes the pointer, and the button under it would otherwise stay lit
// (Qt sends it no leave for a pop-up). A tool tip takes nothing.
bool vbButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        const auto* shown = static_cast<QWidget*>(watched);
        if (shown->isWindow() && shown != window()
            && (shown->windowType() == Qt::Popup || shown->isModal())) {
            m_pointerInside = false;
            // After the other window's show has finished: MouseOut may run anything.
            QMetaObject::invokeMethod(
                this, [this] { pointerGone(); }, Qt::QueuedConnection);
        }
    }
    return UserControl::eventFilter(watched, event);
}

bool vbButton::overOwnWindowAt(const QPointF& local) const
{
    // Qt picks the widget under the pointer from the window-local position
    // rounded to whole logical pixels (the mask included); the same rule here.
    const QWidget* top = window();
    const QPoint offset = mapTo(top, QPoint(0, 0));
    const QPoint inTop = (local + QPointF(offset)).toPoint();
    return top->rect().contains(inTop) && top->childAt(inTop) == this;
}

bool vbButton::pointerOverOwnWindow() const
{
    if (hasPointerProbe())
        return widgetUnderPointer() == this;
    return m_pointerInside && isVisible();
}

void vbButton::pointerGone()
{
    m_pointerInside = false;
    if (m_overTracking)
        handleOverTimer();
}

void vbButton::Hide()
{
    handleHide();
    // A hidden window is under no pointer.
    pointerGone();
}

void vbButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    m_clickArmed = event->button() == Qt::LeftButton && shapeContains(p);
    handleMouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                    pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
}

void vbButton::mouseReleaseEvent(QMouseEvent* event)
{
    releaseCapture();
    const QPoint p = event->position().toPoint();
    const bool click = m_clickArmed && event->button() == Qt::LeftButton && shapeContains(p);
    if (event->button() == Qt::LeftButton)
        m_clickArmed = false;
    QPointer<vbButton> alive(this);
    handleMouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                  pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
    // The platform's click comes after the release, when both were over the control.
    if (alive && click)
        handleClick();
}

void vbButton::mouseDoubleClickEvent(QMouseEvent*)
{
    // In place of the second press; its release brings no click.
    m_clickArmed = false;
    handleDblClick();
}

void vbButton::mouseMoveEvent(QMouseEvent* event)
{
    // A move without a button reaches only the window under the pointer, but
    // a held button or a capture brings moves from anywhere: judge by position.
    m_pointerInside = overOwnWindowAt(event->position());
    QPointer<vbButton> alive(this);
    handleMouseMove(mouseButtonsCode(event->buttons()), shiftCode(event->modifiers()),
                    pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
    // A move that went outside ends the hover after the move itself was handled.
    if (alive && !m_pointerInside)
        pointerGone();
}

void vbButton::keyPressEvent(QKeyEvent* event)
{
    const short code = keyCode(event->key(), event->modifiers());
    const QString text = event->text();
    // Enter and Escape belong to the window too (default and cancel buttons).
    const bool passOn = event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return
                        || event->key() == Qt::Key_Enter || code == 0;
    if (passOn)
        event->ignore();
    else
        event->accept();
    QPointer<vbButton> alive(this);
    if (code != 0)
        handleKeyDown(code, shiftCode(event->modifiers()));
    if (alive && !text.isEmpty() && text.at(0).unicode() < 0x8000)
        handleKeyPress(short(text.at(0).unicode()));
}

void vbButton::keyReleaseEvent(QKeyEvent* event)
{
    // The platform repeats presses, never releases.
    if (event->isAutoRepeat())
        return;
    const short code = keyCode(event->key(), event->modifiers());
    if (code == 0) {
        event->ignore();
        return;
    }
    handleKeyUp(code, shiftCode(event->modifiers()));
}

// A pop-up menu opened from the button's own Click (the main window's "&Menu")
// takes the keyboard focus in Qt but not on the desktop the button was made for;
// the button keeps its focus there, so those two focus moves are not reported.
void vbButton::focusInEvent(QFocusEvent* event)
{
    UserControl::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        handleGotFocus();
}

void vbButton::focusOutEvent(QFocusEvent* event)
{
    UserControl::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        handleLostFocus();
}

// ---- Host services -------------------------------------------------------

gdi::ColorRef vbButton::parentBackColor() const
{
    if (const QWidget* p = parentWidget())
        return gdi::fromQRgb(p->palette().color(p->backgroundRole()).rgb());
    return gdi::GetSysColor(gdi::COLOR_BTNFACE);
}

gdi::ColorRef vbButton::parentTextColor() const
{
    if (const QWidget* p = parentWidget())
        return gdi::fromQRgb(p->palette().color(p->foregroundRole()).rgb());
    return gdi::GetSysColor(gdi::COLOR_BTNTEXT);
}

void vbButton::copyFromParent(gdi::Surface& dest, int x, int y, int w, int h)
{
    forms::renderBehind(*this, QRect(x, y, w, h), dest);
}

gdi::PicturePtr vbButton::handCursor() const
{
    static const gdi::PicturePtr hand = []() -> gdi::PicturePtr {
        const QImage file(QStringLiteral(":/cursors/hand.png"));
        if (file.isNull())
            return nullptr;
        gdi::Picture p;
        p.type = gdi::Picture::Type::Icon;
        p.image = file.convertToFormat(QImage::Format_ARGB32);
        // The hot spot travels with the image (the fingertip, not the centre).
        for (const QString& key : file.textKeys())
            p.image.setText(key, file.text(key));
        p.hmWidth = gdi::pixelsToHimetric(file.width());
        p.hmHeight = gdi::pixelsToHimetric(file.height());
        return std::make_shared<const gdi::Picture>(std::move(p));
    }();
    return hand;
}

void vbButton::propertyChanged(const QString& name)
{
    UserControl::propertyChanged(name);
    // Assistive tools read the name from the caption and the state from Value.
    if (name == QLatin1String("Caption")) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    } else if (name == QLatin1String("Value") || name == QLatin1String("Enabled")) {
        QAccessible::State changed;
        changed.checked = true;
        changed.disabled = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void vbButton::setOverTimerEnabled(bool enabled)
{
    if (enabled == m_overTracking)
        return;
    m_overTracking = enabled;
    if (enabled)
        qApp->installEventFilter(this);
    else if (qApp)
        qApp->removeEventFilter(this);
}

// ---- Events --------------------------------------------------------------
// Each guard reports whether the button outlived the host's handler.

bool vbButton::raiseClick()
{
    QPointer<vbButton> alive(this);
    emit Click();
    return !alive.isNull();
}

bool vbButton::raiseMouseDown(short& Button, short& Shift, float& X, float& Y)
{
    QPointer<vbButton> alive(this);
    emit MouseDown(Button, Shift, X, Y);
    return !alive.isNull();
}

bool vbButton::raiseMouseMove(short& Button, short& Shift, float& X, float& Y)
{
    QPointer<vbButton> alive(this);
    emit MouseMove(Button, Shift, X, Y);
    return !alive.isNull();
}

bool vbButton::raiseMouseUp(short& Button, short& Shift, float& X, float& Y)
{
    QPointer<vbButton> alive(this);
    emit MouseUp(Button, Shift, X, Y);
    return !alive.isNull();
}

bool vbButton::raiseKeyPress(short& KeyAscii)
{
    QPointer<vbButton> alive(this);
    emit KeyPress(KeyAscii);
    return !alive.isNull();
}

bool vbButton::raiseKeyDown(short& KeyCode, short& Shift)
{
    QPointer<vbButton> alive(this);
    emit KeyDown(KeyCode, Shift);
    return !alive.isNull();
}

bool vbButton::raiseKeyUp(short& KeyCode, short& Shift)
{
    QPointer<vbButton> alive(this);
    emit KeyUp(KeyCode, Shift);
    return !alive.isNull();
}

bool vbButton::raiseMouseOver()
{
    QPointer<vbButton> alive(this);
    emit MouseOver();
    return !alive.isNull();
}

bool vbButton::raiseMouseOut()
{
    QPointer<vbButton> alive(this);
    emit MouseOut();
    return !alive.isNull();
}

} // namespace vb
