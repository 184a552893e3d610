// Copies that go wrong part way: the file system fails on purpose through the
// engine's seam. Whatever happens, the originals stay as they were, no half-written
// file appears under a final name, and the request says what went wrong.

#include "platform/copy/CopyErrors.h"
#include "platform/copy/FolderPair.h"
#include "platform/copy/WorkerPool.h"
#include "support/CopyFixture.h"
#include "support/TreeHelpers.h"

#include <QtTest>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <pthread.h>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

using namespace shell;
using tree::exists;
using tree::readFile;
using tree::writeFile;

namespace {

constexpr int kBig = 3 << 20; // three steps of the copy loop, so faults land mid-file

// src/big.bin and src/small.txt to copy; dst/big.bin already there with old data.
void prepare(CopyFixture& f)
{
    writeFile(f.src + "/big.bin", tree::pattern(kBig, 1));
    writeFile(f.src + "/small.txt", "small");
    writeFile(f.dst + "/big.bin", "old data");
}

// The checks every failed copy of big.bin must pass.
void checkNothingLost(CopyFixture& f)
{
    QCOMPARE(readFile(f.src + "/big.bin"), tree::pattern(kBig, 1));
    QCOMPARE(readFile(f.dst + "/big.bin"), QByteArray("old data"));
    QVERIFY(tree::partials(f.dst).empty());
    QVERIFY(tree::trashedNames(f.trash).empty());
}

} // namespace

class TestCopyFaults : public QObject {
    Q_OBJECT
private slots:
    void failureIsReportedAndNothingIsLost_data();
    void failureIsReportedAndNothingIsLost();
    void retryAfterAFaultCompletesTheCopy_data();
    void retryAfterAFaultCompletesTheCopy();
    void cancelMidFileLeavesNoTrace_data();
    void cancelMidFileLeavesNoTrace();
    void cancelAnswerStopsTheRequest();
    void trashRefusedAsksBeforeDeleting();
    void notEnoughRoomIsWarnedBeforeStarting();
    void replacingCountsTheRoomTheTrashKeeps();
    void destinationIsKnownBeforeWriting_data();
    void destinationIsKnownBeforeWriting();
    void skipAllLeavesOutTheSameReasonUnasked();
    void writtenBehindCountsWhatTheDeviceHas();
    void failedFlushIsAFailure();
    void cancelWhileTheFinishedCopyIsFlushedStopsNothing();
    void countingErrorsAreAsked_data();
    void countingErrorsAreAsked();
    void swappedFolderCannotRedirectTheCopy_data();
    void swappedFolderCannotRedirectTheCopy();
    void treeChangedAfterCountingIsCopiedAsItIsNow();
    void fileRewrittenInPlaceIsNotPublished();
    void verifiedCopyThatReadsBackOtherwiseIsAnError_data();
    void verifiedCopyThatReadsBackOtherwiseIsAnError();
    void verifiedTreeReadsBackAsItsSource();
    void nameThatCannotBeFormedEnds();
    void poolKeepsGoingOnTheThreadsItHas_data();
    void poolKeepsGoingOnTheThreadsItHas();
    void exceptionInAWorkerIsAFailure();
    void deepTreeIsLetGoOnASmallStack();
    void theEngineLeavesTheProcessLimitsAlone();
};

void TestCopyFaults::failureIsReportedAndNothingIsLost_data()
{
    QTest::addColumn<bool>("kernelCopy");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    const char* const faults[][2] = {
        {"no space", "There is not enough space on the destination disk."},
        {"read error", "The disk could not be read or written (input/output error)."},
        {"write error", "The disk could not be read or written (input/output error)."},
        {"open refused", "Access is denied."},
        {"vanished", "The item was removed or replaced while it was being copied."},
        {"too large", "The file is too large for the destination drive."},
    };
    for (bool kernel : {true, false}) {
        for (const auto& fault : faults) {
            QTest::addRow("%s, %s", fault[0], kernel ? "copy_file_range" : "read and write")
                << kernel << QString(fault[0]) << QString(fault[1]);
        }
    }
}

