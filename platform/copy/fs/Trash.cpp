#include "platform/copy/fs/Trash.h"

#include "platform/copy/fs/MakeFolders.h"
#include "platform/copy/fs/Paths.h"
#include "platform/copy/fs/UniqueFd.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {

namespace {

// The trash's Path key is a URL path: every byte outside the unreserved set is %XX.
std::string percentEncoded(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
                     || c == '_' || c == '.' || c == '~' || c == '/';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string localTimeStamp()
{
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    return text;
}

bool usableTrash(const std::string& trash, dev_t device)
{
    struct stat st {};
    if (makeFolders(trash + "/files") != 0 || makeFolders(trash + "/info") != 0)
        return false;
    // The records live on the items' file system too, so flushing it covers them.
    return ::stat((trash + "/files").c_str(), &st) == 0 && st.st_dev == device
           && ::stat((trash + "/info").c_str(), &st) == 0 && st.st_dev == device;
}

// The mount point holding the item: the highest ancestor still on its device.
std::string topFolderOf(const std::string& absolute, dev_t device)
{
    std::string top = parentOf(absolute);
    while (top != "/") {
        std::string up = parentOf(top);
        struct stat st {};
        if (::stat(up.c_str(), &st) != 0 || st.st_dev != device)
            break;
        top = up;
    }
    return top;
}

std::string trashFor(const std::string& absolute, dev_t device)
{
    std::string home = homeTrashFolder();
    if (usableTrash(home, device))
        return home;
    std::string top = topFolderOf(absolute, device);
    std::string base = top == "/" ? "" : top;
    std::string uid = std::to_string(::getuid());
    // A shared .Trash must be a real sticky folder, or anyone could read the items.
    struct stat st {};
    std::string shared = base + "/.Trash";
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)
        && usableTrash(shared + "/" + uid, device))
        return shared + "/" + uid;
    std::string own = base + "/.Trash-" + uid;
    if (usableTrash(own, device))
        return own;
    return {};
}

// The trash each file system's items go to, found once: looking again for every item
// would cost two folder checks and two looks each. Keyed by the home trash as well,
// which the environment names. A trash removed since is found (or made) again.
std::mutex g_knownLock;
std::map<std::pair<dev_t, std::string>, std::string> g_known;

std::string knownTrashFor(const std::string& absolute, dev_t device, bool lookAgain)
{
    const auto key = std::make_pair(device, homeTrashFolder());
    std::lock_guard lock(g_knownLock);
    if (auto it = g_known.find(key); it != g_known.end() && !lookAgain)
        return it->second;
    std::string trash = trashFor(absolute, device);
    if (trash.empty())
        g_known.erase(key);
    else
        g_known[key] = trash;
    return trash;
}

// Names this process has seen taken in a trash, remembered in a fixed table of bits
// (a Bloom filter: a name may be wrongly thought taken, never wrongly thought free),
// so the many items of one name that replacing a tree of like-named folders trashes
// go straight to a free name instead of trying taken ones, each try a create in a
// large folder. The table stays 16 KiB however many items go to the trash.
class TakenNames {
public:
    bool probablyTaken(const std::string& trash, const std::string& name) const
    {
        const auto [a, b] = bits(trash, name);
        return (m_bits[a / 64].load(std::memory_order_relaxed) & (1ull << (a % 64))) != 0
               && (m_bits[b / 64].load(std::memory_order_relaxed) & (1ull << (b % 64))) != 0;
    }
    void note(const std::string& trash, const std::string& name)
    {
        const auto [a, b] = bits(trash, name);
        m_bits[a / 64].fetch_or(1ull << (a % 64), std::memory_order_relaxed);
        m_bits[b / 64].fetch_or(1ull << (b % 64), std::memory_order_relaxed);
    }

private:
    static constexpr size_t kBits = size_t{1} << 17;
    static std::pair<size_t, size_t> bits(const std::string& trash, const std::string& name)
    {
        const size_t h = std::hash<std::string>{}(trash + '/' + name);
        // The second position from the hash's other bits, mixed so the two do not go together.
        const size_t g = (h >> 17 | h << 47) * 0x9E3779B97F4A7C15ull;
        return {h % kBits, (g >> 20) % kBits};
    }
    std::array<std::atomic<std::uint64_t>, kBits / 64> m_bits{};
};

TakenNames g_taken;
std::atomic<unsigned long> g_trashed{0};

// The n-th name tried in the trash: "name", "name.2", then names no one else takes
// (time, process and a count of this process's items). Shortened where needed to leave
// room for the suffix and ".trashinfo" in one directory entry.
std::string trashNameFor(const std::string& name, int n)
{
    if (n == 1)
        return name.substr(0, NAME_MAX - 12);
    if (n == 2)
        return name.substr(0, NAME_MAX - 12) + ".2";
    return name.substr(0, NAME_MAX - 56) + "." + std::to_string(std::time(nullptr)) + "-"
           + std::to_string(::getpid()) + "-" + std::to_string(++g_trashed);
}

