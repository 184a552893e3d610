#include "controls/vbButton/vbButtonPrivate.h"

#include "controls/vbButton/InputCodes.h"
#include "platform/forms/RenderBehind.h"
#include "platform/gdi/SysColors.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace quintaro {

using vb::keyCode;
using vb::mouseButtonCode;
using vb::mouseButtonsCode;
using vb::pixelsToTwips;
using vb::shiftCode;

vbButtonPrivate::vbButtonPrivate(vbButton* q) : ControlSite(*q), ButtonModel(*this, *this), q_ptr(q)
{
}

vbButtonPrivate::~vbButtonPrivate()
{
    setOverTimerEnabled(false);
}

void vbButtonPrivate::setDesignMode(bool design)
{
    m_design = design;
    setUserMode(!design);
    SetAccessKey();
    // On a form designer's page the designer owns the mouse and the keyboard:
    // no hover tracking, no focus, and the button's input handlers stand aside.
    q_ptr->setMouseTracking(!design);
    q_ptr->setFocusPolicy(design ? Qt::NoFocus : Qt::StrongFocus);
}

// ---- Qt events onto the handlers ----------------------------------------

// Enter and Leave come from Qt's own dispatch, which decides with the same
// rounding as overOwnWindowAt, so coming in and going out agree at every scale.
// (Hover events would do too, but Qt withholds HoverLeave while a pop-up is open.)
bool vbButtonPrivate::widgetEvent(QEvent* event)
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
    return false;
}

// Watched only while a hover is tracked: a pop-up menu or a modal window that
// appears takes the pointer, and the button under it would otherwise stay lit
// (Qt sends it no leave for a pop-up). A tool tip takes nothing.
bool vbButtonPrivate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        const auto* shown = static_cast<QWidget*>(watched);
        if (shown->isWindow() && shown != q_ptr->window()
            && (shown->windowType() == Qt::Popup || shown->isModal())) {
            m_pointerInside = false;
            // After the other window's show has finished: MouseOut may run anything.
            QMetaObject::invokeMethod(
                q_ptr, [this] { pointerGone(); }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

bool vbButtonPrivate::overOwnWindowAt(const QPointF& local) const
{
    // Qt picks the widget under the pointer from the window-local position
    // rounded to whole logical pixels (the mask included); the same rule here.
    const QWidget* top = q_ptr->window();
    const QPoint offset = q_ptr->mapTo(top, QPoint(0, 0));
    const QPoint inTop = (local + QPointF(offset)).toPoint();
    return top->rect().contains(inTop) && top->childAt(inTop) == q_ptr;
}

bool vbButtonPrivate::pointerOverOwnWindow() const
{
    if (hasPointerProbe())
        return widgetUnderPointer() == q_ptr;
    return m_pointerInside && q_ptr->isVisible();
}

void vbButtonPrivate::pointerGone()
{
    m_pointerInside = false;
    if (m_overTracking)
        handleOverTimer();
}

void vbButtonPrivate::Hide()
{
    handleHide();
    // A hidden window is under no pointer.
    pointerGone();
}

void vbButtonPrivate::mousePress(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    m_clickArmed = event->button() == Qt::LeftButton && shapeContains(p);
    handleMouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                    pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
}

void vbButtonPrivate::mouseRelease(QMouseEvent* event)
{
    releaseCapture();
    const QPoint p = event->position().toPoint();
    const bool click = m_clickArmed && event->button() == Qt::LeftButton && shapeContains(p);
    if (event->button() == Qt::LeftButton)
        m_clickArmed = false;
    QPointer<vbButton> alive(q_ptr);
    handleMouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                  pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
    // The platform's click comes after the release, when both were over the control.
    if (alive && click)
        handleClick();
}

void vbButtonPrivate::mouseDoubleClick(QMouseEvent*)
{
    // In place of the second press; its release brings no click.
    m_clickArmed = false;
    handleDblClick();
}

void vbButtonPrivate::mouseMove(QMouseEvent* event)
{
    // A move without a button reaches only the window under the pointer, but
    // a held button or a capture brings moves from anywhere: judge by position.
    m_pointerInside = overOwnWindowAt(event->position());
    QPointer<vbButton> alive(q_ptr);
    handleMouseMove(mouseButtonsCode(event->buttons()), shiftCode(event->modifiers()),
                    pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
    // A move that went outside ends the hover after the move itself was handled.
    if (alive && !m_pointerInside)
        pointerGone();
}

void vbButtonPrivate::keyPress(QKeyEvent* event)
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
    QPointer<vbButton> alive(q_ptr);
    if (code != 0)
        handleKeyDown(code, shiftCode(event->modifiers()));
    if (alive && !text.isEmpty() && text.at(0).unicode() < 0x8000)
        handleKeyPress(short(text.at(0).unicode()));
}

void vbButtonPrivate::keyRelease(QKeyEvent* event)
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
void vbButtonPrivate::focusIn(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason)
        handleGotFocus();
}

void vbButtonPrivate::focusOut(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason)
        handleLostFocus();
}

// Only the widget's own disabling counts: a disabled parent takes the input
// away but leaves the property (and the look) as it is.
void vbButtonPrivate::enabledChanged()
{
    const bool enabled = !q_ptr->testAttribute(Qt::WA_ForceDisabled);
    if (enabled != Enabled())
        ButtonModel::setEnabled(enabled);
}

// ---- Host services -------------------------------------------------------

gdi::ColorRef vbButtonPrivate::parentBackColor() const
{
    if (const QWidget* p = q_ptr->parentWidget())
        return gdi::fromQRgb(p->palette().color(p->backgroundRole()).rgb());
    return gdi::GetSysColor(gdi::COLOR_BTNFACE);
}

