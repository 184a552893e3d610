#include "copy-command/SignalCancel.h"

#include <pthread.h>

namespace copycmd {

SignalCancel::SignalCancel(std::function<void()> stop) : m_stop(std::move(stop))
{
    sigemptyset(&m_signals);
    sigaddset(&m_signals, SIGINT);
    sigaddset(&m_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);
    m_waiter = std::thread([this] {
        for (;;) {
            const int got = sigwaitinfo(&m_signals, nullptr);
            if (m_done.load())
                return; // the destructor's own signal, or one that came as the program ends
            if (got > 0) {
                m_signalled.store(true);
                m_stop();
            }
        }
    });
}

SignalCancel::~SignalCancel()
{
    // Sent to the waiting thread alone, which takes it at once (it would otherwise
    // wait on, and an end by polling costs every run its last tick).
    m_done.store(true);
    pthread_kill(m_waiter.native_handle(), SIGTERM);
    m_waiter.join();
}

} // namespace copycmd
