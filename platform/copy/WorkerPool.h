#pragma once
// A few threads that copy small files side by side. The queue is bounded so a tree
// of a hundred thousand files never turns into a hundred thousand queued jobs.
// A thread that cannot start (the process limit is reached, say) leaves the work to
// those that did; with none at all, submit runs each job itself. A job that throws
// (out of memory, say) ends only itself: the pool keeps the first such exception for
// its owner to report.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace shell {

class WorkerPool {
public:
    // Starts one thread running the given body; throws std::system_error when it cannot.
    using Starter = std::function<std::thread(std::function<void()>)>;

    explicit WorkerPool(unsigned threads, size_t maxQueued = 256, Starter start = {});
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Waits while the queue is full.
    void submit(std::function<void()> job);
    // Returns once every submitted job has finished (and released what it held).
    void drain();
    // The threads that did start.
    [[nodiscard]] size_t threads() const { return m_threads.size(); }
    // The first exception a job ended with, or none.
    [[nodiscard]] std::exception_ptr failure();

private:
    void work();
    void run(std::function<void()>& job);

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_room;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_jobs;
    size_t m_maxQueued;
    size_t m_running = 0;
    bool m_stopping = false;
    std::exception_ptr m_failure;
    std::vector<std::thread> m_threads;
};

} // namespace shell
