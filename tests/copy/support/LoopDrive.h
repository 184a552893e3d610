#pragma once
// A small removable-style drive made inside a test: an image file formatted as
// FAT32, exFAT or NTFS and mounted through FUSE as a desktop automounter would
// (owned by the user who plugged it in, umask 022), or a folder seen through
// bindfs with chmod refused. Unmounted and detached when the drive goes out of
// scope, whatever way the test ends. Needs root and /dev/fuse; available() says
// why not, for QSKIP.

#include <QTemporaryDir>
#include <string>
#include <sys/types.h>
#include <vector>

namespace drive {

enum class Kind {
    Fat32,   // fusefat on the image itself
    ExFat,   // exfat-fuse on a loop device
    Ntfs,    // ntfs-3g on a loop device
    NoChmod, // bindfs --chmod-deny over a plain folder
};

[[nodiscard]] const char* kindName(Kind kind);

class LoopDrive {
public:
    // owner: the user (and group of the same number) the drive's files belong to.
    LoopDrive(Kind kind, uid_t owner, int megabytes = 64);
    ~LoopDrive();
    LoopDrive(const LoopDrive&) = delete;
    LoopDrive& operator=(const LoopDrive&) = delete;

    // Empty when the drive is mounted; otherwise why it could not be.
    [[nodiscard]] const std::string& unavailable() const { return m_why; }
    // The drive's top folder.
    [[nodiscard]] const std::string& path() const { return m_mount; }

private:
    bool mount(Kind kind, uid_t owner, int megabytes);
    void unmount();

    QTemporaryDir m_dir;
    std::string m_image;
    std::string m_mount;
    std::string m_loop;    // the loop device, when one was attached
    std::string m_backing; // bindfs: the folder under the mount
    bool m_mounted = false;
    std::string m_why;
};

// Runs a program with its arguments, its output discarded; its exit status, or -1.
int runQuietly(const std::vector<std::string>& argv, std::string* output = nullptr);

} // namespace drive
