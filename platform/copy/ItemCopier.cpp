#include "platform/copy/ItemCopier.h"

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyNaming.h"
#include "platform/copy/FileDataCopier.h"
#include "platform/copy/ItemMetadata.h"

#include <cerrno>
#include <fcntl.h>

namespace shell {

namespace {

// Copies of multiply linked files kept open at most; past that, further names become copies.
constexpr size_t kMaxKnownCopies = 1000;

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Whether the file stood still while it was read: a file rewritten in place with its
// modification time put back still shows a new change time.
bool unchanged(const struct stat& before, const struct stat& after)
{
    return after.st_size == before.st_size && sameTime(after.st_mtim, before.st_mtim)
           && sameTime(after.st_ctim, before.st_ctim);
}

} // namespace

ItemCopier::ItemCopier(CopySession& session) : m_session(session), m_fs(session.fs)
{
}

ItemCopier::~ItemCopier() = default;

void ItemCopier::copy(const FolderPair& folder, const std::string& name, const std::string& target,
                      std::int64_t plannedSize, bool replace, bool plainFile)
{
    m_session.progress.itemStarted(name, folder.shownSource(), folder.shownTarget());
    const Place at{folder, name, target};
    for (;;) {
        if (m_session.cancel.checkpoint())
            return;
        const CopyError result = attempt(at, replace, plainFile);
        if (result == Fault::Cancelled)
            return;
        if (!result && !m_session.options.undoHistory.empty())
            m_session.record.made(joinPath(folder.shownTarget(), target));
        if (!result || result == Fault::Declined) {
            if (result == Fault::Declined) {
                m_session.progress.bytesDone(plannedSize);
                m_session.progress.itemsSkipped(1);
            }
            m_session.progress.itemsDone(1);
            return;
        }
        const bool canRetry = result != Fault::Special;
        ErrorAnswer answer = m_session.askAboutError(joinPath(folder.shownSource(), name), result, canRetry);
        if (answer == ErrorAnswer::Retry)
            continue;
        if (answer == ErrorAnswer::Skip) {
            m_session.progress.bytesDone(plannedSize);
            m_session.progress.itemsSkipped(1);
            m_session.progress.itemsDone(1);
        }
        return;
    }
}

void ItemCopier::copyBatch(const FolderPair& folder, const std::vector<BatchFile>& files)
{
    for (const BatchFile& file : files)
        copy(folder, file.name, file.target, file.plannedSize, file.replace, true);
}

CopyError ItemCopier::attempt(const Place& at, bool replace, bool plainFile)
{
    struct stat before {};
    // A file is opened straight away; opening checks what it is (copyFile).
    if (plainFile)
        before.st_mode = S_IFREG;
    else if (int r = m_fs.statAt(at.folder.source(), at.name, &before); r != 0)
        return CopyError::fromCall(r);
    if (S_ISDIR(before.st_mode))
        return Fault::Changed; // it was not a folder when the tree was counted
    if (!S_ISREG(before.st_mode) && !S_ISLNK(before.st_mode) && !S_ISFIFO(before.st_mode))
        return Fault::Special;
    if (S_ISREG(before.st_mode)) {
        const bool unnamed = !m_session.unnamedFilesRefused() && drive(at).unnamedFiles;
        const CopyError result = unnamed ? copyFile(at, replace, true) : Fault::NoUnnamedFile;
        if (result != Fault::NoUnnamedFile)
            return result;
        return copyFile(at, replace, false);
    }
    return writeEntry(at, before, replace);
}

// Copies a regular file. unnamed: into a file with no name until it is complete, so
// a killed copy leaves nothing behind; otherwise into a locked temporary name beside
// the target. NoUnnamedFile: the destination cannot make such files; nothing was written.
CopyError ItemCopier::copyFile(const Place& at, bool replace, bool unnamed)
{
    FileCopy file;
    file.unnamed = unnamed;
    CopyError result = openSource(at, file);
    if (!result && file.before.st_nlink > 1) {
        bool linked = false;
        result = linkKnownCopy(at, file.before, replace, linked);
        if (linked)
            return release(at, file, result);
    }
    if (!result)
        result = openCopy(at, file);
    if (!result) {
        FileDataCopier data(m_fs, m_session.cancel, m_session.progress);
        if (m_session.cloneUnsupported(file.before.st_dev))
            data.skipClone();
        if (m_session.writeBehind())
            data.writeBehind();
        file.verify = m_session.verifying();
        if (file.verify)
            data.verify();
        result = data.copy(file.in.get(), file.out.get(), file.before);
        file.copied = !result ? data.reported() : 0;
        file.written = data.written();
        file.hash = data.digest();
        if (data.cloneUnsupported())
            m_session.noteCloneUnsupported(file.before.st_dev);
    }
    if (!result)
        result = finishCopy(at, file, replace);
    return release(at, file, result);
}

DriveAbilities ItemCopier::drive(const Place& at)
{
    return m_session.drives.of(at.folder.targetDevice(), at.folder.target(),
                               [&] { return m_session.temporaries.newName("probe"); });
}

CopyError ItemCopier::openSource(const Place& at, FileCopy& file)
{
    // O_NOFOLLOW: if a link took the file's place since it was looked at, do not read through it;
    // O_NONBLOCK: if a FIFO did, do not wait for a writer that never comes.
    file.in = UniqueFd(m_fs, m_fs.openAt(at.folder.source(), at.name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK));
    if (!file.in)
        return file.in.error() == -ELOOP ? Fault::Changed : CopyError::fromCall(file.in.error());
    if (int r = m_fs.fstat(file.in.get(), &file.before); r != 0)
        return CopyError::fromCall(r);
    return S_ISREG(file.before.st_mode) ? CopyError() : Fault::Changed;
}

CopyError ItemCopier::openCopy(const Place& at, FileCopy& file)
{
    const int folder = at.folder.target();
    // Created with its final permissions where the umask lets it, which saves setting them later.
    const mode_t mode = file.before.st_mode & 07777;
    file.modeAtCreation = (mode & 07000) == 0 && (mode & m_session.umask()) == 0;
    const mode_t createMode = file.modeAtCreation ? mode : 0600;
    if (file.unnamed) {
        file.out = UniqueFd(m_fs, m_fs.openTempFileAt(folder, at.target, createMode));
        const int r = file.out.error();
        if (r == -EOPNOTSUPP || r == -EISDIR || r == -EINVAL || r == -ENOSYS)
            return Fault::NoUnnamedFile;
        return CopyError::fromCall(r);
    }
    file.out =
        UniqueFd(m_fs, m_session.temporaries.create(drive(at), folder, at.target, createMode, file.temp));
    return CopyError::fromCall(file.out.error());
}

// Everything after the data: the source must have stood still, the copy gets its
// metadata, reaches the disk if every file is to, is read back if it is verified,
// and gets its name.
CopyError ItemCopier::finishCopy(const Place& at, FileCopy& file, bool replace)
{
    // The copy is only good if the source stood still while it was read.
    struct stat after {};
    CopyError result = CopyError::fromCall(m_fs.fstat(file.in.get(), &after));
    // No name leads to it any more: deleted, or replaced by another file.
    if (!result && after.st_nlink == 0 && file.before.st_nlink != 0)
        result = Fault::Vanished;
    if (!result && !unchanged(file.before, after))
        result = Fault::Changed;
    if (!result && !file.temp.empty())
        m_session.temporaries.unmark(drive(at), file.out.get());
    if (!result)
        result = copyMetadata(m_session, file.in.get(), file.out.get(), file.before, file.modeAtCreation,
                              at.folder.inherited());
    if (!result && m_session.syncEachFile())
        result = CopyError::fromCall(m_fs.fsync(file.out.get()));
    if (!result && file.verify) {
        // Synced file by file, the data is on the drive already.
        FileDataCopier data(m_fs, m_session.cancel, m_session.progress);
        result = data.readBack(file.out.get(), file.hash, !m_session.syncEachFile());
        file.copied += data.reported(); // handed back with the rest if the copy is thrown away
    }
    if (!result && file.unnamed) {
        result = publish(at, file.out.get(), replace);
        if (result.is(EOPNOTSUPP)) {
            // The file cannot be given a name here (no /proc): every later file goes the other way.
            m_session.noteUnnamedFilesRefused();
            result = Fault::NoUnnamedFile;
        }
    } else if (!result) {
        // Failed writes some file systems report only at the flush come before the name.
        result = CopyError::fromCall(m_fs.flushFile(file.out.get()));
        if (!result)
            result = place(at, file.temp, replace);
        if (!result)
            file.temp.clear();
    }
    if (!result && file.before.st_nlink > 1 && drive(at).handleLinks)
        rememberCopy(file.before, file.out.get());
    return result;
}

// Closes both files and, unless the copy got its name, throws it away with its bytes.
CopyError ItemCopier::release(const Place& at, FileCopy& file, CopyError result)
{
    file.out.reset(); // once named, the file stays: its errors were checked before
    file.in.reset();
    if (!file.temp.empty())
        m_session.temporaries.discard(at.folder.target(), file.temp);
    file.temp.clear();
    if (result && file.copied != 0)
        m_session.progress.bytesDone(-file.copied); // the data is thrown away, so are its bytes
    if (!result)
        m_session.addBytesWritten(file.written);
    file.copied = file.written = 0;
    return result;
}

// A file whose other name was copied already becomes another name of that copy.
CopyError ItemCopier::linkKnownCopy(const Place& at, const struct stat& source, bool replace, bool& linked)
{
    const int folder = at.folder.target();
    {
        std::lock_guard lock(m_linkLock);
        if (m_copies.count({source.st_dev, source.st_ino}) == 0)
            return {};
    }
    if (!drive(at).handleLinks)
        return {}; // a separate copy, as cp makes where links cannot be
    // Room is made without the lock: it may ask the person, and other files wait for no one.
    const Room room = replace ? makeRoom(at) : Room::Free;
    if (room == Room::Kept)
        return Fault::Declined;
    std::lock_guard lock(m_linkLock);
    auto it = m_copies.find({source.st_dev, source.st_ino});
    if (it == m_copies.end())
        return {}; // its last other name took the copy meanwhile: this one gets a copy of its own
    int result = 0;
    if (room == Room::Overwrite)
        result = m_session.temporaries.linkReplacing(it->second.fd.get(), folder, at.target);
    else
        result = m_fs.linkFileAt(it->second.fd.get(), folder, at.target);
    if (result == -EEXIST)
        return Fault::Appeared;
    if (result == -EPERM || result == -EOPNOTSUPP || result == -ENOSYS || result == -EMLINK
        || result == -ENOENT) {
        // The drive cannot link this file (no links, too many, or none through a handle
        // whose first name has moved), or its copy is gone: this name gets a copy of its own.
        struct stat into {};
        if (m_fs.fstat(folder, &into) == 0 && result != -EMLINK)
            m_session.drives.noteNoHandleLinks(into.st_dev);
        return {};
    }
    if (result != 0)
        return CopyError::fromCall(result);
    linked = true;
    m_session.progress.bytesDone(source.st_size);
    if (--it->second.remaining == 0)
        m_copies.erase(it);
    return {};
}

void ItemCopier::rememberCopy(const struct stat& source, int out)
{
    std::lock_guard lock(m_linkLock);
    if (m_copies.size() >= kMaxKnownCopies || m_copies.count({source.st_dev, source.st_ino}) != 0)
        return;
    // A handle on the copy itself, not on its name, which anyone could replace meanwhile.
    UniqueFd keep(m_fs, m_fs.open("/proc/self/fd/" + std::to_string(out), O_PATH));
    if (keep)
        m_copies.emplace(std::make_pair(source.st_dev, source.st_ino),
                         KnownCopy{std::move(keep), source.st_nlink - 1});
}

// A link or a FIFO. Made under its final name straight away (making either is a
// single step that fails on an existing name), or under a temporary name that then
// replaces the existing item.
CopyError ItemCopier::writeEntry(const Place& at, const struct stat& before, bool replace)
{
    const int folder = at.folder.target();
    const std::string name = replace ? m_session.temporaries.newName(at.target) : at.target;
    bool made = false;
    CopyError result = makeEntry(at, name, before, made);
    if (!result && replace)
        result = place(at, name, replace);
    if (result && made) // only what this copy made is removed again
        m_fs.unlinkAt(folder, name, 0);
    return result.is(EEXIST) && !made ? Fault::Appeared : result;
}

CopyError ItemCopier::makeEntry(const Place& at, const std::string& name, const struct stat& before,
                                bool& made)
{
    const int folder = at.folder.target();
    if (S_ISLNK(before.st_mode)) {
        std::string target;
        if (int r = m_fs.readlinkAt(at.folder.source(), at.name, target); r != 0)
            return CopyError::fromCall(r);
        if (int r = m_fs.symlinkAt(target, folder, name); r != 0)
            return r == -EPERM || r == -ENOSYS || r == -EOPNOTSUPP ? linkRefused(at, r)
                                                                   : CopyError::fromCall(r);
    } else if (int r = m_fs.mkfifoAt(folder, name, 0600); r != 0) {
        // A FIFO is recreated, never opened: opening one would wait for a writer forever.
        return CopyError::fromCall(r);
    }
    made = true;
    return copyEntryMetadata(m_session, folder, name, before);
}

// A symbolic link the drive cannot hold is listed, not asked about: asking again
// would change nothing. Another refusal on a drive that holds links is an error.
CopyError ItemCopier::linkRefused(const Place& at, int error)
{
    if (drive(at).symlinks)
        return CopyError::fromCall(error);
    m_session.noteLeftOut(joinPath(at.folder.shownSource(), at.name), kNoLinksHere);
    return Fault::Declined;
}

// Moves the item at target to the trash before it is replaced; where it cannot go
// there, the user is asked whether to delete it for good.
ItemCopier::Room ItemCopier::makeRoom(const Place& at)
{
    // With one flush at the end, that flush makes the trash's record durable too (the
    // trash shares the item's file system, which the request flushes): the record and
    // the move are done before the new file takes the name, and success waits for both.
    const bool syncRecord = m_session.syncEachFile();
    // Agreed before the copy: the drive has no room to keep the replaced items.
    if (m_session.deleteReplaced())
        return Room::Overwrite;
    const std::string shown = joinPath(at.folder.shownTarget(), at.target);
    std::string trashedAs;
    int trashed = m_fs.moveToTrashAt(at.folder.target(), at.target, syncRecord, &trashedAs);
    if (trashed == 0 && !trashedAs.empty() && !m_session.options.undoHistory.empty())
        m_session.record.replaced(shown, trashedAs);
    if (trashed == 0 || trashed == -ENOENT)
        return Room::Free;
    // EXDEV: no trash for the item's drive (or none that can be written).
    const std::string reason =
        describeError(trashed == -EXDEV ? CopyError(Fault::NoTrash) : CopyError::fromCall(trashed));
    bool destroy = m_session.ask([&](CopyQuestions& q) { return q.deletePermanently(shown, reason); });
    if (destroy)
        return Room::Overwrite;
    // Kept where it stood, so the copy did not arrive: the summary lists it.
    m_session.noteLeftOut(shown, "The existing item could not be moved to the trash and was kept. " + reason);
    return Room::Kept;
}

CopyError ItemCopier::place(const Place& at, const std::string& temp, bool replace)
{
    const int folder = at.folder.target();
    if (replace) {
        const Room room = makeRoom(at);
        // rename replaces the old item in one step: the name is never empty.
        if (room == Room::Overwrite)
            return CopyError::fromCall(m_session.temporaries.replace(folder, temp, at.target));
        if (room == Room::Kept)
            return Fault::Declined;
    }
    int result = m_session.temporaries.publish(drive(at), folder, temp, at.target);
    return result == -EEXIST ? Fault::Appeared : CopyError::fromCall(result);
}

CopyError ItemCopier::publish(const Place& at, int out, bool replace)
{
    const int folder = at.folder.target();
    if (replace) {
        const Room room = makeRoom(at);
        if (room == Room::Overwrite)
            return CopyError::fromCall(m_session.temporaries.linkReplacing(out, folder, at.target));
        if (room == Room::Kept)
            return Fault::Declined;
    }
    int result = m_fs.linkFileAt(out, folder, at.target);
    return result == -EEXIST ? Fault::Appeared : CopyError::fromCall(result);
}

} // namespace shell
