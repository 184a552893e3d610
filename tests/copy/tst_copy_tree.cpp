// Copying whole trees: what arrives in the destination, with which names, modes and
// times, and what the engine asks on the way.

#include "platform/copy/UndoCopy.h"
#include "support/CopyFixture.h"
#include "support/TreeHelpers.h"

#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace shell;
using tree::exists;
using tree::listing;
using tree::readFile;
using tree::writeFile;

namespace {

void setTime(const std::string& path, time_t seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 123456789}};
    QCOMPARE(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

struct stat statOf(const std::string& path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

} // namespace

class TestCopyTree : public QObject {
    Q_OBJECT
private slots:
    void nestedTreeKeepsContentsModesAndTimes_data();
    void nestedTreeKeepsContentsModesAndTimes();
    void sparseFileStaysSparse_data();
    void sparseFileStaysSparse();
    void twentyThousandEntryFolder();
    void linksAreCopiedAsLinksEvenInALoop();
    void mountedRepeatsAreLeftOut_data();
    void mountedRepeatsAreLeftOut();
    void fifoIsRecreatedAndSocketSkipped();
    void nonUtf8NameKeepsItsBytes();
    void folderIntoItselfIsRefused();
    void sameFolderMakesNumberedDuplicates();
    void missingDestinationIsCreatedOnlyWhenAllowed();
    void badSourceOrDestinationIsRefused();
    void wildcardCopiesEveryMatch();
    void replaceAsksWithBothItemsAndTrashesTheOld();
    void replaceAnswersToAll();
    void existingFolderAsksOnceToMerge();
    void clashChoices_data();
    void clashChoices();
    void undoPutsBackWhatWasThere_data();
    void undoPutsBackWhatWasThere();
    void fileAndFolderNeverReplaceEachOther();
    void partialsOfDeadCopiesAreSwept_data();
    void partialsOfDeadCopiesAreSwept();
};

void TestCopyTree::nestedTreeKeepsContentsModesAndTimes_data()
{
    QTest::addColumn<unsigned>("threads");
    QTest::newRow("in order") << 1u;
    QTest::newRow("four workers") << 4u;
}

void TestCopyTree::nestedTreeKeepsContentsModesAndTimes()
{
    QFETCH(unsigned, threads);
    CopyFixture f;
    f.options.threads = threads;
    const std::string top = f.src + "/top";
    tree::makeFolder(top);
    tree::makeFolder(top + "/empty");
    tree::makeFolder(top + "/sub");
    tree::makeFolder(top + "/sub/deep");
    writeFile(top + "/a.txt", tree::pattern(5000, 1));
    writeFile(top + "/zero", {});
    writeFile(top + "/sub/deep/x.bin", tree::pattern(2 << 20, 2)); // above the small-file limit
    writeFile(top + "/sub/y", tree::pattern(300, 3));
    ::chmod((top + "/a.txt").c_str(), 0640);
    ::chmod((top + "/sub").c_str(), 0750);
    ::chmod((top + "/sub/deep").c_str(), 0555); // read-only: its contents must still get in
    for (const char* item :
         {"/a.txt", "/zero", "/sub/deep/x.bin", "/sub/y", "/empty", "/sub/deep", "/sub", ""})
        setTime(top + item, 1000000000);

    QCOMPARE(f.copy(top, f.dst), CopyOutcome::Success);

    const std::string copy = f.dst + "/top";
    QCOMPARE(listing(copy), listing(top));
    QCOMPARE(listing(copy).size(), size_t(7));
    QCOMPARE(readFile(copy + "/a.txt"), tree::pattern(5000, 1));
    QCOMPARE(readFile(copy + "/sub/deep/x.bin"), tree::pattern(2 << 20, 2));
    QCOMPARE(readFile(copy + "/sub/y"), tree::pattern(300, 3));
    QCOMPARE(statOf(copy + "/zero").st_size, off_t(0));
    QCOMPARE(statOf(copy + "/a.txt").st_mode & 07777, mode_t(0640));
    QCOMPARE(statOf(copy + "/sub").st_mode & 07777, mode_t(0750));
    QCOMPARE(statOf(copy + "/sub/deep").st_mode & 07777, mode_t(0555));
    for (const char* item : {"/a.txt", "/zero", "/sub/deep/x.bin", "/empty", "/sub/deep", "/sub", ""}) {
        QCOMPARE(statOf(copy + item).st_mtim.tv_sec, time_t(1000000000));
        QCOMPARE(statOf(copy + item).st_mtim.tv_nsec, long(123456789));
    }
    QVERIFY(tree::partials(f.dst).empty());
    QVERIFY(f.questions.log.empty());
    // Eight items: the folder itself, three folders below it, four files.
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsTotal, std::uint64_t(8));
    QCOMPARE(p.itemsDone, std::uint64_t(8));
    QCOMPARE(p.bytesTotal, std::uint64_t(5000 + (2 << 20) + 300));
    QCOMPARE(p.bytesDone, std::int64_t(5000 + (2 << 20) + 300));
    QCOMPARE(p.phase, CopyPhase::Finishing);
}