void TestCopyFaults::failureIsReportedAndNothingIsLost()
{
    QFETCH(bool, kernelCopy);
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    CopyFixture f;
    prepare(f);
    f.fs.kernelCopy = kernelCopy;
    if (fault == "no space")
        f.fs.spaceLeft = (1 << 20) + 100;
    else if (fault == "read error")
        f.fs.readFault = FaultyFileSystem::Fault{"big.bin", -EIO};
    else if (fault == "write error")
        f.fs.writeFault = FaultyFileSystem::Fault{"big.bin", -EIO};
    else if (fault == "open refused")
        f.fs.openFault = FaultyFileSystem::Fault{"src/big.bin", -EACCES};
    else if (fault == "too large")
        f.fs.writeFault = FaultyFileSystem::Fault{"big.bin", -EFBIG};
    else
        f.fs.vanishMatch = "src/big.bin";
    f.questions.defaultClash = ClashAnswer::Yes;
    f.questions.defaultError = ErrorAnswer::Skip;

    QCOMPARE(f.copy(std::vector<std::string>{f.src + "/big.bin", f.src + "/small.txt"}, f.dst),
             CopyOutcome::Failed);

    std::vector<std::string> expected{"replace " + f.dst + "/big.bin",
                                      "error " + f.src + "/big.bin: " + reason.toStdString()};
    if (fault == "no space") // the disk stays full for the next file too
        expected.push_back("error " + f.src + "/small.txt: " + reason.toStdString());
    QCOMPARE(f.questions.log, expected);
    QCOMPARE(f.questions.retryOffered, std::vector<bool>(expected.size() - 1, true));
    if (fault == "vanished") {
        QVERIFY(!exists(f.src + "/big.bin"));
        QCOMPARE(readFile(f.dst + "/big.bin"), QByteArray("old data"));
        QVERIFY(tree::partials(f.dst).empty());
        QVERIFY(tree::trashedNames(f.trash).empty());
    } else {
        checkNothingLost(f);
    }
    if (fault != "no space") // the small file comes after and still fits otherwise
        QCOMPARE(readFile(f.dst + "/small.txt"), QByteArray("small"));
    // A skipped item still counts as done, so the progress reaches its end exactly.
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsDone, p.itemsTotal);
    QCOMPARE(p.bytesDone, std::int64_t(kBig + 5));
}

void TestCopyFaults::retryAfterAFaultCompletesTheCopy_data()
{
    QTest::addColumn<bool>("kernelCopy");
    QTest::newRow("copy_file_range") << true;
    QTest::newRow("read and write") << false;
}

void TestCopyFaults::retryAfterAFaultCompletesTheCopy()
{
    QFETCH(bool, kernelCopy);
    CopyFixture f;
    prepare(f);
    f.fs.kernelCopy = kernelCopy;
    // Fails once, after the first megabyte is already in: the retry starts over.
    f.fs.readFault = FaultyFileSystem::Fault{"big.bin", -EIO, 1};
    f.fs.spaceLeft = std::int64_t{1} << 40;
    f.questions.errorAnswers = {ErrorAnswer::Retry};
    QCOMPARE(f.copy(f.src + "/big.bin", f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/big.bin"), tree::pattern(kBig, 1));
    QCOMPARE(readFile(f.trash + "/files/big.bin"), QByteArray("old data"));
    QVERIFY(tree::partials(f.dst).empty());
    QCOMPARE(f.questions.count("error "), 1);
    // The failed attempt's bytes were taken back: counted once, not twice.
    QCOMPARE(f.progress.snapshot().bytesDone, std::int64_t(kBig));
}

void TestCopyFaults::cancelMidFileLeavesNoTrace_data()
{
    QTest::addColumn<bool>("kernelCopy");
    QTest::newRow("copy_file_range") << true;
    QTest::newRow("read and write") << false;
}

void TestCopyFaults::cancelMidFileLeavesNoTrace()
{
    QFETCH(bool, kernelCopy);
    CopyFixture f;
    prepare(f);
    f.fs.kernelCopy = kernelCopy;
    f.fs.cancelAfterWrite = f.cancel.get(); // Cancel pressed after the first megabyte
    QCOMPARE(f.copy(std::vector<std::string>{f.src + "/big.bin", f.src + "/small.txt"}, f.dst),
             CopyOutcome::Cancelled);
    checkNothingLost(f);
    QVERIFY(!exists(f.dst + "/small.txt"));
    QCOMPARE(f.questions.count("error "), 0); // cancelling is not an error to ask about
}

void TestCopyFaults::cancelAnswerStopsTheRequest()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    for (const char* name : {"/t/1", "/t/2", "/t/3"})
        writeFile(f.src + name, name);
    f.fs.openFault = FaultyFileSystem::Fault{"t/1", -EIO};
    f.questions.errorAnswers = {ErrorAnswer::Cancel};
    f.options.threads = 1;
    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Cancelled);
    QCOMPARE(tree::listing(f.dst), std::vector<std::string>{"t/"});
    QCOMPARE(f.questions.count("error "), 1);
}

