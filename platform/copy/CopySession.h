#pragma once
// What every part of one copy request shares: the file system, the questions
// (asked one at a time, whichever thread asks), the progress, the cancel flag and
// the running verdict.

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/CopyRecord.h"
#include "platform/copy/DriveProbe.h"
#include "platform/copy/TemporaryFiles.h"
#include "platform/copy/fs/FileSystem.h"
#include "platform/copy/fs/UniqueFd.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace shell {

enum class Durability {
    SyncFileSystem, // one syncfs per destination file system at the end
    SyncEachFile,   // fsync every file and every folder written into
};

// Workers for small files written to the file system of device. Making a file
// waits in the kernel (journal, inode and folder blocks) more than it computes, so
// workers overlap those waits even on one or two cores: four where the disk is
// solid-state, two on a spinning disk (or one core), whose head would otherwise
// chase four folders at once. Large files are copied in order whatever the count.
[[nodiscard]] unsigned copyThreadsFor(dev_t device);

// Write-behind: each file's data is sent to the device chunk by chunk as it is
// written, with only a few megabytes waiting at any time, so the progress counts
// what the device holds, the flush after the last byte is short and a cancel is not
// held up by hundreds of megabytes in the page cache.
enum class WriteBehind {
    Auto, // where the destination is removable, FUSE or network, or a FAT, exFAT or NTFS drive
    On,
    Off,
};

struct CopyOptions {
    unsigned threads = 0;                           // 0 chosen by copyThreadsFor, 1 copies in order
    std::int64_t smallFile = std::int64_t{1} << 20; // files below this size go to the workers
    Durability durability = Durability::SyncFileSystem;
    WriteBehind writeBehind = WriteBehind::Auto;
    // Where the request's record is saved so it can be undone (copyHistoryFolder());
    // empty: no record is kept.
    std::string undoHistory;
    // Verify: each file, once written, is read back from its drive past the page cache
    // and compared with what was read from its source; a difference is an error. Off
    // when empty. Shared, so whoever holds it (the progress window) may turn it on or
    // off while the request runs: each file follows it as it stands when the file starts.
    std::shared_ptr<std::atomic<bool>> verify;
    // A source name that names nothing but holds * ? or [ in its last part stands for
    // every item of its folder that matches it, as the shell's copy service takes
    // names. Off for callers whose names are always literal (a command line, which
    // the user's shell has already expanded).
    bool patterns = true;
};

// An item the request left out after an error, or kept where it stood, and why.
struct LeftOutItem {
    std::string item;
    std::string reason;
};

class CopySession {
public:
    CopySession(FileSystem& fs, CopyQuestions& questions, CopyProgress& progress, CancelToken& cancel,
                CopyOptions options);
    ~CopySession();
    CopySession(const CopySession&) = delete;
    CopySession& operator=(const CopySession&) = delete;

    FileSystem& fs;
    DriveProbe drives{fs};
    TemporaryFiles temporaries{fs, drives};
    CopyRecord record; // what the request made and replaced, where options.undoHistory asks for it
    CopyProgress& progress;
    CancelToken& cancel;
    const CopyOptions options;

    // Each question waits for the one before it; Cancel also raises the cancel flag.
    // Once the request is cancelled nobody is asked any more: every question then gets
    // Cancel, or No where Cancel is not an answer.
    template <typename F> auto ask(F&& question)
    {
        std::lock_guard lock(m_questionLock);
        return question(cancel.cancelled() ? cancelledAnswers() : m_questions);
    }
    // Skip All remembers the reason: a later error for it is left out and listed
    // without a question (and answered Skip).
    ErrorAnswer askAboutError(const std::string& item, CopyError error, bool canRetry);

    // Every file and folder is flushed as it is finished: asked for, or because the
    // destination's syncfs proves nothing (FUSE, network). Set before the copy starts.
    [[nodiscard]] bool syncEachFile() const { return m_syncEachFile; }
    void syncEachFileFromNowOn() { m_syncEachFile = true; }

