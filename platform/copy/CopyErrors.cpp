#include "platform/copy/CopyErrors.h"

#include <cerrno>
#include <cstring>

namespace shell {

std::string describeError(int error)
{
    switch (error) {
    case kErrorCancelled:
        return "The copy was cancelled.";
    case kErrorChanged:
        return "The item changed while it was being copied.";
    case kErrorVanished:
        return "The item was removed or replaced while it was being copied.";
    case kErrorAppeared:
        return "Another item with this name appeared in the destination while copying.";
    case kErrorFolderClash:
        return "A folder with this name already exists in the destination; a file cannot replace a folder.";
    case kErrorFileClash:
        return "A file with this name already exists in the destination; a folder cannot replace a file.";
    case kErrorSpecial:
        return "It is a socket or a device, which cannot be copied.";
    case kErrorDeclined:
        return "The existing item was kept.";
    case kErrorNoName:
        return "No free name could be formed for the copy in this folder.";
    case kErrorTooLarge:
        return "The file is too large for the destination drive, which cannot hold files of 4 GiB or more "
               "(its file system is FAT).";
    case kErrorNotReadBack:
        return "The copy does not read back as the original";
    case kErrorNoRoomToKeep:
        return "There is not enough room on the drive to keep the replaced items in its trash.";
    case -EFBIG:
        return "The file is too large for the destination drive.";
    case kErrorLoop:
        return "The folder contains itself, so its contents would repeat without end.";
    case -ENOSPC:
    case -EDQUOT:
        return "There is not enough space on the destination disk.";
    case -EACCES:
    case -EPERM:
        return "Access is denied.";
    case -ENOENT:
        return "The item cannot be found.";
    case -EIO:
        return "The disk could not be read or written (input/output error).";
    case -EROFS:
        return "The destination disk is read-only.";
    case -ENAMETOOLONG:
        return "The name is too long for the destination.";
    default:
        break;
    }
    char buffer[256];
    // GNU strerror_r may return a static string instead of filling the buffer.
    const char* text = ::strerror_r(-error, buffer, sizeof buffer);
    return std::string(text) + '.';
}

std::string describeError(int error, const std::string& item)
{
    if (error == kErrorNotReadBack)
        return "The copy of " + item + " does not read back as the original";
    return describeError(error);
}

} // namespace shell
