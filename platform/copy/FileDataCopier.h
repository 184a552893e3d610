#pragma once
// Moves the bytes of one open regular file into another, fastest way first: a
// reflink clone, then copy_file_range in the kernel, then read/write through a
// large buffer. Holes in a sparse source stay holes in the copy. A file that
// occupies no blocks and claims no size or one page (procfs, sysfs) is read to its
// end, whatever its size says. A copy that is verified hashes what it reads from
// the source, and is read back from the drive and hashed again once it is written.

#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyResult.h"
#include "platform/copy/DataHash.h"
#include "platform/copy/fs/FileSystem.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

namespace shell {

class FileDataCopier {
public:
    FileDataCopier(FileSystem& fs, CancelToken& cancel, CopyProgress& progress);

    // Skips the reflink attempt (it is known to fail here).
    void skipClone() { m_tryClone = false; }
    // Sends the data to the device as it goes, a few megabytes ahead at most, and
    // counts bytes to the progress once the device has them (write-behind).
    void writeBehind() { m_writeBehind = true; }
    // Hashes the data as it is copied (digest()). Its bytes pass through this
    // process, never a reflink or the kernel's copy, which read nothing here. Each
    // byte then counts half to the progress when written and half when read back.
    void verify();
    // Whether the reflink attempt failed because the file systems cannot clone at all.
    [[nodiscard]] bool cloneUnsupported() const { return m_cloneUnsupported; }

    // Copies size bytes from in to out (both at offset zero). Returns no error, a
    // system error, Cancelled, or Changed when the source ends early. Every byte
    // reported to the progress is reported back (as a negative count) on failure.
    CopyError copy(int in, int out, const struct stat& source);
    // Only the reflink step of copy(): true when the copy shares the source's blocks
    // (its bytes reported), false when it cannot here, or the error.
    Result<bool> clone(int in, int out, const struct stat& source);
    // Bytes reported to the progress by the last successful copy or read-back.
    [[nodiscard]] std::int64_t reported() const { return m_reported; }
    // Bytes of data the last copy put into the file (holes left out).
    [[nodiscard]] std::int64_t written() const { return m_written; }
    // The hash of what the last verified copy read from its source.
    [[nodiscard]] DataHash::Digest digest() const { return m_hash ? m_hash->digest() : DataHash::Digest{}; }

    // Reads the copy open as out back from its drive, past the page cache, and
    // compares it with expected: no error, NotReadBack, Cancelled or a system error.
    // writeOut: its data may still wait in the page cache and is written out first
    // (durability is the request's final flush, which success waits for anyway).
    CopyError readBack(int out, const DataHash::Digest& expected, bool writeOut);

private:
    CopyError copyRange(int in, int out, off_t offset, off_t length);
    CopyError copyRangeByBuffer(int in, int out, off_t offset, off_t length);
    CopyError copyToEnd(int in, int out);
    void report(std::int64_t bytes);
    void reportReadBack(std::int64_t bytes);
    CopyError wrote(int out, off_t offset, off_t length);
    CopyError waitFor(int out, std::int64_t allowed);

    FileSystem& m_fs;
    CancelToken& m_cancel;
    CopyProgress& m_progress;
    bool m_kernelCopy = true;
    bool m_tryClone = true;
    bool m_cloneUnsupported = false;
    bool m_writeBehind = false;
    std::unique_ptr<DataHash> m_hash;               // verified copies only
    std::deque<std::pair<off_t, off_t>> m_inFlight; // ranges written, not yet known on the device
    std::int64_t m_inFlightBytes = 0;
    std::int64_t m_reported = 0;
    std::int64_t m_counted = 0; // verified: bytes done so far, of which half were reported
    std::int64_t m_written = 0;
};

} // namespace shell