gdi::ColorRef vbButtonPrivate::parentTextColor() const
{
    if (const QWidget* p = q_ptr->parentWidget())
        return gdi::fromQRgb(p->palette().color(p->foregroundRole()).rgb());
    return gdi::GetSysColor(gdi::COLOR_BTNTEXT);
}

gdi::Point vbButtonPrivate::positionOnParent() const
{
    return {q_ptr->x(), q_ptr->y()};
}

void vbButtonPrivate::copyFromParent(gdi::Surface& dest, int x, int y, int w, int h)
{
    forms::renderBehind(*q_ptr, QRect(x, y, w, h), dest);
}

gdi::Rect vbButtonPrivate::clientRect() const
{
    return {0, 0, q_ptr->width(), q_ptr->height()};
}

void vbButtonPrivate::setControlEnabled(bool enabled)
{
    q_ptr->QWidget::setEnabled(enabled);
}

gdi::PicturePtr vbButtonPrivate::handCursor() const
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

void vbButtonPrivate::setAccessKeys(const QString& keys)
{
    ControlSite::setAccessKeys(userMode() ? keys : QString());
}

void vbButtonPrivate::propertyChanged(const QString& name)
{
    ControlSite::propertyChanged(name);
    // Assistive tools read the name from the caption and the state from Value.
    if (name == QLatin1String("Caption")) {
        QAccessibleEvent event(q_ptr, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    } else if (name == QLatin1String("Value") || name == QLatin1String("Enabled")) {
        QAccessible::State changed;
        changed.checked = true;
        changed.disabled = true;
        QAccessibleStateChangeEvent event(q_ptr, changed);
        QAccessible::updateAccessibility(&event);
    }
}

namespace {

void notifyChange(vbButton* q, vb::Property property)
{
    switch (property) {
    case vb::Property::BackColor:
        emit q->BackColorChanged();
        break;
    case vb::Property::BackOver:
        emit q->BackOverChanged();
        break;
    case vb::Property::ForeColor:
        emit q->ForeColorChanged();
        break;
    case vb::Property::ForeOver:
        emit q->ForeOverChanged();
        break;
    case vb::Property::MaskColor:
        emit q->MaskColorChanged();
        break;
    case vb::Property::ButtonType:
        emit q->ButtonTypeChanged();
        break;
    case vb::Property::Caption:
        emit q->CaptionChanged();
        break;
    case vb::Property::Enabled:
        emit q->EnabledChanged();
        break;
    case vb::Property::Font:
        emit q->FontChanged();
        break;
    case vb::Property::ColorScheme:
        emit q->ColorSchemeChanged();
        break;
    case vb::Property::ShowFocusRect:
        emit q->ShowFocusRectChanged();
        break;
    case vb::Property::MousePointer:
        emit q->MousePointerChanged();
        break;
    case vb::Property::MouseIcon:
        emit q->MouseIconChanged();
        break;
    case vb::Property::HandPointer:
        emit q->HandPointerChanged();
        break;
    case vb::Property::SoftBevel:
        emit q->SoftBevelChanged();
        break;
    case vb::Property::PictureNormal:
        emit q->PictureNormalChanged();
        break;
    case vb::Property::PictureOver:
        emit q->PictureOverChanged();
        break;
    case vb::Property::PicturePosition:
        emit q->PicturePositionChanged();
        break;
    case vb::Property::UseMaskColor:
        emit q->UseMaskColorChanged();
        break;
    case vb::Property::UseGreyscale:
        emit q->UseGreyscaleChanged();
        break;
    case vb::Property::SpecialEffect:
        emit q->SpecialEffectChanged();
        break;
    case vb::Property::CheckBoxBehaviour:
        emit q->CheckBoxBehaviourChanged();
        break;
    case vb::Property::Value:
        emit q->ValueChanged();
        break;
    }
}

} // namespace

bool vbButtonPrivate::valuesChanged(vb::ChangeSet changed)
{
    QPointer<vbButton> alive(q_ptr);
    for (int i = 0; i < vb::kPropertyCount && alive; ++i) {
        if (changed & vb::bit(vb::Property(i)))
            notifyChange(q_ptr, vb::Property(i));
    }
    return !alive.isNull();
}

void vbButtonPrivate::setOverTimerEnabled(bool enabled)
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

bool vbButtonPrivate::raiseClick()
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->Click();
    return !alive.isNull();
}

bool vbButtonPrivate::raiseMouseDown(short& Button, short& Shift, float& X, float& Y)
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->MouseDown(Button, Shift, X, Y);
    return !alive.isNull();
}

bool vbButtonPrivate::raiseMouseMove(short& Button, short& Shift, float& X, float& Y)
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->MouseMove(Button, Shift, X, Y);
    return !alive.isNull();
}

bool vbButtonPrivate::raiseMouseUp(short& Button, short& Shift, float& X, float& Y)
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->MouseUp(Button, Shift, X, Y);
    return !alive.isNull();
}

bool vbButtonPrivate::raiseKeyPress(short& KeyAscii)
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->KeyPress(KeyAscii);
    return !alive.isNull();
}

bool vbButtonPrivate::raiseKeyDown(short& KeyCode, short& Shift)
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->KeyDown(KeyCode, Shift);
    return !alive.isNull();
}

bool vbButtonPrivate::raiseKeyUp(short& KeyCode, short& Shift)
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->KeyUp(KeyCode, Shift);
    return !alive.isNull();
}

bool vbButtonPrivate::raiseMouseOver()
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->MouseOver();
    return !alive.isNull();
}

bool vbButtonPrivate::raiseMouseOut()
{
    QPointer<vbButton> alive(q_ptr);
    emit q_ptr->MouseOut();
    return !alive.isNull();
}

} // namespace quintaro
