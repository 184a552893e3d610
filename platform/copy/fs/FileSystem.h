#pragma once
// The copy engine's only door to the file system. Every call returns zero (or a
// count, a descriptor, an offset) on success and minus errno on failure, so a
// test implementation can make any call fail the way the kernel would.
// Paths are raw bytes: a name that is not valid UTF-8 passes through untouched.

#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <vector>

namespace shell {

struct DirEntry {
    std::string name;
};

// Where a drive keeps a file's DOS attributes, Windows' FILE_ATTRIBUTE_* bits
// (read-only 0x1, hidden 0x2, system 0x4, archive 0x20): the kernel's FAT ioctls
// (vfat), or the system.ntfs_attrib_be attribute, 4 bytes big-endian (ntfs-3g, ntfs3).
enum class DosAttributes { None, FatIoctl, NtfsXattr };

inline constexpr std::uint32_t kDosHidden = 0x2;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual int open(const std::string& path, int flags, mode_t mode = 0) = 0;
    virtual int close(int fd) = 0;
    virtual ssize_t pread(int fd, void* buf, size_t count, off_t offset) = 0;
    virtual ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) = 0;
    virtual ssize_t copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset, size_t count) = 0;
    // Shares the source's blocks with the destination (reflink) where the file system can.
    virtual int cloneFile(int out, int in) = 0;
    virtual off_t seek(int fd, off_t offset, int whence) = 0;
    virtual int ftruncate(int fd, off_t length) = 0;
    virtual int fstat(int fd, struct stat* st) = 0;
    virtual int stat(const std::string& path, struct stat* st) = 0;
    virtual int lstat(const std::string& path, struct stat* st) = 0;
    virtual int fchmod(int fd, mode_t mode) = 0;
    virtual int futimens(int fd, const struct timespec times[2]) = 0;
    virtual int fsync(int fd) = 0;
    virtual int syncfs(int fd) = 0;
    // sync_file_range: starts (SYNC_FILE_RANGE_WRITE) or waits for the writing of a
    // range of fd's data to its device; neither the device's cache nor metadata.
    virtual int syncRange(int fd, off_t offset, off_t length, unsigned flags) = 0;
    // Lets go of fd's data in the page cache (posix_fadvise POSIX_FADV_DONTNEED): what
    // has reached the device is read from it again next time.
    virtual int dropCachedData(int fd) = 0;
    virtual int statvfs(const std::string& path, struct statvfs* st) = 0;
    // What the file system holding fd is (its type, name length and mount flags).
    virtual int fstatfs(int fd, struct statfs* st) = 0;

    virtual int mkdir(const std::string& path, mode_t mode) = 0;
    virtual int listDirectory(const std::string& path, std::vector<DirEntry>& entries) = 0;
    virtual int realPath(const std::string& path, std::string& resolved) = 0;

    // Calls relative to an open folder. The copy walks its trees with these alone, so
    // a tree of any depth copies (no path is ever longer than one name) and a folder
    // swapped for a link while it is copied cannot send anything elsewhere. name is
    // one entry of the folder, never a path.
    virtual int openAt(int dirfd, const std::string& name, int flags, mode_t mode = 0) = 0;
    // Never follows a link.
    virtual int statAt(int dirfd, const std::string& name, struct stat* st) = 0;
    virtual int mkdirAt(int dirfd, const std::string& name, mode_t mode) = 0;
    virtual int unlinkAt(int dirfd, const std::string& name, int flags) = 0;
    // noReplace: fails with -EEXIST instead of replacing an existing item, or with
    // -EINVAL where the file system has no such rename (renameWithoutReplacing).
    virtual int renameAt(int fromDir, const std::string& from, int toDir, const std::string& to,
                         bool noReplace) = 0;
    // A second name for an item; never follows a link, fails with -EEXIST on an existing name.
    virtual int linkAt(int fromDir, const std::string& from, int toDir, const std::string& to) = 0;
    virtual int symlinkAt(const std::string& target, int dirfd, const std::string& name) = 0;
    virtual int readlinkAt(int dirfd, const std::string& name, std::string& target) = 0;
    virtual int mkfifoAt(int dirfd, const std::string& name, mode_t mode) = 0;
    // The entries of an open folder, "." and ".." left out.
    virtual int listDirectoryAt(int dirfd, std::vector<DirEntry>& entries) = 0;
    // Owner, mode and times of an entry that has no descriptor of its own (links,
    // FIFOs); owner and times never follow a link.
    virtual int chownAt(int dirfd, const std::string& name, uid_t owner, gid_t group) = 0;
    virtual int chmodAt(int dirfd, const std::string& name, mode_t mode) = 0;
    virtual int setTimesAt(int dirfd, const std::string& name, const struct timespec times[2]) = 0;
    virtual int fchown(int fd, uid_t owner, gid_t group) = 0;

    // An unnamed file in the folder dirfd, meant to become name, opened for writing
    // and reading (a verified copy is read back); it vanishes by itself unless
    // linkFileAt gives it a name. Fails with -EOPNOTSUPP (or -EISDIR, -EINVAL) where
    // the file system cannot make one.
    virtual int openTempFileAt(int dirfd, const std::string& name, mode_t mode) = 0;
    // Gives the file open as fd (unnamed or not) the name in dirfd; fails with -EEXIST
    // instead of replacing an item. Errors the file system keeps until the file is
    // closed are reported first, so a file that is not good never gets a name.
    virtual int linkFileAt(int fd, int dirfd, const std::string& name) = 0;

    // Runs the file system's flush of fd as a close would (some report failed writes
    // only then) and leaves it open.
    virtual int flushFile(int fd) = 0;

    // Extended attributes (ACLs among them) of an open file or folder. names is the
    // kernel's list: names ended by NUL bytes.
    virtual int listXattrs(int fd, std::string& names) = 0;
    virtual int getXattr(int fd, const std::string& name, std::string& value) = 0;
    virtual int setXattr(int fd, const std::string& name, const std::string& value) = 0;
    virtual int removeXattr(int fd, const std::string& name) = 0;
    // The DOS attributes of an open file, kept the way way says; -EOPNOTSUPP for
    // None, and the drive's error (-ENOTTY, -EINVAL, -EOPNOTSUPP) where it has no such way.
    virtual int getDosAttributes(int fd, DosAttributes way, std::uint32_t& attributes) = 0;
    virtual int setDosAttributes(int fd, DosAttributes way, std::uint32_t attributes) = 0;

    // An exclusive advisory lock; without wait, -EWOULDBLOCK when someone holds one.
    virtual int lockFile(int fd, bool wait) = 0;

    // Moves an item to the desktop trash so the user can restore it. syncRecord: the
    // trash's record is on the disk before the call returns; otherwise the caller's
    // syncfs of the item's file system (which the trash shares) makes it durable.
    // trashedAs, if given, gets the item's path in the trash.
    virtual int moveToTrashAt(int dirfd, const std::string& name, bool syncRecord, std::string* trashedAs) = 0;
};

} // namespace shell
