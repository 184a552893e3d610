#pragma once
// A window timer: raises Timer() every `interval` milliseconds while enabled and
// the interval is above zero.
//
// Tests drive timers tick by tick: setManualDriving(true) keeps every FormTimer
// from starting a real timer (their enabled/interval state still changes as
// usual), and fire() raises one tick directly.

#include <QObject>
#include <QTimer>

namespace forms {

class FormTimer : public QObject {
    Q_OBJECT
public:
    explicit FormTimer(QObject* parent = nullptr);

    [[nodiscard]] int interval() const { return m_interval; }
    void setInterval(int milliseconds);
    [[nodiscard]] bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Raises one tick now, if the timer would be running.
    void fire();
    // Whether a real timer would be counting (enabled and interval > 0).
    [[nodiscard]] bool isRunning() const { return m_enabled && m_interval > 0; }

    static void setManualDriving(bool manual);
    [[nodiscard]] static bool manualDriving();

Q_SIGNALS:
    void Timer();

private:
    void restart();

    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = true;
};

} // namespace forms
