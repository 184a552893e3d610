#include "platform/shell/PosixFileSystem.h"

#include "platform/shell/CopyNaming.h"
#include "platform/shell/Trash.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace shell {

namespace {

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

int PosixFileSystem::chmod(const std::string& path, mode_t mode)
{
    return checked(::chmod(path.c_str(), mode));
}

int PosixFileSystem::setTimes(const std::string& path, const struct timespec times[2])
{
    return checked(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW));
}

int PosixFileSystem::futimens(int fd, const struct timespec times[2])
{
    return checked(::futimens(fd, times));
}

int PosixFileSystem::openTempFile(const std::string& path, mode_t mode)
{
    return restarting([&] { return ::open(parentOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode); });
}

int PosixFileSystem::linkTempFile(int fd, const std::string& path)
{
    // Closing a second descriptor runs the file system's flush, which is where some
    // report writes that failed; the file must not get a name if they did.
    int probe = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (probe < 0)
        return -errno;
    if (::close(probe) != 0 && errno != EINTR)
        return -errno;
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, procPath, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0)
        return -errno;
    // No /proc: naming the descriptor itself works for privileged processes only.
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    return errno == ENOENT || errno == EPERM ? -EOPNOTSUPP : -errno;
}

int PosixFileSystem::fsync(int fd)
{
    return restarting([&] { return ::fsync(fd); });
}

int PosixFileSystem::syncfs(int fd)
{
    return checked(::syncfs(fd));
}

int PosixFileSystem::statvfs(const std::string& path, struct statvfs* st)
{
    return restarting([&] { return ::statvfs(path.c_str(), st); });
}

int PosixFileSystem::mkdir(const std::string& path, mode_t mode)
{
    return checked(::mkdir(path.c_str(), mode));
}

int PosixFileSystem::rmdir(const std::string& path)
{
    return checked(::rmdir(path.c_str()));
}

int PosixFileSystem::unlink(const std::string& path)
{
    return checked(::unlink(path.c_str()));
}

int PosixFileSystem::rename(const std::string& from, const std::string& to)
{
    return checked(::rename(from.c_str(), to.c_str()));
}

int PosixFileSystem::renameNoReplace(const std::string& from, const std::string& to)
{
    int result = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (result == 0 || (errno != EINVAL && errno != ENOSYS))
        return checked(result);
    // A file system without the flag: a hard link fails on an existing name just the same.
    if (::link(from.c_str(), to.c_str()) != 0)
        return -errno;
    ::unlink(from.c_str());
    return 0;
}

int PosixFileSystem::symlink(const std::string& target, const std::string& path)
{
    return checked(::symlink(target.c_str(), path.c_str()));
}

int PosixFileSystem::readlink(const std::string& path, std::string& target)
{
    std::string buffer(256, '\0');
    for (;;) {
        ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
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

int PosixFileSystem::mkfifo(const std::string& path, mode_t mode)
{
    return checked(::mkfifo(path.c_str(), mode));
}

int PosixFileSystem::listDirectory(const std::string& path, std::vector<DirEntry>& entries)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return -errno;
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

int PosixFileSystem::realPath(const std::string& path, std::string& resolved)
{
    char* result = ::realpath(path.c_str(), nullptr);
    if (!result)
        return -errno;
    resolved = result;
    std::free(result);
    return 0;
}

int PosixFileSystem::moveToTrash(const std::string& path)
{
    return moveItemToTrash(path);
}

bool PosixFileSystem::processAlive(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace shell
