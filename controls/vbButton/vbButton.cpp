#include "controls/vbButton/vbButton.h"

#include "controls/vbButton/InputCodes.h"
#include "controls/vbButton/vbButtonAccessible.h"
#include "platform/forms/RenderBehind.h"
#include "platform/gdi/SysColors.h"

#include <QAccessible>
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
    m_overTimer.setInterval(3);
    connect(&m_overTimer, &QTimer::timeout, this, [this] { handleOverTimer(); });
}

vbButton::~vbButton()
{
    m_overTimer.stop();
    handleTerminate();
}

// ---- Qt events onto the handlers ----------------------------------------

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
    handleMouseMove(mouseButtonsCode(event->buttons()), shiftCode(event->modifiers()),
                    pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
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
    if (enabled)
        m_overTimer.start();
    else
        m_overTimer.stop();
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
