#pragma once
// Copies one item that is not a folder (a file, a symbolic link, a FIFO) to its
// destination name. A file's data goes into an unnamed file in the destination
// folder that is linked to its name only when complete (or, where the file system
// cannot make unnamed files, into a temporary name that is renamed into place), so
// no one ever sees half a file under its final name. Thread-safe: the workers of the session each use their
// own.

#include "platform/shell/CopySession.h"

#include <cstdint>
#include <string>

namespace shell {

class ItemCopier {
public:
    explicit ItemCopier(CopySession& session);

    // replace: the existing item at target goes to the trash once the copy is
    // complete. Errors are put to the user (Retry, Skip, Cancel) here; the item
    // counts as done either way, its planned bytes too when it was skipped.
    // plainFile: the source was a regular file when the tree was counted.
    void copy(const std::string& source, const std::string& target, std::int64_t plannedSize, bool replace,
              bool plainFile = false);

private:
    int attempt(const std::string& source, const std::string& target, bool replace, bool plainFile);
    int copyFile(const std::string& source, const std::string& target, struct stat& before, bool replace,
                 bool unnamed);
    int writeLink(const std::string& source, const std::string& temp, const struct stat& before);
    int writeFifo(const std::string& temp, const struct stat& before);
    int makeRoom(const std::string& target);
    int place(const std::string& temp, const std::string& target, bool replace);
    int publish(int out, const std::string& target, bool replace);

    CopySession& m_session;
    FileSystem& m_fs;
};

} // namespace shell
