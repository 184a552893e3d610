#include "support/FaultyFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

bool FaultyFileSystem::fires(std::optional<Fault>& fault, const std::string& path)
{
    if (!fault || fault->times == 0 || path.find(fault->match) == std::string::npos)
        return false;
    if (fault->times > 0)
        --fault->times;
    return true;
}

std::string FaultyFileSystem::pathAt(int dirfd, const std::string& name)
{
    char buffer[4096];
    ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(dirfd)).c_str(), buffer, sizeof buffer);
    std::string folder = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
    return name.empty() ? folder : folder + "/" + name;
}

std::string FaultyFileSystem::pathOf(int fd)
{
    auto it = m_paths.find(fd);
    return it == m_paths.end() ? pathAt(fd) : it->second;
}

int FaultyFileSystem::open(const std::string& path, int flags, mode_t mode)
{
    {
        std::lock_guard lock(m_lock);
        if (fires(openFault, path))
            return openFault->error;
    }
    int fd = PosixFileSystem::open(path, flags, mode);
    if (fd >= 0) {
        std::lock_guard lock(m_lock);
        m_paths[fd] = path;
    }
    return fd;
}

int FaultyFileSystem::close(int fd)
{
    {
        std::lock_guard lock(m_lock);
        m_paths.erase(fd);
        m_unnamed.erase(fd);
    }
    return PosixFileSystem::close(fd);
}

int FaultyFileSystem::beforeRead(int fd)
{
    std::lock_guard lock(m_lock);
    return fires(readFault, pathOf(fd)) ? readFault->error : 0;
}

void FaultyFileSystem::afterRead(int fd)
{
    std::unique_lock lock(m_lock);
    std::string path = pathOf(fd);
    if (whenRead) {
        auto hook = whenRead;
        lock.unlock();
        hook(path);
        lock.lock();
    }
    if (!vanishMatch.empty() && path.find(vanishMatch) != std::string::npos) {
        ::unlink(path.c_str());
        vanishMatch.clear();
    }
}

int FaultyFileSystem::beforeWrite(int fd, size_t& count)
{
    std::lock_guard lock(m_lock);
    if (fires(writeFault, pathOf(fd)))
        return writeFault->error;
    if (spaceLeft) {
        if (*spaceLeft <= 0)
            return -ENOSPC;
        count = std::min<size_t>(count, static_cast<size_t>(*spaceLeft));
        *spaceLeft -= static_cast<std::int64_t>(count);
    }
    return 0;
}

void FaultyFileSystem::afterWrite()
{
    if (cancelAfterWrite)
        cancelAfterWrite->cancel();
}

ssize_t FaultyFileSystem::pread(int fd, void* buf, size_t count, off_t offset)
{
    if (int e = beforeRead(fd); e != 0)
        return e;
    ssize_t n = PosixFileSystem::pread(fd, buf, count, offset);
    afterRead(fd);
    return n;
}

ssize_t FaultyFileSystem::pwrite(int fd, const void* buf, size_t count, off_t offset)
{
    if (int e = beforeWrite(fd, count); e != 0)
        return e;
    ssize_t n = PosixFileSystem::pwrite(fd, buf, count, offset);
    afterWrite();
    return n;
}

ssize_t FaultyFileSystem::copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset, size_t count)
{
    if (!kernelCopy)
        return -EXDEV;
    // The kernel may copy less than asked; small steps also let faults land mid-file.
    count = std::min<size_t>(count, size_t{1} << 20);
    if (int e = beforeRead(in); e != 0)
        return e;
    if (int e = beforeWrite(out, count); e != 0)
        return e;
    ssize_t n = PosixFileSystem::copyFileRange(in, inOffset, out, outOffset, count);
    afterRead(in);
    afterWrite();
    return n;
}

int FaultyFileSystem::statvfs(const std::string& path, struct statvfs* st)
{
    int r = PosixFileSystem::statvfs(path, st);
    if (r == 0 && freeBytes)
        st->f_bavail = static_cast<fsblkcnt_t>(*freeBytes / st->f_frsize);
    if (r == 0 && readOnlyMount)
        st->f_flag |= ST_RDONLY;
    return r;
}

int FaultyFileSystem::syncRange(int fd, off_t offset, off_t length, unsigned flags)
{
    int r = PosixFileSystem::syncRange(fd, offset, length, flags);
    if (r == 0 && (flags & SYNC_FILE_RANGE_WAIT_AFTER) != 0)
        bytesOnDevice += length;
    else if (r == 0)
        bytesSent += length;
    const std::int64_t ahead = bytesSent - bytesOnDevice;
    if (ahead > mostInFlight)
        mostInFlight = ahead;
    return r;
}

int FaultyFileSystem::dropCachedData(int fd)
{
    bool change = false;
    {
        std::lock_guard lock(m_lock);
        change = fires(changeBeforeReadBack, pathOf(fd));
    }
    char first = 0;
    if (change && PosixFileSystem::pread(fd, &first, 1, 0) == 1) {
        first = static_cast<char>(~first);
        PosixFileSystem::pwrite(fd, &first, 1, 0);
    }
    ++cachesDropped;
    return PosixFileSystem::dropCachedData(fd);
}

int FaultyFileSystem::fstatfs(int fd, struct statfs* st)
{
    int r = PosixFileSystem::fstatfs(fd, st);
    if (r == 0 && fileSystemType)
        st->f_type = static_cast<decltype(st->f_type)>(*fileSystemType);
    if (r == 0 && readOnlyMount)
        st->f_flags |= ST_RDONLY;
    return r;
}

