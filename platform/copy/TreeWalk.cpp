#include "platform/copy/TreeWalk.h"

#include <cerrno>

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

FolderListing::FolderListing(FileSystem& fs, CancelToken& cancel, ErrorHandler onError)
    : m_fs(fs), m_cancel(cancel), m_onError(std::move(onError))
{
}

bool FolderListing::retrying(const std::string& item, const std::function<int()>& call)
{
    for (;;) {
        int r = call();
        if (r == 0)
            return true;
        if (m_cancel.cancelled() || m_onError(item, CopyError::fromCall(r)) != ErrorAnswer::Retry)
            return false;
    }
}

bool FolderListing::list(int fd, const std::string& shown, std::vector<std::string>& names)
{
    std::vector<DirEntry> entries;
    const bool listed = retrying(shown, [&] {
        entries.clear();
        return m_fs.listDirectoryAt(fd, entries);
    });
    if (!listed)
        return false;
    names.clear();
    names.reserve(entries.size());
    for (DirEntry& e : entries)
        names.push_back(std::move(e.name));
    std::sort(names.begin(), names.end());
    return true;
}

FolderListing::Look FolderListing::look(int fd, const std::string& name, const std::string& shown,
                                        struct stat& st)
{
    bool gone = false;
    const bool looked = retrying(shown, [&] {
        int r = m_fs.statAt(fd, name, &st);
        gone = r == -ENOENT; // removed since it was listed: nothing to copy, nothing to report
        return gone ? 0 : r;
    });
    if (!looked)
        return Look::Skipped;
    return gone ? Look::Gone : Look::Found;
}

} // namespace shell
