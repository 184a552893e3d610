#include "platform/copy/WorkerPool.h"

#include <system_error>

namespace shell {

WorkerPool::WorkerPool(unsigned threads, size_t maxQueued, Starter start)
    : m_maxQueued(maxQueued == 0 ? 1 : maxQueued)
{
    if (!start)
        start = [](std::function<void()> body) { return std::thread(std::move(body)); };
    for (unsigned i = 0; i < threads; ++i) {
        try {
            m_threads.push_back(start([this] { work(); }));
        } catch (const std::system_error&) {
            break; // go on with the threads there are
        }
    }
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard lock(m_lock);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads)
        t.join();
}

void WorkerPool::submit(std::function<void()> job)
{
    if (m_threads.empty()) {
        run(job);
        return;
    }
    std::unique_lock lock(m_lock);
    m_room.wait(lock, [&] { return m_jobs.size() < m_maxQueued; });
    m_jobs.push_back(std::move(job));
    lock.unlock();
    m_wake.notify_one();
}

void WorkerPool::drain()
{
    std::unique_lock lock(m_lock);
    m_idle.wait(lock, [&] { return m_jobs.empty() && m_running == 0; });
}

std::exception_ptr WorkerPool::failure()
{
    std::lock_guard lock(m_lock);
    return m_failure;
}

void WorkerPool::run(std::function<void()>& job)
{
    try {
        job();
        job = nullptr; // what the job held is let go before drain() can return
    } catch (...) {
        job = nullptr;
        std::lock_guard lock(m_lock);
        if (!m_failure)
            m_failure = std::current_exception();
    }
}

void WorkerPool::work()
{
    std::unique_lock lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return; // stopping, and nothing left to do
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        ++m_running;
        lock.unlock();
        m_room.notify_one();
        run(job);
        lock.lock();
        --m_running;
        if (m_jobs.empty() && m_running == 0)
            m_idle.notify_all();
    }
}

} // namespace shell
