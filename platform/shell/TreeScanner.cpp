#include "platform/shell/TreeScanner.h"

#include "platform/shell/CopyNaming.h"

#include <algorithm>

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

TreeScanner::TreeScanner(FileSystem& fs, CancelToken& cancel, std::uint64_t blockSize)
    : m_fs(fs), m_cancel(cancel), m_blockSize(std::max<std::uint64_t>(blockSize, 1))
{
}

void TreeScanner::count(EntryKind kind, std::int64_t size)
{
    ++m_totals.items;
    if (kind == EntryKind::File) {
        auto bytes = static_cast<std::uint64_t>(std::max<std::int64_t>(size, 0));
        m_totals.bytes += bytes;
        m_totals.blocks += (bytes + m_blockSize - 1) / m_blockSize * m_blockSize;
    } else if (kind == EntryKind::Folder) {
        m_totals.blocks += m_blockSize;
    }
}

void TreeScanner::countSingle(const struct stat& st)
{
    count(kindOf(st.st_mode), st.st_size);
}

bool TreeScanner::scan(const std::string& folder, const struct stat& folderStat,
                       std::vector<TreeEntry>& entries)
{
    // An explicit stack instead of recursion: a tree thousands of levels deep must
    // not exhaust the worker's stack.
    struct Frame {
        std::uint32_t index;
        dev_t device;
        ino_t inode;
        std::vector<DirEntry> children;
        size_t next = 0;
    };
    std::vector<Frame> stack;

    auto openFolder = [&](const std::string& relative, const struct stat& st) {
        auto index = static_cast<std::uint32_t>(entries.size());
        entries.push_back({relative, 0, EntryKind::Folder, 0, 0});
        count(EntryKind::Folder, 0);
        Frame frame{index, st.st_dev, st.st_ino, {}, 0};
        int r = m_fs.listDirectory(joinPath(folder, relative), frame.children);
        if (r != 0) {
            entries[index].listError = r;
            frame.children.clear();
        }
        std::sort(frame.children.begin(), frame.children.end(),
                  [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
        stack.push_back(std::move(frame));
    };

    openFolder({}, folderStat);
    while (!stack.empty()) {
        if (m_cancel.checkpoint())
            return false;
        Frame& top = stack.back();
        if (top.next == top.children.size()) {
            entries[top.index].end = static_cast<std::uint32_t>(entries.size());
            stack.pop_back();
            continue;
        }
        std::string relative = joinPath(entries[top.index].relative, top.children[top.next++].name);
        struct stat st {};
        if (int r = m_fs.lstat(joinPath(folder, relative), &st); r != 0) {
            // Gone since it was listed: nothing to copy, nothing to report.
            continue;
        }
        EntryKind kind = kindOf(st.st_mode);
        if (kind == EntryKind::Folder) {
            // Only a bind mount can bring a folder back inside itself.
            bool loop = std::any_of(stack.begin(), stack.end(), [&](const Frame& f) {
                return f.device == st.st_dev && f.inode == st.st_ino;
            });
            if (!loop) {
                openFolder(relative, st);
                continue;
            }
            kind = EntryKind::Loop;
        }
        entries.push_back({std::move(relative), 0, kind, 0, kind == EntryKind::File ? st.st_size : 0});
        count(kind, st.st_size);
    }
    return true;
}

} // namespace shell
