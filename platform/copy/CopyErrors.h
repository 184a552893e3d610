#pragma once
// Why a step of the copy failed: a system error (errno) from the file system, or
// one of the engine's own reasons. A value of its own type, never an int whose
// ranges mean different things; the file-system seam's "minus errno" ends here.

#include <cstdint>
#include <string>

namespace shell {

// The engine's own reasons for a step to end without its result.
enum class Fault : std::uint8_t {
    None,
    Cancelled,     // the user asked to stop
    Changed,       // the source changed while it was being read
    Vanished,      // the source disappeared while it was being read
    Appeared,      // an item took the destination name meanwhile
    FolderClash,   // a folder stands where a file must go
    FileClash,     // a file stands where a folder must go
    Special,       // a socket or device node, which is not copied
    Loop,          // a folder that contains itself (a bind mount)
    Declined,      // the user chose to keep the existing item
    NoUnnamedFile, // the destination cannot make unnamed files (never shown)
    NoName,        // no free name could be formed for a copy beside its original
    TooLarge,      // the file is larger than the destination's file system can hold
    NoRoomToKeep,  // the replaced items cannot be kept in the trash for lack of room
    NotReadBack,   // a verified copy read back from its drive differs from its source
    NoTrash,       // no trash can take the item (none on its drive, none it can write)
};

class [[nodiscard]] CopyError {
public:
    // No error.
    constexpr CopyError() = default;
    constexpr CopyError(Fault fault) : m_fault(fault) {}
    // A system error: errnoValue is positive (ENOSPC, EACCES, ...).
    [[nodiscard]] static constexpr CopyError system(int errnoValue)
    {
        CopyError error;
        error.m_errno = errnoValue;
        return error;
    }
    // What a file-system call returned: negative is minus errno, anything else success.
    [[nodiscard]] static constexpr CopyError fromCall(long result)
    {
        return result < 0 ? system(static_cast<int>(-result)) : CopyError();
    }

    // True for a failure, as with std::error_code.
    constexpr explicit operator bool() const { return m_fault != Fault::None || m_errno != 0; }
    // The system error, or 0 when it is none (or one of the engine's own).
    [[nodiscard]] constexpr int systemError() const { return m_errno; }
    [[nodiscard]] constexpr Fault fault() const { return m_fault; }
    [[nodiscard]] constexpr bool is(int errnoValue) const { return m_errno == errnoValue; }

    friend constexpr bool operator==(const CopyError&, const CopyError&) = default;

private:
    Fault m_fault = Fault::None;
    int m_errno = 0;
};

// Leads the reason of a folder that was copied but could not be given its source's
// mode, owner, attributes or times.
inline constexpr const char* kFolderMetadataNotKept = "Its permissions, owner or times could not be kept: ";

// Why a symbolic link was left out on a drive that has none (FAT, exFAT).
inline constexpr const char* kNoLinksHere = "This drive cannot hold links";

// The sentence shown to the user for a failure.
[[nodiscard]] std::string describeError(CopyError error);
// The sentence for a failure of item (its shown path), which some of them name.
[[nodiscard]] std::string describeError(CopyError error, const std::string& item);

} // namespace shell
