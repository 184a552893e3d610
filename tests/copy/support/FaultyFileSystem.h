#pragma once
// The real file system with failures on demand, so tests can make a copy run out of
// space, hit a read or write error, be refused, lose its source or be cancelled at
// a chosen byte. Faults on a file match by a part of its path.

#include "platform/copy/CopyProgress.h"
#include "platform/copy/fs/PosixFileSystem.h"

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>

class FaultyFileSystem : public shell::PosixFileSystem {
public:
    // A fault that fires `times` times (-1: always) on paths containing `match`.
    struct Fault {
        std::string match;
        int error = 0;
        int times = -1;
    };

    bool kernelCopy = true;                         // false: copy_file_range is "not supported"
    std::optional<std::int64_t> spaceLeft;          // bytes that can still be written
    std::optional<Fault> openFault;                 // opening the file fails
    std::optional<Fault> readFault;                 // reading from the file fails
    std::optional<Fault> writeFault;                // writing a copy of the file fails
    std::optional<Fault> trashFault;                // moving it to the trash fails
    std::optional<Fault> syncFault;                 // flushing the destination fails
    std::string vanishMatch;                        // this source is deleted after its first read
    shell::CancelToken* cancelAfterWrite = nullptr; // raised after the first write to any copy
    std::optional<std::uint64_t> freeBytes;         // what statvfs reports as free
    std::optional<Fault> tmpFileFault;              // no unnamed file can be made for it
    std::optional<Fault> linkFault;                 // giving the unnamed file its name fails
    std::string appearBeforeLink;                   // another item takes this name just before the link
    std::atomic<int> filesLinked{0};                // unnamed files that got their name
    std::atomic<int> trashRecordsSynced{0};         // items trashed with their record synced at once
    std::atomic<int> trashRecordsLeftToFlush{0};    // items trashed with their record left to the flush
    std::optional<Fault> statFault;                 // looking at an item fails
    std::optional<Fault> timesFault;                // setting an open item's times fails
    // Calls the destination refuses for every item, as drives without them do, by name:
    // "renameNoReplace" (the flag), "link" (any second name), "tmpfile", "xattr" (setting
    // one), "chmod", "symlink", "colon" (making a name with ':'); each maps to the error.
    std::map<std::string, int> refusedCalls;
    std::optional<std::uint64_t> fileSystemType; // what fstatfs reports as the type
    bool readOnlyMount = false;                  // statfs and statvfs say read-only
    std::atomic<int> filesSynced{0};             // fsync calls that reached the disk
    std::atomic<int> fileSystemsSynced{0};       // syncfs calls that reached the disk
    std::atomic<std::int64_t> bytesSent{0};      // data whose writing to the device was started
    std::atomic<std::int64_t> bytesOnDevice{0};  // data waited for until the device had it
    std::atomic<std::int64_t> mostInFlight{0};   // the most sent and not yet waited for
    std::atomic<int> cachesDropped{0};           // copies whose cached data was let go
    // The copy of the file changes on its drive after it was written, before it is read back.
    std::optional<Fault> changeBeforeReadBack;
    // Called with the item's path after an item is opened, and after each read of a file.
    std::function<void(const std::string&)> whenOpened;
    std::function<void()> whenSyncing; // called as a file system is flushed
    std::function<void(const std::string&)> whenRead;

    int open(const std::string& path, int flags, mode_t mode = 0) override;
    int close(int fd) override;
    ssize_t pread(int fd, void* buf, size_t count, off_t offset) override;
    ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) override;
    ssize_t copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset, size_t count) override;
    int statvfs(const std::string& path, struct statvfs* st) override;
    int syncfs(int fd) override;
    int fstatfs(int fd, struct statfs* st) override;
    int syncRange(int fd, off_t offset, off_t length, unsigned flags) override;
    int dropCachedData(int fd) override;
    int fsync(int fd) override;
    int futimens(int fd, const struct timespec times[2]) override;
    int openAt(int dirfd, const std::string& name, int flags, mode_t mode = 0) override;
    int statAt(int dirfd, const std::string& name, struct stat* st) override;
    int openTempFileAt(int dirfd, const std::string& name, mode_t mode) override;
    int linkFileAt(int fd, int dirfd, const std::string& name) override;
    int moveToTrashAt(int dirfd, const std::string& name, bool syncRecord, std::string* trashedAs) override;
    int renameAt(int fromDir, const std::string& from, int toDir, const std::string& to,
                 bool noReplace) override;
    int linkAt(int fromDir, const std::string& from, int toDir, const std::string& to) override;
    int symlinkAt(const std::string& target, int dirfd, const std::string& name) override;
    int fchmod(int fd, mode_t mode) override;
    int chmodAt(int dirfd, const std::string& name, mode_t mode) override;
    int setXattr(int fd, const std::string& name, const std::string& value) override;

    // The path of an open descriptor, or of a name in an open folder.
    static std::string pathAt(int dirfd, const std::string& name = {});

private:
    static bool fires(std::optional<Fault>& fault, const std::string& path);
    // The error refusedCalls gives call, or 0.
    int refusal(const char* call) const;
    std::string pathOf(int fd);
    int beforeRead(int fd);
    int beforeWrite(int fd, size_t& count);
    void afterRead(int fd);
    void afterWrite();

    std::mutex m_lock;
    std::map<int, std::string> m_paths;
    std::set<int> m_unnamed; // descriptors of unnamed files
};