void TestCopyFaults::trashRefusedAsksBeforeDeleting()
{
    CopyFixture f;
    prepare(f);
    f.fs.trashFault = FaultyFileSystem::Fault{"dst/big.bin", -EXDEV};
    f.questions.deleteAnswer = false;
    // The copy did not arrive: the request is not a success, and the summary says why.
    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    QCOMPARE(engine.run({f.src + "/big.bin"}, f.dst), CopyOutcome::Failed);
    checkNothingLost(f);
    QCOMPARE(f.questions.log.back(),
             "delete " + f.dst + "/big.bin: There is no trash it can be moved to on its drive.");
    QCOMPARE(engine.leftOut().size(), size_t(1));
    QCOMPARE(engine.leftOut()[0].item, f.dst + "/big.bin");
    QVERIFY(engine.leftOut()[0].reason.find("There is no trash it can be moved to on its drive.")
            != std::string::npos);
    QCOMPARE(f.progress.snapshot().itemsSkipped, std::uint64_t(1));

    f.questions.deleteAnswer = true;
    QCOMPARE(f.copy(f.src + "/big.bin", f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/big.bin"), tree::pattern(kBig, 1));
    QVERIFY(tree::partials(f.dst).empty());
    QVERIFY(tree::trashedNames(f.trash).empty());
    QCOMPARE(f.questions.count("delete "), 2);
}

void TestCopyFaults::notEnoughRoomIsWarnedBeforeStarting()
{
    CopyFixture f;
    prepare(f);
    f.fs.freeBytes = 1 << 20; // less than big.bin needs
    f.questions.roomAnswer = false;
    QCOMPARE(f.copy(f.src + "/big.bin", f.dst), CopyOutcome::Cancelled);
    QCOMPARE(f.questions.log, std::vector<std::string>{"room " + f.dst});
    checkNothingLost(f);

    f.fs.freeBytes = std::uint64_t{4} << 20; // enough, with the block rounding
    f.questions.log.clear();
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst), CopyOutcome::Success);
    QVERIFY(f.questions.log.empty());

    // A sparse file needs room for its data, not for its size.
    const int fd = ::open((f.src + "/sparse").c_str(), O_WRONLY | O_CREAT, 0644);
    QCOMPARE(::pwrite(fd, "data", 4, 32 << 20), ssize_t(4));
    QCOMPARE(::ftruncate(fd, 64 << 20), 0);
    ::close(fd);
    QCOMPARE(f.copy(f.src + "/sparse", f.dst), CopyOutcome::Success);
    QVERIFY(f.questions.log.empty());
}

// Replaced items stay on the drive in its trash: where the new tree fits only once
// they are gone, the one question comes before anything is written.
void TestCopyFaults::replacingCountsTheRoomTheTrashKeeps()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    tree::makeFolder(f.dst + "/t");
    for (const char* name : {"a", "b", "c", "d"}) {
        writeFile(f.src + "/t/" + name, tree::pattern(1 << 20, 1));
        writeFile(f.dst + "/t/" + name, tree::pattern(1 << 20, 2));
    }
    f.fs.freeBytes = std::uint64_t{5} << 19; // room for one new file beside the old ones
    f.questions.defaultClash = ClashAnswer::YesToAll;
    f.questions.deleteAnswer = false;
    const std::string question = "delete " + f.dst + "/t: " + describeError(Fault::NoRoomToKeep);
    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Cancelled);
    QCOMPARE(f.questions.log, std::vector<std::string>{question});
    QCOMPARE(readFile(f.dst + "/t/d"), tree::pattern(1 << 20, 2));

    f.questions.log.clear();
    f.questions.deleteAnswer = true;
    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Success);
    QCOMPARE(f.questions.log,
             (std::vector<std::string>{question, "merge " + f.dst + "/t", "replace " + f.dst + "/t/a"}));
    for (const char* name : {"a", "b", "c", "d"})
        QCOMPARE(readFile(f.dst + "/t/" + name), tree::pattern(1 << 20, 1));
    QVERIFY(tree::trashedNames(f.trash).empty());
    QVERIFY(tree::partials(f.dst).empty());
}

// What the destination's file system is decides, before anything is written, what
// goes there and how its arrival is proven.
void TestCopyFaults::destinationIsKnownBeforeWriting_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<CopyOutcome>("result");
    QTest::addColumn<QStringList>("log"); // SRC and DST stand for the two folders
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<bool>("eachFileSynced");
    const QString tooLarge = QString::fromStdString(describeError(Fault::TooLarge));
    QTest::newRow("FAT: over 4 GiB left out unwritten")
        << "fat" << CopyOutcome::Failed << QStringList{"error SRC/huge: " + tooLarge}
        << QStringList{"small.txt"} << false;
    QTest::newRow("read-only: refused once")
        << "read-only" << CopyOutcome::Refused
        << QStringList{"failed Cannot copy to \"DST\": "
                       + QString::fromStdString(describeError(CopyError::system(EROFS)))}
        << QStringList{} << false;
    QTest::newRow("FUSE: each file synced")
        << "fuse" << CopyOutcome::Success << QStringList{} << QStringList{"huge", "small.txt"} << true;
    QTest::newRow("network: each file synced")
        << "nfs" << CopyOutcome::Success << QStringList{} << QStringList{"huge", "small.txt"} << true;
    QTest::newRow("local disk: one flush")
        << "ext4" << CopyOutcome::Success << QStringList{} << QStringList{"huge", "small.txt"} << false;
}

