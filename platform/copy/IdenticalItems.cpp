#include "platform/copy/IdenticalItems.h"

#include "platform/copy/CopyProgress.h"

#include <fcntl.h>
#include <vector>

namespace shell {

bool sameSizeAndDate(const struct stat& existing, const struct stat& incoming, bool coarseTimes)
{
    if (!S_ISREG(existing.st_mode) || !S_ISREG(incoming.st_mode) || existing.st_size != incoming.st_size)
        return false;
    const long long apart = static_cast<long long>(existing.st_mtim.tv_sec) - incoming.st_mtim.tv_sec;
    return coarseTimes ? apart >= -2 && apart <= 2 : apart == 0;
}

std::uint64_t countIdentical(FileSystem& fs, int sourceFolder, const std::string& name, int targetFolder,
                             const std::string& target, bool coarseTimes, const CancelToken& cancel)
{
    struct stat ours {};
    struct stat theirs {};
    if (fs.statAt(sourceFolder, name, &ours) != 0 || fs.statAt(targetFolder, target, &theirs) != 0)
        return 0;
    if (!S_ISDIR(ours.st_mode) || !S_ISDIR(theirs.st_mode))
        return sameSizeAndDate(theirs, ours, coarseTimes) ? 1 : 0;

    // The folder pairs from the top to the one being looked into, open, each with its
    // subfolders still to visit: two descriptors a level, however wide the tree.
    struct Level {
        int source;
        int target;
        std::vector<std::string> folders;
        size_t next = 0;
    };
    std::vector<Level> levels;
    std::uint64_t count = 0;
    std::vector<DirEntry> entries;
    auto enter = [&](int fromSource, int fromTarget, const std::string& sourceName, const std::string& targetName) {
        const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW;
        const int s = fs.openAt(fromSource, sourceName, flags);
        if (s < 0)
            return;
        const int t = fs.openAt(fromTarget, targetName, flags);
        if (t < 0) {
            fs.close(s);
            return;
        }
        Level level{s, t, {}, 0};
        entries.clear();
        if (fs.listDirectoryAt(s, entries) == 0) {
            for (const DirEntry& entry : entries) {
                if (fs.statAt(s, entry.name, &ours) != 0 || fs.statAt(t, entry.name, &theirs) != 0)
                    continue;
                if (S_ISDIR(ours.st_mode) && S_ISDIR(theirs.st_mode))
                    level.folders.push_back(entry.name);
                else if (sameSizeAndDate(theirs, ours, coarseTimes))
                    ++count;
            }
        }
        levels.push_back(std::move(level));
    };
    enter(sourceFolder, targetFolder, name, target);
    while (!levels.empty()) {
        Level& top = levels.back();
        if (top.next == top.folders.size() || cancel.cancelled()) {
            fs.close(top.source);
            fs.close(top.target);
            levels.pop_back();
            continue;
        }
        const std::string folder = top.folders[top.next++];
        enter(top.source, top.target, folder, folder);
    }
    return count;
}

} // namespace shell
