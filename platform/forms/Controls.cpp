#include "platform/forms/Controls.h"

#include "platform/forms/EventProxy.h"
#include "platform/forms/FormTimer.h"

#include <QAction>
#include <QMenu>
#include <QMetaMethod>

namespace forms {

void Controls::add(const QString& name, int index, QObject* control)
{
    m_controls[name][index] = control;
}

bool Controls::contains(const QString& name, int index) const
{
    return object(name, index) != nullptr;
}

QObject* Controls::object(const QString& name, int index) const
{
    const auto members = m_controls.constFind(name);
    if (members == m_controls.constEnd())
        return nullptr;
    const auto member = members->constFind(index);
    return member == members->constEnd() ? nullptr : member->data();
}

FormTimer* Controls::timer(const QString& name) const
{
    return get<FormTimer>(name);
}

QMenu* Controls::menu(const QString& name) const
{
    return get<QMenu>(name);
}

QAction* Controls::action(const QString& name) const
{
    return get<QAction>(name);
}

QList<int> Controls::indexes(const QString& name) const
{
    const auto members = m_controls.constFind(name);
    return members == m_controls.constEnd() ? QList<int>() : members->keys();
}

int Controls::onArrayEvent(const QString& name, const char* signal, std::function<void(int)> handler) const
{
    int connected = 0;
    for (int index : indexes(name)) {
        if (onEvent(object(name, index), signal, [handler, index] { handler(index); }))
            ++connected;
    }
    return connected;
}

bool onEvent(QObject* control, const char* signal, std::function<void()> handler)
{
    if (control == nullptr)
        return false;
    const QByteArray normalized = QMetaObject::normalizedSignature(signal);
    const int signalIndex = control->metaObject()->indexOfSignal(normalized.constData());
    if (signalIndex < 0)
        return false;
    auto* proxy = new EventProxy(control, std::move(handler));
    const QMetaMethod slot = proxy->metaObject()->method(proxy->metaObject()->indexOfSlot("raise()"));
    return bool(QObject::connect(control, control->metaObject()->method(signalIndex), proxy, slot));
}

} // namespace forms
