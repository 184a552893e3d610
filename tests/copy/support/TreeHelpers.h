#pragma once
// Small helpers for building and inspecting trees of files in tests.

#include <QByteArray>
#include <string>
#include <vector>

namespace tree {

void writeFile(const std::string& path, const QByteArray& data);
[[nodiscard]] QByteArray readFile(const std::string& path);
void makeFolder(const std::string& path);
// A recognisable pattern of n bytes (not all zero, differs by seed).
[[nodiscard]] QByteArray pattern(int n, int seed = 1);

// Every item below folder as "relative/path" plus "/" for folders and "@" for
// links, sorted; "." and ".." left out.
[[nodiscard]] std::vector<std::string> listing(const std::string& folder);
// Items below folder whose names start with the temporary-file prefix.
[[nodiscard]] std::vector<std::string> partials(const std::string& folder);
[[nodiscard]] bool exists(const std::string& path);

// The names in <trash>/files and the Path= lines of <trash>/info.
[[nodiscard]] std::vector<std::string> trashedNames(const std::string& trash);
[[nodiscard]] std::vector<std::string> trashedPaths(const std::string& trash);

} // namespace tree
