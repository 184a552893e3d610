// copybench SOURCE DESTFOLDER: one copy request through the service's own engine,
// with no windows and the answers that lose nothing, timed from the request to
// the moment the data is on the disk. Prints items, bytes, seconds and MB/s.
//
// Options: --threads N (workers for small files, 1 = none), --fsync-each (fsync
// every file instead of one syncfs per file system at the end).
//
// Exit status: 0 success, 1 cancelled, 2 refused, 3 failed (the service's own
// codes do not fit in an exit status; its code is printed as well).

#include "platform/shell/CopyEngine.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/LoseNothingQuestions.h"
#include "platform/shell/PosixFileSystem.h"
#include "platform/shell/ProgressState.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Notes when counting ends and when the final flush begins, to split the time.
class TimedProgress : public shell::ProgressState {
public:
    void started(std::uint64_t items, std::uint64_t bytes) override
    {
        copying = Clock::now();
        ProgressState::started(items, bytes);
    }
    void finishing() override
    {
        flushing = Clock::now();
        ProgressState::finishing();
    }
    Clock::time_point copying;
    Clock::time_point flushing;
};

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

int main(int argc, char** argv)
{
    shell::CopyOptions options;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
            options.threads = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
        } else if (std::strcmp(argv[i], "--fsync-each") == 0) {
            options.durability = shell::Durability::SyncEachFile;
        } else {
            paths.emplace_back(argv[i]);
        }
    }
    if (paths.size() != 2) {
        std::fprintf(stderr, "usage: copybench [--threads N] [--fsync-each] SOURCE DESTFOLDER\n");
        return 2;
    }

    shell::PosixFileSystem fs;
    shell::LoseNothingQuestions questions(
        [](const std::string& message) { std::fprintf(stderr, "copybench: %s\n", message.c_str()); });
    TimedProgress progress;
    shell::CancelToken cancel;
    shell::CopyEngine engine(fs, questions, progress, cancel, options);

    const auto start = Clock::now();
    const int result = engine.run({paths[0]}, paths[1]);
    const auto end = Clock::now();
    const double seconds = secondsBetween(start, end);

    const shell::ProgressSnapshot done = progress.snapshot();
    const double megabytes = static_cast<double>(done.bytesDone) / 1e6;
    std::printf("items %llu  bytes %lld  seconds %.3f  MB/s %.1f  result %d\n",
                static_cast<unsigned long long>(done.itemsDone), static_cast<long long>(done.bytesDone),
                seconds, seconds > 0 ? megabytes / seconds : 0.0, result);
    if (progress.flushing != Clock::time_point{})
        std::printf(
            "counting %.3f s, copying %.3f s, flushing %.3f s\n", secondsBetween(start, progress.copying),
            secondsBetween(progress.copying, progress.flushing), secondsBetween(progress.flushing, end));
    switch (result) {
    case shell::FileOpSuccess:
        return 0;
    case shell::FileOpCancelled:
        return 1;
    case shell::FileOpRefused:
        return 2;
    default:
        return 3;
    }
}
