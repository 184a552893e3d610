#include "platform/copy/UndoCopy.h"

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyRecord.h"
#include "platform/copy/fs/Paths.h"
#include "platform/copy/fs/Trash.h"
#include "platform/copy/fs/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <map>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace shell {

namespace {

bool unchanged(const MadeItem& item, const struct stat& now)
{
    return now.st_dev == item.device && now.st_ino == item.inode && now.st_mtim.tv_sec == item.modified.tv_sec
           && now.st_mtim.tv_nsec == item.modified.tv_nsec
           && (S_ISDIR(now.st_mode) || now.st_size == item.size);
}

// Puts the trashed item back at path, never over anything there; minus errno.
int putBack(const std::string& trashed, const std::string& path)
{
    if (::syscall(SYS_renameat2, AT_FDCWD, trashed.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -errno;
    // A drive without the flag: the place was seen free just before.
    struct stat there {};
    if (::lstat(path.c_str(), &there) == 0)
        return -EEXIST;
    return ::rename(trashed.c_str(), path.c_str()) == 0 ? 0 : -errno;
}

// The trash's record of the item at files/NAME is info/NAME.trashinfo.
std::string recordOf(const std::string& trashed)
{
    return joinPath(parentOf(parentOf(trashed)), "info/" + nameOf(trashed) + ".trashinfo");
}

} // namespace

UndoReport undoLastCopy(const std::string& historyFolder)
{
    UndoReport report;
    // The trash's records reach the disk with one flush of each drive at the end, not
    // one by one: a folder of each drive is kept open for that flush.
    // The folder last trashed from stays open: a copy's items come folder by folder.
    struct Drives {
        std::map<dev_t, UniqueFd> open;
        ~Drives()
        {
            for (const auto& [device, fd] : open) {
                (void)device;
                if (fd)
                    ::syncfs(fd.get());
            }
        }
    } drives;
    std::string lastFolder;
    UniqueFd last;
    auto trash = [&](const std::string& path, dev_t device) {
        if (const std::string folder = parentOf(path); folder != lastFolder || !last) {
            lastFolder = folder;
            last = UniqueFd::fromSystem(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (!last)
                return last.error();
        }
        if (drives.open.count(device) == 0)
            drives.open.emplace(device, UniqueFd::fromSystem(::dup(last.get())));
        return moveItemToTrashAt(last.get(), nameOf(path), TrashRecord::Flushed);
    };
    SavedCopy copy;
    if (!lastCopy(historyFolder, copy))
        return report;
    if (copy.undone) {
        report.outcome = UndoOutcome::AlreadyUndone;
        return report;
    }
    // Marked first: a second undo is refused even if this one is stopped half way.
    if (int r = markUndone(copy); r != 0) {
        report.outcome = UndoOutcome::Partly;
        report.notUndone.push_back({copy.file, "The record of the copy cannot be changed. "
                                                   + describeError(CopyError::fromCall(r))});
        return report;
    }
    for (const MadeItem& item : copy.made) {
        struct stat now {};
        if (::lstat(item.path.c_str(), &now) != 0)
            continue; // gone already
        if (!unchanged(item, now)) {
            report.notUndone.push_back(
                {item.path, "It has changed since the copy, so it was left as it is."});
            continue;
        }
        if (int r = trash(item.path, now.st_dev); r != 0)
            report.notUndone.push_back(
                {item.path, "It could not be moved to the trash. " + describeError(CopyError::fromCall(r))});
    }
    for (const ReplacedItem& item : copy.replaced) {
        struct stat st {};
        if (::lstat(item.trashed.c_str(), &st) != 0) {
            report.notUndone.push_back({item.path, "It is no longer in the trash."});
            continue;
        }
        if (::lstat(item.path.c_str(), &st) == 0) {
            report.notUndone.push_back({item.path, "Its place is taken, so it was left in the trash."});
            continue;
        }
        if (int r = putBack(item.trashed, item.path); r != 0) {
            report.notUndone.push_back({item.path, "It could not be put back from the trash. "
                                                       + describeError(CopyError::fromCall(r))});
            continue;
        }
        ::unlink(recordOf(item.trashed).c_str());
    }
    report.outcome = report.notUndone.empty() ? UndoOutcome::Undone : UndoOutcome::Partly;
    return report;
}

std::string describeUndo(UndoOutcome outcome)
{
    switch (outcome) {
    case UndoOutcome::Undone:
        return "The last copy was undone.";
    case UndoOutcome::Partly:
        return "The last copy was undone in part.";
    case UndoOutcome::NothingToUndo:
        return "There is no copy to undo.";
    case UndoOutcome::AlreadyUndone:
        return "The last copy was already undone.";
    }
    return {};
}

} // namespace shell
