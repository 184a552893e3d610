#include "platform/copy/TemporaryFiles.h"

#include "platform/copy/CopyNaming.h"
#include "platform/copy/fs/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace shell {

namespace {

// Errors that say the file system lacks the call, not that this item is refused.
bool lacking(int error)
{
    return error == -EINVAL || error == -ENOSYS || error == -EOPNOTSUPP || error == -ENOTSUP
           || error == -EPERM || error == -EMLINK || error == -EXDEV;
}

// Sets or clears the hidden attribute where the drive keeps one, the file's other
// attributes as they are. Best effort: a file left shown is only seen, never lost.
void setHidden(FileSystem& fs, const DriveAbilities& drive, int fd, bool hidden)
{
    if (drive.dosAttributes == DosAttributes::None)
        return;
    std::uint32_t attributes = 0;
    if (fs.getDosAttributes(fd, drive.dosAttributes, attributes) != 0)
        return;
    const std::uint32_t wanted = hidden ? attributes | kDosHidden : attributes & ~kDosHidden;
    if (wanted != attributes)
        fs.setDosAttributes(fd, drive.dosAttributes, wanted);
}

} // namespace

int renameWithoutReplacing(FileSystem& fs, const DriveAbilities& drive, int fromDir, const std::string& from,
                           int toDir, const std::string& to)
{
    if (drive.renameNoReplace) {
        int r = fs.renameAt(fromDir, from, toDir, to, true);
        if (r != -EINVAL && r != -ENOSYS)
            return r;
    }
    if (drive.hardLinks) {
        int r = fs.linkAt(fromDir, from, toDir, to);
        if (r == 0) {
            fs.unlinkAt(fromDir, from, 0);
            return 0;
        }
        if (!lacking(r))
            return r;
    }
    // Between the look and the rename another item could take the name; the drive
    // offers nothing narrower, and the look catches every item already there.
    struct stat st {};
    int r = fs.statAt(toDir, to, &st);
    if (r == 0)
        return -EEXIST;
    if (r != -ENOENT)
        return r;
    return fs.renameAt(fromDir, from, toDir, to, false);
}

TemporaryFiles::TemporaryFiles(FileSystem& fs, DriveProbe& drives)
    : m_fs(fs), m_drives(drives), m_pid(::getpid()), m_user(::geteuid())
{
}

std::string TemporaryFiles::newName(const std::string& target)
{
    return partialName(m_pid, ++m_serial, target);
}

int TemporaryFiles::create(const DriveAbilities& drive, int folder, const std::string& target, mode_t mode,
                           std::string& name)
{
    name = newName(target);
    int fd = m_fs.openAt(folder, name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
    if (fd < 0) {
        name.clear();
        return fd;
    }
    // Held until the file has its name: a sweep by another copy leaves it alone.
    int r = m_fs.lockFile(fd, true);
    m_fs.setXattr(fd, kPartialMark, "1");
    if (r != 0) {
        m_fs.close(fd);
        discard(folder, name);
        name.clear();
        return r;
    }
    setHidden(m_fs, drive, fd, true);
    return fd;
}

void TemporaryFiles::unmark(const DriveAbilities& drive, int fd)
{
    m_fs.removeXattr(fd, kPartialMark);
    setHidden(m_fs, drive, fd, false);
}

int TemporaryFiles::publish(const DriveAbilities& drive, int folder, const std::string& temp,
                            const std::string& target)
{
    return renameWithoutReplacing(m_fs, drive, folder, temp, folder, target);
}

int TemporaryFiles::replace(int folder, const std::string& temp, const std::string& target)
{
    return m_fs.renameAt(folder, temp, folder, target, false);
}

int TemporaryFiles::linkReplacing(int fd, int folder, const std::string& target)
{
    const std::string temp = newName(target);
    int r = m_fs.linkFileAt(fd, folder, temp);
    if (r == 0 && (r = replace(folder, temp, target)) != 0)
        discard(folder, temp);
    return r;
}

void TemporaryFiles::discard(int folder, const std::string& temp)
{
    m_fs.unlinkAt(folder, temp, 0);
}

void TemporaryFiles::sweep(int folder)
{
    std::vector<DirEntry> entries;
    if (m_fs.listDirectoryAt(folder, entries) != 0)
        return;
    struct stat here {};
    const bool marked = m_fs.fstat(folder, &here) != 0 || m_drives.known(here.st_dev).xattrs;
    std::string mark;
    for (const DirEntry& e : entries) {
        if (!partialOwner(e.name))
            continue;
        UniqueFd fd(m_fs, m_fs.openAt(folder, e.name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK));
        if (!fd)
            continue;
        struct stat held {};
        struct stat named {};
        if (m_fs.fstat(fd.get(), &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == m_user
            && (!marked || m_fs.getXattr(fd.get(), kPartialMark, mark) == 0)
            && m_fs.lockFile(fd.get(), false) == 0 && m_fs.statAt(folder, e.name, &named) == 0
            && named.st_ino == held.st_ino && named.st_dev == held.st_dev)
            m_fs.unlinkAt(folder, e.name, 0);
    }
}

} // namespace shell
