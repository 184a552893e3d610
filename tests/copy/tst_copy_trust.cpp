// Trees a careful user has, copied for real under a temporary folder: deeper than
// any path may be long, named with "." and "..", with owners, set-id bits, ACLs,
// extended attributes and hard links, files whose size says nothing (procfs,
// sysfs), and folders that a copy merges into. Copies run as root where the suite
// does; the cases only a normal user can show are in tst_copy_as_user.

#include "support/CopyFixture.h"
#include "support/TreeHelpers.h"

#include <QtTest>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace shell;
using tree::exists;
using tree::readFile;
using tree::writeFile;

namespace {

struct stat statOf(const std::string& path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

// The ACL as getfacl prints it, without the header naming the file.
std::string aclOf(const std::string& path)
{
    std::string text;
    if (std::FILE* out = ::popen(("getfacl -cp '" + path + "' 2>&1").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, out))
            text += buffer;
        ::pclose(out);
    }
    return text;
}

std::string xattrOf(const std::string& path, const char* name)
{
    char value[256];
    ssize_t n = ::lgetxattr(path.c_str(), name, value, sizeof value);
    return n < 0 ? std::string("<none>") : std::string(value, static_cast<size_t>(n));
}

} // namespace

class TestCopyTrust : public QObject {
    Q_OBJECT
private slots:
    void treeDeeperThanAPathCopiesCompletely();
    void dotNamesStayInsideTheDestination_data();
    void dotNamesStayInsideTheDestination();
    void ownerAndSetIdBitsAreKeptAsRoot();
    void aclsAndExtendedAttributesRoundTrip();
    void hardLinksStayLinked();
    void generatedFilesAreReadToTheirEnd_data();
    void generatedFilesAreReadToTheirEnd();
    void mergedFoldersGetTheSourcesModeAndTimes();
};

void TestCopyTrust::treeDeeperThanAPathCopiesCompletely()
{
    CopyFixture f;
    // The fixture's cleanup walks by path; rm walks by descriptor.
    struct RemoveDeep {
        std::string command;
        ~RemoveDeep() { (void)std::system(command.c_str()); }
    } removeDeep{"rm -rf '" + f.src + "/deep' '" + f.dst + "/deep'"};
    // 30 levels of 200-byte names: about 6,000 bytes, far past PATH_MAX (4096).
    const std::string level(200, 'd');
    const int depth = 30;
    tree::makeFolder(f.src + "/deep");
    int fd = ::open((f.src + "/deep").c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < depth; ++i) {
        QCOMPARE(::mkdirat(fd, level.c_str(), 0755), 0);
        int file = ::openat(fd, "file", O_WRONLY | O_CREAT, 0644);
        QVERIFY(::write(file, "level", 5) == 5);
        ::close(file);
        int next = ::openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    ::close(fd);

    QCOMPARE(f.copy(f.src + "/deep", f.dst), CopyOutcome::Success);
    fd = ::open((f.dst + "/deep").c_str(), O_RDONLY | O_DIRECTORY);
    int found = 0;
    for (int i = 0; i < depth && fd >= 0; ++i) {
        char data[8] = {};
        int file = ::openat(fd, "file", O_RDONLY);
        if (file >= 0 && ::read(file, data, sizeof data) == 5 && std::string(data) == "level")
            ++found;
        ::close(file);
        int next = ::openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    if (fd >= 0)
        ::close(fd);
    QCOMPARE(found, depth);
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsTotal, std::uint64_t(1 + 2 * depth));
    QCOMPARE(p.itemsDone, p.itemsTotal);
    QVERIFY(f.questions.log.empty());
}

void TestCopyTrust::dotNamesStayInsideTheDestination_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("trailing ..") << "from/sub/..";
    QTest::newRow("trailing .") << "from/.";
    QTest::newRow(". and .. inside") << "from/./sub/../.";
    QTest::newRow("a link to it, with a slash") << "alias/";
}

