// Copies run as a normal user, where the kernel's permission checks apply: the
// suite runs as root, so each copy runs in a child process that has given up its
// privileges (as nobody) and reports back through a file.

#include "platform/copy/CopyEngine.h"
#include "platform/copy/ItemCopier.h"
#include "platform/copy/fs/PosixFileSystem.h"
#include "platform/copy/ProgressState.h"
#include "support/LoopDrive.h"
#include "support/ScriptedQuestions.h"
#include "support/TreeHelpers.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <grp.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace shell;
using tree::writeFile;

namespace {

constexpr uid_t kNobody = 65534;

struct Outcome {
    int result = -1;
    std::vector<std::string> questions; // as ScriptedQuestions logs them
    std::vector<std::string> leftOut;   // "item: reason"
    std::uint64_t itemsDone = 0;
    std::uint64_t itemsTotal = 0;
    std::uint64_t itemsSkipped = 0;
};

// Copies source into destination as nobody (or as the user running the suite,
// when that is not root). Every error question is answered Skip.
Outcome copyAsNobody(const std::string& scratch, const std::string& source, const std::string& destination)
{
    const std::string report = scratch + "/report";
    auto body = [&] {
        PosixFileSystem fs;
        ScriptedQuestions questions;
        ProgressState progress;
        CancelToken cancel;
        CopyOptions options;
        options.threads = 1;
        CopyEngine engine(fs, questions, progress, cancel, options);
        const CopyOutcome result = engine.run({source}, destination);
        std::ofstream out(report, std::ios::trunc);
        const ProgressSnapshot p = progress.snapshot();
        out << static_cast<int>(result) << '\n' << p.itemsDone << '\n' << p.itemsTotal << '\n' << p.itemsSkipped << '\n';
        out << questions.log.size() << '\n';
        for (const std::string& line : questions.log)
            out << line << '\n';
        for (const LeftOutItem& item : engine.leftOut())
            out << item.item << ": " << item.reason << '\n';
    };
    if (::geteuid() != 0) {
        body();
    } else {
        pid_t child = ::fork();
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0
                || ::setresuid(kNobody, kNobody, kNobody) != 0)
                ::_exit(2);
            body();
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return {};
    }
    Outcome outcome;
    std::ifstream in(report);
    size_t asked = 0;
    in >> outcome.result >> outcome.itemsDone >> outcome.itemsTotal >> outcome.itemsSkipped >> asked;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line))
        (outcome.questions.size() < asked ? outcome.questions : outcome.leftOut).push_back(line);
    return outcome;
}

// A scratch folder the unprivileged child may use: src readable, dst its own.
struct Scratch {
    Scratch()
    {
        ::chmod(root.c_str(), 0755);
        tree::makeFolder(src);
        tree::makeFolder(dst);
        if (::geteuid() == 0) {
            ::chown(dst.c_str(), kNobody, kNobody);
            ::chown(root.c_str(), kNobody, kNobody); // for the report
        }
    }
    QTemporaryDir dir;
    std::string root = dir.path().toStdString();
    std::string src = root + "/src";
    std::string dst = root + "/dst";
};

} // namespace

class TestCopyAsUser : public QObject {
    Q_OBJECT
private slots:
    void unsearchableFolderIsAskedAbout();
    void setIdBitsAreDroppedWithTheOwner();
    void drivesGetEveryFile_data();
    void drivesGetEveryFile();
};

void TestCopyAsUser::unsearchableFolderIsAskedAbout()
{
    Scratch s;
    tree::makeFolder(s.src + "/t");
    tree::makeFolder(s.src + "/t/locked");
    writeFile(s.src + "/t/locked/a", "a");
    writeFile(s.src + "/t/ok", "ok");
    ::chmod((s.src + "/t/locked").c_str(), 0644); // listed, but nothing inside can be looked at

    const Outcome o = copyAsNobody(s.root, s.src + "/t", s.dst);
    ::chmod((s.src + "/t/locked").c_str(), 0755);
    QCOMPARE(CopyOutcome(o.result), CopyOutcome::Failed);
    const std::string item = s.src + "/t/locked/a";
    QCOMPARE(o.questions, std::vector<std::string>{"error " + item + ": Access is denied."});
    QCOMPARE(o.leftOut, std::vector<std::string>{item + ": Access is denied."});
    QCOMPARE(tree::readFile(s.dst + "/t/ok"), QByteArray("ok"));
    QCOMPARE(o.itemsDone, o.itemsTotal);
    QCOMPARE(o.itemsSkipped, std::uint64_t(1));
}

void TestCopyAsUser::setIdBitsAreDroppedWithTheOwner()
{
    if (::geteuid() != 0)
        QSKIP("needs a file of another owner, which only root can make");
    Scratch s;
    writeFile(s.src + "/tool", "#!/bin/sh\n");
    QCOMPARE(::chown((s.src + "/tool").c_str(), 0, 0), 0);
    QCOMPARE(::chmod((s.src + "/tool").c_str(), 06755), 0);

    const Outcome o = copyAsNobody(s.root, s.src + "/tool", s.dst);
    QCOMPARE(CopyOutcome(o.result), CopyOutcome::Success);
    struct stat copy {};
    QCOMPARE(::lstat((s.dst + "/tool").c_str(), &copy), 0);
    QCOMPARE(copy.st_uid, kNobody);
    QCOMPARE(copy.st_mode & 07777, mode_t(0755));
}

