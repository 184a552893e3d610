#include "platform/copy/IdenticalItems.h"

#include "platform/copy/CopyProgress.h"
#include "platform/copy/TreeWalk.h"
#include "platform/copy/fs/UniqueFd.h"

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
                             const std::string& target, bool coarseTimes, CancelToken& cancel)
{
    struct stat ours {};
    struct stat theirs {};
    if (fs.statAt(sourceFolder, name, &ours) != 0 || fs.statAt(targetFolder, target, &theirs) != 0)
        return 0;
    if (!S_ISDIR(ours.st_mode) || !S_ISDIR(theirs.st_mode))
        return sameSizeAndDate(theirs, ours, coarseTimes) ? 1 : 0;

    // The source's tree is walked as the copy walks it; each of its folders is
    // entered only where the destination has a folder of the same name.
    struct Pair {
        UniqueFd source;
        UniqueFd target;
    };
    TreeWalk<Pair> walk(
        fs, cancel, [](const std::string&, CopyError) { return ErrorAnswer::Skip; },
        TreeWalk<Pair>::Looking::WhenReached);
    auto enter = [&](int fromSource, int fromTarget, const std::string& sourceName,
                     const std::string& targetName) {
        const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW;
        Pair pair{UniqueFd(fs, fs.openAt(fromSource, sourceName, flags)), {}};
        struct stat st {};
        if (!pair.source || fs.fstat(pair.source.get(), &st) != 0)
            return;
        pair.target = UniqueFd(fs, fs.openAt(fromTarget, targetName, flags));
        if (!pair.target)
            return;
        const int fd = pair.source.get();
        (void)walk.enter(std::move(pair), fd, st, sourceName);
    };
    std::uint64_t count = 0;
    enter(sourceFolder, targetFolder, name, target);
    TreeWalk<Pair>::Entry entry;
    for (;;) {
        const TreeWalk<Pair>::Step step = walk.next(entry);
        if (step == TreeWalk<Pair>::Step::Done || step == TreeWalk<Pair>::Step::Cancelled)
            break;
        if (step != TreeWalk<Pair>::Step::Entry
            || fs.statAt(walk.folder().target.get(), entry.name, &theirs) != 0)
            continue;
        if (entry.kind == EntryKind::Folder && S_ISDIR(theirs.st_mode))
            enter(walk.folder().source.get(), walk.folder().target.get(), entry.name, entry.name);
        else if (sameSizeAndDate(theirs, entry.st, coarseTimes))
            ++count;
    }
    return count;
}

} // namespace shell
