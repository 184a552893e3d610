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
// --answers LIST (the answers to the questions, as kind=answer pairs separated by
// commas: replace=yes|no|keep-both for an existing file or folder, name=rename|skip
// for a name the destination drive cannot store, error=skip|cancel for an item that
// cannot be copied; by default the answers that lose nothing: replace, rename, skip,
// and keep both where names differ in case alone); "--" ends them.
//
// SIGINT and SIGTERM cancel the copy as the window's Cancel does: what was being
// written is thrown away, no temporary file is left, and the exit status is 5.
//
// Exit status: 0 success, 1 cancelled by an answer, 2 refused (or a wrong command
// line), 3 failed, 4 finished with items left out (listed on stderr), 5 cancelled
// by a signal. The service's own code is printed as well.

#include "platform/copy/CopyEngine.h"
#include "platform/copy/DescriptorLimit.h"
#include "platform/copy/LoseNothingQuestions.h"
#include "platform/copy/fs/PosixFileSystem.h"
#include "platform/copy/ProgressState.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
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

// The answers --answers chose; the rest lose nothing.
class ChosenAnswers : public shell::LoseNothingQuestions {
public:
    using LoseNothingQuestions::LoseNothingQuestions;

    // "replace=no,name=skip"; false on a pair it does not know.
    bool choose(const std::string& list)
    {
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find(',', start);
            const std::string pair =
                list.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!choosePair(pair))
                return false;
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        return true;
    }

    shell::ClashAnswer replaceItem(const shell::ItemDetails& a, const shell::ItemDetails& b) override
    {
        return m_clash ? *m_clash : LoseNothingQuestions::replaceItem(a, b);
    }
    shell::ClashAnswer mergeFolder(const shell::ItemDetails& a, const shell::ItemDetails& b) override
    {
        return m_clash ? *m_clash : LoseNothingQuestions::mergeFolder(a, b);
    }
    shell::ClashAnswer caseClash(const shell::ItemDetails& a, const shell::ItemDetails& b) override
    {
        return m_clash ? *m_clash : LoseNothingQuestions::caseClash(a, b);
    }
    shell::NameAnswer refusedName(const std::string& item, const std::string& refused,
                                  const std::string& replacement) override
    {
        return m_name ? *m_name : LoseNothingQuestions::refusedName(item, refused, replacement);
    }
    shell::ErrorAnswer copyError(const std::string& item, const std::string& reason, bool canRetry) override
    {
        shell::ErrorAnswer answer = LoseNothingQuestions::copyError(item, reason, canRetry);
        return m_error ? *m_error : answer;
    }

private:
    bool choosePair(const std::string& pair)
    {
        using shell::ClashAnswer;
        const std::string kind = pair.substr(0, pair.find('='));
        const std::string answer = pair.find('=') == std::string::npos ? "" : pair.substr(pair.find('=') + 1);
        if (kind == "replace" && (answer == "yes" || answer == "no" || answer == "keep-both")) {
            m_clash = answer == "yes"  ? ClashAnswer::YesToAll
                      : answer == "no" ? ClashAnswer::NoToAll
                                       : ClashAnswer::KeepBoth;
        } else if (kind == "name" && (answer == "rename" || answer == "skip")) {
            m_name = answer == "rename" ? shell::NameAnswer::RenameAll : shell::NameAnswer::SkipAll;
        } else if (kind == "error" && (answer == "skip" || answer == "cancel")) {
            m_error = answer == "skip" ? shell::ErrorAnswer::Skip : shell::ErrorAnswer::Cancel;
        } else {
            return false;
        }
        return true;
    }

    std::optional<shell::ClashAnswer> m_clash;
    std::optional<shell::NameAnswer> m_name;
    std::optional<shell::ErrorAnswer> m_error;
};

// Turns SIGINT and SIGTERM into the copy's Cancel. The signals are blocked in every
// thread and taken by one that waits for them, so the cancel runs as ordinary code.
class SignalCancel {
public:
    explicit SignalCancel(shell::CancelToken& cancel)
    {
        sigemptyset(&m_signals);
        sigaddset(&m_signals, SIGINT);
        sigaddset(&m_signals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &m_signals, nullptr); // before any worker starts: they inherit it
        m_waiter = std::thread([this, &cancel] {
            const timespec tick{0, 50'000'000};
            while (!m_done.load()) {
                if (sigtimedwait(&m_signals, nullptr, &tick) > 0) {
                    m_signalled.store(true);
                    cancel.cancel();
                }
            }
        });
    }
    ~SignalCancel()
    {
        m_done.store(true);
        m_waiter.join();
    }
    SignalCancel(const SignalCancel&) = delete;
    SignalCancel& operator=(const SignalCancel&) = delete;
    [[nodiscard]] bool signalled() const { return m_signalled.load(); }

private:
    sigset_t m_signals{};
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_signalled{false};
    std::thread m_waiter;
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
    ChosenAnswers questions(
        [](const std::string& message) { std::fprintf(stderr, "copybench: %s\n", message.c_str()); });
    bool optionsEnded = false;
    double cancelAt = 0;
    for (int i = 1; i < argc; ++i) {
        if (optionsEnded) {
            paths.emplace_back(argv[i]);
        } else if (std::strcmp(argv[i], "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
            options.threads = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
        } else if (std::strcmp(argv[i], "--write-behind") == 0 && i + 1 < argc
                   && (std::strcmp(argv[i + 1], "on") == 0 || std::strcmp(argv[i + 1], "off") == 0)) {
            options.writeBehind =
                std::strcmp(argv[++i], "on") == 0 ? shell::WriteBehind::On : shell::WriteBehind::Off;
        } else if (std::strcmp(argv[i], "--cancel-at") == 0 && i + 1 < argc) {
            cancelAt = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--fsync-each") == 0) {
            options.durability = shell::Durability::SyncEachFile;
        } else if (std::strcmp(argv[i], "--answers") == 0 && i + 1 < argc) {
            if (!questions.choose(argv[++i])) {
                std::fprintf(stderr, "copybench: unknown answer in %s\n", argv[i]);
                return 2;
            }
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "copybench: unknown option %s\n", argv[i]);
            return 2;
        } else {
            paths.emplace_back(argv[i]);
        }
    }
    if (paths.size() != 2) {
        std::fprintf(stderr, "usage: copybench [--threads N] [--write-behind on|off] [--cancel-at F] "
                             "[--fsync-each] [--answers LIST] [--] SOURCE DESTFOLDER\n");
        return 2;
    }

    shell::PosixFileSystem fs;
    TimedProgress progress;
    shell::CancelToken cancel;
    SignalCancel stopSignals(cancel);
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