void TestCopyTrust::dotNamesStayInsideTheDestination()
{
    QFETCH(QString, source);
    CopyFixture f;
    tree::makeFolder(f.src + "/from");
    tree::makeFolder(f.src + "/from/sub");
    writeFile(f.src + "/from/x", "new");
    QCOMPARE(::symlink("from", (f.src + "/alias").c_str()), 0);
    // The destination's parent holds an x of its own, which must stay untouched.
    const std::string destination = f.dst + "/into";
    tree::makeFolder(destination);
    writeFile(f.dst + "/x", "precious");

    QCOMPARE(f.copy(f.src + "/" + source.toStdString(), destination), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/x"), QByteArray("precious"));
    QCOMPARE(tree::listing(destination), (std::vector<std::string>{"from/", "from/sub/", "from/x"}));
    QVERIFY(tree::trashedNames(f.trash).empty());
}

void TestCopyTrust::ownerAndSetIdBitsAreKeptAsRoot()
{
    if (::geteuid() != 0)
        QSKIP("only root can give a file to another user");
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    writeFile(f.src + "/t/tool", "#!/bin/sh\n");
    QCOMPARE(::chown((f.src + "/t/tool").c_str(), 65534, 65534), 0);
    QCOMPARE(::chmod((f.src + "/t/tool").c_str(), 06755), 0);
    QCOMPARE(::symlink("tool", (f.src + "/t/link").c_str()), 0);
    QCOMPARE(::lchown((f.src + "/t/link").c_str(), 65534, 65534), 0);
    QCOMPARE(::chown((f.src + "/t").c_str(), 65534, 65534), 0);
    QCOMPARE(::chmod((f.src + "/t").c_str(), 03775), 0);

    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Success);
    for (const char* item : {"/t", "/t/tool", "/t/link"}) {
        const struct stat copy = statOf(f.dst + item);
        QCOMPARE(copy.st_uid, uid_t(65534));
        QCOMPARE(copy.st_gid, gid_t(65534));
    }
    QCOMPARE(statOf(f.dst + "/t/tool").st_mode & 07777, mode_t(06755));
    QCOMPARE(statOf(f.dst + "/t").st_mode & 07777, mode_t(03775));
}

void TestCopyTrust::aclsAndExtendedAttributesRoundTrip()
{
    CopyFixture f;
    const std::string top = f.src + "/t";
    tree::makeFolder(top);
    writeFile(top + "/shared", "data");
    ::chmod((top + "/shared").c_str(), 0664);
    // The owning group may write, the mask lets no one but the owner write: a copy that
    // took the mask from the group entry would hand the group write access.
    const std::string setAcl =
        "setfacl -m u:65534:rw,g::rw,m::r '" + top + "/shared' && setfacl -d -m u:65534:rx '" + top + "'";
    if (std::system(setAcl.c_str()) != 0)
        QSKIP("this file system keeps no ACLs");
    QCOMPARE(::setxattr((top + "/shared").c_str(), "user.origin", "camera", 6, 0), 0);
    QCOMPARE(::setxattr(top.c_str(), "user.tag", "album", 5, 0), 0);
    // An ACL the destination would hand down must not reach a copy whose source has none.
    writeFile(top + "/plain", "plain");
    ::chmod((top + "/plain").c_str(), 0640);
    QCOMPARE(std::system(("setfacl -d -m u:65534:rwx '" + f.dst + "'").c_str()), 0);

    QCOMPARE(f.copy(top, f.dst), CopyOutcome::Success);
    const std::string copy = f.dst + "/t";
    for (const char* item : {"", "/shared", "/plain"})
        QCOMPARE(aclOf(copy + item), aclOf(top + item));
    QVERIFY(aclOf(copy + "/shared").find("mask::r--") != std::string::npos);
    QCOMPARE(statOf(copy + "/shared").st_mode & 07777, statOf(top + "/shared").st_mode & 07777);
    QCOMPARE(statOf(copy + "/plain").st_mode & 07777, mode_t(0640));
    QCOMPARE(xattrOf(copy + "/shared", "user.origin"), std::string("camera"));
    QCOMPARE(xattrOf(copy, "user.tag"), std::string("album"));
}

