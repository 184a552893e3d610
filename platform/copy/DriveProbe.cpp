#include "platform/copy/DriveProbe.h"

#include "platform/copy/fs/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace shell {

namespace {

constexpr const char* kProbeAttribute = "user.quintaro.probe";

// Errors that say the file system lacks the call, not that this item is refused.
bool lacking(int error)
{
    return error == -EINVAL || error == -ENOSYS || error == -EOPNOTSUPP || error == -ENOTSUP
           || error == -EPERM || error == -EMLINK || error == -EXDEV;
}

std::string upper(std::string name)
{
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

// The first way of keeping DOS attributes that the drive answers for the open file fd.
DosAttributes dosAttributesOf(FileSystem& fs, int fd)
{
    std::uint32_t attributes = 0;
    for (DosAttributes way : {DosAttributes::FatIoctl, DosAttributes::NtfsXattr}) {
        if (fs.getDosAttributes(fd, way, attributes) == 0)
            return way;
    }
    return DosAttributes::None;
}

} // namespace

DriveAbilities probeAbilities(FileSystem& fs, int dirfd, const std::string& scratch)
{
    DriveAbilities drive;
    {
        const UniqueFd unnamed(fs, fs.openTempFileAt(dirfd, scratch, 0600));
        drive.unnamedFiles = unnamed || !(lacking(unnamed.error()) || unnamed.error() == -EISDIR);
    }
    UniqueFd file(fs, fs.openAt(dirfd, scratch, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600));
    if (!file)
        return drive;
    const int fd = file.get();
    struct stat st {};
    // Some drives take chmod and keep nothing (exFAT), some refuse it (bindfs, gvfs).
    drive.modes = fs.fchmod(fd, 0640) == 0 && fs.fstat(fd, &st) == 0 && (st.st_mode & 0777) == 0640;
    drive.owners = fs.fchown(fd, ::geteuid(), ::getegid()) == 0;
    drive.xattrs = fs.setXattr(fd, kProbeAttribute, "1") == 0;
    if (drive.xattrs)
        fs.removeXattr(fd, kProbeAttribute);
    // Only where files are written under temporary names is there one to hide.
    if (!drive.unnamedFiles)
        drive.dosAttributes = dosAttributesOf(fs, fd);
    // The scratch name is this program's own: in capitals it can only be found as the
    // same file (whose inode number FUSE drives may report differently by each name).
    const std::string shouted = upper(scratch);
    struct stat other {};
    drive.caseSensitive = shouted == scratch || fs.statAt(dirfd, shouted, &other) != 0;

    // The scratch file moves under a second name, so a link through the open file
    // tries what a file's later names need when its first name was a temporary one.
    const std::string moved = scratch + "-m";
    int r = fs.renameAt(dirfd, scratch, dirfd, moved, true);
    drive.renameNoReplace = !(r == -EINVAL || r == -ENOSYS);
    std::string name = r == 0 ? moved : scratch;
    if (r != 0 && fs.renameAt(dirfd, scratch, dirfd, moved, false) == 0)
        name = moved;
    const std::string linked = scratch + "-l";
    r = fs.linkAt(dirfd, name, dirfd, linked);
    drive.hardLinks = r == 0 || !lacking(r);
    if (r == 0)
        fs.unlinkAt(dirfd, linked, 0);
    r = fs.linkFileAt(fd, dirfd, linked);
    drive.handleLinks = r == 0 || !(lacking(r) || r == -ENOENT);
    if (r == 0)
        fs.unlinkAt(dirfd, linked, 0);
    file.reset();
    fs.unlinkAt(dirfd, name, 0);

    r = fs.symlinkAt(scratch, dirfd, linked);
    drive.symlinks = r == 0 || !lacking(r);
    if (r == 0)
        fs.unlinkAt(dirfd, linked, 0);
    // One character is enough to tell: such drives refuse the whole set.
    UniqueFd odd(fs, fs.openAt(dirfd, scratch + ":", O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600));
    const int refused = odd.error();
    drive.windowsNames = !odd && refused != -EEXIST && refused != -EACCES && refused != -ENOSPC;
    if (odd) {
        odd.reset();
        fs.unlinkAt(dirfd, scratch + ":", 0);
    }
    return drive;
}

DriveAbilities DriveProbe::of(int dirfd, const std::string& scratch)
{
    struct stat st {};
    if (m_fs.fstat(dirfd, &st) != 0)
        return {};
    std::lock_guard lock(m_lock);
    auto it = m_drives.find(st.st_dev);
    if (it == m_drives.end())
        it = m_drives.emplace(st.st_dev, probeAbilities(m_fs, dirfd, scratch)).first;
    return it->second;
}

DriveAbilities DriveProbe::of(dev_t device, int dirfd, const std::function<std::string()>& scratch)
{
    std::lock_guard lock(m_lock);
    auto it = m_drives.find(device);
    if (it == m_drives.end())
        it = m_drives.emplace(device, probeAbilities(m_fs, dirfd, scratch())).first;
    return it->second;
}

DriveAbilities DriveProbe::known(dev_t device)
{
    std::lock_guard lock(m_lock);
    auto it = m_drives.find(device);
    return it == m_drives.end() ? DriveAbilities{} : it->second;
}

void DriveProbe::noteNoRenameFlags(dev_t device)
{
    std::lock_guard lock(m_lock);
    m_drives[device].renameNoReplace = false;
}

void DriveProbe::noteNoHandleLinks(dev_t device)
{
    std::lock_guard lock(m_lock);
    m_drives[device].handleLinks = false;
}

} // namespace shell
