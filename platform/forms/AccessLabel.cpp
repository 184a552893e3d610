#include "platform/forms/AccessLabel.h"

#include <QEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>

namespace forms {

int tabIndexOf(const QWidget* widget)
{
    const QVariant v = widget->property("tabIndex");
    return v.isValid() ? v.toInt() : -1;
}

QList<QWidget*> controlsInTabOrder(QWidget* window)
{
    QList<QWidget*> result;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (tabIndexOf(w) >= 0)
            result.append(w);
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const QWidget* a, const QWidget* b) { return tabIndexOf(a) < tabIndexOf(b); });
    return result;
}

bool canTakeFocus(const QWidget* widget)
{
    if (!widget->isEnabled() || (widget->focusPolicy() & Qt::TabFocus) == 0)
        return false;
    // Asked of the control itself, so the answer is the same before the window shows.
    return widget->isVisibleTo(widget->window());
}

AccessLabel::AccessLabel(QWidget* parent) : QLabel(parent)
{
}

QWidget* AccessLabel::accessTarget() const
{
    const int own = tabIndexOf(this);
    QWidget* top = window();
    for (QWidget* w : controlsInTabOrder(top)) {
        if (tabIndexOf(w) > own && w != this && canTakeFocus(w))
            return w;
    }
    return nullptr;
}

void AccessLabel::updateAccessKey()
{
    // QLabel underlines the access key and listens for it only while it has a
    // buddy; the buddy is refreshed on every press because the next control
    // that can take the focus may change while the window runs.
    setBuddy(text().contains(u'&') ? accessTarget() : nullptr);
}

bool AccessLabel::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        if (QWidget* target = accessTarget()) {
            target->setFocus(Qt::ShortcutFocusReason);
            if (target != buddy())
                setBuddy(target);
        }
        return true;
    }
    return QLabel::event(e);
}

void AccessLabel::setSingleBorder(const QColor& color)
{
    m_border = color;
    setContentsMargins(1, 1, 1, 1);
    update();
}

void AccessLabel::paintEvent(QPaintEvent* e)
{
    QLabel::paintEvent(e);
    if (!m_border.isValid())
        return;
    QPainter p(this);
    p.setPen(m_border);
    p.drawRect(0, 0, width() - 1, height() - 1);
}

} // namespace forms
