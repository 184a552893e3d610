#include "copy-command/SignalCancel.h"

#include <ctime>

namespace copycmd {

SignalCancel::SignalCancel(std::function<void()> stop) : m_stop(std::move(stop))
{
    sigemptyset(&m_signals);
    sigaddset(&m_signals, SIGINT);
    sigaddset(&m_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);
    m_waiter = std::thread([this] {
        // Wakes now and then to see whether it is still wanted: the destructor waits
        // at most this long.
        const timespec tick{0, 50'000'000};
        while (!m_done.load()) {
            if (sigtimedwait(&m_signals, nullptr, &tick) > 0) {
                m_signalled.store(true);
                m_stop();
            }
        }
    });
}

SignalCancel::~SignalCancel()
{
    m_done.store(true);
    m_waiter.join();
}

} // namespace copycmd
