#include "support/FaultyFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace {

// The real ring with FaultyFileSystem's faults: lengths capped, requests failed,
// completions held back and handed over reversed or one at a time.
class FaultyRing : public shell::IoRing {
public:
    FaultyRing(FaultyFileSystem& fs, std::unique_ptr<shell::IoRing> real) : m_fs(fs), m_real(std::move(real))
    {
    }
    ~FaultyRing() override { m_fs.ringLeftInFlight += static_cast<int>(m_outstanding); }

    unsigned entries() const override { return m_real->entries(); }

    bool queueRead(int fd, void* buffer, unsigned length, off_t offset, std::uint64_t tag) override
    {
        length = std::min(length, m_fs.ringReadCap.value_or(length));
        return queue(fd, false, tag, [&] { return m_real->queueRead(fd, buffer, length, offset, tag); });
    }

    bool queueWrite(int fd, const void* buffer, unsigned length, off_t offset, std::uint64_t tag) override
    {
        length = std::min(length, m_fs.ringWriteCap.value_or(length));
        return queue(fd, true, tag, [&] { return m_real->queueWrite(fd, buffer, length, offset, tag); });
    }

    int submit() override
    {
        int taken = m_queued == 0 ? 0 : m_real->submit();
        if (taken < 0)
            return taken;
        m_inReal += static_cast<unsigned>(taken);
        taken += static_cast<int>(m_failing.size());
        m_outstanding += static_cast<unsigned>(taken);
        m_queued = 0;
        for (const Completion& failed : m_failing)
            m_held.push_back(failed);
        m_failing.clear();
        if (m_fs.cancelInFlight && m_outstanding != 0)
            m_fs.cancelInFlight->cancel();
        return taken;
    }

    int wait(std::vector<Completion>& completions) override
    {
        if (m_ready.empty()) {
            std::vector<Completion> got;
            while (m_inReal != 0 && (m_fs.ringReversed || got.empty())) {
                const size_t before = got.size();
                if (int r = m_real->wait(got); r != 0)
                    return r;
                m_inReal -= static_cast<unsigned>(got.size() - before);
            }
            got.insert(got.end(), m_held.begin(), m_held.end());
            m_held.clear();
            if (m_fs.ringReversed)
                std::reverse(got.begin(), got.end());
            m_ready.insert(m_ready.end(), got.begin(), got.end());
        }
        const size_t count = m_fs.ringOnePerWait ? std::min<size_t>(1, m_ready.size()) : m_ready.size();
        completions.insert(completions.end(), m_ready.begin(), m_ready.begin() + static_cast<long>(count));
        m_ready.erase(m_ready.begin(), m_ready.begin() + static_cast<long>(count));
        m_outstanding -= static_cast<unsigned>(count);
        return 0;
    }

    int cancelAll() override
    {
        ++m_fs.ringCancels;
        return m_inReal != 0 ? m_real->cancelAll() : 0;
    }

private:
    template <typename Real> bool queue(int fd, bool write, std::uint64_t tag, Real real)
    {
        if (int error = m_fs.ringFault(fd, write); error != 0) {
            m_failing.push_back({tag, error});
            return true;
        }
        if (!real())
            return false;
        ++m_queued;
        ++m_fs.ringRequests;
        return true;
    }

    FaultyFileSystem& m_fs;
    std::unique_ptr<shell::IoRing> m_real;
    unsigned m_queued = 0;             // queued on the real ring, not submitted
    unsigned m_inReal = 0;             // submitted to the real ring, not collected from it
    unsigned m_outstanding = 0;        // submitted, not handed over
    std::vector<Completion> m_failing; // failed requests not yet submitted
    std::vector<Completion> m_held;    // failed requests submitted
    std::vector<Completion> m_ready;   // collected, not yet handed over
};

} // namespace

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

int FaultyFileSystem::fstatfs(int fd, struct statfs* st)
{
    int r = PosixFileSystem::fstatfs(fd, st);
    if (r == 0 && fileSystemType)
        st->f_type = static_cast<decltype(st->f_type)>(*fileSystemType);
    if (r == 0 && readOnlyMount)
        st->f_flags |= ST_RDONLY;
    return r;
}

int FaultyFileSystem::moveToTrashAt(int dirfd, const std::string& name, bool syncRecord)
{
    {
        std::lock_guard lock(m_lock);
        if (fires(trashFault, pathAt(dirfd, name)))
            return trashFault->error;
    }
    int r = PosixFileSystem::moveToTrashAt(dirfd, name, syncRecord);
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
    int fd = PosixFileSystem::openTempFileAt(dirfd, name, mode);
    if (fd >= 0) {
        // Known by the name it is meant to get, so faults on that name reach its writes.
        std::lock_guard lock(m_lock);
        m_paths[fd] = path;
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
    int r = PosixFileSystem::linkFileAt(fd, dirfd, name);
    if (r == 0)
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

std::unique_ptr<shell::IoRing> FaultyFileSystem::openRing(unsigned entries, int& error)
{
    ++ringsOpened;
    if (ringRefusal) {
        error = *ringRefusal;
        return nullptr;
    }
    std::unique_ptr<shell::IoRing> real = PosixFileSystem::openRing(entries, error);
    if (!real)
        return nullptr;
    return std::make_unique<FaultyRing>(*this, std::move(real));
}

int FaultyFileSystem::ringFault(int fd, bool write)
{
    std::lock_guard lock(m_lock);
    std::optional<Fault>& fault = write ? writeFault : readFault;
    return fires(fault, pathOf(fd)) ? fault->error : 0;
}