void TestCopyAsUser::drivesGetEveryFile_data()
{
    QTest::addColumn<drive::Kind>("kind");
    QTest::addColumn<bool>("holdsLinks");
    QTest::addColumn<bool>("windowsNames"); // refuses ':' and the rest, and ignores case
    QTest::newRow("fat32") << drive::Kind::Fat32 << false << true;
    QTest::newRow("exfat") << drive::Kind::ExFat << false << true;
    QTest::newRow("ntfs") << drive::Kind::Ntfs << true << false;
    QTest::newRow("chmod refused") << drive::Kind::NoChmod << true << false;
}

// What people copy onto sticks and FUSE mounts, as the user who plugged the drive
// in: every file arrives with its data even where names cannot be published in
// one step, modes and set-id bits cannot be held, and second hard-link names
// cannot be linked; only a symbolic link on a drive without links is left out.
// Names such a drive refuses, a trailing dot among them, are asked about with a
// name it takes; folders whose names differ in case alone are asked about like a
// merge, and the contents of both arrive.
void TestCopyAsUser::drivesGetEveryFile()
{
    QFETCH(drive::Kind, kind);
    QFETCH(bool, holdsLinks);
    QFETCH(bool, windowsNames);
    Scratch s;
    drive::LoopDrive stick(kind, ::geteuid() == 0 ? kNobody : ::geteuid());
    if (!stick.unavailable().empty())
        QSKIP(stick.unavailable().c_str());
    const std::string t = s.src + "/t";
    tree::makeFolder(t);
    tree::makeFolder(t + "/sub");
    for (int i = 0; i < 20; ++i)
        writeFile(t + "/f" + std::to_string(i), tree::pattern(1000 + i, i));
    writeFile(t + "/sub/b", "b");
    writeFile(t + "/a:b.txt", "colon");
    writeFile(t + "/end.", "dot");
    tree::makeFolder(t + "/Docs");
    tree::makeFolder(t + "/docs");
    writeFile(t + "/Docs/x", "x");
    writeFile(t + "/docs/y", "y");
    writeFile(t + "/sub/hard1", "linked");
    QCOMPARE(::link((t + "/sub/hard1").c_str(), (t + "/sub/hard2").c_str()), 0);
    QCOMPARE(::symlink("b", (t + "/sub/link").c_str()), 0);
    for (const char* file : {"/f0", "/sub/b", "/sub/hard1"})
        QCOMPARE(::chmod((t + file).c_str(), 0664), 0);
    QCOMPARE(::chmod((t + "/sub").c_str(), 0775), 0);
    QCOMPARE(::chmod(t.c_str(), 02775), 0);
    // What a killed copy left behind (its pid gone); marked wherever the drive can.
    const std::string abandoned = stick.path() + "/.quintaro-partial-999999-1-f0";
    writeFile(abandoned, "partial");
    ::setxattr(abandoned.c_str(), kPartialMark, "1", 1, 0);
    ::chown(abandoned.c_str(), kNobody, kNobody);

    const Outcome o = copyAsNobody(s.root, t, stick.path());
    ::chmod(t.c_str(), 0755);
    const std::vector<std::string> asked{"name " + t + "/a:b.txt: names with ':' as a_b.txt",
                                         "case " + t + "/docs",
                                         "name " + t + "/end.: names ending in a dot as end_"};
    QCOMPARE(o.questions, windowsNames ? asked : std::vector<std::string>{});
    const std::string link = t + "/sub/link";
    QCOMPARE(o.leftOut, holdsLinks ? std::vector<std::string>{}
                                   : std::vector<std::string>{link + ": This drive cannot hold links"});
    QCOMPARE(CopyOutcome(o.result), (holdsLinks ? CopyOutcome::Success : CopyOutcome::Failed));
    const std::string copy = stick.path() + "/t";
    for (int i = 0; i < 20; ++i)
        QCOMPARE(tree::readFile(copy + "/f" + std::to_string(i)), tree::pattern(1000 + i, i));
    QCOMPARE(tree::readFile(copy + "/sub/b"), QByteArray("b"));
    QCOMPARE(tree::readFile(copy + (windowsNames ? "/a_b.txt" : "/a:b.txt")), QByteArray("colon"));
    QCOMPARE(tree::readFile(copy + (windowsNames ? "/end_" : "/end.")), QByteArray("dot"));
    QCOMPARE(tree::readFile(copy + "/Docs/x"), QByteArray("x"));
    QCOMPARE(tree::readFile(copy + "/docs/y"), QByteArray("y"));
    QCOMPARE(tree::readFile(copy + "/sub/hard1"), QByteArray("linked"));
    QCOMPARE(tree::readFile(copy + "/sub/hard2"), QByteArray("linked"));
    QCOMPARE(tree::exists(copy + "/sub/link"), holdsLinks);
    QCOMPARE(tree::partials(stick.path()), std::vector<std::string>{});
    QCOMPARE(o.itemsDone, o.itemsTotal);
}

QTEST_GUILESS_MAIN(TestCopyAsUser)
#include "tst_copy_as_user.moc"
