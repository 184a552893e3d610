#include "platform/copy/fs/PosixFileSystem.h"

#include "platform/copy/fs/Paths.h"
#include "platform/copy/fs/Trash.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/msdos_fs.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace shell {

namespace {

// NTFS file attributes in big-endian order, as ntfs-3g and the kernel's ntfs3 both offer them.
constexpr const char* kNtfsAttributes = "system.ntfs_attrib_be";

// Minus errno when the call failed, its own value otherwise.
template <typename T> T checked(T result)
{
    return result < 0 ? static_cast<T>(-errno) : result;
}

// Interrupted calls are restarted so the engine never sees EINTR.
template <typename F> auto restarting(F call)
{
    for (;;) {
        auto result = call();
        if (result >= 0 || errno != EINTR)
            return checked(result);
    }
}

// Every entry but "." and "..", then closes the listing; 0 or minus errno.
int readAndClose(DIR* dir, std::vector<DirEntry>& entries)
{
    entries.clear();
    errno = 0;
    while (dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.' && (e->d_name[1] == '\0' || (e->d_name[1] == '.' && e->d_name[2] == '\0')))
            continue;
        entries.push_back({e->d_name});
    }
    int error = errno;
    ::closedir(dir);
    return -error;
}

} // namespace

int PosixFileSystem::open(const std::string& path, int flags, mode_t mode)
{
    return restarting([&] { return ::open(path.c_str(), flags | O_CLOEXEC, mode); });
}

int PosixFileSystem::close(int fd)
{
    // Linux releases the descriptor even when close reports EINTR, so it is never retried.
    return checked(::close(fd));
}

ssize_t PosixFileSystem::pread(int fd, void* buf, size_t count, off_t offset)
{
    return restarting([&] { return ::pread(fd, buf, count, offset); });
}

ssize_t PosixFileSystem::pwrite(int fd, const void* buf, size_t count, off_t offset)
{
    return restarting([&] { return ::pwrite(fd, buf, count, offset); });
}

ssize_t PosixFileSystem::copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset, size_t count)
{
    return restarting([&] { return ::copy_file_range(in, inOffset, out, outOffset, count, 0); });
}

int PosixFileSystem::cloneFile(int out, int in)
{
    return checked(::ioctl(out, FICLONE, in));
}

off_t PosixFileSystem::seek(int fd, off_t offset, int whence)
{
    return checked(::lseek(fd, offset, whence));
}

int PosixFileSystem::ftruncate(int fd, off_t length)
{
    return restarting([&] { return ::ftruncate(fd, length); });
}

int PosixFileSystem::fstat(int fd, struct stat* st)
{
    return checked(::fstat(fd, st));
}

int PosixFileSystem::stat(const std::string& path, struct stat* st)
{
    return checked(::stat(path.c_str(), st));
}

int PosixFileSystem::lstat(const std::string& path, struct stat* st)
{
    return checked(::lstat(path.c_str(), st));
}

int PosixFileSystem::fchmod(int fd, mode_t mode)
{
    return checked(::fchmod(fd, mode));
}

int PosixFileSystem::futimens(int fd, const struct timespec times[2])
{
    return checked(::futimens(fd, times));
}

int PosixFileSystem::fsync(int fd)
{
    return restarting([&] { return ::fsync(fd); });
}

int PosixFileSystem::syncfs(int fd)
{
    return checked(::syncfs(fd));
}

int PosixFileSystem::syncRange(int fd, off_t offset, off_t length, unsigned flags)
{
    return restarting([&] { return ::sync_file_range(fd, offset, length, flags); });
}

int PosixFileSystem::dropCachedData(int fd)
{
    // posix_fadvise returns the error instead of setting errno.
    return -::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
}

int PosixFileSystem::statvfs(const std::string& path, struct statvfs* st)
{
    return restarting([&] { return ::statvfs(path.c_str(), st); });
}

int PosixFileSystem::fstatfs(int fd, struct statfs* st)
{
    return restarting([&] { return ::fstatfs(fd, st); });
}

int PosixFileSystem::mkdir(const std::string& path, mode_t mode)
{
    return checked(::mkdir(path.c_str(), mode));
}

