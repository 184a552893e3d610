#pragma once
// Names the copy engine makes up or takes apart: "a - Copy.txt"
// duplicates, the temporary names that files are written under, wildcards and the
// request's NUL-separated name lists.

#include "platform/copy/fs/Paths.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace shell {

// Where to cut text to keep at most `at` bytes without splitting a UTF-8 character.
[[nodiscard]] size_t utf8Boundary(const std::string& text, size_t at);

// The n-th duplicate of an item copied beside itself: n = 1 gives "a - Copy.txt",
// n = 2 "a - Copy (2).txt"; a folder's name keeps no extension apart ("f - Copy").
[[nodiscard]] std::string duplicateName(const std::string& name, bool isFolder, int n);
// The n-th free name tried for an incoming item kept beside one of the same name:
// n = 1 gives "a (2).txt", n = 2 "a (3).txt"; a name numbered already counts on
// from its number ("a (2).txt" gives "a (3).txt").
[[nodiscard]] std::string keptBothName(const std::string& name, bool isFolder, int n);

// Files are written under this name in their destination folder (where unnamed files
// cannot be made) and renamed into place only when complete. The copy holds a lock
// on the file meanwhile; that, not the pid, tells a later copy it is abandoned.
inline constexpr const char* kPartialPrefix = ".quintaro-partial-";
[[nodiscard]] std::string partialName(pid_t pid, unsigned long serial, const std::string& name);
[[nodiscard]] std::optional<pid_t> partialOwner(const std::string& name);

// What drives with Windows' naming rules (FAT, exFAT, NTFS in its Windows mode)
// refuse in name, in words ("names with ':'", "names ending in a dot", "the name
// 'CON'"), or an empty text when they take it.
[[nodiscard]] std::string refusedByWindowsDrives(const std::string& name);
// name with every refused character, trailing dot or space replaced by '_', and a
// reserved device name given a '_' after its stem ("CON.txt" is "CON_.txt").
[[nodiscard]] std::string windowsSafeName(const std::string& name);
// ASCII letters in lower case: how drives that ignore case compare names.
[[nodiscard]] std::string foldedCase(std::string name);

[[nodiscard]] bool hasWildcard(const std::string& name);
[[nodiscard]] bool matchesWildcard(const std::string& pattern, const std::string& name);

// "a\0b\0\0" gives {"a", "b"}; an unterminated list ends at its last byte.
[[nodiscard]] std::vector<std::string> splitNameList(const char* data, size_t size);

} // namespace shell
