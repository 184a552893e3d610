#pragma once
// What `cp -a` keeps of an item besides its data: owner and group (where the
// process may set them), extended attributes with the ACLs among them, the
// permission bits with setuid, setgid and sticky, and the times to the nanosecond.

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopySession.h"

#include <sys/stat.h>

namespace shell {

// What the folder a new item is made in hands down to it.
struct Inherited {
    bool acl = true;   // a default ACL, which becomes the new item's own
    bool group = true; // its group (a set-group-ID folder), not the process's
};

// Gives the open copy `to` the metadata of the open source `from` (a file or a
// folder) that was looked at as st. The times come last, since every other change
// touches them. Returns the error of a change that had to succeed.
// modeSet: the copy already carries st's permission bits.
CopyError copyMetadata(CopySession& session, int from, int to, const struct stat& st, bool modeSet = false,
                       Inherited inherited = {});

// What a folder, open as fd, hands down to the items made in it.
[[nodiscard]] Inherited inheritedFrom(FileSystem& fs, int fd);

// Owner and times of an entry without a descriptor (a link or a FIFO); a FIFO's
// mode too.
CopyError copyEntryMetadata(CopySession& session, int folder, const std::string& name, const struct stat& st);

// The mode a folder is made with while its contents go in: the source's own bits
// and always the owner's, so a copy stopped half way never leaves a folder
// narrower than its source, and the owner can still write into it.
[[nodiscard]] inline mode_t workingFolderMode(mode_t sourceMode)
{
    return (sourceMode & 0777) | S_IRWXU;
}

} // namespace shell
