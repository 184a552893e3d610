#pragma once
// Moves the data of several small files at once through a submission ring: every
// file is read whole into a buffer of its own, and written out as soon as its read
// completes, so a batch costs a few system calls instead of a few per file. A short
// read or write goes on from where it stopped; an error ends only its own file,
// whichever order the completions come back in. Only for plain, dense files that
// fit their buffer: holes, generated files and clones stay with FileDataCopier.

#include "platform/shell/CopyProgress.h"
#include "platform/shell/IoRing.h"

#include <cstdint>
#include <vector>

namespace shell {

// Files up to this size go through the ring, up to this many bytes of them at once.
inline constexpr std::int64_t kRingFileLimit = std::int64_t{256} << 10;
inline constexpr std::int64_t kRingBatchBytes = std::int64_t{2} << 20;

struct RingFile {
    int in = -1;
    int out = -1;
    std::int64_t size = 0; // bytes to move, from offset zero
    // After copy(): 0, minus errno, kErrorChanged (the source ended early) or
    // kErrorCancelled. Bytes reported for a file that failed are reported back.
    int result = 0;
    std::int64_t reported = 0;
};

class RingDataCopier {
public:
    RingDataCopier(IoRing& ring, CancelToken& cancel, CopyProgress& progress);

    // Copies every file; returns 0, or minus errno when the ring itself failed (the
    // files it did not finish carry that error, and the ring must not be used again).
    // Returns only once no request of the batch is left in the kernel's hands.
    int copy(std::vector<RingFile>& files);

private:
    struct State;
    bool queue(std::vector<RingFile>& files, std::vector<State>& states, size_t index);
    void complete(std::vector<RingFile>& files, std::vector<State>& states, const IoRing::Completion& done);
    void fail(RingFile& file, State& state, int error);

    IoRing& m_ring;
    CancelToken& m_cancel;
    CopyProgress& m_progress;
    std::vector<char> m_buffer;
    std::vector<size_t> m_waiting; // files with a request to queue
    unsigned m_queued = 0;         // requests queued, not yet taken by the kernel
    unsigned m_inKernel = 0;       // requests taken by the kernel, not yet collected
};

} // namespace shell
