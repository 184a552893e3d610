#pragma once
// Makes a folder with any parents it lacks, each for the user alone (0700), as the
// trash's and the user's state folders are.

#include <string>

namespace shell {

// Zero when the folder is there (made or found); minus errno.
int makeFolders(const std::string& path);

} // namespace shell