void TestCopyFaults::destinationIsKnownBeforeWriting()
{
    QFETCH(QString, drive);
    QFETCH(CopyOutcome, result);
    QFETCH(QStringList, log);
    QFETCH(QStringList, copied);
    QFETCH(bool, eachFileSynced);
    CopyFixture f;
    // 5 GiB of holes: refused by size alone, copied in no time where it fits.
    writeFile(f.src + "/huge", "x");
    QCOMPARE(::truncate((f.src + "/huge").c_str(), off_t{5} << 30), 0);
    writeFile(f.src + "/small.txt", "small");
    if (drive == "fat")
        f.fs.fileSystemType = 0x4d44;
    else if (drive == "fuse")
        f.fs.fileSystemType = 0x65735546;
    else if (drive == "nfs")
        f.fs.fileSystemType = 0x6969;
    f.fs.readOnlyMount = drive == "read-only";

    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    QCOMPARE(engine.run({f.src + "/huge", f.src + "/small.txt"}, f.dst), result);
    std::vector<std::string> expected;
    for (QString entry : log)
        expected.push_back(entry.replace("SRC", QString::fromStdString(f.src))
                               .replace("DST", QString::fromStdString(f.dst))
                               .toStdString());
    QCOMPARE(f.questions.log, expected);
    std::vector<std::string> files;
    for (const QString& name : copied)
        files.push_back(name.toStdString());
    QCOMPARE(tree::listing(f.dst), files);
    if (drive == "fat") {
        QCOMPARE(f.questions.retryOffered, std::vector<bool>{false});
        QCOMPARE(engine.bytesWritten(), std::int64_t(5));
        QCOMPARE(engine.leftOut().size(), size_t(1));
        QCOMPARE(engine.leftOut()[0].item, f.src + "/huge");
        const ProgressSnapshot p = f.progress.snapshot();
        QCOMPARE(p.itemsDone, p.itemsTotal);
        QCOMPARE(p.itemsSkipped, std::uint64_t(1));
    }
    if (result == CopyOutcome::Success) {
        QCOMPARE(f.fs.filesSynced.load() >= 2, eachFileSynced);
        QCOMPARE(f.fs.fileSystemsSynced.load() == 0, eachFileSynced);
    }
}

// "Skip all" answers every later error of the same reason: those items are listed,
// never asked about; another reason is still asked.
void TestCopyFaults::skipAllLeavesOutTheSameReasonUnasked()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    for (const char* name : {"a", "b", "c"})
        writeFile(f.src + "/t/" + name, name);
    writeFile(f.src + "/u.bin", "u");
    f.fs.openFault = FaultyFileSystem::Fault{"src/t/", -EACCES};
    f.fs.readFault = FaultyFileSystem::Fault{"src/u.bin", -EIO};
    f.options.threads = 1;
    f.questions.errorAnswers = {ErrorAnswer::SkipAll};
    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    QCOMPARE(engine.run({f.src + "/t", f.src + "/u.bin"}, f.dst), CopyOutcome::Failed);
    QCOMPARE(f.questions.log, (std::vector<std::string>{
                                  "error " + f.src + "/t/a: Access is denied.",
                                  "error " + f.src + "/u.bin: " + describeError(CopyError::system(EIO))}));
    const std::vector<LeftOutItem> left = engine.leftOut();
    QCOMPARE(left.size(), size_t(4));
    QCOMPARE(left[2].item, f.src + "/t/c");
    QCOMPARE(left[2].reason, std::string("Access is denied."));
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsDone, p.itemsTotal);
    QCOMPARE(p.itemsSkipped, std::uint64_t(4));
}

// Written behind, the progress never runs ahead of the device, and only a few
// megabytes wait on their way there, so the flush after 100% has little left to do.
void TestCopyFaults::writtenBehindCountsWhatTheDeviceHas()
{
    CopyFixture f;
    constexpr int kSize = 24 << 20;
    writeFile(f.src + "/big.bin", tree::pattern(kSize, 1));
    f.options.writeBehind = WriteBehind::On;
    std::int64_t ahead = 0;  // the most the progress ever showed beyond the device
    std::int64_t before = 0; // the progress's count as the copy started (it adds up over copies)
    f.fs.whenRead = [&](const std::string&) {
        ahead = std::max(ahead, f.progress.snapshot().bytesDone - before - f.fs.bytesOnDevice.load());
    };
    for (bool kernelCopy : {true, false}) {
        f.fs.kernelCopy = kernelCopy;
        f.fs.bytesOnDevice = 0;
        f.fs.bytesSent = 0;
        before = f.progress.snapshot().bytesDone;
        const std::string into = f.dst + (kernelCopy ? "/a" : "/b");
        QCOMPARE(f.copy(f.src + "/big.bin", into), CopyOutcome::Success);
        QCOMPARE(readFile(into + "/big.bin"), tree::pattern(kSize, 1));
        QCOMPARE(f.fs.bytesOnDevice.load(), std::int64_t(kSize));
        QCOMPARE(ahead, std::int64_t(0));
        QVERIFY(f.fs.mostInFlight.load() <= std::int64_t(10) << 20);
    }
}