void TestCopyTree::sparseFileStaysSparse_data()
{
    QTest::addColumn<bool>("kernelCopy");
    QTest::newRow("copy_file_range") << true;
    QTest::newRow("read and write") << false;
}

void TestCopyTree::sparseFileStaysSparse()
{
    QFETCH(bool, kernelCopy);
    CopyFixture f;
    f.fs.kernelCopy = kernelCopy;
    const std::string file = f.src + "/sparse.img";
    const QByteArray middle = tree::pattern(8192, 7);
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::pwrite(fd, middle.constData(), middle.size(), 32 << 20), ssize_t(middle.size()));
    QCOMPARE(::ftruncate(fd, 64 << 20), 0);
    ::close(fd);
    if (statOf(file).st_blocks * 512 >= 64 << 20)
        QSKIP("this file system does not keep holes");

    QCOMPARE(f.copy(file, f.dst), CopyOutcome::Success);
    const struct stat copy = statOf(f.dst + "/sparse.img");
    QCOMPARE(copy.st_size, off_t(64 << 20));
    QVERIFY2(copy.st_blocks * 512 < 1 << 20, "the holes were written out");
    const QByteArray data = readFile(f.dst + "/sparse.img");
    QCOMPARE(data.mid(32 << 20, 8192), middle);
    QCOMPARE(data.count('\0'), qsizetype((64 << 20) - 8192 + middle.count('\0')));
    QCOMPARE(f.progress.snapshot().bytesDone, std::int64_t(64 << 20));
}

