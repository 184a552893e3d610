#include "platform/forms/UserControl.h"

#include <QHideEvent>
#include <QPointer>
#include <QShowEvent>

namespace forms {

UserControl::UserControl(QWidget* parent) : QWidget(parent), ControlSite(static_cast<QWidget&>(*this))
{
}

UserControl::~UserControl() = default;

bool UserControl::event(QEvent* event)
{
    // A handler of the event may delete the control.
    QPointer<UserControl> alive(this);
    const bool result = QWidget::event(event);
    if (alive)
        onEvent(event);
    return result;
}

void UserControl::paintEvent(QPaintEvent*)
{
    onPaint();
}

void UserControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    onResize();
}

void UserControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    onShow(event->spontaneous());
}

void UserControl::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    onHide(event->spontaneous());
}

void UserControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    onChange(event);
}

} // namespace forms
