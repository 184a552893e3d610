#pragma once
// What one copy request did, kept so it can be undone: the items it made (each
// with what it was like when the copy ended, to tell later whether it changed) and
// the items it replaced, with where in the trash they went. Noted from the engine's
// threads while it copies; saved once at the end as one file of the user's history
// of copies ($XDG_STATE_HOME/quintaro/copies). The file is a list of NUL-ended
// fields, as names may hold any byte but NUL.

#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

namespace shell {

struct MadeItem {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t size = 0;
    std::timespec modified{};
};

struct ReplacedItem {
    std::string path;    // where it stood, and is to be put back
    std::string trashed; // where it is in the trash's files folder
};

class CopyRecord {
public:
    void made(const std::string& path);
    void replaced(const std::string& path, const std::string& trashedAs);
    [[nodiscard]] bool empty() const;

    // Writes the record into folder (made if missing) under a new name that sorts
    // after every earlier one, keeping the newest few records. Items made inside
    // another made item are left out: undoing the outer one undoes them. Minus errno.
    int save(const std::string& folder) const;

private:
    // path made absolute against the working folder; called with the lock held.
    std::string absolute(const std::string& path);

    mutable std::mutex m_lock;
    std::string m_workingFolder;
    std::vector<std::string> m_made;
    std::vector<ReplacedItem> m_replaced;
};

// A saved record, read back.
struct SavedCopy {
    std::string file; // the record's own file
    bool undone = false;
    std::vector<MadeItem> made;
    std::vector<ReplacedItem> replaced;
};

// The user's history of copies: $XDG_STATE_HOME/quintaro/copies, else ~/.local/state/quintaro/copies.
[[nodiscard]] std::string copyHistoryFolder();
// The newest record in folder; false when there is none (or it cannot be read).
bool lastCopy(const std::string& folder, SavedCopy& copy);
// Marks the record undone; minus errno.
int markUndone(SavedCopy& copy);

} // namespace shell