// Cancel pressed while the finished copy is flushed: every item is there, so the
// flush decides how the request ended, a failed flush a failure as ever.
void TestCopyFaults::cancelWhileTheFinishedCopyIsFlushedStopsNothing()
{
    CopyFixture f;
    writeFile(f.src + "/small.txt", "small");
    f.fs.whenSyncing = [&] { f.cancel->cancel(); };
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/small.txt"), QByteArray("small"));
    f.fs.syncFault = FaultyFileSystem::Fault{f.dst, -EIO};
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst), CopyOutcome::Failed);
}

void TestCopyFaults::failedFlushIsAFailure()
{
    CopyFixture f;
    writeFile(f.src + "/small.txt", "small");
    f.fs.syncFault = FaultyFileSystem::Fault{f.dst, -EIO};
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst), CopyOutcome::Failed);
    QCOMPARE(f.questions.count("failed "), 1);
    QVERIFY(f.questions.log[0].find("could not be written to the disk") != std::string::npos);
    // The trash's record of a replaced file is left to that flush, so its failure fails the copy too.
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst), CopyOutcome::Failed);
    QCOMPARE(f.fs.trashRecordsLeftToFlush.load(), 1);
    QCOMPARE(tree::trashedNames(f.trash), std::vector<std::string>{"small.txt"});

    f.options.durability = Durability::SyncEachFile;
    f.fs.syncFault = FaultyFileSystem::Fault{"small.txt", -EIO, 1};
    f.questions.errorAnswers = {ErrorAnswer::Retry};
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst + "/again"), CopyOutcome::Success);
    QCOMPARE(readFile(f.dst + "/again/small.txt"), QByteArray("small"));
    QCOMPARE(f.questions.count("error "), 1);
    // Synced file by file, the record is synced before the new file takes the name.
    QCOMPARE(f.copy(f.src + "/small.txt", f.dst + "/again"), CopyOutcome::Success);
    QCOMPARE(f.fs.trashRecordsSynced.load(), 1);
    QCOMPARE(f.fs.trashRecordsLeftToFlush.load(), 1);

    // A folder is given its source's times once its last item is done; a failure
    // then is listed for the user, never taken for success.
    QVERIFY(QDir().mkpath(QString::fromStdString(f.src + "/t")));
    f.fs.timesFault = FaultyFileSystem::Fault{"dst/t", -EIO, 1};
    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    QCOMPARE(engine.run({f.src + "/t"}, f.dst), CopyOutcome::Failed);
    QVERIFY(QFileInfo(QString::fromStdString(f.dst + "/t")).isDir());
    QCOMPARE(engine.leftOut().size(), size_t(1));
    QCOMPARE(engine.leftOut()[0].item, f.dst + "/t");
    QCOMPARE(engine.leftOut()[0].reason,
             std::string(kFolderMetadataNotKept) + describeError(CopyError::system(EIO)));
}

void TestCopyFaults::countingErrorsAreAsked_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("retry");
    QTest::newRow("item cannot be looked at") << "stat"
                                              << "t/b" << false;
    QTest::newRow("folder cannot be opened") << "open"
                                             << "t/sub" << false;
    QTest::newRow("looked at on retry") << "stat"
                                        << "t/b" << true;
}

void TestCopyFaults::countingErrorsAreAsked()
{
    QFETCH(QString, fault);
    QFETCH(QString, item);
    QFETCH(bool, retry);
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    tree::makeFolder(f.src + "/t/sub");
    for (const char* name : {"/t/a", "/t/b", "/t/sub/c"})
        writeFile(f.src + name, name);
    const std::string path = f.src + "/" + item.toStdString();
    FaultyFileSystem::Fault once{path, -EIO, 1};
    (fault == "stat" ? f.fs.statFault : f.fs.openFault) = once;
    if (retry)
        f.questions.errorAnswers = {ErrorAnswer::Retry};

    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    const CopyOutcome result = engine.run({f.src + "/t"}, f.dst);
    const std::string reason = "The disk could not be read or written (input/output error).";
    QCOMPARE(f.questions.log, std::vector<std::string>{"error " + path + ": " + reason});
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsDone, p.itemsTotal);
    if (retry) {
        QCOMPARE(result, CopyOutcome::Success);
        QCOMPARE(tree::listing(f.dst + "/t"), tree::listing(f.src + "/t"));
        return;
    }
    QCOMPARE(result, CopyOutcome::Failed);
    QCOMPARE(engine.leftOut().size(), size_t(1));
    QCOMPARE(engine.leftOut()[0].item, path);
    QCOMPARE(engine.leftOut()[0].reason, reason);
    QVERIFY(!exists(f.dst + "/" + item.toStdString()));
    QCOMPARE(readFile(f.dst + "/t/a"), QByteArray("/t/a"));
    QCOMPARE(p.itemsSkipped, std::uint64_t(1));
}

