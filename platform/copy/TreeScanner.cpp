#include "platform/copy/TreeScanner.h"

#include "platform/copy/CopyNaming.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace shell {

EntryKind kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISLNK(mode))
        return EntryKind::Link;
    if (S_ISFIFO(mode))
        return EntryKind::Fifo;
    return EntryKind::Special;
}

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

template <typename F> bool TreeScanner::retrying(const std::string& item, F call)
{
    for (;;) {
        int r = call();
        if (r == 0)
            return true;
        if (m_cancel.cancelled() || m_onError(item, r) != ErrorAnswer::Retry)
            return false;
    }
}

bool TreeScanner::scan(int parent, const std::string& name, const std::string& shown)
{
    // An explicit stack instead of recursion: a tree thousands of levels deep must
    // not exhaust the worker's stack. Each level holds its folder open.
    struct Frame {
        int fd;
        dev_t device;
        ino_t inode;
        std::string shown;
        std::vector<DirEntry> children;
        size_t next = 0;
    };
    std::vector<Frame> stack;
    auto closeAll = [&] {
        for (Frame& f : stack)
            m_fs.close(f.fd);
        stack.clear();
    };

    // Opens and lists one folder; false when the user skipped it.
    auto openFolder = [&](int at, const std::string& folderName, const std::string& folderShown) {
        Frame frame{-1, 0, 0, folderShown, {}, 0};
        struct stat st {};
        bool ok = retrying(folderShown, [&] {
            if (frame.fd >= 0)
                m_fs.close(frame.fd);
            frame.fd = m_fs.openAt(at, folderName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
            if (frame.fd < 0)
                return frame.fd == -ELOOP || frame.fd == -ENOTDIR ? -ENOTDIR : frame.fd;
            int r = m_fs.fstat(frame.fd, &st);
            return r != 0 ? r : m_fs.listDirectoryAt(frame.fd, frame.children);
        });
        if (!ok) {
            if (frame.fd >= 0)
                m_fs.close(frame.fd);
            return false;
        }
        frame.device = st.st_dev;
        frame.inode = st.st_ino;
        count(EntryKind::Folder, st, folderShown);
        std::sort(frame.children.begin(), frame.children.end(),
                  [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
        stack.push_back(std::move(frame));
        return true;
    };

    if (!openFolder(parent, name, shown))
        return !m_cancel.cancelled();
    while (!stack.empty()) {
        if (m_cancel.checkpoint()) {
            closeAll();
            return false;
        }
        Frame& top = stack.back();
        if (top.next == top.children.size()) {
            m_fs.close(top.fd);
            stack.pop_back();
            continue;
        }
        std::string child = std::move(top.children[top.next++].name);
        const std::string childShown = joinPath(top.shown, child);
        const int folder = top.fd;
        struct stat st {};
        int gone = 0;
        bool ok = retrying(childShown, [&] {
            int r = m_fs.statAt(folder, child, &st);
            // Removed since it was listed: nothing to copy, nothing to report.
            gone = r == -ENOENT;
            return gone ? 0 : r;
        });
        if (!ok && m_cancel.cancelled()) {
            closeAll();
            return false;
        }
        if (!ok || gone)
            continue;
        EntryKind kind = kindOf(st.st_mode);
        if (kind == EntryKind::Folder) {
            // Only a bind mount can bring a folder back inside itself.
            bool loop = std::any_of(stack.begin(), stack.end(), [&](const Frame& f) {
                return f.device == st.st_dev && f.inode == st.st_ino;
            });
            if (!loop) {
                if (!openFolder(folder, child, childShown) && m_cancel.cancelled()) {
                    closeAll();
                    return false;
                }
                continue;
            }
            kind = EntryKind::Loop;
        }
        count(kind, st, childShown);
    }
    return true;
}

} // namespace shell