    // Whether file data is written behind (WriteBehind); set before the copy starts.
    [[nodiscard]] bool writeBehind() const { return m_writeBehind; }
    void writeBehindFromNowOn() { m_writeBehind = true; }

    // The user agreed, before the copy, that replaced items are deleted rather than
    // kept in the trash (there is no room to keep them).
    [[nodiscard]] bool deleteReplaced() const { return m_deleteReplaced; }
    void deleteReplacedFromNowOn() { m_deleteReplaced = true; }

    // Whether a file started now is verified (CopyOptions::verify).
    [[nodiscard]] bool verifying() const
    {
        return options.verify && options.verify->load(std::memory_order_relaxed);
    }

    // Some item was not copied (an error the user skipped).
    void markFailed() { m_failed.store(true); }
    // Records an item left out after an error, with the reason the user was shown;
    // the service lists them all before it returns.
    void noteLeftOut(const std::string& item, const std::string& reason);
    [[nodiscard]] std::vector<LeftOutItem> leftOut() const;
    [[nodiscard]] bool failed() const { return m_failed.load(); }
    // Some item was left out by the user's choice (No, No to All).
    void markDeclined() { m_declined.store(true); }
    [[nodiscard]] bool declined() const { return m_declined.load(); }

    // What a destination drive could not hold and the copies go without, as cp
    // does: noted once per kind, told once per request (notKept).
    enum NotKept : unsigned { Modes = 1, Attributes = 2, Times = 4 };
    void noteNotKept(NotKept what) { m_notKept.fetch_or(what); }
    // The request's one note about it, or an empty text.
    [[nodiscard]] std::string notKept() const;

    // The user and group new items belong to, as the request started.
    [[nodiscard]] uid_t user() const { return m_user; }
    [[nodiscard]] gid_t group() const { return m_group; }

    // The process's umask, or 07777 when it cannot be read without changing it.
    [[nodiscard]] mode_t umask() const { return m_umask; }

    // Reflink cloning is tried once per source file system; when the destination
    // cannot do it, the other files of the request do not try again.
    [[nodiscard]] bool cloneUnsupported(dev_t source) const { return m_noClone.load() == source + 1; }
    void noteCloneUnsupported(dev_t source) { m_noClone.store(source + 1); }

    // Unnamed files cannot be given a name in this process (no /proc): once seen,
    // files are written under temporary names instead.
    [[nodiscard]] bool unnamedFilesRefused() const { return m_noUnnamedFiles.load(); }
    void noteUnnamedFilesRefused() { m_noUnnamedFiles.store(true); }

    // A folder the request writes into (open as dirfd), so its file system can be
    // flushed before success is reported.
    void noteFolderWritten(int dirfd);
    // A flush that failed on the way (a folder synced when it was finished).
    void noteFlushError(CopyError error);
    // Flushes every file system written to; returns the first error.
    CopyError flush();

    // File data actually written (not holes, not items skipped or linked).
    void addBytesWritten(std::int64_t bytes) { m_written.fetch_add(bytes); }
    [[nodiscard]] std::int64_t bytesWritten() const { return m_written.load(); }

private:
    static CopyQuestions& cancelledAnswers();

    CopyQuestions& m_questions;
    std::mutex m_questionLock;
    std::set<std::string> m_skipAll; // reasons answered Skip All, guarded by m_questionLock
    bool m_syncEachFile = false;
    bool m_deleteReplaced = false;
    bool m_writeBehind = false;
    std::atomic<bool> m_failed{false};
    mutable std::mutex m_leftOutLock;
    std::vector<LeftOutItem> m_leftOut;
    std::atomic<bool> m_declined{false};
    std::atomic<unsigned> m_notKept{0};
    mode_t m_umask;
    uid_t m_user;
    gid_t m_group;
    std::atomic<std::uint64_t> m_noClone{0};
    std::atomic<bool> m_noUnnamedFiles{false};
    std::atomic<std::int64_t> m_written{0};
    std::mutex m_folderLock;
    std::map<dev_t, UniqueFd> m_fileSystems; // one open folder on each file system written to
    CopyError m_flushError;
};

} // namespace shell
