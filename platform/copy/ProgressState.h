#pragma once
// The copy's progress as the engine reports it, kept so the user-interface thread
// can read a consistent snapshot whenever it likes. The engine's threads write,
// the window's timer reads; nothing waits on anything.

#include "platform/copy/CopyProgress.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace shell {

enum class CopyPhase { Preparing, Copying, Finishing };

struct ProgressSnapshot {
    CopyPhase phase = CopyPhase::Preparing;
    std::uint64_t itemsDone = 0;
    std::uint64_t itemsTotal = 0;
    std::uint64_t itemsSkipped = 0;
    std::int64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::int64_t leftToWrite = 0; // as the final flush started, data the drive may not hold yet
    // The item being asked about, else the latest one still being copied, else the
    // latest one started; empty before the first item.
    std::string item;
    std::string fromFolder;
    std::string toFolder;
    // A question is on screen: the copy waits for the person.
    bool asking = false;
};

// Told when the service puts a question to the person and when it is answered, so
// the window can name the item asked about and leave the wait out of its speed.
class QuestionWatcher {
public:
    virtual ~QuestionWatcher() = default;
    virtual void questionAsked(const std::string& item) = 0;
    virtual void questionAnswered() = 0;
};

class ProgressState : public CopyProgress, public QuestionWatcher {
public:
    void preparing() override;
    void started(std::uint64_t items, std::uint64_t bytes) override;
    void itemStarted(const std::string& name, const std::string& fromFolder,
                     const std::string& toFolder) override;
    void bytesDone(std::int64_t bytes) override;
    void itemsDone(std::uint64_t items) override;
    void itemsSkipped(std::uint64_t items) override;
    void finishing() override;
    void leftToWrite(std::int64_t bytes) override;

    void questionAsked(const std::string& item) override;
    void questionAnswered() override;

    [[nodiscard]] ProgressSnapshot snapshot() const;

private:
    // What one engine thread is on: an item is in flight from its start on that
    // thread until the thread reports an item done.
    struct Current {
        std::thread::id thread;
        std::string item, fromFolder, toFolder;
        std::uint64_t serial = 0;
        bool inFlight = false;
    };

    std::atomic<int> m_phase{static_cast<int>(CopyPhase::Preparing)};
    std::atomic<std::uint64_t> m_itemsDone{0};
    std::atomic<std::uint64_t> m_itemsTotal{0};
    std::atomic<std::uint64_t> m_itemsSkipped{0};
    std::atomic<std::int64_t> m_bytesDone{0};
    std::atomic<std::uint64_t> m_bytesTotal{0};
    std::atomic<std::int64_t> m_leftToWrite{0};
    mutable std::mutex m_textLock;
    std::vector<Current> m_current; // one entry per engine thread
    std::uint64_t m_serial = 0;
    bool m_asking = false;
    std::string m_asked;
};

} // namespace shell