void TestCopyFaults::swappedFolderCannotRedirectTheCopy_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("before the folder is copied") << "src/t/a";
    QTest::newRow("while its contents are copied") << "src/t/sub/x";
}

void TestCopyFaults::swappedFolderCannotRedirectTheCopy()
{
    QFETCH(QString, when);
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    tree::makeFolder(f.src + "/t/sub");
    writeFile(f.src + "/t/a", "a");
    writeFile(f.src + "/t/sub/x", "x");
    ::chmod((f.src + "/t/sub").c_str(), 0750);
    // Elsewhere, open to all: what the swapped-in link leads to.
    const std::string elsewhere = f.root + "/elsewhere";
    tree::makeFolder(elsewhere);
    writeFile(elsewhere + "/secret", "secret");
    ::chmod(elsewhere.c_str(), 0777);
    f.options.threads = 1; // the swap follows the walk's order, which workers would not keep
    f.fs.whenOpened = [&](const std::string& path) {
        if (path.find(when.toStdString()) == std::string::npos || exists(f.src + "/t/moved"))
            return;
        ::rename((f.src + "/t/sub").c_str(), (f.src + "/t/moved").c_str());
        ::symlink(elsewhere.c_str(), (f.src + "/t/sub").c_str());
    };

    const CopyOutcome result = f.copy(f.src + "/t", f.dst);
    struct stat st {};
    QCOMPARE(::stat(elsewhere.c_str(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0777));
    QVERIFY(!exists(f.dst + "/t/sub/secret"));
    if (when.endsWith("/x")) {
        // Opened before the swap: the folder is copied as it was, mode included.
        QCOMPARE(result, CopyOutcome::Success);
        QCOMPARE(::lstat((f.dst + "/t/sub").c_str(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0750));
        QCOMPARE(readFile(f.dst + "/t/sub/x"), QByteArray("x"));
    } else {
        QCOMPARE(result, CopyOutcome::Failed);
        QCOMPARE(f.questions.log, std::vector<std::string>{"error " + f.src + "/t/sub: "
                                                           + "The item changed while it was being copied."});
        QVERIFY(!exists(f.dst + "/t/sub"));
    }
}

void TestCopyFaults::treeChangedAfterCountingIsCopiedAsItIsNow()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    tree::makeFolder(f.src + "/t/sub");
    writeFile(f.src + "/t/a", "a");
    writeFile(f.src + "/t/sub/gone", "gone");
    f.options.threads = 1; // the change follows the walk's order, which workers would not keep
    // After counting, before the folder below is copied: one file made there, one deleted.
    f.fs.whenOpened = [&](const std::string& path) {
        if (path.find("src/t/a") == std::string::npos || exists(f.src + "/t/sub/late"))
            return;
        writeFile(f.src + "/t/sub/late", "late");
        ::unlink((f.src + "/t/sub/gone").c_str());
    };
    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Success);
    QVERIFY(f.questions.log.empty());
    QCOMPARE(tree::listing(f.dst + "/t"), tree::listing(f.src + "/t"));
    QCOMPARE(readFile(f.dst + "/t/sub/late"), QByteArray("late"));
    // More items than were counted: the progress goes past its total without harm.
    const ProgressSnapshot p = f.progress.snapshot();
    QVERIFY(p.itemsDone > 0 && p.itemsDone <= p.itemsTotal + 1);
}

void TestCopyFaults::fileRewrittenInPlaceIsNotPublished()
{
    CopyFixture f;
    writeFile(f.src + "/big.bin", tree::pattern(kBig, 1));
    const std::string source = f.src + "/big.bin";
    struct stat before {};
    ::stat(source.c_str(), &before);
    // Rewritten after the first megabyte was read, with its modification time put back.
    f.fs.whenRead = [&](const std::string& path) {
        if (path != source)
            return;
        f.fs.whenRead = nullptr;
        int fd = ::open(source.c_str(), O_WRONLY);
        const QByteArray other = tree::pattern(kBig, 2);
        QCOMPARE(::pwrite(fd, other.constData(), other.size(), 0), ssize_t(other.size()));
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ::futimens(fd, times);
        ::close(fd);
    };
    QCOMPARE(f.copy(source, f.dst), CopyOutcome::Failed);
    QCOMPARE(f.questions.log,
             std::vector<std::string>{"error " + source + ": The item changed while it was being copied."});
    QVERIFY(!exists(f.dst + "/big.bin"));
    QVERIFY(tree::partials(f.dst).empty());
}

namespace {

// size bytes of which only "data" at 1 MiB is written; the rest reads as zeros.
void writeSparse(const std::string& path, off_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QCOMPARE(::pwrite(fd, "data", 4, 1 << 20), ssize_t(4));
    QCOMPARE(::ftruncate(fd, size), 0);
    ::close(fd);
}

} // namespace

