#include "copy-command/WindowForm.h"

#include <cerrno>
#include <climits>
#include <unistd.h>

#ifndef QUINTARO_WINDOW_FROM_BIN
#error "QUINTARO_WINDOW_FROM_BIN: the libexec folder as seen from the bin folder"
#endif
#ifndef QUINTARO_WINDOW_DIR
#error "QUINTARO_WINDOW_DIR: the installed libexec folder"
#endif

namespace copycmd {

std::vector<std::string> windowFormPlaces(const std::string& selfFolder)
{
    const std::string name = std::string("/") + kWindowFormName;
    if (selfFolder.empty())
        return {QUINTARO_WINDOW_DIR + name};
    return {selfFolder + name, selfFolder + "/" + QUINTARO_WINDOW_FROM_BIN + name,
            QUINTARO_WINDOW_DIR + name};
}

std::optional<std::string> findWindowForm()
{
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string folder;
    if (length > 0) {
        folder.assign(self, static_cast<size_t>(length));
        folder.erase(folder.rfind('/'));
    }
    for (const std::string& place : windowFormPlaces(folder)) {
        if (::access(place.c_str(), X_OK) == 0)
            return place;
    }
    return std::nullopt;
}

int execWindowForm(const std::string& path, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(path.c_str(), argv.data());
    return errno;
}

} // namespace copycmd
