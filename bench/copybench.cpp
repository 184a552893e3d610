// copybench SOURCE DESTFOLDER: one copy request through the service's own engine,
// with no windows and the answers that lose nothing, timed from the request to
// the moment the data is on the disk. Prints items, the bytes of data actually
// written (no holes, nothing skipped), seconds and MB/s of those bytes, then every
// item left out after an error, with its reason.
//
// Options: --threads N (workers for small files, 1 = none; by default chosen for the
// machine's cores and the destination's disk), --write-behind on|off (send each
// file's data to the device as it is written; by default only on removable, FUSE,
// network and FAT/exFAT/NTFS drives), --cancel-at F (cancel once the progress
// passes the fraction F, and time how long the request takes to end after that),
// --fsync-each (fsync every file instead of one syncfs per file system at the end),
// --answers LIST (the answers to the questions, as quintaro-copy takes them, see
// copy-command/AnswerList.h; by default the answers that lose nothing: replace,
// rename, skip, and keep both where names differ in case alone); "--" ends them.
// It is quintaro-copy's terminal form with a stopwatch, and its own exit codes.
//
// SIGINT and SIGTERM cancel the copy as the window's Cancel does: what was being
// written is thrown away, no temporary file is left, and the exit status is 5.
//
// Exit status: 0 success, 1 cancelled by an answer, 2 refused (or a wrong command
// line), 3 failed, 4 finished with items left out (listed on stderr), 5 cancelled
// by a signal. The service's own code is printed as well.

#include "copy-command/ChosenAnswers.h"
#include "copy-command/SignalCancel.h"
#include "platform/copy/CopyEngine.h"
#include "platform/copy/DescriptorLimit.h"
#include "platform/copy/LoseNothingQuestions.h"
#include "platform/copy/ProgressState.h"
#include "platform/copy/fs/PosixFileSystem.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
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
    // Notes when the bar reaches its end, and cancels once it passes cancelAt of it.
    void bytesDone(std::int64_t bytes) override
    {
        ProgressState::bytesDone(bytes);
        const shell::ProgressSnapshot now = snapshot();
        if (now.bytesTotal > 0 && static_cast<std::uint64_t>(now.bytesDone) >= now.bytesTotal
            && full == Clock::time_point{})
            full = Clock::now();
        if (cancel && cancelAt > 0 && cancelled == Clock::time_point{}
            && static_cast<double>(now.bytesDone) >= cancelAt * static_cast<double>(now.bytesTotal)) {
            cancelled = Clock::now();
            cancel->cancel();
        }
    }
    Clock::time_point copying;
    Clock::time_point flushing;
    Clock::time_point full;
    Clock::time_point cancelled;
    shell::CancelToken* cancel = nullptr;
    double cancelAt = 0;
};

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

int main(int argc, char** argv)
{
    shell::raiseDescriptorLimit();
    shell::CopyOptions options;
    std::vector<std::string> paths;
    copycmd::AnswerList answers;
    bool optionsEnded = false;
    double cancelAt = 0;
    for (int i = 1; i < argc; ++i) {
        if (optionsEnded) {
            paths.emplace_back(argv[i]);
        } else if (std::strcmp(argv[i], "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const unsigned long count = std::strtoul(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || count < 1 || count > 256) {
                std::fprintf(stderr, "copybench: --threads takes a count from 1 to 256, not %s\n", argv[i]);
                return 2;
            }
            options.threads = static_cast<unsigned>(count);
        } else if (std::strcmp(argv[i], "--write-behind") == 0 && i + 1 < argc
                   && (std::strcmp(argv[i + 1], "on") == 0 || std::strcmp(argv[i + 1], "off") == 0)) {
            options.writeBehind =
                std::strcmp(argv[++i], "on") == 0 ? shell::WriteBehind::On : shell::WriteBehind::Off;
        } else if (std::strcmp(argv[i], "--cancel-at") == 0 && i + 1 < argc) {
            cancelAt = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--verify") == 0) {
            options.verify = std::make_shared<std::atomic<bool>>(true);
        } else if (std::strcmp(argv[i], "--fsync-each") == 0) {
            options.durability = shell::Durability::SyncEachFile;
        } else if (std::strcmp(argv[i], "--answers") == 0 && i + 1 < argc) {
            const std::optional<copycmd::AnswerList> chosen = copycmd::parseAnswerList(argv[++i]);
            if (!chosen) {
                std::fprintf(stderr, "copybench: unknown answer in %s\n", argv[i]);
                return 2;
            }
            answers = *chosen;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "copybench: unknown option %s\n", argv[i]);
            return 2;
        } else {
            paths.emplace_back(argv[i]);
        }
    }
    if (paths.size() != 2) {
        std::fprintf(stderr, "usage: copybench [--threads N] [--write-behind on|off] [--cancel-at F] "
                             "[--fsync-each] [--verify] [--answers LIST] [--] SOURCE DESTFOLDER\n");
        return 2;
    }

    const auto say = [](const std::string& message) {
        std::fprintf(stderr, "copybench: %s\n", message.c_str());
    };
    copycmd::ChosenAnswers questions(answers, std::make_unique<shell::LoseNothingQuestions>(say), say);
    shell::PosixFileSystem fs;
    TimedProgress progress;
    shell::CancelToken cancel;
    copycmd::SignalCancel stopSignals([&cancel] { cancel.cancel(); });
    progress.cancel = &cancel;
    progress.cancelAt = cancelAt;
    shell::CopyEngine engine(fs, questions, progress, cancel, options);

    const auto start = Clock::now();
    const shell::CopyOutcome result = engine.run({paths[0]}, paths[1]);
    const auto end = Clock::now();
    const double seconds = secondsBetween(start, end);

    const shell::ProgressSnapshot done = progress.snapshot();
    // The data written, not the progress: that counts holes and skipped items as done too.
    const std::int64_t written = engine.bytesWritten();
    const double megabytes = static_cast<double>(written) / 1e6;
    std::printf("items %llu  bytes %lld  seconds %.3f  MB/s %.1f  result %d\n",
                static_cast<unsigned long long>(done.itemsDone), static_cast<long long>(written), seconds,
                seconds > 0 ? megabytes / seconds : 0.0, static_cast<int>(result));
    if (progress.flushing != Clock::time_point{})
        std::printf(
            "counting %.3f s, copying %.3f s, flushing %.3f s\n", secondsBetween(start, progress.copying),
            secondsBetween(progress.copying, progress.flushing), secondsBetween(progress.flushing, end));
    if (progress.full != Clock::time_point{})
        std::printf("from 100%% to done %.3f s\n", secondsBetween(progress.full, end));
    if (progress.cancelled != Clock::time_point{})
        std::printf("from cancel to done %.3f s\n", secondsBetween(progress.cancelled, end));
    const std::vector<shell::LeftOutItem> leftOut = engine.leftOut();
    for (const shell::LeftOutItem& item : leftOut)
        std::fprintf(stderr, "left out: %s: %s\n", item.item.c_str(), item.reason.c_str());
    if (const std::string note = engine.notKept(); !note.empty())
        std::fprintf(stderr, "note: %s\n", note.c_str());
    if (result == shell::CopyOutcome::Cancelled && stopSignals.signalled()) {
        std::fprintf(stderr, "copybench: cancelled\n");
        return 5;
    }
    if (result == shell::CopyOutcome::Failed && !leftOut.empty())
        return 4;
    switch (result) {
    case shell::CopyOutcome::Success:
        return 0;
    case shell::CopyOutcome::Cancelled:
        return 1;
    case shell::CopyOutcome::Refused:
        return 2;
    default:
        return 3;
    }
}
