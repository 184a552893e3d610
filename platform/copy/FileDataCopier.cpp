#include "platform/copy/FileDataCopier.h"

#include "platform/copy/CopyErrors.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace shell {

namespace {

// Big enough to keep the disk streaming, small enough that Cancel answers quickly.
constexpr off_t kKernelChunk = off_t{32} << 20;
constexpr size_t kBufferSize = size_t{1} << 20;
// Written behind: each step is small enough that waiting for one on a 20 MB/s stick
// stays well under a second, and this much at most waits in the page cache.
constexpr off_t kBehindChunk = off_t{2} << 20;
constexpr std::int64_t kBehindInFlight = std::int64_t{8} << 20;

// Errors that mean "this way of copying is not available here", not "the copy failed".
bool unsupported(long error)
{
    return error == -EOPNOTSUPP || error == -ENOTTY || error == -EXDEV || error == -EINVAL || error == -ENOSYS
           || error == -EBADF || error == -ETXTBSY || error == -EPERM;
}

// One buffer per thread, made on first use: the pool copies small files in parallel
// and each file must not pay for a fresh megabyte.
std::vector<char>& threadBuffer()
{
    thread_local std::vector<char> buffer;
    if (buffer.empty())
        buffer.resize(kBufferSize);
    return buffer;
}

} // namespace

FileDataCopier::FileDataCopier(FileSystem& fs, CancelToken& cancel, CopyProgress& progress)
    : m_fs(fs), m_cancel(cancel), m_progress(progress)
{
}

void FileDataCopier::verify()
{
    m_hash = std::make_unique<DataHash>();
    m_tryClone = false;
    m_kernelCopy = false;
}

void FileDataCopier::report(std::int64_t bytes)
{
    if (m_hash && bytes > 0) {
        // The lower half of a verified file's bytes, as they are written.
        const std::int64_t before = m_counted / 2;
        m_counted += bytes;
        bytes = m_counted / 2 - before;
    }
    if (bytes == 0)
        return;
    m_reported += bytes;
    m_progress.bytesDone(bytes);
}

// The upper half of a verified file's bytes, as they are read back.
void FileDataCopier::reportReadBack(std::int64_t bytes)
{
    const std::int64_t before = (m_counted + 1) / 2;
    m_counted += bytes;
    bytes = (m_counted + 1) / 2 - before;
    if (bytes == 0)
        return;
    m_reported += bytes;
    m_progress.bytesDone(bytes);
}

// Whether the size in st cannot be trusted: files of the kernel's own file systems
// have no blocks and a size of 0 (procfs) or one page (sysfs) whatever they hold.
static bool generatedContent(const struct stat& st)
{
    static const off_t page = ::sysconf(_SC_PAGESIZE);
    return st.st_blocks == 0 && (st.st_size == 0 || st.st_size == page);
}

// Data just written: counted at once, or, written behind, sent to the device and
// counted once the ranges before it are there.
CopyError FileDataCopier::wrote(int out, off_t offset, off_t length)
{
    m_written += length;
    if (!m_writeBehind) {
        report(length);
        return {};
    }
    if (int r = m_fs.syncRange(out, offset, length, SYNC_FILE_RANGE_WRITE); r != 0)
        return CopyError::fromCall(r);
    m_inFlight.emplace_back(offset, length);
    m_inFlightBytes += length;
    return waitFor(out, kBehindInFlight);
}

// Waits until no more than allowed bytes are on their way to the device.
CopyError FileDataCopier::waitFor(int out, std::int64_t allowed)
{
    while (m_inFlightBytes > allowed && !m_inFlight.empty()) {
        const auto [offset, length] = m_inFlight.front();
        const unsigned all = SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
        if (int r = m_fs.syncRange(out, offset, length, all); r != 0)
            return CopyError::fromCall(r);
        m_inFlight.pop_front();
        m_inFlightBytes -= length;
        report(length);
    }
    return {};
}