void TestCopyTrust::hardLinksStayLinked()
{
    CopyFixture f;
    const std::string top = f.src + "/t";
    tree::makeFolder(top);
    tree::makeFolder(top + "/sub");
    writeFile(top + "/a", "shared data");
    QCOMPARE(::link((top + "/a").c_str(), (top + "/b").c_str()), 0);
    QCOMPARE(::link((top + "/a").c_str(), (top + "/sub/c").c_str()), 0);
    writeFile(top + "/lone", "other");
    QCOMPARE(::link((top + "/lone").c_str(), (f.src + "/outside").c_str()), 0); // its other name stays behind

    QCOMPARE(f.copy(top, f.dst), CopyOutcome::Success);
    const struct stat a = statOf(f.dst + "/t/a");
    QCOMPARE(a.st_nlink, nlink_t(3));
    QCOMPARE(statOf(f.dst + "/t/b").st_ino, a.st_ino);
    QCOMPARE(statOf(f.dst + "/t/sub/c").st_ino, a.st_ino);
    QCOMPARE(readFile(f.dst + "/t/sub/c"), QByteArray("shared data"));
    QCOMPARE(statOf(f.dst + "/t/lone").st_nlink, nlink_t(1));
    QCOMPARE(f.progress.snapshot().itemsDone, f.progress.snapshot().itemsTotal);
}

void TestCopyTrust::generatedFilesAreReadToTheirEnd_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("procfs, size 0") << "/proc/version";
    QTest::newRow("sysfs, size of a page") << "/sys/devices/system/cpu/online";
}

void TestCopyTrust::generatedFilesAreReadToTheirEnd()
{
    QFETCH(QString, file);
    const std::string path = file.toStdString();
    if (!exists(path))
        QSKIP("not on this system");
    CopyFixture f;
    const QByteArray content = readFile(path);
    QVERIFY(!content.isEmpty());
    QCOMPARE(f.copy(path, f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/" + file.section('/', -1).toStdString()), content);
    QVERIFY(f.questions.log.empty());
}

void TestCopyTrust::mergedFoldersGetTheSourcesModeAndTimes()
{
    CopyFixture f;
    const std::string top = f.src + "/t";
    tree::makeFolder(top);
    tree::makeFolder(top + "/sub");
    writeFile(top + "/sub/x", tree::pattern(1000));
    ::chmod((top + "/sub").c_str(), 0755);
    ::chmod(top.c_str(), 0751);
    const timespec times[2] = {{1000000000, 5}, {1000000000, 123456789}};
    ::utimensat(AT_FDCWD, top.c_str(), times, 0);
    // What a copy killed half way by an older version left: owner-only folders.
    tree::makeFolder(f.dst + "/t");
    ::chmod((f.dst + "/t").c_str(), 0700);

    // While the file goes in, the new folder already lets in whom the source lets in.
    mode_t whileCopying = 0;
    f.fs.whenOpened = [&](const std::string& path) {
        if (path.find("src/t/sub/x") != std::string::npos)
            whileCopying = statOf(f.dst + "/t/sub").st_mode & 07777;
    };
    QCOMPARE(f.copy(top, f.dst), CopyOutcome::Success);
    QCOMPARE(whileCopying, mode_t(0755));
    QCOMPARE(statOf(f.dst + "/t").st_mode & 07777, mode_t(0751));
    QCOMPARE(statOf(f.dst + "/t").st_mtim.tv_sec, time_t(1000000000));
    QCOMPARE(statOf(f.dst + "/t").st_mtim.tv_nsec, long(123456789));
    QCOMPARE(statOf(f.dst + "/t/sub").st_mode & 07777, mode_t(0755));
    QCOMPARE(f.questions.log, std::vector<std::string>{"merge " + f.dst + "/t"});
}

QTEST_GUILESS_MAIN(TestCopyTrust)
#include "tst_copy_trust.moc"
