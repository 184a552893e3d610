#pragma once
// Which files already at the destination are the incoming ones' earlier copies, by
// the test people and file managers use: the same size and the same modification
// time. Times are compared to the second, or to two seconds on drives that keep
// no finer times (FAT).

#include "platform/copy/fs/FileSystem.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace shell {

class CancelToken;

[[nodiscard]] bool sameSizeAndDate(const struct stat& existing, const struct stat& incoming,
                                   bool coarseTimes);

// The files of the source item name (in sourceFolder) whose counterpart under
// target (in targetFolder) is a file of the same size and date: one for a file,
// any number for a folder, whose tree is walked (TreeWalk) where the target has the
// same folders. Links are never followed; what cannot be read is simply not counted.
[[nodiscard]] std::uint64_t countIdentical(FileSystem& fs, int sourceFolder, const std::string& name,
                                           int targetFolder, const std::string& target, bool coarseTimes,
                                           CancelToken& cancel);

} // namespace shell