CopyError FileDataCopier::copy(int in, int out, const struct stat& source)
{
    m_reported = 0;
    m_counted = 0;
    m_written = 0;
    m_inFlight.clear();
    m_inFlightBytes = 0;
    if (m_hash)
        m_hash->reset();
    const off_t size = source.st_size;
    CopyError result;
    if (generatedContent(source)) {
        result = copyToEnd(in, out);
    } else if (size > 0) {
        const Result<bool> cloned = clone(in, out, source);
        if (!cloned)
            return cloned.error();
        if (cloned.value())
            return {};

        // Fewer blocks than the size needs means holes worth keeping.
        const bool sparse = static_cast<std::int64_t>(source.st_blocks) * 512 < size;
        if (sparse) {
            off_t position = 0;
            while (position < size && !result) {
                off_t data = m_fs.seek(in, position, SEEK_DATA);
                if (data == -ENXIO)
                    break; // only a hole remains
                if (data < 0) {
                    result = unsupported(data) ? copyRange(in, out, position, size - position)
                                               : CopyError::fromCall(data);
                    position = size;
                    break;
                }
                off_t hole = m_fs.seek(in, data, SEEK_HOLE);
                if (hole < 0) {
                    result = CopyError::fromCall(hole);
                    break;
                }
                hole = std::min(hole, size);
                report(data - position); // a hole counts as done at once
                if (m_hash)
                    m_hash->addZeros(data - position);
                result = copyRange(in, out, data, hole - data);
                position = hole;
            }
            if (!result) {
                report(size - std::min(position, size));
                if (m_hash)
                    m_hash->addZeros(size - std::min(position, size));
                result = CopyError::fromCall(m_fs.ftruncate(out, size));
            }
        } else {
            result = copyRange(in, out, 0, size);
        }
    }
    if (!result)
        result = waitFor(out, 0);
    if (result)
        report(-m_reported);
    return result;
}

Result<bool> FileDataCopier::clone(int in, int out, const struct stat& source)
{
    const off_t size = source.st_size;
    int cloned = m_tryClone ? m_fs.cloneFile(out, in) : -EOPNOTSUPP;
    if (cloned == 0) {
        report(size);
        m_written = static_cast<std::int64_t>(source.st_blocks) * 512 < size
                        ? static_cast<std::int64_t>(source.st_blocks) * 512
                        : size;
        return true;
    }
    if (!unsupported(cloned))
        return CopyError::fromCall(cloned);
    // EINVAL can be about this one file (alignment, flags); these are about the file systems.
    m_cloneUnsupported = cloned == -EOPNOTSUPP || cloned == -ENOTTY || cloned == -EXDEV;
    return false;
}

CopyError FileDataCopier::copyRange(int in, int out, off_t offset, off_t length)
{
    while (length > 0) {
        if (m_cancel.checkpoint())
            return Fault::Cancelled;
        if (!m_kernelCopy)
            return copyRangeByBuffer(in, out, offset, length);
        off_t inOffset = offset;
        off_t outOffset = offset;
        const off_t step = m_writeBehind ? kBehindChunk : kKernelChunk;
        ssize_t n =
            m_fs.copyFileRange(in, &inOffset, out, &outOffset, static_cast<size_t>(std::min(length, step)));
        if (n < 0 && unsupported(n)) {
            m_kernelCopy = false;
            continue;
        }
        if (n < 0)
            return CopyError::fromCall(n);
        if (n == 0)
            return Fault::Changed; // the source is shorter than it was a moment ago
        if (CopyError r = wrote(out, offset, n))
            return r;
        offset += n;
        length -= n;
    }
    return {};
}

