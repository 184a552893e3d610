#pragma once
// Turns SIGINT and SIGTERM into the copy's Cancel. The signals are blocked in every
// thread and taken by one that waits for them, so the stop runs as ordinary code,
// not in a signal handler. Make it before any other thread starts (the engine's
// workers, Qt's): threads inherit the blocked signals from the one that starts them.

#include <atomic>
#include <functional>
#include <signal.h>
#include <thread>

namespace copycmd {

class SignalCancel {
public:
    // stop: called on the waiting thread, at each signal.
    explicit SignalCancel(std::function<void()> stop);
    ~SignalCancel();
    SignalCancel(const SignalCancel&) = delete;
    SignalCancel& operator=(const SignalCancel&) = delete;

    // Whether a signal came.
    [[nodiscard]] bool signalled() const { return m_signalled.load(); }

private:
    sigset_t m_signals{};
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_signalled{false};
    std::function<void()> m_stop;
    std::thread m_waiter;
};

} // namespace copycmd
