#pragma once
// A submission ring: reads and writes queued in user memory and handed to the
// kernel many at a time, their results collected as they complete, in any order.
// Each request carries a tag of the caller's choosing. A buffer given to a request
// belongs to the kernel until that request's completion has been collected, so the
// caller waits for every request in flight, cancelled or not, before it frees one.

#include <cstdint>
#include <sys/types.h>
#include <vector>

namespace shell {

class IoRing {
public:
    struct Completion {
        std::uint64_t tag = 0;
        int result = 0; // bytes moved, or minus errno
    };

    virtual ~IoRing() = default;

    // The requests the ring can hold at once.
    [[nodiscard]] virtual unsigned entries() const = 0;
    // Queue a request; false when the ring is full (submit and collect first).
    virtual bool queueRead(int fd, void* buffer, unsigned length, off_t offset, std::uint64_t tag) = 0;
    virtual bool queueWrite(int fd, const void* buffer, unsigned length, off_t offset, std::uint64_t tag) = 0;
    // Hands the queued requests to the kernel; the number taken, or minus errno.
    virtual int submit() = 0;
    // Waits until at least one request has completed and appends every completion
    // at hand. Only called with requests in flight. Returns 0 or minus errno.
    virtual int wait(std::vector<Completion>& completions) = 0;
    // Asks the kernel to stop every request in flight; each still completes (with
    // -ECANCELED, or its result if it was too far along) and must be collected.
    virtual int cancelAll() = 0;
};

} // namespace shell