int PosixFileSystem::listDirectory(const std::string& path, std::vector<DirEntry>& entries)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return -errno;
    return readAndClose(dir, entries);
}

int PosixFileSystem::realPath(const std::string& path, std::string& resolved)
{
    char* result = ::realpath(path.c_str(), nullptr);
    if (!result)
        return -errno;
    resolved = result;
    std::free(result);
    return 0;
}

int PosixFileSystem::openAt(int dirfd, const std::string& name, int flags, mode_t mode)
{
    return restarting([&] { return ::openat(dirfd, name.c_str(), flags | O_CLOEXEC, mode); });
}

int PosixFileSystem::statAt(int dirfd, const std::string& name, struct stat* st)
{
    return checked(::fstatat(dirfd, name.c_str(), st, AT_SYMLINK_NOFOLLOW));
}

int PosixFileSystem::mkdirAt(int dirfd, const std::string& name, mode_t mode)
{
    return checked(::mkdirat(dirfd, name.c_str(), mode));
}

int PosixFileSystem::unlinkAt(int dirfd, const std::string& name, int flags)
{
    return checked(::unlinkat(dirfd, name.c_str(), flags));
}

int PosixFileSystem::renameAt(int fromDir, const std::string& from, int toDir, const std::string& to,
                              bool noReplace)
{
    if (!noReplace)
        return checked(::renameat(fromDir, from.c_str(), toDir, to.c_str()));
    return checked(::renameat2(fromDir, from.c_str(), toDir, to.c_str(), RENAME_NOREPLACE));
}

int PosixFileSystem::linkAt(int fromDir, const std::string& from, int toDir, const std::string& to)
{
    return checked(::linkat(fromDir, from.c_str(), toDir, to.c_str(), 0));
}

int PosixFileSystem::symlinkAt(const std::string& target, int dirfd, const std::string& name)
{
    return checked(::symlinkat(target.c_str(), dirfd, name.c_str()));
}

int PosixFileSystem::readlinkAt(int dirfd, const std::string& name, std::string& target)
{
    std::string buffer(256, '\0');
    for (;;) {
        ssize_t n = ::readlinkat(dirfd, name.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return -errno;
        if (static_cast<size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<size_t>(n));
            target = std::move(buffer);
            return 0;
        }
        buffer.resize(buffer.size() * 2);
    }
}

int PosixFileSystem::mkfifoAt(int dirfd, const std::string& name, mode_t mode)
{
    return checked(::mkfifoat(dirfd, name.c_str(), mode));
}

int PosixFileSystem::listDirectoryAt(int dirfd, std::vector<DirEntry>& entries)
{
    // A descriptor of its own for closedir to close. A copy, not a fresh open of ".",
    // which would need the right to search the folder and not only to read it.
    int own = ::fcntl(dirfd, F_DUPFD_CLOEXEC, 0);
    if (own < 0)
        return -errno;
    DIR* dir = ::fdopendir(own);
    if (!dir) {
        int error = errno;
        ::close(own);
        return -error;
    }
    ::rewinddir(dir); // the copy shares its position with dirfd: listed again from the start
    return readAndClose(dir, entries);
}

int PosixFileSystem::chownAt(int dirfd, const std::string& name, uid_t owner, gid_t group)
{
    return checked(::fchownat(dirfd, name.c_str(), owner, group, AT_SYMLINK_NOFOLLOW));
}

int PosixFileSystem::chmodAt(int dirfd, const std::string& name, mode_t mode)
{
    // Never through a link: a link put in its place meanwhile fails instead.
    return checked(::fchmodat(dirfd, name.c_str(), mode, AT_SYMLINK_NOFOLLOW));
}

int PosixFileSystem::setTimesAt(int dirfd, const std::string& name, const struct timespec times[2])
{
    return checked(::utimensat(dirfd, name.c_str(), times, AT_SYMLINK_NOFOLLOW));
}

int PosixFileSystem::fchown(int fd, uid_t owner, gid_t group)
{
    return checked(::fchown(fd, owner, group));
}

int PosixFileSystem::openTempFileAt(int dirfd, const std::string& name, mode_t mode)
{
    (void)name;
    return restarting([&] { return ::openat(dirfd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode); });
}

