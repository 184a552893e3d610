#pragma once
// Copies one item that is not a folder (a file, a symbolic link, a FIFO) from its
// source folder into its destination folder, both open (FolderPair). A file's data
// goes into an unnamed file in the destination folder that is linked to its name
// only when complete (or, where the file system cannot make unnamed files, into a
// locked temporary name that is renamed into place), so no one ever sees half a
// file under its final name; a verified copy gets its name only once it reads back
// as its source did. Files with several names inside the tree become one
// file with several names again. Thread-safe: the session's workers share one.

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/DataHash.h"
#include "platform/copy/FolderPair.h"
#include "platform/copy/fs/UniqueFd.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace shell {

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

    // Small files of one folder that were regular files when listed, copied in turn
    // by one worker: a batch costs one hand-over between threads, not one per file.
    struct BatchFile {
        std::string name;
        std::string target;
        std::int64_t plannedSize = 0;
        bool replace = false;
    };
    void copyBatch(const FolderPair& folder, const std::vector<BatchFile>& files);

private:
    struct Place {
        const FolderPair& folder;
        const std::string& name;
        const std::string& target;
    };
    // A regular file on its way: the source open, its copy being written.
    struct FileCopy {
        UniqueFd in;
        UniqueFd out;
        struct stat before {};
        bool unnamed = true;
        bool modeAtCreation = false;
        std::string temp;         // the copy's temporary name, when it is not unnamed
        std::int64_t copied = 0;  // bytes reported to the progress
        std::int64_t written = 0; // bytes of data written
        bool verify = false;      // read back and compared before it gets its name
        DataHash::Digest hash;    // of what was read from the source, when verified
    };
    CopyError attempt(const Place& at, bool replace, bool plainFile);
    DriveAbilities drive(const Place& at);
    CopyError linkRefused(const Place& at, int error);
    CopyError copyFile(const Place& at, bool replace, bool unnamed);
    CopyError openSource(const Place& at, FileCopy& file);
    CopyError openCopy(const Place& at, FileCopy& file);
    CopyError finishCopy(const Place& at, FileCopy& file, bool replace);
    CopyError release(const Place& at, FileCopy& file, CopyError result);
    CopyError writeEntry(const Place& at, const struct stat& before, bool replace);
    CopyError makeEntry(const Place& at, const std::string& name, const struct stat& before, bool& made);
    // What replacing the item at target needs: nothing (the name is free now), a
    // replace in one step (the user agreed to delete it for good; it is still there),
    // or nothing more at all (the user keeps it).
    enum class Room { Free, Overwrite, Kept };
    Room makeRoom(const Place& at);
    CopyError place(const Place& at, const std::string& temp, bool replace);
    CopyError publish(const Place& at, int out, bool replace);
    CopyError linkKnownCopy(const Place& at, const struct stat& source, bool replace, bool& linked);
    void rememberCopy(const struct stat& source, int out);

    CopySession& m_session;
    FileSystem& m_fs;
    // Copies of files with more than one name, by the source's device and inode,
    // with how many of its names are still to come.
    struct KnownCopy {
        UniqueFd fd;
        nlink_t remaining;
    };
    std::mutex m_linkLock;
    std::map<std::pair<dev_t, ino_t>, KnownCopy> m_copies;
};

} // namespace shell
