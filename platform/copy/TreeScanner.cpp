#include "platform/copy/TreeScanner.h"

#include "platform/copy/CopyNaming.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace shell {

TreeScanner::TreeScanner(FileSystem& fs, CancelToken& cancel, std::uint64_t blockSize, ErrorHandler onError)
    : m_fs(fs), m_cancel(cancel), m_blockSize(std::max<std::uint64_t>(blockSize, 1)),
      m_onError(std::move(onError))
{
}

void TreeScanner::count(EntryKind kind, const struct stat& st, const std::string& shown)
{
    if (kind == EntryKind::File && m_largestFile > 0 && st.st_size > m_largestFile) {
        m_tooLarge.push_back(shown);
        return;
    }
    ++m_totals.items;
    if (kind == EntryKind::File) {
        m_totals.bytes += static_cast<std::uint64_t>(std::max<off_t>(st.st_size, 0));
        // What the file occupies, not its size: a sparse file needs room for its data only.
        const auto allocated = static_cast<std::uint64_t>(std::max<blkcnt_t>(st.st_blocks, 0)) * 512;
        const std::uint64_t blocks = (allocated + m_blockSize - 1) / m_blockSize * m_blockSize;
        m_totals.blocks += blocks;
        m_totals.largest = std::max(m_totals.largest, blocks);
    } else if (kind == EntryKind::Folder) {
        m_totals.blocks += m_blockSize;
    }
}

void TreeScanner::countSingle(const struct stat& st, const std::string& shown)
{
    count(kindOf(st.st_mode), st, shown);
}

bool TreeScanner::enter(TreeWalk<UniqueFd>& walk, int at, const std::string& name, const std::string& shown)
{
    UniqueFd folder;
    struct stat st {};
    const bool opened = walk.listing().retrying(shown, [&] {
        folder = UniqueFd(m_fs, m_fs.openAt(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW));
        if (!folder)
            return folder.error() == -ELOOP || folder.error() == -ENOTDIR ? -ENOTDIR : folder.error();
        return m_fs.fstat(folder.get(), &st);
    });
    if (!opened)
        return false;
    const int fd = folder.get();
    if (!walk.enter(std::move(folder), fd, st, shown))
        return false;
    count(EntryKind::Folder, st, shown);
    return true;
}

bool TreeScanner::scan(int parent, const std::string& name, const std::string& shown)
{
    TreeWalk<UniqueFd> walk(m_fs, m_cancel, m_onError, TreeWalk<UniqueFd>::Looking::WhenReached);
    if (!enter(walk, parent, name, shown))
        return !m_cancel.cancelled();
    TreeWalk<UniqueFd>::Entry entry;
    for (;;) {
        switch (walk.next(entry)) {
        case TreeWalk<UniqueFd>::Step::Done:
            return true;
        case TreeWalk<UniqueFd>::Step::Cancelled:
            return false;
        case TreeWalk<UniqueFd>::Step::Skipped:
            continue;
        case TreeWalk<UniqueFd>::Step::Entry:
            break;
        }
        if (entry.kind == EntryKind::Folder) {
            if (!enter(walk, walk.descriptor(), entry.name, entry.shown) && m_cancel.cancelled())
                return false;
            continue;
        }
        count(entry.kind, entry.st, entry.shown);
    }
}

} // namespace shell