// The first of the two short names not known to be taken, else the first unique one.
int firstTryFor(const std::string& trash, const std::string& name)
{
    for (int n = 1; n <= 2; ++n) {
        if (!g_taken.probablyTaken(trash, trashNameFor(name, n)))
            return n;
    }
    return 3;
}

// Moves the item into the trash's files folder without replacing anything there.
int renameIntoTrash(int dirfd, const std::string& name, const std::string& filesPath)
{
    if (::renameat2(dirfd, name.c_str(), AT_FDCWD, filesPath.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return -errno;
    // A file system that cannot refuse to replace: look first (another trasher may
    // slip in between, as with any trash that has no such rename).
    struct stat existing {};
    if (::lstat(filesPath.c_str(), &existing) == 0)
        return -EEXIST;
    return ::renameat(dirfd, name.c_str(), AT_FDCWD, filesPath.c_str()) == 0 ? 0 : -errno;
}

// The record's Path: absolute in the home trash; in a drive's own trash, from the
// drive's top folder, so the item can be put back wherever the drive is mounted next.
std::string recordedPath(const std::string& absolute, const std::string& trash)
{
    if (trash == homeTrashFolder())
        return absolute;
    // $top/.Trash-<uid>, or $top/.Trash/<uid>
    const std::string top =
        nameOf(trash).rfind(".Trash-", 0) == 0 ? parentOf(trash) : parentOf(parentOf(trash));
    if (top == "/")
        return absolute.substr(1);
    if (absolute.compare(0, top.size() + 1, top + "/") != 0)
        return absolute;
    return absolute.substr(top.size() + 1);
}

int writeAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -errno;
        done += static_cast<size_t>(n);
    }
    return 0;
}

} // namespace

std::string homeTrashFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + "/Trash";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/Trash";
}

int moveItemToTrash(const std::string& path)
{
    const UniqueFd folder =
        UniqueFd::fromSystem(::open(parentOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return folder.error();
    return moveItemToTrashAt(folder.get(), nameOf(path));
}

int moveItemToTrashAt(int dirfd, const std::string& name, TrashRecord record, std::string* trashedAs)
{
    // The record needs the item's absolute path; the open folder knows its own.
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", dirfd);
    std::string folder(PATH_MAX, '\0');
    ssize_t length = ::readlink(procPath, folder.data(), folder.size());
    if (length < 0)
        return -errno;
    if (static_cast<size_t>(length) >= folder.size() || folder[0] != '/')
        return -ENAMETOOLONG;
    folder.resize(static_cast<size_t>(length));
    std::string absolute = (folder == "/" ? "" : folder) + "/" + name;

    // The item's file system is its folder's (a mount point cannot be moved anyway).
    struct stat item {};
    if (::fstat(dirfd, &item) != 0)
        return -errno;
    std::string trash = knownTrashFor(absolute, item.st_dev, false);
    bool lookedAgain = false;
    if (trash.empty())
        return -EXDEV;

    std::string info = "[Trash Info]\nPath=" + percentEncoded(recordedPath(absolute, trash))
                       + "\nDeletionDate=" + localTimeStamp() + "\n";
    // A folder of the trash was removed since the trash was found: find or make it once
    // more, and start again there. False when that was done already or failed.
    auto lookAgain = [&](int& n) {
        if (lookedAgain)
            return false;
        lookedAgain = true;
        trash = knownTrashFor(absolute, item.st_dev, true);
        info = "[Trash Info]\nPath=" + percentEncoded(recordedPath(absolute, trash))
               + "\nDeletionDate=" + localTimeStamp() + "\n";
        n = 0;
        return !trash.empty();
    };
    for (int n = firstTryFor(trash, name); n < 100000; ++n) {
        std::string trashName = trashNameFor(name, n);
        std::string infoPath = trash + "/info/" + trashName + ".trashinfo";
        std::string filesPath = trash + "/files/" + trashName;
        // The info record is created exclusively first: it reserves the name against other trashers.
        UniqueFd fd =
            UniqueFd::fromSystem(::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd.error() == -EEXIST) {
            g_taken.note(trash, trashName);
            continue;
        }
        if (fd.error() == -ENOENT) {
            if (!lookAgain(n))
                return -EXDEV;
            continue;
        }
        if (!fd)
            return fd.error();
        int result = writeAll(fd.get(), info);
        if (result == 0 && record == TrashRecord::Synced && ::fsync(fd.get()) != 0)
            result = -errno;
        fd.reset();
        if (result == 0)
            result = renameIntoTrash(dirfd, name, filesPath);
        if (result != 0)
            ::unlink(infoPath.c_str());
        g_taken.note(trash, trashName);
        if (result == -EEXIST)
            continue; // files/ has an item of that name without a record
        if (result == 0 && trashedAs != nullptr)
            *trashedAs = filesPath;
        // ENOENT: the item is gone (the name is free), or, with the item still there, the trash
        // lost its files folder meanwhile, which must never read as "the name is free".
        if (result == -ENOENT && ::fstatat(dirfd, name.c_str(), &item, AT_SYMLINK_NOFOLLOW) == 0) {
            if (!lookAgain(n))
                return -EXDEV;
            continue;
        }
        return result;
    }
    return -EEXIST;
}

} // namespace shell
