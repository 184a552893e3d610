#include "platform/copy/CopyErrors.h"

#include <cerrno>
#include <cstring>

namespace shell {

namespace {

std::string describeFault(Fault fault)
{
    switch (fault) {
    case Fault::Cancelled:
        return "The copy was cancelled.";
    case Fault::Changed:
        return "The item changed while it was being copied.";
    case Fault::Vanished:
        return "The item was removed or replaced while it was being copied.";
    case Fault::Appeared:
        return "Another item with this name appeared in the destination while copying.";
    case Fault::FolderClash:
        return "A folder with this name already exists in the destination; a file cannot replace a folder.";
    case Fault::FileClash:
        return "A file with this name already exists in the destination; a folder cannot replace a file.";
    case Fault::Special:
        return "It is a socket or a device, which cannot be copied.";
    case Fault::Declined:
        return "The existing item was kept.";
    case Fault::NoName:
        return "No free name could be formed for the copy in this folder.";
    case Fault::TooLarge:
        return "The file is too large for the destination drive, which cannot hold files of 4 GiB or more "
               "(its file system is FAT).";
    case Fault::NotReadBack:
        return "The copy does not read back as the original";
    case Fault::NoRoomToKeep:
        return "There is not enough room on the drive to keep the replaced items in its trash.";
    case Fault::Loop:
        return "The folder contains itself, so its contents would repeat without end.";
    case Fault::NoTrash:
        return "There is no trash it can be moved to on its drive.";
    case Fault::NoUnnamedFile:
        return "The destination cannot make unnamed files.";
    case Fault::None:
        break;
    }
    return {};
}

} // namespace

std::string describeError(CopyError error)
{
    if (error.fault() != Fault::None)
        return describeFault(error.fault());
    switch (error.systemError()) {
    case EFBIG:
        return "The file is too large for the destination drive.";
    case ENOSPC:
    case EDQUOT:
        return "There is not enough space on the destination disk.";
    case EACCES:
    case EPERM:
        return "Access is denied.";
    case ENOENT:
        return "The item cannot be found.";
    case EIO:
        return "The disk could not be read or written (input/output error).";
    case EROFS:
        return "The destination disk is read-only.";
    case ENAMETOOLONG:
        return "The name is too long for the destination.";
    default:
        break;
    }
    char buffer[256];
    // GNU strerror_r may return a static string instead of filling the buffer.
    const char* text = ::strerror_r(error.systemError(), buffer, sizeof buffer);
    return std::string(text) + '.';
}

std::string describeError(CopyError error, const std::string& item)
{
    if (error == Fault::NotReadBack)
        return "The copy of " + item + " does not read back as the original";
    return describeError(error);
}

} // namespace shell
