#pragma once
// What a destination file system can hold, found out once per mount by trying it
// on a scratch file: USB sticks (FAT, exFAT), NTFS through ntfs-3g, phones and
// network shares through FUSE each lack some of what ext4 has, and the kernel
// often says so only with a bare EINVAL or EPERM that would otherwise become the
// file's error. Unknown (the scratch file could not be made) counts as able, so
// the calls are tried and their errors reported as before.

#include "platform/copy/fs/FileSystem.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace shell {

struct DriveAbilities {
    bool renameNoReplace = true; // renameat2 with RENAME_NOREPLACE
    bool hardLinks = true;       // a second name for a file, by its name
    bool handleLinks = true;     // a name for an open file whose first name has moved
    bool symlinks = true;
    bool modes = true;  // chmod sticks
    bool owners = true; // chown to the process's own user and group
    bool xattrs = true; // user.* attributes
    bool caseSensitive = true;
    bool unnamedFiles = true;  // O_TMPFILE
    bool windowsNames = false; // refuses what Windows refuses in names (':', '?', ...)
    // How a temporary name is hidden from Windows and macOS, for which the leading
    // dot does not: looked for only where files cannot be written unnamed, and
    // never tried while unknown (on Linux's own file systems the dot hides it).
    DosAttributes dosAttributes = DosAttributes::None;
};

// Tries each ability on the scratch name scratch (free, in the folder open as
// dirfd) and removes whatever the probe made.
[[nodiscard]] DriveAbilities probeAbilities(FileSystem& fs, int dirfd, const std::string& scratch);

// The abilities of each destination file system a request writes to, by device.
class DriveProbe {
public:
    explicit DriveProbe(FileSystem& fs) : m_fs(fs) {}

    // Those of the file system the folder dirfd is on, probed the first time with
    // the scratch name.
    DriveAbilities of(int dirfd, const std::string& scratch);
    // The same for a folder whose device is known: once the drive is probed, a lookup
    // without a system call, for every item copied.
    DriveAbilities of(dev_t device, int dirfd, const std::function<std::string()>& scratch);

    // Those of device as probed before, or all abilities when it was not probed.
    [[nodiscard]] DriveAbilities known(dev_t device);

    // Lessons learned from a refused call on device, where the probe could not tell.
    void noteNoRenameFlags(dev_t device);
    void noteNoHandleLinks(dev_t device);

private:
    FileSystem& m_fs;
    std::mutex m_lock;
    std::map<dev_t, DriveAbilities> m_drives;
};

} // namespace shell
