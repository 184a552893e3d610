// How a copied file gets its final name. Its data goes into an unnamed file in the
// destination folder, which is linked to the name only when complete; where the file
// system cannot make unnamed files (or they cannot be named), temporary names are
// used instead. Either way a name never shows a partial file or replaces an item.

#include "support/CopyFixture.h"
#include "support/TreeHelpers.h"

#include <QtTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace shell;
using tree::exists;
using tree::readFile;
using tree::writeFile;

namespace {

constexpr int kBig = 3 << 20; // three steps of the copy loop

const std::string kIoError = "The disk could not be read or written (input/output error).";

struct stat statOf(const std::string& path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

// src/t with two files of known mode and modification time, and an empty folder.
void prepareTree(CopyFixture& f)
{
    tree::makeFolder(f.src + "/t");
    tree::makeFolder(f.src + "/t/sub");
    tree::makeFolder(f.src + "/t/empty");
    writeFile(f.src + "/t/a.txt", "alpha");
    writeFile(f.src + "/t/sub/b.bin", tree::pattern(70000, 2));
    ::chmod((f.src + "/t/a.txt").c_str(), 0640);
    ::chmod((f.src + "/t/sub/b.bin").c_str(), 0751);
    const timespec times[2] = {{1000000000, 0}, {1234567890, 123456789}};
    ::utimensat(AT_FDCWD, (f.src + "/t/a.txt").c_str(), times, 0);
    ::utimensat(AT_FDCWD, (f.src + "/t/sub/b.bin").c_str(), times, 0);
}

void checkTreeCopied(CopyFixture& f)
{
    QCOMPARE(tree::listing(f.dst),
             (std::vector<std::string>{"t/", "t/a.txt", "t/empty/", "t/sub/", "t/sub/b.bin"}));
    QCOMPARE(readFile(f.dst + "/t/a.txt"), QByteArray("alpha"));
    QCOMPARE(readFile(f.dst + "/t/sub/b.bin"), tree::pattern(70000, 2));
    const struct stat a = statOf(f.dst + "/t/a.txt");
    const struct stat b = statOf(f.dst + "/t/sub/b.bin");
    QCOMPARE(a.st_mode & 07777, mode_t(0640));
    QCOMPARE(b.st_mode & 07777, mode_t(0751));
    QCOMPARE(qint64(a.st_mtim.tv_sec), qint64(1234567890));
    QCOMPARE(qint64(b.st_mtim.tv_nsec), qint64(123456789));
}

// Kills the process that copies through it right after its first piece of data.
class KillingFileSystem : public FaultyFileSystem {
public:
    ssize_t copyFileRange(int in, off_t* inOffset, int out, off_t* outOffset, size_t count) override
    {
        ssize_t n = FaultyFileSystem::copyFileRange(in, inOffset, out, outOffset, count);
        ::raise(SIGKILL);
        return n;
    }
};

} // namespace

class TestPublishing : public QObject {
    Q_OBJECT
private slots:
    void filesAreNamedOnlyWhenComplete();
    void refusedNameLeavesNoTrace();
    void itemTakingTheNameFirstIsKept();
    void replacedItemGoesToTheTrash();
    void temporaryNamesWhereUnnamedFilesFail_data();
    void temporaryNamesWhereUnnamedFilesFail();
    void otherErrorsOfTheUnnamedFileAreReported();
    void killedCopyLeavesNothing();
    void drivesLackingACallGetEveryFile_data();
    void drivesLackingACallGetEveryFile();
};

void TestPublishing::filesAreNamedOnlyWhenComplete()
{
    CopyFixture f;
    prepareTree(f);
    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Success);
    checkTreeCopied(f);
    QCOMPARE(f.fs.filesLinked.load(), 2); // both files went the unnamed way
    QVERIFY(f.questions.log.empty());
}

void TestPublishing::refusedNameLeavesNoTrace()
{
    CopyFixture f;
    writeFile(f.src + "/big.bin", tree::pattern(kBig, 1));
    writeFile(f.src + "/small.txt", "small");
    f.fs.linkFault = FaultyFileSystem::Fault{"big.bin", -EIO};
    QCOMPARE(f.copy(std::vector<std::string>{f.src + "/big.bin", f.src + "/small.txt"}, f.dst),
             CopyOutcome::Failed);
    QCOMPARE(f.questions.log, std::vector<std::string>{"error " + f.src + "/big.bin: " + kIoError});
    QCOMPARE(f.questions.retryOffered, std::vector<bool>{true});
    QCOMPARE(tree::listing(f.dst), std::vector<std::string>{"small.txt"});
    QCOMPARE(f.progress.snapshot().bytesDone, std::int64_t(kBig + 5)); // the skipped file counts as done

    // Refused once: Retry writes the file again and names it.
    f.fs.linkFault = FaultyFileSystem::Fault{"big.bin", -EIO, 1};
    f.questions.errorAnswers = {ErrorAnswer::Retry};
    f.questions.log.clear();
    QCOMPARE(f.copy(f.src + "/big.bin", f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/big.bin"), tree::pattern(kBig, 1));
    QCOMPARE(f.questions.count("error "), 1);
    QCOMPARE(tree::listing(f.dst), (std::vector<std::string>{"big.bin", "small.txt"}));
}

void TestPublishing::itemTakingTheNameFirstIsKept()
{
    CopyFixture f;
    writeFile(f.src + "/small.txt", "small");
    f.fs.appearBeforeLink = "small.txt"; // someone else writes the name after the check for clashes
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst), CopyOutcome::Failed);
    QCOMPARE(
        f.questions.log,
        std::vector<std::string>{"error " + f.src + "/small.txt: "
                                 + "Another item with this name appeared in the destination while copying."});
    QCOMPARE(readFile(f.dst + "/small.txt"), QByteArray("intruder"));
    QCOMPARE(tree::listing(f.dst), std::vector<std::string>{"small.txt"});
    QVERIFY(tree::trashedNames(f.trash).empty());
}

