#include "platform/shell/ProgressState.h"

namespace shell {

void ProgressState::preparing()
{
    m_phase.store(static_cast<int>(CopyPhase::Preparing));
}

void ProgressState::started(std::uint64_t items, std::uint64_t bytes)
{
    m_itemsTotal.store(items);
    m_bytesTotal.store(bytes);
    m_phase.store(static_cast<int>(CopyPhase::Copying));
}

void ProgressState::itemStarted(const std::string& name, const std::string& fromFolder,
                                const std::string& toFolder)
{
    std::lock_guard lock(m_textLock);
    m_item = name;
    m_fromFolder = fromFolder;
    m_toFolder = toFolder;
}

void ProgressState::bytesDone(std::int64_t bytes)
{
    m_bytesDone.fetch_add(bytes, std::memory_order_relaxed);
}

void ProgressState::itemsDone(std::uint64_t items)
{
    m_itemsDone.fetch_add(items, std::memory_order_relaxed);
}

void ProgressState::itemsSkipped(std::uint64_t items)
{
    m_itemsSkipped.fetch_add(items, std::memory_order_relaxed);
}

void ProgressState::finishing()
{
    m_phase.store(static_cast<int>(CopyPhase::Finishing));
}

ProgressSnapshot ProgressState::snapshot() const
{
    ProgressSnapshot s;
    s.phase = static_cast<CopyPhase>(m_phase.load());
    s.itemsDone = m_itemsDone.load(std::memory_order_relaxed);
    s.itemsTotal = m_itemsTotal.load();
    s.itemsSkipped = m_itemsSkipped.load(std::memory_order_relaxed);
    s.bytesDone = m_bytesDone.load(std::memory_order_relaxed);
    s.bytesTotal = m_bytesTotal.load();
    std::lock_guard lock(m_textLock);
    s.item = m_item;
    s.fromFolder = m_fromFolder;
    s.toFolder = m_toFolder;
    return s;
}

} // namespace shell