int FaultyFileSystem::moveToTrashAt(int dirfd, const std::string& name, bool syncRecord,
                                    std::string* trashedAs)
{
    {
        std::lock_guard lock(m_lock);
        if (fires(trashFault, pathAt(dirfd, name)))
            return trashFault->error;
    }
    int r = PosixFileSystem::moveToTrashAt(dirfd, name, syncRecord, trashedAs);
    if (r == 0)
        ++(syncRecord ? trashRecordsSynced : trashRecordsLeftToFlush);
    return r;
}

int FaultyFileSystem::openAt(int dirfd, const std::string& name, int flags, mode_t mode)
{
    const std::string path = pathAt(dirfd, name);
    {
        std::lock_guard lock(m_lock);
        if (fires(openFault, path))
            return openFault->error;
    }
    if (int r = refusal("colon"); r != 0 && (flags & O_CREAT) != 0 && name.find(':') != std::string::npos)
        return r;
    int fd = PosixFileSystem::openAt(dirfd, name, flags, mode);
    if (fd >= 0 && whenOpened)
        whenOpened(path);
    return fd;
}

int FaultyFileSystem::statAt(int dirfd, const std::string& name, struct stat* st)
{
    {
        std::lock_guard lock(m_lock);
        if (fires(statFault, pathAt(dirfd, name)))
            return statFault->error;
    }
    return PosixFileSystem::statAt(dirfd, name, st);
}

int FaultyFileSystem::syncfs(int fd)
{
    if (whenSyncing)
        whenSyncing();
    {
        std::lock_guard lock(m_lock);
        if (fires(syncFault, pathOf(fd)))
            return syncFault->error;
    }
    ++fileSystemsSynced;
    return PosixFileSystem::syncfs(fd);
}

int FaultyFileSystem::fsync(int fd)
{
    {
        std::lock_guard lock(m_lock);
        if (fires(syncFault, pathOf(fd)))
            return syncFault->error;
    }
    ++filesSynced;
    return PosixFileSystem::fsync(fd);
}

int FaultyFileSystem::openTempFileAt(int dirfd, const std::string& name, mode_t mode)
{
    const std::string path = pathAt(dirfd, name);
    {
        std::lock_guard lock(m_lock);
        if (fires(tmpFileFault, path))
            return tmpFileFault->error;
    }
    if (int r = refusal("tmpfile"); r != 0)
        return r;
    int fd = PosixFileSystem::openTempFileAt(dirfd, name, mode);
    if (fd >= 0) {
        // Known by the name it is meant to get, so faults on that name reach its writes.
        std::lock_guard lock(m_lock);
        m_paths[fd] = path;
        m_unnamed.insert(fd);
    }
    return fd;
}

int FaultyFileSystem::linkFileAt(int fd, int dirfd, const std::string& name)
{
    const std::string path = pathAt(dirfd, name);
    {
        std::lock_guard lock(m_lock);
        if (fires(linkFault, path))
            return linkFault->error;
        if (!appearBeforeLink.empty() && path.find(appearBeforeLink) != std::string::npos) {
            std::ofstream(path, std::ios::binary) << "intruder";
            appearBeforeLink.clear();
        }
    }
    if (int r = refusal("link"); r != 0)
        return r;
    int r = PosixFileSystem::linkFileAt(fd, dirfd, name);
    std::lock_guard lock(m_lock);
    if (r == 0 && m_unnamed.count(fd) != 0)
        ++filesLinked;
    return r;
}

int FaultyFileSystem::futimens(int fd, const struct timespec times[2])
{
    {
        std::lock_guard lock(m_lock);
        if (fires(timesFault, pathOf(fd)))
            return timesFault->error;
    }
    return PosixFileSystem::futimens(fd, times);
}

int FaultyFileSystem::refusal(const char* call) const
{
    auto it = refusedCalls.find(call);
    return it == refusedCalls.end() ? 0 : it->second;
}

int FaultyFileSystem::renameAt(int fromDir, const std::string& from, int toDir, const std::string& to,
                               bool noReplace)
{
    if (int r = noReplace ? refusal("renameNoReplace") : 0; r != 0)
        return r;
    return PosixFileSystem::renameAt(fromDir, from, toDir, to, noReplace);
}

int FaultyFileSystem::linkAt(int fromDir, const std::string& from, int toDir, const std::string& to)
{
    if (int r = refusal("link"); r != 0)
        return r;
    return PosixFileSystem::linkAt(fromDir, from, toDir, to);
}

int FaultyFileSystem::symlinkAt(const std::string& target, int dirfd, const std::string& name)
{
    if (int r = refusal("symlink"); r != 0)
        return r;
    return PosixFileSystem::symlinkAt(target, dirfd, name);
}

int FaultyFileSystem::fchmod(int fd, mode_t mode)
{
    if (int r = refusal("chmod"); r != 0)
        return r;
    return PosixFileSystem::fchmod(fd, mode);
}

int FaultyFileSystem::chmodAt(int dirfd, const std::string& name, mode_t mode)
{
    if (int r = refusal("chmod"); r != 0)
        return r;
    return PosixFileSystem::chmodAt(dirfd, name, mode);
}

int FaultyFileSystem::setXattr(int fd, const std::string& name, const std::string& value)
{
    if (int r = refusal("xattr"); r != 0)
        return r;
    return PosixFileSystem::setXattr(fd, name, value);
}
