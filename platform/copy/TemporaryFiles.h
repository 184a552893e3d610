#pragma once
// The copy's temporary files, from their names to their end. Where a file cannot be
// written unnamed, it is written under a temporary name beside its target
// (CopyNaming: the prefix, this process's pid and a serial), held locked while it
// is written and marked as this program's where the drive stores the mark; once
// complete it is published under its target name, never replacing an item there
// unless the user agreed to, with fallbacks for drives that lack rename flags or
// hard links. A later copy sweeps only what is provably abandoned. Thread-safe.

#include "platform/copy/DriveProbe.h"
#include "platform/copy/fs/FileSystem.h"

#include <atomic>
#include <string>
#include <sys/types.h>

namespace shell {

// Marks a temporary file as this program's, so a later copy may remove it once
// no live copy holds its lock.
inline constexpr const char* kPartialMark = "user.quintaro.partial";

// A name without the flag: where RENAME_NOREPLACE is refused, a hard link fails
// on an existing name just the same; where links are refused too, the name is
// looked at and, while free, the item is renamed to it. Returns 0, -EEXIST when
// the name is taken, or the error of the call that moved nothing; never the
// error of a fallback the drive simply lacks.
int renameWithoutReplacing(FileSystem& fs, const DriveAbilities& drive, int fromDir, const std::string& from,
                           int toDir, const std::string& to);

class TemporaryFiles {
public:
    TemporaryFiles(FileSystem& fs, DriveProbe& drives);

    // A temporary name for target that no other copy uses.
    [[nodiscard]] std::string newName(const std::string& target);

    // Creates the temporary file for target in folder, readable too (a verified copy
    // is read back), locked and marked, and hidden where drive keeps the attribute
    // (the dot hides it on Linux alone). Returns its descriptor, with its name in
    // name, or minus errno.
    int create(const DriveAbilities& drive, int folder, const std::string& target, mode_t mode,
               std::string& name);
    // The file's data and metadata are complete: it carries the mark no longer, and is
    // hidden no longer, so its name shows once it is published.
    void unmark(const DriveAbilities& drive, int fd);

    // Gives the temporary temp in folder the name target, which must be free:
    // 0, -EEXIST when an item has the name, or minus errno.
    int publish(const DriveAbilities& drive, int folder, const std::string& temp, const std::string& target);
    // Gives temp the name target, replacing the item there in one step.
    int replace(int folder, const std::string& temp, const std::string& target);
    // Gives the open file fd (unnamed or named) the name target, replacing the item
    // there in one step: a link cannot replace, a rename can, so the file gets a
    // temporary name first, and target never shows partial data nor is ever empty.
    int linkReplacing(int fd, int folder, const std::string& target);
    // Throws away the temporary temp in folder.
    void discard(int folder, const std::string& temp);

    // Removes the temporary files that killed copies left in folder. Only what is
    // proven abandoned goes: a temporary name, a regular file of this user that
    // carries the mark, and whose lock no live copy holds (whatever its pid
    // namespace). Where the drive cannot store the mark (FAT, exFAT, sshfs), the
    // name's pattern and the lock are the proof.
    void sweep(int folder);

private:
    FileSystem& m_fs;
    DriveProbe& m_drives;
    const pid_t m_pid;
    const uid_t m_user;
    std::atomic<unsigned long> m_serial{0};
};

} // namespace shell
