#include "platform/shell/ItemCopier.h"

#include "platform/shell/CopyErrors.h"
#include "platform/shell/CopyNaming.h"
#include "platform/shell/FileDataCopier.h"

#include <cerrno>
#include <fcntl.h>

namespace shell {

namespace {

// makeRoom: the user agreed to delete the existing item for good.
constexpr int kMustOverwrite = 1;

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

ItemCopier::ItemCopier(CopySession& session) : m_session(session), m_fs(session.fs)
{
}

void ItemCopier::copy(const std::string& source, const std::string& target, std::int64_t plannedSize,
                      bool replace, bool plainFile)
{
    m_session.progress.itemStarted(nameOf(source), parentOf(source), parentOf(target));
    for (;;) {
        if (m_session.cancel.checkpoint())
            return;
        int result = attempt(source, target, replace, plainFile);
        if (result == kErrorCancelled)
            return;
        if (result == 0 || result == kErrorDeclined) {
            if (result == kErrorDeclined) {
                m_session.markDeclined();
                m_session.progress.bytesDone(plannedSize);
            }
            m_session.progress.itemsDone(1);
            return;
        }
        const bool canRetry = result != kErrorSpecial;
        ErrorAnswer answer = m_session.askAboutError(source, result, canRetry);
        if (answer == ErrorAnswer::Retry)
            continue;
        if (answer == ErrorAnswer::Skip) {
            m_session.progress.bytesDone(plannedSize);
            m_session.progress.itemsDone(1);
        }
        return;
    }
}

int ItemCopier::attempt(const std::string& source, const std::string& target, bool replace, bool plainFile)
{
    struct stat before {};
    // A file is opened straight away; opening checks what it is (copyFile).
    if (plainFile)
        before.st_mode = S_IFREG;
    else if (int r = m_fs.lstat(source, &before); r != 0)
        return r;
    if (S_ISDIR(before.st_mode))
        return kErrorChanged; // it was not a folder when the tree was counted
    if (!S_ISREG(before.st_mode) && !S_ISLNK(before.st_mode) && !S_ISFIFO(before.st_mode))
        return kErrorSpecial;
    if (S_ISREG(before.st_mode)) {
        int result = m_session.unnamedFilesRefused() ? kErrorNoUnnamedFile
                                                     : copyFile(source, target, before, replace, true);
        if (result != kErrorNoUnnamedFile)
            return result;
        return copyFile(source, target, before, replace, false);
    }

    const std::string temp = joinPath(parentOf(target), m_session.newPartialName(nameOf(target)));
    int result = S_ISLNK(before.st_mode) ? writeLink(source, temp, before) : writeFifo(temp, before);
    if (result == 0)
        result = place(temp, target, replace);
    if (result != 0)
        m_fs.unlink(temp);
    return result;
}

// Copies a regular file. unnamed: into a file with no name until it is complete, so
// a killed copy leaves nothing behind; otherwise into a temporary name beside the
// target. kErrorNoUnnamedFile: the destination cannot make such files; nothing was written.
int ItemCopier::copyFile(const std::string& source, const std::string& target, struct stat& before,
                         bool replace, bool unnamed)
{
    // O_NOFOLLOW: if a link took the file's place since it was looked at, do not read through it;
    // O_NONBLOCK: if a FIFO did, do not wait for a writer that never comes.
    int in = m_fs.open(source, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (in < 0)
        return in == -ELOOP ? kErrorChanged : in;
    int result = m_fs.fstat(in, &before);
    if (result == 0 && !S_ISREG(before.st_mode))
        result = kErrorChanged;
    // Created with its final permissions where the umask lets it, which saves setting them later.
    const mode_t mode = before.st_mode & 07777;
    const bool modeAtCreation = (mode & 07000) == 0 && (mode & m_session.umask()) == 0;
    const mode_t createMode = modeAtCreation ? mode : 0600;
    std::string temp;
    int out = -1;
    if (result == 0 && unnamed) {
        out = m_fs.openTempFile(target, createMode);
        if (out == -EOPNOTSUPP || out == -EISDIR || out == -EINVAL || out == -ENOSYS)
            result = kErrorNoUnnamedFile;
        else if (out < 0)
            result = out;
    } else if (result == 0) {
        temp = joinPath(parentOf(target), m_session.newPartialName(nameOf(target)));
        out = m_fs.open(temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, createMode);
        if (out < 0)
            result = out;
    }
    std::int64_t copied = 0;
    if (result == 0) {
        FileDataCopier data(m_fs, m_session.cancel, m_session.progress);
        if (m_session.cloneUnsupported(before.st_dev))
            data.skipClone();
        result = data.copy(in, out, before);
        copied = result == 0 ? data.reported() : 0;
        if (data.cloneUnsupported())
            m_session.noteCloneUnsupported(before.st_dev);
    }
    if (result == 0) {
        // The copy is only good if the source stood still while it was read.
        struct stat after {};
        result = m_fs.fstat(in, &after);
        if (result == 0 && (after.st_size != before.st_size || !sameTime(after.st_mtim, before.st_mtim)))
            result = kErrorChanged;
        // No name leads to it any more: deleted, or replaced by another file.
        if (result == 0 && after.st_nlink == 0 && before.st_nlink != 0)
            result = kErrorVanished;
    }
    if (result == 0 && !modeAtCreation)
        result = m_fs.fchmod(out, mode);
    if (result == 0) {
        const timespec times[2] = {before.st_atim, before.st_mtim};
        result = m_fs.futimens(out, times);
    }
    if (result == 0 && m_session.options.durability == Durability::SyncEachFile)
        result = m_fs.fsync(out);
    if (result == 0 && unnamed) {
        result = publish(out, target, replace);
        if (result == -EOPNOTSUPP) {
            // The file cannot be given a name here (no /proc): every later file goes the other way.
            m_session.noteUnnamedFilesRefused();
            result = kErrorNoUnnamedFile;
        }
    }
    if (out >= 0) {
        // Some file systems report a failed write only when the file is closed. An unnamed
        // file had that checked before it got its name; once named, it stays.
        int closed = m_fs.close(out);
        if (result == 0 && !unnamed)
            result = closed;
    }
    if (in >= 0)
        m_fs.close(in);
    if (result == 0 && !unnamed)
        result = place(temp, target, replace);
    if (result != 0 && !temp.empty())
        m_fs.unlink(temp);
    if (result != 0 && copied != 0)
        m_session.progress.bytesDone(-copied); // the data is thrown away, so are its bytes
    return result;
}

int ItemCopier::writeLink(const std::string& source, const std::string& temp, const struct stat& before)
{
    std::string target;
    if (int r = m_fs.readlink(source, target); r != 0)
        return r;
    if (int r = m_fs.symlink(target, temp); r != 0)
        return r;
    const timespec times[2] = {before.st_atim, before.st_mtim};
    m_fs.setTimes(temp, times); // not every file system keeps link times; the link itself is what counts
    return 0;
}

int ItemCopier::writeFifo(const std::string& temp, const struct stat& before)
{
    // A FIFO is recreated, never opened: opening one would wait for a writer forever.
    if (int r = m_fs.mkfifo(temp, 0600); r != 0)
        return r;
    if (int r = m_fs.chmod(temp, before.st_mode & 07777); r != 0)
        return r;
    const timespec times[2] = {before.st_atim, before.st_mtim};
    return m_fs.setTimes(temp, times);
}

// Moves the item at target to the trash before it is replaced. Returns 0 when the
// name is free, kErrorDeclined when the user keeps the item, or kMustOverwrite when
// the user agreed to delete it for good (it is still there, to be replaced in one step).
int ItemCopier::makeRoom(const std::string& target)
{
    int trashed = m_fs.moveToTrash(target);
    if (trashed == 0 || trashed == -ENOENT)
        return 0;
    bool destroy =
        m_session.ask([&](CopyQuestions& q) { return q.deletePermanently(target, describeError(trashed)); });
    return destroy ? kMustOverwrite : kErrorDeclined;
}

int ItemCopier::place(const std::string& temp, const std::string& target, bool replace)
{
    if (replace) {
        int room = makeRoom(target);
        // rename replaces the old item in one step: the name is never empty.
        if (room == kMustOverwrite)
            return m_fs.rename(temp, target);
        if (room != 0)
            return room;
    }
    int result = m_fs.renameNoReplace(temp, target);
    return result == -EEXIST ? kErrorAppeared : result;
}

int ItemCopier::publish(int out, const std::string& target, bool replace)
{
    if (replace) {
        int room = makeRoom(target);
        if (room == kMustOverwrite) {
            // A link cannot replace an item, a rename can: the complete file gets a temporary
            // name first, so the target name is never empty and never shows partial data.
            const std::string temp = joinPath(parentOf(target), m_session.newPartialName(nameOf(target)));
            int result = m_fs.linkTempFile(out, temp);
            if (result == 0) {
                result = m_fs.rename(temp, target);
                if (result != 0)
                    m_fs.unlink(temp);
            }
            return result;
        }
        if (room != 0)
            return room;
    }
    int result = m_fs.linkTempFile(out, target);
    return result == -EEXIST ? kErrorAppeared : result;
}

} // namespace shell
