#include "platform/copy/ItemMetadata.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace shell {

namespace {

constexpr const char* kAccessAcl = "system.posix_acl_access";
constexpr const char* kDefaultAcl = "system.posix_acl_default";

bool startsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// Errors that mean "this attribute cannot be kept here", as cp -a takes them: the
// destination cannot hold it, or only a privileged process may set it.
bool cannotKeep(const std::string& name, int error)
{
    if (error == -EOPNOTSUPP || error == -ENOTSUP)
        return true;
    return (error == -EPERM || error == -EACCES) && !startsWith(name, "user.")
           && !startsWith(name, "system.");
}

// Sets owner and group where allowed. Returns whether both are the source's.
bool copyOwner(CopySession& session, int to, const struct stat& st, bool groupInherited)
{
    FileSystem& fs = session.fs;
    // A new item already belongs to the process's user and group.
    if (st.st_uid == session.user() && st.st_gid == session.group() && !groupInherited)
        return true;
    if (session.user() == 0)
        return fs.fchown(to, st.st_uid, st.st_gid) == 0;
    // A normal user keeps the group when a member of it; the owner is the user.
    const bool group = fs.fchown(to, static_cast<uid_t>(-1), st.st_gid) == 0;
    return group && st.st_uid == session.user();
}

// A mode the drive the item is on cannot hold (FAT, exFAT, a mount that refuses
// chmod) is not the item's failure: the copy goes without, as with cp, and the
// request says so once.
int modeSetOrDropped(CopySession& session, int fd, int result)
{
    struct stat st {};
    if (result == 0 || session.fs.fstat(fd, &st) != 0 || session.drives.known(st.st_dev).modes)
        return result;
    session.noteNotKept(CopySession::Modes);
    return 0;
}

bool listed(const std::string& names, const char* name)
{
    for (size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
        if (std::strcmp(names.c_str() + at, name) == 0)
            return true;
    }
    return false;
}

// Copies every attribute the destination can hold. aclChanged: the copy's access
// ACL was set or removed, which sets its group bits too.
int copyXattrs(CopySession& session, int from, int to, bool aclInherited, bool& aclChanged)
{
    FileSystem& fs = session.fs;
    std::string names;
    int r = fs.listXattrs(from, names);
    if (r == -EOPNOTSUPP || r == -ENOTSUP)
        return 0;
    if (r != 0)
        return r;
    std::string value;
    for (size_t at = 0; at < names.size();) {
        const std::string name(names.c_str() + at);
        at += name.size() + 1;
        if (name.empty())
            continue;
        r = fs.getXattr(from, name, value);
        if (r == -ENODATA)
            continue; // removed since it was listed
        if (r == 0)
            r = fs.setXattr(to, name, value);
        if (r != 0 && !cannotKeep(name, r))
            return r;
        if (r == -EOPNOTSUPP || r == -ENOTSUP)
            session.noteNotKept(CopySession::Attributes);
        aclChanged |= name == kAccessAcl && r == 0;
    }
    // An ACL the copy inherited from its new folder is not the source's.
    std::string present;
    if (!aclInherited || fs.listXattrs(to, present) != 0)
        return 0;
    for (const char* acl : {kAccessAcl, kDefaultAcl}) {
        if (listed(names, acl) || !listed(present, acl))
            continue;
        if (r = fs.removeXattr(to, acl); r != 0 && r != -ENODATA)
            return r;
        aclChanged |= acl == kAccessAcl;
    }
    return 0;
}

} // namespace

Inherited inheritedFrom(FileSystem& fs, int fd)
{
    Inherited inherited;
    struct stat st {};
    std::string value;
    inherited.group = fs.fstat(fd, &st) != 0 || (st.st_mode & S_ISGID) != 0;
    int r = fs.getXattr(fd, kDefaultAcl, value);
    inherited.acl = r != -ENODATA && r != -EOPNOTSUPP && r != -ENOTSUP;
    return inherited;
}

CopyError copyMetadata(CopySession& session, int from, int to, const struct stat& st, bool modeSet,
                       Inherited inherited)
{
    FileSystem& fs = session.fs;
    const bool owned = copyOwner(session, to, st, inherited.group);
    // Changing the owner can clear the set-id bits and file capabilities: attributes after it.
    bool aclChanged = false;
    if (int r = copyXattrs(session, from, to, inherited.acl, aclChanged); r != 0)
        return CopyError::fromCall(r);
    // A set-id bit belongs to its owner; when the owner or group cannot be kept it is dropped.
    mode_t mode = st.st_mode & 07777;
    if (!owned)
        mode &= ~mode_t(S_ISUID | S_ISGID);
    // The access ACL already set the group bits to its mask, which st's group bits show:
    // setting the mode again gives the same mask, never the owning group's entry.
    if (!modeSet || (st.st_mode & 07000) != 0 || aclChanged) {
        if (int r = modeSetOrDropped(session, to, fs.fchmod(to, mode)); r != 0)
            return CopyError::fromCall(r);
    }
    const timespec times[2] = {st.st_atim, st.st_mtim};
    return CopyError::fromCall(fs.futimens(to, times));
}

CopyError copyEntryMetadata(CopySession& session, int folder, const std::string& name, const struct stat& st)
{
    FileSystem& fs = session.fs;
    bool owned = true;
    if (session.user() == 0)
        owned = fs.chownAt(folder, name, st.st_uid, st.st_gid) == 0;
    if (S_ISFIFO(st.st_mode)) {
        mode_t mode = st.st_mode & 07777;
        if (!owned)
            mode &= ~mode_t(S_ISUID | S_ISGID);
        if (int r = modeSetOrDropped(session, folder, fs.chmodAt(folder, name, mode)); r != 0)
            return CopyError::fromCall(r);
    }
    const timespec times[2] = {st.st_atim, st.st_mtim};
    int r = fs.setTimesAt(folder, name, times);
    // Not every file system keeps a link's own times; the link itself is what counts.
    return S_ISLNK(st.st_mode) ? CopyError() : CopyError::fromCall(r);
}

} // namespace shell
