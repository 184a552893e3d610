#pragma once
// The copy's progress as the engine reports it, kept so the user-interface thread
// can read a consistent snapshot whenever it likes. The engine's threads write,
// the window's timer reads; nothing waits on anything.

#include "platform/shell/CopyProgress.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace shell {

enum class CopyPhase { Preparing, Copying, Finishing };

struct ProgressSnapshot {
    CopyPhase phase = CopyPhase::Preparing;
    std::uint64_t itemsDone = 0;
    std::uint64_t itemsTotal = 0;
    std::uint64_t itemsSkipped = 0;
    std::int64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::string item;
    std::string fromFolder;
    std::string toFolder;
};

class ProgressState : public CopyProgress {
public:
    void preparing() override;
    void started(std::uint64_t items, std::uint64_t bytes) override;
    void itemStarted(const std::string& name, const std::string& fromFolder,
                     const std::string& toFolder) override;
    void bytesDone(std::int64_t bytes) override;
    void itemsDone(std::uint64_t items) override;
    void itemsSkipped(std::uint64_t items) override;
    void finishing() override;

    [[nodiscard]] ProgressSnapshot snapshot() const;

private:
    std::atomic<int> m_phase{static_cast<int>(CopyPhase::Preparing)};
    std::atomic<std::uint64_t> m_itemsDone{0};
    std::atomic<std::uint64_t> m_itemsTotal{0};
    std::atomic<std::uint64_t> m_itemsSkipped{0};
    std::atomic<std::int64_t> m_bytesDone{0};
    std::atomic<std::uint64_t> m_bytesTotal{0};
    mutable std::mutex m_textLock;
    std::string m_item;
    std::string m_fromFolder;
    std::string m_toFolder;
};

} // namespace shell