// A verified copy that changes on its drive between its writing and its reading back
// is an error about that file, never a success; it gets no name (an item it would
// replace stays), unless a retry copies it again and that copy reads back.
void TestCopyFaults::verifiedCopyThatReadsBackOtherwiseIsAnError_data()
{
    QTest::addColumn<QString>("way");    // how the copy is written
    QTest::addColumn<QString>("target"); // the file whose copy changes
    QTest::addColumn<ErrorAnswer>("answer");
    QTest::newRow("unnamed file, replacing, skipped") << "unnamed"
                                                      << "big.bin" << ErrorAnswer::Skip;
    QTest::newRow("temporary name, in a hole, skipped") << "temporary"
                                                        << "sparse.bin" << ErrorAnswer::Skip;
    QTest::newRow("synced file by file, retried") << "each file"
                                                  << "big.bin" << ErrorAnswer::Retry;
    QTest::newRow("read and write, in a hole, retried") << "read and write"
                                                        << "sparse.bin" << ErrorAnswer::Retry;
}

void TestCopyFaults::verifiedCopyThatReadsBackOtherwiseIsAnError()
{
    QFETCH(QString, way);
    QFETCH(QString, target);
    QFETCH(ErrorAnswer, answer);
    CopyFixture f;
    prepare(f);
    writeSparse(f.src + "/sparse.bin", 3 << 20);
    const std::string name = target.toStdString();
    f.fs.changeBeforeReadBack = FaultyFileSystem::Fault{f.dst + "/", 0, 1};
    f.fs.changeBeforeReadBack->match = name;
    if (way == "temporary")
        f.fs.refusedCalls["tmpfile"] = -EOPNOTSUPP;
    f.fs.kernelCopy = way != "read and write";
    if (way == "each file")
        f.options.durability = Durability::SyncEachFile;
    f.options.verify = std::make_shared<std::atomic<bool>>(true);
    f.questions.errorAnswers = {answer};

    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    const CopyOutcome result =
        engine.run({f.src + "/big.bin", f.src + "/sparse.bin", f.src + "/small.txt"}, f.dst);
    const std::string item = f.src + "/" + name;
    const std::string reason = "The copy of " + item + " does not read back as the original";
    QCOMPARE(f.questions.log,
             (std::vector<std::string>{"replace " + f.dst + "/big.bin", "error " + item + ": " + reason}));
    QCOMPARE(readFile(f.dst + "/small.txt"), QByteArray("small"));
    QVERIFY(tree::partials(f.dst).empty());
    if (answer == ErrorAnswer::Retry) {
        QCOMPARE(result, CopyOutcome::Success);
        QCOMPARE(readFile(f.dst + "/big.bin"), tree::pattern(kBig, 1));
        QCOMPARE(readFile(f.dst + "/sparse.bin"), readFile(f.src + "/sparse.bin"));
        return;
    }
    QCOMPARE(result, CopyOutcome::Failed);
    QCOMPARE(engine.leftOut().size(), size_t(1));
    QCOMPARE(engine.leftOut()[0].item, item);
    QCOMPARE(engine.leftOut()[0].reason, reason);
    if (name == "big.bin")
        checkNothingLost(f);
    else
        QVERIFY(!exists(f.dst + "/" + name));
}

// Verified, an ordinary tree copies as it would without: every file is read back,
// holes stay holes, and nothing is asked. Turned off, nothing is read back.
void TestCopyFaults::verifiedTreeReadsBackAsItsSource()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    tree::makeFolder(f.src + "/t/sub");
    for (int i = 0; i < 5; ++i)
        writeFile(f.src + "/t/small" + std::to_string(i), tree::pattern(1000 * i + 1, i));
    writeFile(f.src + "/t/sub/big.bin", tree::pattern(kBig, 3)); // over the small-file size
    writeSparse(f.src + "/t/sub/sparse.bin", 64 << 20);
    const auto verify = std::make_shared<std::atomic<bool>>(true);
    f.options.verify = verify;
    QCOMPARE(f.copy(f.src + "/t", f.dst), CopyOutcome::Success);
    QVERIFY(f.questions.log.empty());
    QCOMPARE(f.fs.cachesDropped.load(), 7);
    QCOMPARE(tree::listing(f.dst + "/t"), tree::listing(f.src + "/t"));
    for (const char* name : {"small0", "small4", "sub/big.bin", "sub/sparse.bin"})
        QCOMPARE(readFile(f.dst + "/t/" + name), readFile(f.src + "/t/" + name));
    struct stat st {};
    QCOMPARE(::stat((f.dst + "/t/sub/sparse.bin").c_str(), &st), 0);
    QVERIFY(st.st_blocks * 512 < (1 << 20));

    // Half of a verified file's bytes count when written, the other half when read back.
    const std::int64_t before = f.progress.snapshot().bytesDone;
    std::int64_t atReadBack = -1;
    f.fs.whenRead = [&](const std::string& path) {
        if (path.rfind(f.dst + "/one/", 0) == 0 && atReadBack < 0)
            atReadBack = f.progress.snapshot().bytesDone - before;
    };
    QCOMPARE(f.copy(f.src + "/t/sub/big.bin", f.dst + "/one"), CopyOutcome::Success);
    QCOMPARE(atReadBack, std::int64_t(kBig / 2));
    QCOMPARE(f.progress.snapshot().bytesDone - before, std::int64_t(kBig));
    f.fs.whenRead = nullptr;

    verify->store(false);
    QCOMPARE(f.copy(f.src + "/t", f.dst + "/again"), CopyOutcome::Success);
    QCOMPARE(f.fs.cachesDropped.load(), 8);
}

