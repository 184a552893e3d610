#include "support/TreeHelpers.h"

#include "platform/copy/CopyNaming.h"

#include <QTest>
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tree {

namespace {

void walk(const std::string& root, const std::string& relative, std::vector<std::string>& out)
{
    const std::string folder = shell::joinPath(root, relative);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        const std::string rel = shell::joinPath(relative, e->d_name);
        struct stat st {};
        ::lstat(shell::joinPath(root, rel).c_str(), &st);
        if (S_ISDIR(st.st_mode)) {
            out.push_back(rel + "/");
            walk(root, rel, out);
        } else {
            out.push_back(S_ISLNK(st.st_mode) ? rel + "@" : rel);
        }
    }
    ::closedir(dir);
}

} // namespace

void writeFile(const std::string& path, const QByteArray& data)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY2(fd >= 0, path.c_str());
    QCOMPARE(::write(fd, data.constData(), static_cast<size_t>(data.size())),
             static_cast<ssize_t>(data.size()));
    ::close(fd);
}

QByteArray readFile(const std::string& path)
{
    QByteArray data;
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return data;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        data.append(buffer, static_cast<qsizetype>(n));
    ::close(fd);
    return data;
}

void makeFolder(const std::string& path)
{
    QVERIFY2(::mkdir(path.c_str(), 0755) == 0, path.c_str());
}

QByteArray pattern(int n, int seed)
{
    QByteArray data(n, '\0');
    std::uint32_t x = 2463534242u + static_cast<std::uint32_t>(seed);
    for (int i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        data[i] = static_cast<char>(x);
    }
    return data;
}

std::vector<std::string> listing(const std::string& folder)
{
    std::vector<std::string> out;
    walk(folder, {}, out);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> partials(const std::string& folder)
{
    std::vector<std::string> out;
    for (const std::string& item : listing(folder)) {
        if (shell::nameOf(item).rfind(shell::kPartialPrefix, 0) == 0)
            out.push_back(item);
    }
    return out;
}

bool exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> trashedNames(const std::string& trash)
{
    std::vector<std::string> names;
    for (const std::string& item : listing(trash + "/files")) {
        const auto slash = item.find('/');
        if (slash == std::string::npos || slash + 1 == item.size())
            names.push_back(item);
    }
    return names;
}

std::vector<std::string> trashedPaths(const std::string& trash)
{
    std::vector<std::string> paths;
    for (const std::string& item : listing(trash + "/info")) {
        const QByteArray info = readFile(trash + "/info/" + item);
        for (const QByteArray& line : info.split('\n')) {
            if (line.startsWith("Path="))
                paths.push_back(line.mid(5).toStdString());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace tree
