#pragma once
// What the file system a copy writes to is, found once per destination from its
// statfs and its line in /proc/self/mountinfo: the limits that decide, before
// anything is written, what it can hold, and how far its flushes can be trusted.

#include "platform/copy/fs/FileSystem.h"

#include <cstdint>
#include <string>

namespace shell {

struct DriveLimits {
    std::uint64_t type = 0; // statfs f_type
    std::string kind;       // the mount's type as mountinfo names it, a FUSE mount's subtype
    std::string topFolder;  // the mount point holding the folder ("" when unknown)
    std::uint64_t nameMax = 255;
    std::int64_t largestFile = 0; // bytes a file may hold at most; 0: no limit known
    // A FUSE or network file system: syncfs there may not reach the data's real
    // home, so only a flush of each file and folder proves it is written.
    bool fuseOrNetwork = false;
    bool readOnly = false;
    bool removable = false; // on a drive the kernel marks removable (USB sticks, cards)
};

// The limits of the file system holding the open folder dirfd. Anything that
// cannot be learnt keeps its default, which limits nothing.
[[nodiscard]] DriveLimits driveLimitsOf(FileSystem& fs, int dirfd);

// Whether the drive keeps file times to two seconds only (FAT).
[[nodiscard]] inline bool coarseTimes(const DriveLimits& drive)
{
    return drive.kind.find("fat") != std::string::npos;
}

// FAT's limit: a file's size is held in 32 bits.
inline constexpr std::int64_t kFatLargestFile = (std::int64_t{1} << 32) - 1;

} // namespace shell