void TestPublishing::replacedItemGoesToTheTrash()
{
    CopyFixture f;
    writeFile(f.src + "/a.txt", "new");
    writeFile(f.dst + "/a.txt", "old");
    QCOMPARE(f.copy(f.src + "/a.txt", f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/a.txt"), QByteArray("new"));
    QCOMPARE(readFile(f.trash + "/files/a.txt"), QByteArray("old"));
    QCOMPARE(f.fs.filesLinked.load(), 1);
    QVERIFY(tree::partials(f.dst).empty());

    // Trash refused, permanent delete agreed: the name goes from the old file to the new
    // one in a single rename, through a temporary name that does not stay.
    writeFile(f.src + "/a.txt", "newer");
    f.fs.trashFault = FaultyFileSystem::Fault{"dst/a.txt", -EXDEV};
    f.questions.deleteAnswer = true;
    QCOMPARE(f.copy(f.src + "/a.txt", f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/a.txt"), QByteArray("newer"));
    QCOMPARE(tree::listing(f.dst), std::vector<std::string>{"a.txt"});
    QCOMPARE(f.questions.count("delete "), 1);
}

void TestPublishing::temporaryNamesWhereUnnamedFilesFail_data()
{
    QTest::addColumn<bool>("atLink");
    QTest::addColumn<int>("error");
    QTest::newRow("not supported") << false << -EOPNOTSUPP;
    QTest::newRow("old kernel, folder opened") << false << -EISDIR;
    QTest::newRow("flag unknown") << false << -EINVAL;
    QTest::newRow("no /proc to name it by") << true << -EOPNOTSUPP;
}

void TestPublishing::temporaryNamesWhereUnnamedFilesFail()
{
    QFETCH(bool, atLink);
    QFETCH(int, error);
    CopyFixture f;
    prepareTree(f);
    tree::makeFolder(f.dst + "/t");
    writeFile(f.dst + "/t/a.txt", "old"); // replaced through the temporary name as well
    (atLink ? f.fs.linkFault : f.fs.tmpFileFault) = FaultyFileSystem::Fault{"", error};
    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Success);
    checkTreeCopied(f);
    QCOMPARE(f.fs.filesLinked.load(), 0);
    QCOMPARE(readFile(f.trash + "/files/a.txt"), QByteArray("old"));
    QCOMPARE(f.questions.log,
             (std::vector<std::string>{"merge " + f.dst + "/t", "replace " + f.dst + "/t/a.txt"}));
    // The first attempt's bytes were taken back: every byte counted once.
    QCOMPARE(f.progress.snapshot().bytesDone, std::int64_t(70005));
}

void TestPublishing::otherErrorsOfTheUnnamedFileAreReported()
{
    // No room for even an unnamed file is an error to tell, not a reason to try a name.
    CopyFixture f;
    writeFile(f.src + "/a.txt", "alpha");
    f.fs.tmpFileFault = FaultyFileSystem::Fault{"a.txt", -ENOSPC};
    QCOMPARE(f.copy(f.src + "/a.txt", f.dst), CopyOutcome::Failed);
    QCOMPARE(f.questions.log,
             std::vector<std::string>{"error " + f.src
                                      + "/a.txt: " + "There is not enough space on the destination disk."});
    QVERIFY(tree::listing(f.dst).empty());
}

void TestPublishing::killedCopyLeavesNothing()
{
    CopyFixture f;
    writeFile(f.src + "/big.bin", tree::pattern(kBig, 1));
    pid_t child = ::fork();
    if (child == 0) {
        KillingFileSystem fs;
        CancelToken cancel;
        CopyOptions options;
        options.threads = 1;
        CopyEngine engine(fs, f.questions, f.progress, cancel, options);
        engine.run({f.src + "/big.bin"}, f.dst);
        ::_exit(0); // not reached: the first piece of data kills the process
    }
    QVERIFY(child > 0);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    // The unnamed file went with the process: no name, nothing for a later copy to sweep.
    QVERIFY(tree::listing(f.dst).empty());
    QCOMPARE(readFile(f.src + "/big.bin"), tree::pattern(kBig, 1));
}

void TestPublishing::drivesLackingACallGetEveryFile_data()
{
    QTest::addColumn<QStringList>("refused"); // "call=errno"
    QTest::addColumn<QString>("leftOut");
    QTest::addColumn<QString>("notKept");
    QTest::addColumn<QString>("asked");
    // An item of the source whose name is the one a refused name is given on the drive,
    // and what the clash is answered; empty: none.
    QTest::addColumn<QString>("taken");
    const QString modes = "The destination drive cannot hold permissions; the copies have the drive's own.";
    QTest::newRow("no rename flags") << QStringList{"renameNoReplace=22", "tmpfile=95"} << ""
                                     << ""
                                     << ""
                                     << "";
    QTest::newRow("no rename flags, no links")
        << QStringList{"renameNoReplace=22", "link=1", "tmpfile=95"} << ""
        << ""
        << ""
        << "";
    QTest::newRow("no xattrs") << QStringList{"xattr=95", "tmpfile=95"} << ""
                               << ""
                               << ""
                               << "";
    QTest::newRow("chmod refused") << QStringList{"chmod=1"} << "" << modes << ""
                                   << "";
    QTest::newRow("no symlinks") << QStringList{"symlink=1"} << "t/sub/link: This drive cannot hold links"
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("Windows names") << QStringList{"colon=22"} << ""
                                   << ""
                                   << "name t/sub/c:d: names with ':' as c_d"
                                   << "";
    QTest::newRow("Windows names, the new name taken")
        << QStringList{"colon=22"} << ""
        << ""
        << "name t/sub/c:d: names with ':' as c_d|replace t/sub/c_d"
        << "c_d";
}

// USB sticks and FUSE mounts lack calls that ext4 has; what they lack never becomes
// an item's error, and every file arrives with its data.
void TestPublishing::drivesLackingACallGetEveryFile()
{
    QFETCH(QStringList, refused);
    QFETCH(QString, leftOut);
    QFETCH(QString, notKept);
    QFETCH(QString, asked);
    QFETCH(QString, taken);
    CopyFixture f;
    prepareTree(f);
    writeFile(f.src + "/t/sub/c:d", "colon");
    if (!taken.isEmpty()) {
        writeFile(f.src + "/t/sub/" + taken.toStdString(), "taken");
        f.questions.clashAnswers = {ClashAnswer::KeepBoth};
    }
    writeFile(f.src + "/t/sub/h1", "linked");
    QCOMPARE(::link((f.src + "/t/sub/h1").c_str(), (f.src + "/t/sub/h2").c_str()), 0);
    QCOMPARE(::symlink("b.bin", (f.src + "/t/sub/link").c_str()), 0);
    QCOMPARE(::chmod((f.src + "/t").c_str(), 02775), 0); // set-id: set after creation, never at it
    for (const QString& call : refused)
        f.fs.refusedCalls[call.section('=', 0, 0).toStdString()] = -call.section('=', 1).toInt();

    const CopyOutcome result = f.copy(f.src + "/t", f.dst);
    std::vector<std::string> questions;
    for (std::string line : f.questions.log) {
        for (const std::string& folder : {f.src, f.dst}) {
            if (size_t at = line.find(folder + "/"); at != std::string::npos)
                line.erase(at, folder.size() + 1);
        }
        questions.push_back(line);
    }
    std::vector<std::string> expected;
    for (const QString& question : asked.split('|', Qt::SkipEmptyParts))
        expected.push_back(question.toStdString());
    QCOMPARE(questions, expected);
    QCOMPARE(readFile(f.dst + (asked.isEmpty() ? "/t/sub/c:d" : "/t/sub/c_d")), QByteArray("colon"));
    if (!taken.isEmpty()) // kept beside it under a free name
        QCOMPARE(readFile(f.dst + "/t/sub/" + taken.toStdString() + " (2)"), QByteArray("taken"));
    std::vector<std::string> left;
    for (const LeftOutItem& item : f.leftOut)
        left.push_back(item.item.substr(f.src.size() + 1) + ": " + item.reason);
    QCOMPARE(left, leftOut.isEmpty() ? std::vector<std::string>{}
                                     : std::vector<std::string>{leftOut.toStdString()});
    QCOMPARE(result, (leftOut.isEmpty() ? CopyOutcome::Success : CopyOutcome::Failed));
    QCOMPARE(f.notKept, notKept.toStdString());
    QCOMPARE(readFile(f.dst + "/t/a.txt"), QByteArray("alpha"));
    QCOMPARE(readFile(f.dst + "/t/sub/b.bin"), tree::pattern(70000, 2));
    QCOMPARE(readFile(f.dst + "/t/sub/h1"), QByteArray("linked"));
    QCOMPARE(readFile(f.dst + "/t/sub/h2"), QByteArray("linked"));
    QCOMPARE(tree::partials(f.dst), std::vector<std::string>{});
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsDone, p.itemsTotal);
}

QTEST_GUILESS_MAIN(TestPublishing)
#include "tst_publishing.moc"
