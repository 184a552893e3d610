#pragma once
// A copy walks its trees from open folder to open folder: two descriptors for every
// level of the tree, and one for each source (a wildcard can match thousands). A
// program that copies lets itself have as many descriptors as the system allows it,
// once, at start; the engine leaves the process's limits alone.

#include <sys/resource.h>

namespace shell {

inline void raiseDescriptorLimit()
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace shell