void TestCopyFaults::nameThatCannotBeFormedEnds()
{
    CopyFixture f;
    writeFile(f.src + "/a.txt", "a");
    // Every duplicate name is refused, as a path past the limit would be.
    f.fs.statFault = FaultyFileSystem::Fault{" - Copy", -ENAMETOOLONG};
    QCOMPARE(f.copy(f.src + "/a.txt", f.src), CopyOutcome::Failed);
    QCOMPARE(f.questions.log,
             std::vector<std::string>{"error " + f.src
                                      + "/a - Copy.txt: The name is too long for the destination."});
    QCOMPARE(tree::listing(f.src), std::vector<std::string>{"a.txt"});
}

void TestCopyFaults::poolKeepsGoingOnTheThreadsItHas_data()
{
    QTest::addColumn<int>("started");
    QTest::newRow("none") << 0;
    QTest::newRow("one of four") << 1;
}

void TestCopyFaults::poolKeepsGoingOnTheThreadsItHas()
{
    QFETCH(int, started);
    int made = 0;
    // Refuses threads past `started`, as the kernel does at the process limit.
    auto starter = [&](std::function<void()> body) {
        if (made == started)
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        ++made;
        return std::thread(std::move(body));
    };
    std::atomic<int> done{0};
    {
        WorkerPool pool(4, 2, starter);
        QCOMPARE(pool.threads(), size_t(started));
        for (int i = 0; i < 50; ++i)
            pool.submit([&] { ++done; });
        pool.drain();
        QCOMPARE(done.load(), 50);
    }
}

void TestCopyFaults::exceptionInAWorkerIsAFailure()
{
    CopyFixture f;
    tree::makeFolder(f.src + "/t");
    for (const char* name : {"a", "b", "c", "d"})
        writeFile(f.src + "/t/" + name, name);
    f.options.threads = 2;
    f.fs.whenOpened = [](const std::string& path) {
        if (path.size() > 4 && path.compare(path.size() - 4, 4, "/t/c") == 0)
            throw std::bad_alloc();
    };
    // The program goes on, and the request says that part of it was not copied.
    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    QCOMPARE(engine.run({f.src + "/t"}, f.dst), CopyOutcome::Failed);
    QCOMPARE(engine.leftOut().size(), size_t(1));
    QVERIFY(engine.leftOut()[0].reason.find("not enough memory") != std::string::npos);
    QVERIFY(tree::partials(f.dst + "/t").empty());
}

void TestCopyFaults::deepTreeIsLetGoOnASmallStack()
{
    CopyFixture f;
    CopySession session(f.fs, f.questions, f.progress, *f.cancel, {});
    struct Chain {
        std::shared_ptr<FolderPair> deepest;
    } chain;
    for (int i = 0; i < 100000; ++i)
        chain.deepest = std::make_shared<FolderPair>(session, -1, -1, "", "", std::move(chain.deepest));
    // A worker that lets go of the deepest folder of a tree far deeper than its stack.
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 << 10);
    pthread_t worker;
    auto body = [](void* p) -> void* {
        static_cast<Chain*>(p)->deepest.reset();
        return nullptr;
    };
    QCOMPARE(pthread_create(&worker, &attr, body, &chain), 0);
    pthread_join(worker, nullptr);
    pthread_attr_destroy(&attr);
    QVERIFY(!chain.deepest);
}

void TestCopyFaults::theEngineLeavesTheProcessLimitsAlone()
{
    struct rlimit before {};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &before), 0);
    if (before.rlim_max <= 512)
        QSKIP("the descriptor limit is too low to lower for this test");
    struct rlimit lowered = before;
    lowered.rlim_cur = 512;
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    CopyFixture f;
    prepare(f);
    const CopyOutcome result = f.copy(f.src + "/small.txt", f.dst);
    struct rlimit after {};
    ::getrlimit(RLIMIT_NOFILE, &after);
    ::setrlimit(RLIMIT_NOFILE, &before);
    QCOMPARE(result, CopyOutcome::Success);
    QCOMPARE(after.rlim_cur, rlim_t(512));
}

QTEST_GUILESS_MAIN(TestCopyFaults)
#include "tst_copy_faults.moc"
