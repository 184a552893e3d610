#pragma once
// A descriptor opened through the file-system seam, owned: it is closed through the
// same seam when its owner goes, so no exit path forgets it and none closes it twice.
// The seam's own implementation owns what it opens directly the same way (fromSystem).

#include "platform/copy/fs/FileSystem.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace shell {

class UniqueFd {
public:
    UniqueFd() = default;
    // Takes what an open call returned: a descriptor, or minus errno, which holds
    // nothing (error() tells it).
    UniqueFd(FileSystem& fs, int fd) : m_fs(&fs), m_fd(fd >= 0 ? fd : -1), m_error(fd >= 0 ? 0 : fd) {}
    // Takes what ::open returned (a descriptor, or -1 with errno set), closed with ::close.
    [[nodiscard]] static UniqueFd fromSystem(int fd)
    {
        UniqueFd owned;
        owned.m_fd = fd >= 0 ? fd : -1;
        owned.m_error = fd >= 0 ? 0 : -errno;
        return owned;
    }
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept
        : m_fs(other.m_fs), m_fd(std::exchange(other.m_fd, -1)), m_error(std::exchange(other.m_error, 0))
    {
    }
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_fs = other.m_fs;
            m_fd = std::exchange(other.m_fd, -1);
            m_error = std::exchange(other.m_error, 0);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    [[nodiscard]] bool valid() const { return m_fd >= 0; }
    explicit operator bool() const { return valid(); }
    // The descriptor, still owned here; -1 when none is held.
    [[nodiscard]] int get() const { return m_fd; }
    // Why the open failed (minus errno); 0 when a descriptor is held or none was opened.
    [[nodiscard]] int error() const { return m_error; }
    // Hands the descriptor over to the caller, who closes it.
    [[nodiscard]] int release() { return std::exchange(m_fd, -1); }
    void reset()
    {
        if (m_fd >= 0)
            m_fs ? m_fs->close(m_fd) : ::close(m_fd);
        m_fd = -1;
    }

private:
    FileSystem* m_fs = nullptr;
    int m_fd = -1;
    int m_error = 0;
};

} // namespace shell