void TestCopyTree::twentyThousandEntryFolder()
{
    CopyFixture f;
    const std::string flat = f.src + "/flat";
    tree::makeFolder(flat);
    char name[32];
    // Large enough that the folder is listed in many reads; the speed and memory of a
    // far larger one are bench_copy_small's and copybench's to measure.
    for (int i = 0; i < 20000; ++i) {
        std::snprintf(name, sizeof name, "/f%06d", i);
        int fd = ::open((flat + name).c_str(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
    }
    QCOMPARE(f.copy(flat, f.dst), CopyOutcome::Success);
    const std::vector<std::string> copied = listing(f.dst + "/flat");
    QCOMPARE(copied.size(), size_t(20000));
    QCOMPARE(copied.front(), std::string("f000000"));
    QCOMPARE(copied.back(), std::string("f019999"));
    QCOMPARE(f.progress.snapshot().itemsDone, std::uint64_t(20001));
}

void TestCopyTree::linksAreCopiedAsLinksEvenInALoop()
{
    CopyFixture f;
    const std::string top = f.src + "/t";
    tree::makeFolder(top);
    tree::makeFolder(top + "/inner");
    QCOMPARE(::symlink(".", (top + "/self").c_str()), 0);
    QCOMPARE(::symlink("..", (top + "/inner/up").c_str()), 0);
    QCOMPARE(::symlink("nowhere", (top + "/dangling").c_str()), 0);

    QCOMPARE(f.copy(top, f.dst), CopyOutcome::Success);
    QCOMPARE(listing(f.dst + "/t"), (std::vector<std::string>{"dangling@", "inner/", "inner/up@", "self@"}));
    char target[64] = {};
    QCOMPARE(::readlink((f.dst + "/t/inner/up").c_str(), target, sizeof target - 1), ssize_t(2));
    QCOMPARE(std::string(target), std::string(".."));
}

void TestCopyTree::mountedRepeatsAreLeftOut_data()
{
    QTest::addColumn<bool>("destinationInside");
    QTest::newRow("the folder mounted inside itself") << false;
    QTest::newRow("the destination mounted inside the source") << true;
}

// A bind mount can bring a folder back inside its own tree, or show the destination
// inside the source, where the copy would find itself. The repeat is left out with
// its reason; the walk never goes round without end.
void TestCopyTree::mountedRepeatsAreLeftOut()
{
    QFETCH(bool, destinationInside);
    if (::geteuid() != 0)
        QSKIP("bind mounts need root");
    CopyFixture f;
    const std::string top = f.src + "/t";
    for (const char* folder : {"", "/sub", "/sub/back"})
        tree::makeFolder(top + folder);
    writeFile(top + "/a", "a");
    // Mounted inside the source, the destination takes the copy t to t/sub/t.
    const std::string mountPoint = destinationInside ? f.dst : top + "/sub/back";
    const std::string mounted = destinationInside ? top + "/sub" : top;
    const std::string copied = destinationInside ? top + "/sub/t" : f.dst + "/t";
    const std::string repeat = destinationInside ? top + "/sub/t" : top + "/sub/back";
    if (::mount(mounted.c_str(), mountPoint.c_str(), nullptr, MS_BIND, nullptr) != 0)
        QSKIP("no bind mounts here");
    const CopyOutcome outcome = f.copy(top, f.dst);
    QCOMPARE(::umount2(mountPoint.c_str(), MNT_DETACH), 0);

    QCOMPARE(outcome, CopyOutcome::Failed);
    QCOMPARE(
        f.questions.log,
        (std::vector<std::string>{
            "error " + repeat + ": The folder contains itself, so its contents would repeat without end."}));
    QCOMPARE(readFile(copied + "/a"), QByteArray("a"));
    QVERIFY(exists(copied + "/sub"));
}

void TestCopyTree::fifoIsRecreatedAndSocketSkipped()
{
    CopyFixture f;
    const std::string top = f.src + "/t";
    tree::makeFolder(top);
    QCOMPARE(::mkfifo((top + "/pipe").c_str(), 0600), 0);
    QCOMPARE(::chmod((top + "/pipe").c_str(), 0620), 0);
    writeFile(top + "/plain", "text");
    int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = top + "/sock";
    QVERIFY(socketPath.size() < sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    QCOMPARE(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    // Opening the FIFO would wait for a writer forever; it must only be recreated.
    QCOMPARE(f.copy(top, f.dst), CopyOutcome::Failed);
    ::close(sock);
    QVERIFY(S_ISFIFO(statOf(f.dst + "/t/pipe").st_mode));
    QCOMPARE(statOf(f.dst + "/t/pipe").st_mode & 07777, mode_t(0620));
    QCOMPARE(readFile(f.dst + "/t/plain"), QByteArray("text"));
    QVERIFY(!exists(f.dst + "/t/sock"));
    QCOMPARE(f.questions.log,
             (std::vector<std::string>{"error " + socketPath
                                       + ": It is a socket or a device, which cannot be copied."}));
    QCOMPARE(f.questions.retryOffered, std::vector<bool>{false});
}

void TestCopyTree::nonUtf8NameKeepsItsBytes()
{
    CopyFixture f;
    const std::string name = "caf\xe9 \xff.txt"; // Latin-1, not UTF-8
    tree::makeFolder(f.src + "/d\xe9");
    writeFile(f.src + "/d\xe9/" + name, "bytes");
    QCOMPARE(f.copy(f.src + "/d\xe9", f.dst), CopyOutcome::Success);
    QCOMPARE(listing(f.dst), (std::vector<std::string>{"d\xe9/", "d\xe9/" + name}));
    QCOMPARE(readFile(f.dst + "/d\xe9/" + name), QByteArray("bytes"));
}

void TestCopyTree::folderIntoItselfIsRefused()
{
    CopyFixture f;
    const std::string folder = f.src + "/f";
    tree::makeFolder(folder);
    tree::makeFolder(folder + "/sub");
    writeFile(folder + "/a", "a");
    // The destination spelled through a link is still the folder's own subfolder.
    QCOMPARE(::symlink((folder + "/sub").c_str(), (f.root + "/alias").c_str()), 0);
    const std::vector<std::string> before = listing(folder);

    for (const std::string& destination :
         {folder, folder + "/sub", f.root + "/alias", f.root + "/alias/new/deeper", folder + "/./sub/.."}) {
        f.questions.log.clear();
        QCOMPARE(f.copy(folder, destination), CopyOutcome::Refused);
        QCOMPARE(f.questions.log.size(), size_t(1));
        QVERIFY2(f.questions.log[0].find("failed Cannot copy") == 0, f.questions.log[0].c_str());
        QVERIFY(f.questions.log[0].find("is inside it") != std::string::npos);
        QCOMPARE(listing(folder), before);
    }
}

void TestCopyTree::sameFolderMakesNumberedDuplicates()
{
    CopyFixture f;
    writeFile(f.src + "/a.txt", "original");
    writeFile(f.src + "/.profile", "hidden");
    tree::makeFolder(f.src + "/f.d");
    writeFile(f.src + "/f.d/inside", "in");

    QCOMPARE(f.copy(f.src + "/a.txt", f.src), CopyOutcome::Success);
    QCOMPARE(f.copy(f.src + "/a.txt", f.src + "/."), CopyOutcome::Success); // same folder, other spelling
    QCOMPARE(f.copy(f.src + "/.profile", f.src), CopyOutcome::Success);
    QCOMPARE(f.copy(f.src + "/f.d", f.src), CopyOutcome::Success);
    QCOMPARE(listing(f.src),
             (std::vector<std::string>{".profile", ".profile - Copy", "a - Copy (2).txt", "a - Copy.txt",
                                       "a.txt", "f.d - Copy/", "f.d - Copy/inside", "f.d/", "f.d/inside"}));
    QCOMPARE(readFile(f.src + "/a.txt"), QByteArray("original"));
    QCOMPARE(readFile(f.src + "/a - Copy (2).txt"), QByteArray("original"));
    QCOMPARE(readFile(f.src + "/f.d - Copy/inside"), QByteArray("in"));
    QVERIFY(f.questions.log.empty()); // a duplicate never asks about replacing
}

void TestCopyTree::missingDestinationIsCreatedOnlyWhenAllowed()
{
    CopyFixture f;
    writeFile(f.src + "/a.txt", "a");
    const std::string destination = f.dst + "/new/deeper";

    f.questions.createAnswers = {false};
    QCOMPARE(f.copy(f.src + "/a.txt", destination), CopyOutcome::Cancelled);
    QVERIFY(!exists(f.dst + "/new"));

    QCOMPARE(f.copy(f.src + "/a.txt", destination), CopyOutcome::Success);
    QCOMPARE(readFile(destination + "/a.txt"), QByteArray("a"));
    QCOMPARE(f.questions.log, (std::vector<std::string>{"create " + destination, "create " + destination}));
}

void TestCopyTree::badSourceOrDestinationIsRefused()
{
    CopyFixture f;
    writeFile(f.src + "/a.txt", "a");
    writeFile(f.dst + "/file", "not a folder");

    QCOMPARE(f.copy(f.src + "/missing", f.dst), CopyOutcome::Refused);
    QCOMPARE(f.copy(f.src + "/a.txt", f.dst + "/file"), CopyOutcome::Refused);
    QCOMPARE(f.copy(f.src + "/a.txt", f.dst + "/file/below"), CopyOutcome::Refused);
    // With two sources, one missing one refuses the whole request before anything is written.
    QCOMPARE(f.copy(std::vector<std::string>{f.src + "/a.txt", f.src + "/missing"}, f.dst),
             CopyOutcome::Refused);
    // So does a second source of the same name: one folder cannot hold both.
    tree::makeFolder(f.src + "/other");
    writeFile(f.src + "/other/a.txt", "other");
    QCOMPARE(f.copy(std::vector<std::string>{f.src + "/a.txt", f.src + "/other/a.txt"}, f.dst),
             CopyOutcome::Refused);
    QCOMPARE(f.questions.log.back(), "failed Cannot copy \"" + f.src
                                         + "/other/a.txt\": another item to copy, \"" + f.src
                                         + "/a.txt\", has the same name.");
    QCOMPARE(listing(f.dst), std::vector<std::string>{"file"});
    QCOMPARE(f.questions.count("failed "), 5);
    QCOMPARE(f.questions.log[0], "failed Cannot copy \"" + f.src + "/missing\": The item cannot be found.");
}

void TestCopyTree::wildcardCopiesEveryMatch()
{
    CopyFixture f;
    for (const char* name : {"a.txt", "b.txt", "c.log", ".hidden.txt"})
        writeFile(f.src + "/" + name, name);
    tree::makeFolder(f.src + "/d.txt");
    QCOMPARE(f.copy(f.src + "/*.txt", f.dst), CopyOutcome::Success);
    QCOMPARE(listing(f.dst), (std::vector<std::string>{"a.txt", "b.txt", "d.txt/"}));
    QCOMPARE(f.copy(f.src + "/*.zip", f.dst), CopyOutcome::Refused);
    QCOMPARE(f.questions.count("failed "), 1);
}

void TestCopyTree::replaceAsksWithBothItemsAndTrashesTheOld()
{
    CopyFixture f;
    writeFile(f.src + "/a.txt", "new content");
    writeFile(f.dst + "/a.txt", "old");
    setTime(f.src + "/a.txt", 1700000000);
    setTime(f.dst + "/a.txt", 1600000000);

    f.questions.clashAnswers = {ClashAnswer::No, ClashAnswer::Cancel, ClashAnswer::Yes};
    QCOMPARE(f.copy(f.src + "/a.txt", f.dst), CopyOutcome::Success); // No keeps the old one
    QCOMPARE(readFile(f.dst + "/a.txt"), QByteArray("old"));
    QCOMPARE(f.copy(f.src + "/a.txt", f.dst), CopyOutcome::Cancelled);
    QCOMPARE(readFile(f.dst + "/a.txt"), QByteArray("old"));
    QVERIFY(tree::trashedNames(f.trash).empty());

    QCOMPARE(f.copy(f.src + "/a.txt", f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/a.txt"), QByteArray("new content"));
    QCOMPARE(tree::trashedNames(f.trash), std::vector<std::string>{"a.txt"});
    QCOMPARE(readFile(f.trash + "/files/a.txt"), QByteArray("old"));
    QCOMPARE(tree::trashedPaths(f.trash), std::vector<std::string>{f.dst + "/a.txt"});

    QCOMPARE(f.questions.count("replace "), 3);
    const ItemDetails& existing = f.questions.clashExisting[0];
    const ItemDetails& incoming = f.questions.clashIncoming[0];
    QCOMPARE(existing.path, f.dst + "/a.txt");
    QCOMPARE(existing.size, std::int64_t(3));
    QCOMPARE(existing.modified.tv_sec, time_t(1600000000));
    QCOMPARE(incoming.path, f.src + "/a.txt");
    QCOMPARE(incoming.size, std::int64_t(11));
    QCOMPARE(incoming.modified.tv_sec, time_t(1700000000));
    QVERIFY(!existing.isFolder && !incoming.isFolder);
    QVERIFY(tree::partials(f.dst).empty());
}

void TestCopyTree::replaceAnswersToAll()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/f");
    tree::makeFolder(f.dst + "/f");
    for (const char* name : {"/f/1", "/f/2", "/f/3"}) {
        writeFile(f.src + name, "new");
        writeFile(f.dst + name, "old");
    }
    f.questions.clashAnswers = {ClashAnswer::Yes, ClashAnswer::NoToAll};
    QCOMPARE(f.copy(f.src + "/f", f.dst), CopyOutcome::Success);
    QCOMPARE(f.questions.log,
             (std::vector<std::string>{"merge " + f.dst + "/f", "replace " + f.dst + "/f/1"}));
    for (const char* name : {"/f/1", "/f/2", "/f/3"})
        QCOMPARE(readFile(f.dst + name), QByteArray("old"));

    f.questions.log.clear();
    f.questions.clashAnswers = {ClashAnswer::Yes, ClashAnswer::YesToAll};
    QCOMPARE(f.copy(f.src + "/f", f.dst), CopyOutcome::Success);
    QCOMPARE(f.questions.log.size(), size_t(2));
    for (const char* name : {"/f/1", "/f/2", "/f/3"})
        QCOMPARE(readFile(f.dst + name), QByteArray("new"));
    QCOMPARE(tree::trashedNames(f.trash).size(), size_t(3));
}

void TestCopyTree::existingFolderAsksOnceToMerge()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/f");
    tree::makeFolder(f.src + "/f/sub");
    writeFile(f.src + "/f/new.txt", "n");
    writeFile(f.src + "/f/sub/x", "x");
    tree::makeFolder(f.dst + "/f");
    writeFile(f.dst + "/f/old.txt", "o");

    f.questions.clashAnswers = {ClashAnswer::No};
    QCOMPARE(f.copy(f.src + "/f", f.dst), CopyOutcome::Success);
    QCOMPARE(listing(f.dst), (std::vector<std::string>{"f/", "f/old.txt"}));

    QCOMPARE(f.copy(f.src + "/f", f.dst), CopyOutcome::Success);
    QCOMPARE(listing(f.dst), (std::vector<std::string>{"f/", "f/new.txt", "f/old.txt", "f/sub/", "f/sub/x"}));
    QCOMPARE(f.questions.log, (std::vector<std::string>{"merge " + f.dst + "/f", "merge " + f.dst + "/f"}));
    QVERIFY(f.questions.clashExisting[0].isFolder);
}

// A folder copied again over its earlier copy: the first question offers to skip the
// files that are there with the same size and date (counted beforehand, the one that
// differs in size is not among them); Keep both gives the incoming item the next
// free number, counting on from a name numbered already.
void TestCopyTree::clashChoices_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QList<int>>("offered");
    QTest::addColumn<QStringList>("arrived");
    QTest::addColumn<int>("trashed");
    const int skipSame = int(ClashAnswer::SkipIdentical);
    const int yes = int(ClashAnswer::Yes);
    QTest::newRow("skip the same, replace the rest")
        << QList<int>{skipSame, yes, yes} << QStringList{"merge f", "replace f/diff.c", "replace f/x (2).txt"}
        << QList<int>{3, 0, 0}
        << QStringList{"f/", "f/diff.c", "f/same.a", "f/same.b", "f/sub/", "f/sub/same.d", "f/x (2).txt"}
        << 2;
    QTest::newRow("keep both for all files")
        << QList<int>{yes, int(ClashAnswer::KeepBothToAll), yes}
        << QStringList{"merge f", "replace f/diff.c", "merge f/sub"} << QList<int>{3, 3, 3}
        << QStringList{"f/",          "f/diff (2).c", "f/diff.c", "f/same (2).a",     "f/same (2).b",
                       "f/same.a",    "f/same.b",     "f/sub/",   "f/sub/same (2).d", "f/sub/same.d",
                       "f/x (2).txt", "f/x (3).txt"}
        << 0;
    QTest::newRow("keep both folders")
        << QList<int>{int(ClashAnswer::KeepBoth)} << QStringList{"merge f"} << QList<int>{3}
        << QStringList{"f (2)/",           "f (2)/diff.c",    "f (2)/same.a", "f (2)/same.b", "f (2)/sub/",
                       "f (2)/sub/same.d", "f (2)/x (2).txt", "f/",           "f/diff.c",     "f/same.a",
                       "f/same.b",         "f/sub/",          "f/sub/same.d", "f/x (2).txt"}
        << 0;
}

void TestCopyTree::clashChoices()
{
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, asked);
    QFETCH(QList<int>, offered);
    QFETCH(QStringList, arrived);
    QFETCH(int, trashed);
    CopyFixture f;
    for (const std::string& side : {f.src, f.dst}) {
        tree::makeFolder(side + "/f");
        tree::makeFolder(side + "/f/sub");
        for (const char* name : {"/f/same.a", "/f/same.b", "/f/sub/same.d"}) {
            writeFile(side + name, "same");
            setTime(side + name, 1700000000);
        }
        writeFile(side + "/f/diff.c", side == f.src ? "longer, new" : "old");
        setTime(side + "/f/diff.c", 1700000000);
        writeFile(side + "/f/x (2).txt", side == f.src ? "new" : "older");
    }
    const ino_t before = statOf(f.dst + "/f/same.a").st_ino;
    for (int answer : answers)
        f.questions.clashAnswers.push_back(ClashAnswer(answer));
    QCOMPARE(f.copy(f.src + "/f", f.dst), CopyOutcome::Success);
    QStringList log;
    for (const std::string& line : f.questions.log)
        log << QString::fromStdString(line).remove(QString::fromStdString(f.dst + "/"));
    QCOMPARE(log, asked);
    QList<int> counts;
    for (const ItemDetails& incoming : f.questions.clashIncoming)
        counts << int(incoming.sameSizeAndDate);
    QCOMPARE(counts, offered);
    QStringList listed;
    for (const std::string& path : listing(f.dst))
        listed << QString::fromStdString(path);
    QCOMPARE(listed, arrived);
    QCOMPARE(int(tree::trashedNames(f.trash).size()), trashed);
    QCOMPARE(statOf(f.dst + "/f/same.a").st_ino, before); // never replaced, only left as it was
    QCOMPARE(readFile(f.dst + "/f/x (2).txt"), QByteArray(trashed != 0 ? "new" : "older"));
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsDone, p.itemsTotal);
    QCOMPARE(p.itemsSkipped, std::uint64_t(0)); // the same files count as done, not as left out
}

// Undo trashes what the copy made and puts back from the trash what it replaced, where
// the place is free; an item changed since is left as it is (and so is the old one it
// replaced, in the trash), and a second undo is refused.
void TestCopyTree::undoPutsBackWhatWasThere_data()
{
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("notUndone");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("after a replace") << "" << int(UndoOutcome::Undone) << QStringList{}
                                     << QStringList{"f/", "f/a", "f/b", "keep"};
    QTest::newRow("an item changed since")
        << "edit" << int(UndoOutcome::Partly)
        << QStringList{"f/a: It has changed since the copy, so it was left as it is.",
                       "f/a: Its place is taken, so it was left in the trash."}
        << QStringList{"f/", "f/a", "f/b", "keep"};
    QTest::newRow("twice") << "undo" << int(UndoOutcome::AlreadyUndone) << QStringList{}
                           << QStringList{"f/", "f/a", "f/b", "keep"};
}

void TestCopyTree::undoPutsBackWhatWasThere()
{
    QFETCH(QString, after);
    QFETCH(int, outcome);
    QFETCH(QStringList, notUndone);
    QFETCH(QStringList, left);
    CopyFixture f;
    const std::string history = f.root + "/state/copies";
    f.options.undoHistory = history;
    tree::makeFolder(f.src + "/f");
    tree::makeFolder(f.src + "/f/new");
    tree::makeFolder(f.dst + "/f");
    for (const char* name : {"/f/a", "/f/b", "/f/c", "/f/new/d"})
        writeFile(f.src + name, "new");
    for (const char* name : {"/f/a", "/f/b"})
        writeFile(f.dst + name, "old");
    writeFile(f.dst + "/keep", "not the copy's");
    f.questions.clashAnswers = {ClashAnswer::Yes, ClashAnswer::YesToAll};
    QCOMPARE(f.copy(f.src + "/f", f.dst), CopyOutcome::Success);
    QCOMPARE(tree::trashedNames(f.trash).size(), size_t(2));
    if (after == "edit")
        writeFile(f.dst + "/f/a", "edited");
    else if (after == "undo")
        QCOMPARE(undoLastCopy(history).outcome, UndoOutcome::Undone);

    const UndoReport report = undoLastCopy(history);
    QCOMPARE(int(report.outcome), outcome);
    QStringList reasons;
    for (const LeftOutItem& item : report.notUndone)
        reasons << QString::fromStdString(item.item.substr(f.dst.size() + 1) + ": " + item.reason);
    QCOMPARE(reasons, notUndone);
    QStringList listed;
    for (const std::string& path : listing(f.dst))
        listed << QString::fromStdString(path);
    QCOMPARE(listed, left);
    QCOMPARE(readFile(f.dst + "/f/a"), QByteArray(after == "edit" ? "edited" : "old"));
    QCOMPARE(readFile(f.dst + "/f/b"), QByteArray("old"));
    // In the trash now: what the copy made (its a and b, c, new), or, where a was edited
    // since, the old a instead of the copy's.
    QCOMPARE(tree::trashedNames(f.trash).size(), size_t(4));
}

void TestCopyTree::fileAndFolderNeverReplaceEachOther()
{
    CopyFixture f;
    writeFile(f.src + "/x", "file");
    tree::makeFolder(f.dst + "/x");
    tree::makeFolder(f.src + "/y");
    writeFile(f.dst + "/y", "file");

    QCOMPARE(f.copy(std::vector<std::string>{f.src + "/x", f.src + "/y"}, f.dst), CopyOutcome::Failed);
    QVERIFY(S_ISDIR(statOf(f.dst + "/x").st_mode));
    QCOMPARE(readFile(f.dst + "/y"), QByteArray("file"));
    QCOMPARE(f.questions.count("error "), 2);
    QVERIFY(f.questions.log[0].find("a file cannot replace a folder") != std::string::npos);
    QVERIFY(f.questions.log[1].find("a folder cannot replace a file") != std::string::npos);
    QVERIFY(tree::trashedNames(f.trash).empty());
}

void TestCopyTree::partialsOfDeadCopiesAreSwept_data()
{
    QTest::addColumn<bool>("marks"); // the drive can store the attribute that marks them
    QTest::newRow("marked") << true;
    QTest::newRow("drive without attributes") << false;
}

void TestCopyTree::partialsOfDeadCopiesAreSwept()
{
    QFETCH(bool, marks);
    CopyFixture f;
    if (!marks)
        f.fs.refusedCalls["xattr"] = -ENOTSUP;
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    QVERIFY(child > 0);
    ::waitpid(child, nullptr, 0); // reaped: that pid belongs to no process here
    const std::string prefix = f.dst + "/.quintaro-partial-" + std::to_string(child) + "-1-";
    const std::string abandoned = prefix + "a.txt";
    // A live copy in another pid namespace shows a pid that means nothing here; its lock counts.
    const std::string live = prefix + "b.txt";
    const std::string usersOwn = prefix + "c.txt"; // the right pattern, but not the program's
    for (const std::string& path : {abandoned, live, usersOwn})
        writeFile(path, "partial");
    for (const std::string& path : {abandoned, live}) {
        if (marks)
            QCOMPARE(::setxattr(path.c_str(), kPartialMark, "1", 1, 0), 0);
    }
    const int held = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
    QCOMPARE(::flock(held, LOCK_EX), 0);
    writeFile(f.src + "/c.txt", "c");

    QCOMPARE(f.copy(f.src + "/c.txt", f.dst), CopyOutcome::Success);
    ::close(held);
    QVERIFY(!exists(abandoned));
    QVERIFY(exists(live));
    // Without the mark, the pattern is all there is to tell.
    QCOMPARE(exists(usersOwn), marks);
}

QTEST_GUILESS_MAIN(TestCopyTree)
#include "tst_copy_tree.moc"
