#include "platform/forms/FormTimer.h"

namespace forms {

namespace {
bool g_manual = false;
}

void FormTimer::setManualDriving(bool manual)
{
    g_manual = manual;
}

bool FormTimer::manualDriving()
{
    return g_manual;
}

FormTimer::FormTimer(QObject* parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &FormTimer::Timer);
}

void FormTimer::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    restart();
}

void FormTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restart();
}

void FormTimer::fire()
{
    if (isRunning())
        Q_EMIT Timer();
}

// Like the classic timer, changing the interval or enabling it starts counting
// the interval afresh.
void FormTimer::restart()
{
    m_timer.stop();
    if (isRunning() && !g_manual) {
        // A timer of a second or more (the main window's clock) may move by up to 5%
        // to share its wake-up with others (a text box's caret blink): an idle
        // window wakes less often. Shorter ones (the countdown's hundredths) keep
        // their exact period.
        m_timer.setTimerType(m_interval >= 1000 ? Qt::CoarseTimer : Qt::PreciseTimer);
        m_timer.setInterval(m_interval);
        m_timer.start();
    }
}

} // namespace forms
