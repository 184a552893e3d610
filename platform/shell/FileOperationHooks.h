#pragma once
// What SHFileOperationA builds for each request, replaceable so tests can run the
// whole service with scripted answers, no windows and a fault-injecting file system.

#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/fs/FileSystem.h"

#include <functional>
#include <memory>
#include <vector>

namespace shell {

struct FileOperationHooks {
    // Made on the calling thread and answered there (the engine's questions hop to it).
    std::function<std::unique_ptr<CopyQuestions>()> questions;
    // Made on the calling thread; must be thread-safe, the engine reports from its workers.
    std::function<std::unique_ptr<CopyProgress>(CancelToken&)> progress;
    std::function<std::unique_ptr<FileSystem>()> fileSystem;
    // Shows the items left out after errors, or kept because the trash refused
    // them, before the request returns (the real one is SummaryWindow).
    std::function<void(const std::vector<LeftOutItem>&)> summary;
    CopyOptions options;
};

// Replaces the hooks; an empty member means the real one (message boxes, the
// progress window, the POSIX file system). Returns the hooks in force before.
FileOperationHooks setFileOperationHooks(FileOperationHooks hooks);

} // namespace shell
