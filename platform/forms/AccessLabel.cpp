#include "platform/forms/AccessLabel.h"

#include "platform/forms/ControlSite.h"

#include <QAbstractButton>
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
    for (QWidget* w : controlsInTabOrder(window())) {
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

void AccessLabel::nameLabelledControl()
{
    if (m_labelFor.isEmpty())
        return;
    auto* named = window()->findChild<QWidget*>(m_labelFor);
    if (named == nullptr || !named->accessibleName().isEmpty())
        return;
    QString reads;
    const QString caption = text();
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && ++i == caption.size())
            break; // a trailing "&" shows nothing
        reads += caption.at(i);
    }
    named->setAccessibleName(reads.trimmed());
}

namespace {

QChar mnemonicOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toUpper();
        ++i; // "&&" is a plain ampersand
    }
    return {};
}

// Where a press of `key` sends the focus for this control, or nullptr when the
// control does not hold the key.
QWidget* holderTarget(QWidget* control, QChar key)
{
    if (auto* label = qobject_cast<AccessLabel*>(control))
        return mnemonicOf(label->text()) == key ? label->accessTarget() : nullptr;
    if (auto* user = ControlSite::of(control)) {
        for (QChar k : user->accessKeys()) {
            if (k.toUpper() == key)
                return canTakeFocus(control) ? control : nullptr;
        }
        return nullptr;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return mnemonicOf(button->text()) == key && canTakeFocus(button) ? button : nullptr;
    return nullptr;
}

} // namespace

bool cycleAccessKey(QWidget* window, QChar key)
{
    key = key.toUpper();
    struct Holder {
        QWidget* control;
        QWidget* target;
    };
    QList<Holder> holders;
    for (QWidget* w : controlsInTabOrder(window)) {
        if (QWidget* target = holderTarget(w, key))
            holders.append(Holder{w, target});
    }
    if (holders.isEmpty())
        return false;
    const QWidget* focus = window->focusWidget();
    qsizetype next = -1;
    for (qsizetype i = 0; i < holders.size(); ++i) {
        if (holders[i].target == focus)
            next = (i + 1) % holders.size(); // from the holder that has the focus, on to the next
    }
    if (next < 0) {
        // From elsewhere: the first holder after the focus in tab order, else the first.
        const int from = focus != nullptr ? tabIndexOf(focus) : -1;
        next = 0;
        for (qsizetype i = 0; i < holders.size(); ++i) {
            if (tabIndexOf(holders[i].control) > from) {
                next = i;
                break;
            }
        }
    }
    holders[next].target->setFocus(Qt::ShortcutFocusReason);
    return true;
}

bool AccessLabel::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        if (static_cast<QShortcutEvent*>(e)->isAmbiguous()) {
            cycleAccessKey(window(), mnemonicOf(text()));
            return true;
        }
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
