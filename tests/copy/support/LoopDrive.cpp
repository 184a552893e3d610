#include "support/LoopDrive.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace drive {

namespace {

bool onPath(const std::string& tool)
{
    for (const char* dir : {"/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"}) {
        if (::access((dir + tool).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

// The tools a kind needs, the first being the one that mounts.
std::vector<std::string> toolsFor(Kind kind)
{
    switch (kind) {
    case Kind::Fat32:
        return {"fusefat", "mkfs.vfat", "fusermount"};
    case Kind::ExFat:
        return {"mount.exfat-fuse", "mkfs.exfat", "losetup"};
    case Kind::Ntfs:
        return {"ntfs-3g", "mkntfs", "losetup"};
    case Kind::NoChmod:
        return {"bindfs"};
    }
    return {};
}

bool isMountPoint(const std::string& path)
{
    struct stat here {
    }, parent{};
    return ::stat(path.c_str(), &here) == 0 && ::stat((path + "/..").c_str(), &parent) == 0
           && here.st_dev != parent.st_dev;
}

} // namespace

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Fat32:
        return "fat32";
    case Kind::ExFat:
        return "exfat";
    case Kind::Ntfs:
        return "ntfs";
    case Kind::NoChmod:
        return "nochmod";
    }
    return "?";
}

int runQuietly(const std::vector<std::string>& argv, std::string* output)
{
    int pipeFds[2] = {-1, -1};
    if (output && ::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(output ? pipeFds[1] : null, 1);
        ::dup2(null, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    if (output) {
        ::close(pipeFds[1]);
        std::array<char, 256> buffer{};
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer.data(), buffer.size())) > 0)
            output->append(buffer.data(), static_cast<size_t>(n));
        ::close(pipeFds[0]);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

LoopDrive::LoopDrive(Kind kind, uid_t owner, int megabytes)
{
    if (::geteuid() != 0)
        m_why = "needs root to attach and mount a drive";
    else if (::access("/dev/fuse", R_OK | W_OK) != 0)
        m_why = "needs /dev/fuse";
    for (const std::string& tool : toolsFor(kind)) {
        if (m_why.empty() && !onPath(tool))
            m_why = "needs " + tool;
    }
    if (m_why.empty() && !mount(kind, owner, megabytes)) {
        unmount();
        if (m_why.empty())
            m_why = std::string("could not mount a ") + kindName(kind) + " drive";
    }
}

LoopDrive::~LoopDrive()
{
    unmount();
}

bool LoopDrive::mount(Kind kind, uid_t owner, int megabytes)
{
    const std::string root = m_dir.path().toStdString();
    ::chmod(root.c_str(), 0755); // the unprivileged copy must reach the mount
    m_mount = root + "/drive";
    m_image = root + "/image";
    if (::mkdir(m_mount.c_str(), 0755) != 0)
        return false;
    const std::string ids = "uid=" + std::to_string(owner) + ",gid=" + std::to_string(owner);
    if (kind == Kind::NoChmod) {
        m_backing = root + "/backing";
        if (::mkdir(m_backing.c_str(), 0755) != 0 || ::chown(m_backing.c_str(), owner, owner) != 0)
            return false;
        m_mounted = runQuietly({"bindfs", "--chmod-deny", "-o", "allow_other", m_backing, m_mount}) == 0;
        return m_mounted && isMountPoint(m_mount);
    }
    int image = ::open(m_image.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (image < 0)
        return false;
    const bool sized = ::ftruncate(image, off_t{megabytes} << 20) == 0;
    ::close(image);
    if (!sized)
        return false;
    const std::string options = ids + ",umask=022,allow_other";
    if (kind == Kind::Fat32) {
        if (runQuietly({"mkfs.vfat", "-F", "32", m_image}) != 0)
            return false;
        m_mounted = runQuietly({"fusefat", "-o", "rw+," + options, m_image, m_mount}) == 0;
    } else {
        const bool made = kind == Kind::ExFat ? runQuietly({"mkfs.exfat", m_image}) == 0
                                              : runQuietly({"mkntfs", "-F", "-Q", m_image}) == 0;
        if (!made)
            return false;
        std::string device;
        if (runQuietly({"losetup", "-f", "--show", m_image}, &device) != 0)
            return false;
        while (!device.empty() && (device.back() == '\n' || device.back() == ' '))
            device.pop_back();
        m_loop = device;
        if (kind == Kind::ExFat)
            m_mounted = runQuietly({"mount.exfat-fuse", "-o", options, m_loop, m_mount}) == 0;
        else
            m_mounted = runQuietly({"ntfs-3g", "-o", options, m_loop, m_mount}) == 0;
    }
    return m_mounted && isMountPoint(m_mount);
}

void LoopDrive::unmount()
{
    if (m_mounted) {
        // A FUSE daemon may still be answering the last calls: asked again, then let go lazily.
        bool gone = false;
        for (int tries = 0; tries < 20 && !gone; ++tries) {
            gone = ::umount2(m_mount.c_str(), 0) == 0 || !isMountPoint(m_mount);
            if (!gone)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!gone)
            ::umount2(m_mount.c_str(), MNT_DETACH);
        m_mounted = false;
    }
    if (!m_loop.empty()) {
        // The daemon lets go of the device as it exits; until then detaching is refused.
        for (int tries = 0; tries < 40 && runQuietly({"losetup", "-d", m_loop}) != 0; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_loop.clear();
    }
}

} // namespace drive
