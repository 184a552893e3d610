#pragma once
// Paths taken apart and put together as text, without asking the file system.

#include <string>

namespace shell {

[[nodiscard]] std::string joinPath(const std::string& folder, const std::string& name);
[[nodiscard]] std::string parentOf(const std::string& path);
[[nodiscard]] std::string nameOf(const std::string& path);
// Drops trailing slashes ("a/b/" is "a/b"), keeping a lone "/".
[[nodiscard]] std::string withoutTrailingSlash(const std::string& path);

} // namespace shell
