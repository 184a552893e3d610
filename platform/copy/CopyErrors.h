#pragma once
// Failure reasons inside the copy engine: minus errno from the file system, or one
// of the engine's own codes below (all outside the errno range).

#include <string>

namespace shell {

enum : int {
    kErrorCancelled = -100001,     // the user asked to stop
    kErrorChanged = -100002,       // the source changed while it was being read
    kErrorVanished = -100003,      // the source disappeared while it was being read
    kErrorAppeared = -100004,      // an item took the destination name meanwhile
    kErrorFolderClash = -100005,   // a folder stands where a file must go
    kErrorFileClash = -100006,     // a file stands where a folder must go
    kErrorSpecial = -100007,       // a socket or device node, which is not copied
    kErrorLoop = -100008,          // a folder that contains itself (a bind mount)
    kErrorDeclined = -100009,      // the user chose to keep the existing item
    kErrorNoUnnamedFile = -100010, // the destination cannot make unnamed files (never shown)
    kErrorNoName = -100011,        // no free name could be formed for a copy beside its original
    kErrorTooLarge = -100012,      // the file is larger than the destination's file system can hold
    kErrorNoRoomToKeep = -100013,  // the replaced items cannot be kept in the trash for lack of room
    kErrorNotReadBack = -100014,   // a verified copy read back from its drive differs from its source
};

// Leads the reason of a folder that was copied but could not be given its source's
// mode, owner, attributes or times.
inline constexpr const char* kFolderMetadataNotKept = "Its permissions, owner or times could not be kept: ";

// Why a symbolic link was left out on a drive that has none (FAT, exFAT).
inline constexpr const char* kNoLinksHere = "This drive cannot hold links";

// The sentence shown to the user for a failure code.
[[nodiscard]] std::string describeError(int error);
// The sentence for a failure of item (its shown path), which some of them name.
[[nodiscard]] std::string describeError(int error, const std::string& item);

} // namespace shell
