#pragma once
// What SHFileOperationA builds each request's job from, replaceable so tests can
// run the whole service with scripted answers, no windows and a fault-injecting
// file system.

#include "platform/copy-ui/CopyJob.h"

namespace shell {

using FileOperationHooks = CopyJobParts;

// Replaces the hooks; an empty member means the real one (message boxes, the
// progress window, the POSIX file system, the summary window). Returns the hooks
// in force before.
FileOperationHooks setFileOperationHooks(FileOperationHooks hooks);

} // namespace shell
