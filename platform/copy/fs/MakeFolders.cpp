#include "platform/copy/fs/MakeFolders.h"

#include "platform/copy/fs/Paths.h"

#include <cerrno>
#include <sys/stat.h>

namespace shell {

int makeFolders(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST)
        return 0;
    if (errno != ENOENT)
        return -errno;
    if (int r = makeFolders(parentOf(path)); r != 0)
        return r;
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST ? 0 : -errno;
}

} // namespace shell