int PosixFileSystem::flushFile(int fd)
{
    // Closing a second descriptor runs the file system's flush.
    int probe = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (probe < 0)
        return -errno;
    if (::close(probe) != 0 && errno != EINTR)
        return -errno;
    return 0;
}

int PosixFileSystem::linkFileAt(int fd, int dirfd, const std::string& name)
{
    // Some file systems report writes that failed only at the flush; the file must
    // not get a name if they did.
    if (int r = flushFile(fd); r != 0)
        return r;
    // Naming the descriptor itself saves looking up its /proc link; the kernel allows it to
    // privileged processes, and newer kernels to the one that opened the file. Once refused,
    // it is not tried again.
    static std::atomic<bool> emptyPathRefused{false};
    if (!emptyPathRefused.load(std::memory_order_relaxed)) {
        if (::linkat(fd, "", dirfd, name.c_str(), AT_EMPTY_PATH) == 0)
            return 0;
        if (errno != ENOENT && errno != EPERM && errno != EINVAL)
            return -errno;
        emptyPathRefused.store(true, std::memory_order_relaxed);
    }
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, procPath, dirfd, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0)
        return -errno;
    // No /proc: naming the descriptor itself works for privileged processes only.
    if (::linkat(fd, "", dirfd, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    return errno == ENOENT || errno == EPERM ? -EOPNOTSUPP : -errno;
}

int PosixFileSystem::listXattrs(int fd, std::string& names)
{
    for (;;) {
        ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size <= 0) {
            names.clear();
            return size < 0 ? -errno : 0;
        }
        names.resize(static_cast<size_t>(size));
        size = ::flistxattr(fd, names.data(), names.size());
        if (size >= 0) {
            names.resize(static_cast<size_t>(size));
            return 0;
        }
        if (errno != ERANGE) // grown meanwhile: ask again
            return -errno;
    }
}

int PosixFileSystem::getXattr(int fd, const std::string& name, std::string& value)
{
    for (;;) {
        ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size < 0)
            return -errno;
        value.resize(static_cast<size_t>(size));
        size = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (size >= 0) {
            value.resize(static_cast<size_t>(size));
            return 0;
        }
        if (errno != ERANGE)
            return -errno;
    }
}

int PosixFileSystem::setXattr(int fd, const std::string& name, const std::string& value)
{
    return checked(::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0));
}

int PosixFileSystem::removeXattr(int fd, const std::string& name)
{
    return checked(::fremovexattr(fd, name.c_str()));
}

int PosixFileSystem::getDosAttributes(int fd, DosAttributes way, std::uint32_t& attributes)
{
    if (way == DosAttributes::FatIoctl) {
        __u32 value = 0;
        if (::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &value) != 0)
            return -errno;
        attributes = value;
        return 0;
    }
    if (way != DosAttributes::NtfsXattr)
        return -EOPNOTSUPP;
    unsigned char bytes[4] = {};
    const ssize_t size = ::fgetxattr(fd, kNtfsAttributes, bytes, sizeof bytes);
    if (size < 0)
        return -errno;
    if (size != sizeof bytes)
        return -EINVAL;
    attributes = std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8
                 | std::uint32_t{bytes[3]};
    return 0;
}

int PosixFileSystem::setDosAttributes(int fd, DosAttributes way, std::uint32_t attributes)
{
    if (way == DosAttributes::FatIoctl) {
        const __u32 value = attributes;
        return checked(::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &value));
    }
    if (way != DosAttributes::NtfsXattr)
        return -EOPNOTSUPP;
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(attributes >> 24), static_cast<unsigned char>(attributes >> 16),
        static_cast<unsigned char>(attributes >> 8), static_cast<unsigned char>(attributes)};
    return checked(::fsetxattr(fd, kNtfsAttributes, bytes, sizeof bytes, 0));
}

int PosixFileSystem::lockFile(int fd, bool wait)
{
    return restarting([&] { return ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)); });
}

int PosixFileSystem::moveToTrashAt(int dirfd, const std::string& name, bool syncRecord, std::string* trashedAs)
{
    return moveItemToTrashAt(dirfd, name, syncRecord ? TrashRecord::Synced : TrashRecord::Flushed, trashedAs);
}

} // namespace shell
