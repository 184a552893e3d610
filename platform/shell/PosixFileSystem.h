#pragma once
// The real file system: thin wrappers over the POSIX and Linux calls.

#include "platform/shell/FileSystem.h"

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
    int chmod(const std::string& path, mode_t mode) override;
    int setTimes(const std::string& path, const struct timespec times[2]) override;
    int futimens(int fd, const struct timespec times[2]) override;
    int openTempFile(const std::string& path, mode_t mode) override;
    int linkTempFile(int fd, const std::string& path) override;
    int fsync(int fd) override;
    int syncfs(int fd) override;
    int statvfs(const std::string& path, struct statvfs* st) override;
    int mkdir(const std::string& path, mode_t mode) override;
    int rmdir(const std::string& path) override;
    int unlink(const std::string& path) override;
    int rename(const std::string& from, const std::string& to) override;
    int renameNoReplace(const std::string& from, const std::string& to) override;
    int symlink(const std::string& target, const std::string& path) override;
    int readlink(const std::string& path, std::string& target) override;
    int mkfifo(const std::string& path, mode_t mode) override;
    int listDirectory(const std::string& path, std::vector<DirEntry>& entries) override;
    int realPath(const std::string& path, std::string& resolved) override;
    int moveToTrash(const std::string& path) override;
    bool processAlive(pid_t pid) override;
};

} // namespace shell
