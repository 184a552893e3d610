#include "platform/copy/CopyProgress.h"

namespace shell {

void CancelToken::cancel()
{
    {
        std::lock_guard lock(m_lock);
        m_cancelled.store(true, std::memory_order_relaxed);
    }
    m_wake.notify_all();
}

void CancelToken::reset()
{
    std::lock_guard lock(m_lock);
    m_cancelled.store(false, std::memory_order_relaxed);
    m_paused.store(false, std::memory_order_relaxed);
}

void CancelToken::pause()
{
    std::lock_guard lock(m_lock);
    m_paused.store(true, std::memory_order_relaxed);
}

void CancelToken::resume()
{
    {
        std::lock_guard lock(m_lock);
        m_paused.store(false, std::memory_order_relaxed);
    }
    m_wake.notify_all();
}

bool CancelToken::checkpoint()
{
    if (m_paused.load(std::memory_order_relaxed)) {
        std::unique_lock lock(m_lock);
        m_wake.wait(lock, [this] { return !m_paused.load(std::memory_order_relaxed) || cancelled(); });
    }
    return cancelled();
}

} // namespace shell
