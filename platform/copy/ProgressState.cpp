#include "platform/copy/ProgressState.h"

#include <algorithm>

namespace shell {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

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
    const std::thread::id self = std::this_thread::get_id();
    std::lock_guard lock(m_textLock);
    auto it =
        std::find_if(m_current.begin(), m_current.end(), [&](const Current& c) { return c.thread == self; });
    if (it == m_current.end())
        it = m_current.insert(m_current.end(), Current{self, {}, {}, {}, 0, false});
    it->item = name;
    it->fromFolder = fromFolder;
    it->toFolder = toFolder;
    it->serial = ++m_serial;
    it->inFlight = true;
}

void ProgressState::bytesDone(std::int64_t bytes)
{
    m_bytesDone.fetch_add(bytes, std::memory_order_relaxed);
}

void ProgressState::itemsDone(std::uint64_t items)
{
    m_itemsDone.fetch_add(items, std::memory_order_relaxed);
    const std::thread::id self = std::this_thread::get_id();
    std::lock_guard lock(m_textLock);
    for (Current& c : m_current) {
        if (c.thread == self)
            c.inFlight = false;
    }
}

void ProgressState::itemsSkipped(std::uint64_t items)
{
    m_itemsSkipped.fetch_add(items, std::memory_order_relaxed);
}

void ProgressState::finishing()
{
    m_phase.store(static_cast<int>(CopyPhase::Finishing));
}

void ProgressState::leftToWrite(std::int64_t bytes)
{
    m_leftToWrite.store(bytes);
}

void ProgressState::questionAsked(const std::string& item)
{
    std::lock_guard lock(m_textLock);
    m_asking = true;
    m_asked = item;
}

void ProgressState::questionAnswered()
{
    std::lock_guard lock(m_textLock);
    m_asking = false;
    m_asked.clear();
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
    s.leftToWrite = m_leftToWrite.load();
    std::lock_guard lock(m_textLock);
    s.asking = m_asking;
    if (m_asking && !m_asked.empty()) {
        // Questions name full paths; the window shows the name and its folder.
        s.item = nameOf(m_asked);
        s.fromFolder = folderOf(m_asked);
        return s;
    }
    // Prefer the latest item still in flight over one that has already finished.
    const Current* best = nullptr;
    for (const Current& c : m_current) {
        if (best == nullptr || (c.inFlight && !best->inFlight)
            || (c.inFlight == best->inFlight && c.serial > best->serial))
            best = &c;
    }
    if (best != nullptr) {
        s.item = best->item;
        s.fromFolder = best->fromFolder;
        s.toFolder = best->toFolder;
    }
    return s;
}

} // namespace shell
