#pragma once
// The real file system: thin wrappers over the POSIX and Linux calls.

#include "platform/copy/fs/FileSystem.h"

namespace shell {

class PosixFileSystem : public FileSystem {
public:
    int open(const std::string& path, int flags, mode_t mode = 0) override;
    int close(int fd) override;
    ssize_t pread(int fd, void* buf, size_t count, off_t offset) override;
    ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) override;
    ssize_t copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset, size_t count) override;
    int cloneFile(int out, int in) override;
    off_t seek(int fd, off_t offset, int whence) override;
    int ftruncate(int fd, off_t length) override;
    int fstat(int fd, struct stat* st) override;
    int stat(const std::string& path, struct stat* st) override;
    int lstat(const std::string& path, struct stat* st) override;
    int fchmod(int fd, mode_t mode) override;
    int futimens(int fd, const struct timespec times[2]) override;
    int fsync(int fd) override;
    int syncfs(int fd) override;
    int syncRange(int fd, off_t offset, off_t length, unsigned flags) override;
    int dropCachedData(int fd) override;
    int statvfs(const std::string& path, struct statvfs* st) override;
    int fstatfs(int fd, struct statfs* st) override;
    int mkdir(const std::string& path, mode_t mode) override;
    int listDirectory(const std::string& path, std::vector<DirEntry>& entries) override;
    int realPath(const std::string& path, std::string& resolved) override;
    int openAt(int dirfd, const std::string& name, int flags, mode_t mode = 0) override;
    int statAt(int dirfd, const std::string& name, struct stat* st) override;
    int mkdirAt(int dirfd, const std::string& name, mode_t mode) override;
    int unlinkAt(int dirfd, const std::string& name, int flags) override;
    int renameAt(int fromDir, const std::string& from, int toDir, const std::string& to,
                 bool noReplace) override;
    int linkAt(int fromDir, const std::string& from, int toDir, const std::string& to) override;
    int symlinkAt(const std::string& target, int dirfd, const std::string& name) override;
    int readlinkAt(int dirfd, const std::string& name, std::string& target) override;
    int mkfifoAt(int dirfd, const std::string& name, mode_t mode) override;
    int listDirectoryAt(int dirfd, std::vector<DirEntry>& entries) override;
    int chownAt(int dirfd, const std::string& name, uid_t owner, gid_t group) override;
    int chmodAt(int dirfd, const std::string& name, mode_t mode) override;
    int setTimesAt(int dirfd, const std::string& name, const struct timespec times[2]) override;
    int fchown(int fd, uid_t owner, gid_t group) override;
    int openTempFileAt(int dirfd, const std::string& name, mode_t mode) override;
    int linkFileAt(int fd, int dirfd, const std::string& name) override;
    int flushFile(int fd) override;
    int listXattrs(int fd, std::string& names) override;
    int getXattr(int fd, const std::string& name, std::string& value) override;
    int setXattr(int fd, const std::string& name, const std::string& value) override;
    int removeXattr(int fd, const std::string& name) override;
    int getDosAttributes(int fd, DosAttributes way, std::uint32_t& attributes) override;
    int setDosAttributes(int fd, DosAttributes way, std::uint32_t attributes) override;
    int lockFile(int fd, bool wait) override;
    int moveToTrashAt(int dirfd, const std::string& name, bool syncRecord, std::string* trashedAs) override;
};

} // namespace shell
