#pragma once
// The desktop trash as freedesktop.org defines it: the item goes to files/ and a
// .trashinfo record in info/ tells the desktop where it came from, so any file
// manager can put it back. Works on raw byte names, which QFile::moveToTrash
// cannot do for names that are not valid UTF-8.

#include <string>

namespace shell {

// When the trash's record of an item reaches the disk.
enum class TrashRecord {
    Synced,  // before the call returns (fsync of the record)
    Flushed, // with the caller's own flush of the item's file system (syncfs), which
             // the trash shares: the record and the item's move are in the page cache
             // before the call returns, in that order
};

// The user's own trash folder: $XDG_DATA_HOME/Trash, else ~/.local/share/Trash.
std::string homeTrashFolder();

// Moves the item to the trash on its own file system (the home trash when it
// shares the home trash's file system, else the volume's .Trash-<uid>). Never copies:
// an item that cannot be renamed into a trash fails with minus errno.
int moveItemToTrash(const std::string& path);
// The same for the entry name of the open folder dirfd.
// trashedAs, if given, gets the item's path in the trash's files folder (its record
// is that name plus ".trashinfo" in the info folder beside it).
int moveItemToTrashAt(int dirfd, const std::string& name, TrashRecord record = TrashRecord::Synced,
                      std::string* trashedAs = nullptr);

} // namespace shell
