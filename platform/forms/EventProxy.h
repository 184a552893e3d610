#pragma once
// Carries one event of one control to a handler (see forms::onEvent).

#include <QObject>

#include <functional>

namespace forms {

class EventProxy : public QObject {
    Q_OBJECT
public:
    EventProxy(QObject* control, std::function<void()> handler)
        : QObject(control), m_handler(std::move(handler))
    {
    }

public Q_SLOTS:
    void raise()
    {
        if (m_handler)
            m_handler();
    }

private:
    std::function<void()> m_handler;
};

} // namespace forms
