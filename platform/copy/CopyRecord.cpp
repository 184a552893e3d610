#include "platform/copy/CopyRecord.h"

#include "platform/copy/fs/MakeFolders.h"
#include "platform/copy/fs/Paths.h"
#include "platform/copy/fs/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {

namespace {

constexpr const char* kSuffix = ".copy";
constexpr const char* kUndoneSuffix = ".undone";
constexpr size_t kKept = 20; // records kept; older ones go

std::string workingFolder()
{
    char* here = ::getcwd(nullptr, 0);
    const std::string result = here ? here : "";
    std::free(here);
    return result;
}

void field(std::string& out, const std::string& value)
{
    out += value;
    out += '\0';
}

bool hasSuffix(const std::string& name, const std::string& suffix)
{
    return name.size() >= suffix.size()
           && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The records in folder, oldest first.
std::vector<std::string> records(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (hasSuffix(name, kSuffix) || hasSuffix(name, std::string(kSuffix) + kUndoneSuffix))
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::string CopyRecord::absolute(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    // Looked up once: the working folder stays put while a request runs.
    if (m_workingFolder.empty())
        m_workingFolder = workingFolder();
    return m_workingFolder.empty() ? path : joinPath(m_workingFolder, path);
}

void CopyRecord::made(const std::string& path)
{
    std::lock_guard lock(m_lock);
    m_made.push_back(absolute(path));
}

void CopyRecord::replaced(const std::string& path, const std::string& trashedAs)
{
    std::lock_guard lock(m_lock);
    m_replaced.push_back({absolute(path), trashedAs});
}

bool CopyRecord::empty() const
{
    std::lock_guard lock(m_lock);
    return m_made.empty() && m_replaced.empty();
}

int CopyRecord::save(const std::string& folder) const
{
    std::vector<std::string> made;
    std::vector<ReplacedItem> replaced;
    {
        std::lock_guard lock(m_lock);
        made = m_made;
        replaced = m_replaced;
    }
    // Sorted, an item's contents follow it: keep only the outermost made items.
    std::sort(made.begin(), made.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            // '/' first, so "a/b" sorts right after "a" and before "a b".
            auto rank = [](char c) { return c == '/' ? -1 : static_cast<unsigned char>(c); };
            return rank(x) < rank(y);
        });
    });
    std::string text = "quintaro-copy-record 1";
    text += '\0';
    std::string outer;
    for (const std::string& path : made) {
        if (!outer.empty() && path.size() > outer.size() && path.compare(0, outer.size(), outer) == 0
            && path[outer.size()] == '/')
            continue;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            continue; // gone already: nothing to undo
        outer = path;
        field(text, "made");
        field(text, path);
        field(text, std::to_string(st.st_dev));
        field(text, std::to_string(st.st_ino));
        field(text, std::to_string(st.st_size));
        field(text, std::to_string(st.st_mtim.tv_sec));
        field(text, std::to_string(st.st_mtim.tv_nsec));
    }
    for (const ReplacedItem& item : replaced) {
        field(text, "replaced");
        field(text, item.path);
        field(text, item.trashed);
    }

    if (int r = makeFolders(folder); r != 0)
        return r;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%020lld",
                  static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    const std::string name = std::string(stamp) + "-" + std::to_string(::getpid()) + kSuffix;
    const std::string temp = joinPath(folder, "." + name);
    UniqueFd fd = UniqueFd::fromSystem(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!fd)
        return fd.error();
    int result = 0;
    for (size_t done = 0; done < text.size() && result == 0;) {
        ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno != EINTR)
            result = -errno;
        else if (n > 0)
            done += static_cast<size_t>(n);
    }
    if (result == 0 && ::fsync(fd.get()) != 0)
        result = -errno;
    fd.reset();
    if (result == 0 && ::rename(temp.c_str(), joinPath(folder, name).c_str()) != 0)
        result = -errno;
    if (result != 0) {
        ::unlink(temp.c_str());
        return result;
    }
    std::vector<std::string> all = records(folder);
    for (size_t i = 0; i + kKept < all.size(); ++i)
        ::unlink(joinPath(folder, all[i]).c_str());
    return 0;
}

std::string copyHistoryFolder()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        return joinPath(state, "quintaro/copies");
    const char* home = std::getenv("HOME");
    return joinPath(home && home[0] ? home : "/", ".local/state/quintaro/copies");
}

bool lastCopy(const std::string& folder, SavedCopy& copy)
{
    const std::vector<std::string> all = records(folder);
    if (all.empty())
        return false;
    copy = SavedCopy{};
    copy.file = joinPath(folder, all.back());
    copy.undone = hasSuffix(all.back(), kUndoneSuffix);
    std::string text;
    if (FILE* in = std::fopen(copy.file.c_str(), "rb")) {
        char buffer[65536];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            text.append(buffer, n);
        std::fclose(in);
    } else {
        return false;
    }
    std::vector<std::string> fields;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\0', at);
        if (end == std::string::npos)
            return false; // cut short: not a record this program wrote
        fields.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (fields.empty() || fields[0] != "quintaro-copy-record 1")
        return false;
    for (size_t i = 1; i < fields.size();) {
        if (fields[i] == "made" && i + 6 < fields.size()) {
            MadeItem item;
            item.path = fields[i + 1];
            item.device = static_cast<dev_t>(std::strtoull(fields[i + 2].c_str(), nullptr, 10));
            item.inode = static_cast<ino_t>(std::strtoull(fields[i + 3].c_str(), nullptr, 10));
            item.size = std::strtoll(fields[i + 4].c_str(), nullptr, 10);
            item.modified.tv_sec = static_cast<time_t>(std::strtoll(fields[i + 5].c_str(), nullptr, 10));
            item.modified.tv_nsec = std::strtol(fields[i + 6].c_str(), nullptr, 10);
            copy.made.push_back(std::move(item));
            i += 7;
        } else if (fields[i] == "replaced" && i + 2 < fields.size()) {
            copy.replaced.push_back({fields[i + 1], fields[i + 2]});
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

int markUndone(SavedCopy& copy)
{
    if (copy.undone)
        return 0;
    const std::string marked = copy.file + kUndoneSuffix;
    if (::rename(copy.file.c_str(), marked.c_str()) != 0)
        return -errno;
    copy.file = marked;
    copy.undone = true;
    return 0;
}

} // namespace shell
