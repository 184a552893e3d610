#pragma once
// How the copy engine tells the world how far it has come. Calls arrive from the
// engine's worker threads, concurrently when small files are copied in parallel,
// so an implementation must be thread-safe.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace shell {

class CopyProgress {
public:
    virtual ~CopyProgress() = default;

    // Counting what there is to copy.
    virtual void preparing() = 0;
    // Counting done: the whole request is this many items and bytes.
    virtual void started(std::uint64_t items, std::uint64_t bytes) = 0;
    virtual void itemStarted(const std::string& name, const std::string& fromFolder,
                             const std::string& toFolder) = 0;
    // A failed attempt hands its bytes back with a negative count before a retry.
    virtual void bytesDone(std::int64_t bytes) = 0;
    // Items behind the copy, whether copied or left out.
    virtual void itemsDone(std::uint64_t items) = 0;
    // Items left out after an error the user skipped, or declined by the user; each
    // is reported as done as well.
    virtual void itemsSkipped(std::uint64_t items) { (void)items; }
    // All items written; the destination is being flushed to the disk.
    virtual void finishing() = 0;
    // As the final flush starts: data written that the drive may not hold yet.
    virtual void leftToWrite(std::int64_t bytes) { (void)bytes; }
};

// Set once by whoever wants the copy to stop (the Cancel button, a Cancel answer);
// the engine checks it between items and between chunks of a file. The same token
// pauses the copy: checkpoint() is where a worker waits while it is paused, so a
// pause never falls in the middle of a block.
class CancelToken {
public:
    void cancel();
    [[nodiscard]] bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    // Neither cancelled nor paused, for a new request of the same job (a retry). Only
    // while no copy runs with the token.
    void reset();

    void pause();
    void resume();
    [[nodiscard]] bool paused() const { return m_paused.load(std::memory_order_relaxed); }
    // Waits while paused (cancel ends the wait); returns whether the copy is cancelled.
    [[nodiscard]] bool checkpoint();

private:
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_paused{false};
    std::mutex m_lock;
    std::condition_variable m_wake;
};

} // namespace shell
