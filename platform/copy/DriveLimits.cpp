#include "platform/copy/DriveLimits.h"

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace shell {

namespace {

constexpr std::uint64_t kFatMagic = 0x4d44;
constexpr std::uint64_t kFuseMagic = 0x65735546;
// NFS, SMB, CIFS, SMB2, 9P, AFS, Ceph, Coda: the data lives on another machine.
constexpr std::uint64_t kNetworkMagics[] = {0x6969,     0x517b,     0xff534d42, 0xfe534d42,
                                            0x01021997, 0x5346414f, 0x00c36400, 0x73757245};

// A FUSE mount of a FAT image or drive holds FAT's limits too.
bool fatKind(const std::string& kind)
{
    return kind == "vfat" || kind == "msdos" || kind == "fusefat" || kind == "fat" || kind == "fat32";
}

// mountinfo escapes spaces, tabs, newlines and backslashes as octal.
std::string unescaped(const std::string& field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::string folderPath(int dirfd)
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(dirfd)).c_str(), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

bool under(const std::string& path, const std::string& top)
{
    if (top == "/")
        return !path.empty() && path[0] == '/';
    return path.compare(0, top.size(), top) == 0 && (path.size() == top.size() || path[top.size()] == '/');
}

// Whether the block device named by a mount's source (a partition answers for its disk) is removable.
bool removableDevice(const std::string& source)
{
    struct stat st {};
    if (source.empty() || source[0] != '/' || ::stat(source.c_str(), &st) != 0 || !S_ISBLK(st.st_mode))
        return false;
    const std::string block =
        "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev)) + "/";
    for (const char* flag : {"removable", "../removable"}) {
        std::ifstream file(block + flag);
        int value = 0;
        if (file >> value)
            return value == 1;
    }
    return false;
}

// The mount holding the folder: the deepest mountinfo entry of its device whose mount
// point leads to it. Fills the kind, the top folder and whether the drive is removable.
void readMount(DriveLimits& limits, dev_t device, const std::string& path)
{
    std::ifstream mounts("/proc/self/mountinfo");
    std::string line;
    const std::string wanted = std::to_string(major(device)) + ":" + std::to_string(minor(device));
    std::string source;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string id, parent, numbers, root, point;
        if (!(fields >> id >> parent >> numbers >> root >> point) || numbers != wanted)
            continue;
        point = unescaped(point);
        if (!under(path, point) || point.size() < limits.topFolder.size())
            continue;
        std::string word;
        while (fields >> word && word != "-") {
        }
        std::string type, from;
        fields >> type >> from;
        limits.topFolder = point;
        source = unescaped(from);
        // "fuse.sshfs" names its subtype; "fuseblk" mounts (exfat-fuse, ntfs-3g) only their source.
        if (type.rfind("fuse.", 0) == 0)
            limits.kind = type.substr(5);
        else
            limits.kind = type;
    }
    limits.removable = removableDevice(source);
}

} // namespace

DriveLimits driveLimitsOf(FileSystem& fs, int dirfd)
{
    DriveLimits limits;
    struct statfs info {};
    if (fs.fstatfs(dirfd, &info) != 0)
        return limits;
    limits.type = static_cast<std::uint64_t>(info.f_type) & 0xffffffffu;
    if (info.f_namelen > 0)
        limits.nameMax = static_cast<std::uint64_t>(info.f_namelen);
    limits.readOnly = (info.f_flags & ST_RDONLY) != 0;
    struct stat st {};
    if (fs.fstat(dirfd, &st) == 0)
        readMount(limits, st.st_dev, folderPath(dirfd));
    limits.fuseOrNetwork = limits.type == kFuseMagic;
    for (std::uint64_t magic : kNetworkMagics)
        limits.fuseOrNetwork = limits.fuseOrNetwork || limits.type == magic;
    if (limits.type == kFatMagic || (limits.type == kFuseMagic && fatKind(limits.kind)))
        limits.largestFile = kFatLargestFile;
    return limits;
}

} // namespace shell
