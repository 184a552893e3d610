#pragma once
// The kernel's io_uring behind the IoRing seam, through liburing.

#include "platform/shell/IoRing.h"

#include <memory>

namespace shell {

// A ring of at least entries requests, or nullptr with error set to minus errno
// (-ENOSYS where the kernel, the sandbox or the build has no io_uring, -EPERM
// where it is switched off for this process).
std::unique_ptr<IoRing> openUringRing(unsigned entries, int& error);

} // namespace shell