CopyError FileDataCopier::copyRangeByBuffer(int in, int out, off_t offset, off_t length)
{
    std::vector<char>& buffer = threadBuffer();
    while (length > 0) {
        if (m_cancel.checkpoint())
            return Fault::Cancelled;
        size_t want = static_cast<size_t>(std::min<off_t>(length, static_cast<off_t>(buffer.size())));
        ssize_t got = m_fs.pread(in, buffer.data(), want, offset);
        if (got < 0)
            return CopyError::fromCall(got);
        if (got == 0)
            return Fault::Changed;
        if (m_hash)
            m_hash->add(buffer.data(), static_cast<size_t>(got));
        ssize_t written = 0;
        while (written < got) {
            ssize_t n = m_fs.pwrite(out, buffer.data() + written, static_cast<size_t>(got - written),
                                    offset + written);
            if (n < 0)
                return CopyError::fromCall(n);
            if (n == 0)
                return CopyError::system(EIO);
            written += n;
        }
        if (CopyError r = wrote(out, offset, got))
            return r;
        offset += got;
        length -= got;
    }
    return {};
}

CopyError FileDataCopier::copyToEnd(int in, int out)
{
    std::vector<char>& buffer = threadBuffer();
    off_t offset = 0;
    for (;;) {
        if (m_cancel.checkpoint())
            return Fault::Cancelled;
        ssize_t got = m_fs.pread(in, buffer.data(), buffer.size(), offset);
        if (got < 0)
            return CopyError::fromCall(got);
        if (got == 0)
            return {};
        if (m_hash)
            m_hash->add(buffer.data(), static_cast<size_t>(got));
        ssize_t done = 0;
        while (done < got) {
            ssize_t n =
                m_fs.pwrite(out, buffer.data() + done, static_cast<size_t>(got - done), offset + done);
            if (n < 0)
                return CopyError::fromCall(n);
            if (n == 0)
                return CopyError::system(EIO);
            done += n;
        }
        if (CopyError r = wrote(out, offset, got))
            return r;
        offset += got;
    }
}

CopyError FileDataCopier::readBack(int out, const DataHash::Digest& expected, bool writeOut)
{
    const unsigned all = SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    if (writeOut) {
        if (int r = m_fs.syncRange(out, 0, 0, all); r != 0)
            return CopyError::fromCall(r);
    }
    if (int r = m_fs.dropCachedData(out); r != 0)
        return CopyError::fromCall(r);
    struct stat st {};
    if (int r = m_fs.fstat(out, &st); r != 0)
        return CopyError::fromCall(r);
    m_reported = 0;
    m_counted = 0;
    DataHash hash;
    std::vector<char>& buffer = threadBuffer();
    off_t position = 0;
    while (position < st.st_size) {
        // Only the data is read; the holes are what they read as.
        off_t data = m_fs.seek(out, position, SEEK_DATA);
        off_t hole = st.st_size;
        if (data == -ENXIO) {
            data = st.st_size;
        } else if (data < 0 && unsupported(data)) {
            data = position;
        } else if (data < 0) {
            return CopyError::fromCall(data);
        } else if ((hole = m_fs.seek(out, data, SEEK_HOLE)) < 0) {
            return CopyError::fromCall(hole);
        }
        data = std::min<off_t>(data, st.st_size);
        hole = std::min<off_t>(hole, st.st_size);
        hash.addZeros(data - position);
        reportReadBack(data - position);
        for (position = data; position < hole;) {
            if (m_cancel.checkpoint())
                return Fault::Cancelled;
            const auto want =
                static_cast<size_t>(std::min<off_t>(hole - position, static_cast<off_t>(buffer.size())));
            ssize_t got = m_fs.pread(out, buffer.data(), want, position);
            if (got < 0)
                return CopyError::fromCall(got);
            if (got == 0)
                return Fault::NotReadBack; // shorter than its size says
            hash.add(buffer.data(), static_cast<size_t>(got));
            reportReadBack(got);
            position += got;
        }
    }
    return hash.digest() == expected ? CopyError() : Fault::NotReadBack;
}

} // namespace shell
