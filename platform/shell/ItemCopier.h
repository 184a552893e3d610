#pragma once
// Copies one item that is not a folder (a file, a symbolic link, a FIFO) from its
// source folder into its destination folder, both open (FolderPair). A file's data
// goes into an unnamed file in the destination folder that is linked to its name
// only when complete (or, where the file system cannot make unnamed files, into a
// locked temporary name that is renamed into place), so no one ever sees half a
// file under its final name. Files with several names inside the tree become one
// file with several names again. Thread-safe: the session's workers share one.

#include "platform/shell/CopySession.h"
#include "platform/shell/FolderPair.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace shell {

// Marks a temporary file as this program's, so a later copy may remove it once
// no live copy holds its lock.
inline constexpr const char* kPartialMark = "user.quintaro.partial";

class ItemCopier {
public:
    explicit ItemCopier(CopySession& session);
    ~ItemCopier();
    ItemCopier(const ItemCopier&) = delete;
    ItemCopier& operator=(const ItemCopier&) = delete;

    // replace: the existing item at target goes to the trash once the copy is
    // complete. Errors are put to the user (Retry, Skip, Cancel) here; the item
    // counts as done either way, its planned bytes too when it was skipped.
    // plainFile: the source was a regular file when the tree was counted.
    void copy(const FolderPair& folder, const std::string& name, const std::string& target,
              std::int64_t plannedSize, bool replace, bool plainFile = false);

private:
    struct Place {
        const FolderPair& folder;
        const std::string& name;
        const std::string& target;
    };
    int attempt(const Place& at, bool replace, bool plainFile);
    int copyFile(const Place& at, struct stat& before, bool replace, bool unnamed);
    int writeEntry(const Place& at, const struct stat& before, bool replace);
    int makeEntry(const Place& at, const std::string& name, const struct stat& before, bool& made);
    int makeRoom(const Place& at);
    int place(const Place& at, const std::string& temp, bool replace);
    int publish(const Place& at, int out, bool replace);
    int linkKnownCopy(const Place& at, const struct stat& source, bool replace, bool& linked);
    void rememberCopy(const struct stat& source, int out);

    CopySession& m_session;
    FileSystem& m_fs;
    // Copies of files with more than one name, by the source's device and inode,
    // with how many of its names are still to come.
    struct KnownCopy {
        int fd;
        nlink_t remaining;
    };
    std::mutex m_linkLock;
    std::map<std::pair<dev_t, ino_t>, KnownCopy> m_copies;
};

} // namespace shell
