// Small files whose data moves through the submission ring in batches. The ring
// fails on purpose through the file system seam: refused, moving less than asked,
// failing one file with its completions out of order, or cancelled with requests in
// flight. Whatever happens, every copy under a final name is whole and identical,
// each error that persists is asked once, and nothing is left half made.

#include "platform/shell/FileOperation.h"
#include "support/CopyFixture.h"
#include "support/TreeHelpers.h"

#include <QtTest>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

using namespace shell;
using tree::readFile;

namespace {

constexpr int kFilesPerFolder = 8;

std::string fileName(int folder, int file)
{
    return std::string(1, static_cast<char>('a' + folder)) + "/f" + std::to_string(file);
}

// src/t/a and src/t/b, eight files of a few KiB each: one batch per folder.
void prepare(CopyFixture& f)
{
    tree::makeFolder(f.src + "/t");
    for (int folder = 0; folder < 2; ++folder) {
        tree::makeFolder(f.src + "/t/" + std::string(1, static_cast<char>('a' + folder)));
        for (int file = 0; file < kFilesPerFolder; ++file)
            tree::writeFile(f.src + "/t/" + fileName(folder, file),
                            tree::pattern(3000 + 1500 * file + folder, file + 10 * folder));
    }
}

} // namespace

class TestCopyRing : public QObject {
    Q_OBJECT
private slots:
    void batchCopiesWholeFilesOrAsksOnce_data();
    void batchCopiesWholeFilesOrAsksOnce();
};

void TestCopyRing::batchCopiesWholeFilesOrAsksOnce_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("leftOut"); // the one file the copy leaves out, if any
    const int skip = int(ErrorAnswer::Skip);
    const int retry = int(ErrorAnswer::Retry);
    QTest::newRow("ring runs") << "none" << skip << int(FileOpSuccess) << "";
    QTest::newRow("ring refused") << "refused" << skip << int(FileOpSuccess) << "";
    QTest::newRow("replacing, old file to the trash") << "replace" << skip << int(FileOpSuccess) << "";
    QTest::newRow("short reads") << "short reads" << skip << int(FileOpSuccess) << "";
    QTest::newRow("short writes") << "short writes" << skip << int(FileOpSuccess) << "";
    QTest::newRow("read error out of order, skip") << "read error" << skip << int(FileOpFailed) << "a/f3";
    QTest::newRow("write error out of order, retry") << "write error" << retry << int(FileOpSuccess) << "";
    QTest::newRow("cancel in flight") << "cancel" << skip << int(FileOpCancelled) << "";
}

void TestCopyRing::batchCopiesWholeFilesOrAsksOnce()
{
    QFETCH(QString, fault);
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(QString, leftOut);
    CopyFixture f;
    prepare(f);
    f.options.threads = 2;
    f.options.ring = RingUse::On;
    f.questions.defaultError = ErrorAnswer(answer);
    // Fails the ring's attempt and the ordinary attempt after it; a third attempt succeeds.
    const FaultyFileSystem::Fault failing{"t/a/f3", -EIO, 2};
    if (fault == "replace") {
        tree::makeFolder(f.dst + "/t");
        tree::makeFolder(f.dst + "/t/a");
        tree::writeFile(f.dst + "/t/a/f1", "old");
    }
    if (fault == "refused")
        f.fs.ringRefusal = -EPERM;
    else if (fault == "short reads")
        f.fs.ringReadCap = 1000;
    else if (fault == "short writes")
        f.fs.ringWriteCap = 1000;
    else if (fault == "read error")
        f.fs.readFault = failing;
    else if (fault == "write error")
        f.fs.writeFault = failing;
    f.fs.ringReversed = fault.endsWith("error");
    if (fault == "cancel") {
        f.fs.cancelInFlight = f.cancel.get();
        f.fs.ringOnePerWait = true;
    }

    std::vector<LeftOutItem> itemsLeftOut;
    {
        // Its rings close with it, counting what they still held.
        CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
        QCOMPARE(engine.run({f.src + "/t"}, f.dst), result);
        itemsLeftOut = engine.leftOut();
    }

    const bool failed = fault.endsWith("error");
    std::vector<std::string> questions;
    if (failed)
        questions.push_back("error " + f.src
                            + "/t/a/f3: The disk could not be read or written (input/output error).");
    std::vector<std::string> asked;
    std::copy_if(f.questions.log.begin(), f.questions.log.end(), std::back_inserter(asked),
                 [](const std::string& question) { return question.rfind("error ", 0) == 0; });
    QCOMPARE(asked, questions);
    if (fault == "replace")
        QCOMPARE(tree::trashedNames(f.trash), std::vector<std::string>{"f1"});
    // Each copy under its final name is whole; the rest are all there unless cancelled.
    int copied = 0;
    for (int folder = 0; folder < 2; ++folder) {
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const std::string name = fileName(folder, file);
            if (!tree::exists(f.dst + "/t/" + name))
                continue;
            ++copied;
            QCOMPARE(readFile(f.dst + "/t/" + name), readFile(f.src + "/t/" + name));
            struct stat source {};
            struct stat copy {};
            ::stat((f.src + "/t/" + name).c_str(), &source);
            ::stat((f.dst + "/t/" + name).c_str(), &copy);
            QCOMPARE(qint64(copy.st_mtim.tv_nsec), qint64(source.st_mtim.tv_nsec)); // kept as cp -a does
        }
    }
    QVERIFY(tree::partials(f.dst).empty());
    QCOMPARE(f.fs.ringLeftInFlight.load(), 0);
    if (fault == "cancel") {
        QVERIFY(f.fs.ringCancels.load() > 0);
        return;
    }
    QCOMPARE(copied, 2 * kFilesPerFolder - (leftOut.isEmpty() ? 0 : 1));
    if (!leftOut.isEmpty()) {
        QVERIFY(!tree::exists(f.dst + "/t/" + leftOut.toStdString()));
        QCOMPARE(itemsLeftOut.size(), size_t(1));
        QCOMPARE(itemsLeftOut[0].item, f.src + "/t/" + leftOut.toStdString());
    }
    const ProgressSnapshot p = f.progress.snapshot();
    QCOMPARE(p.itemsDone, p.itemsTotal);
    QCOMPARE(p.bytesDone, p.bytesTotal);
    QCOMPARE(f.fs.filesLinked.load(), 2 * kFilesPerFolder - (leftOut.isEmpty() ? 0 : 1));
    // The ring really ran (asked for once, and not at all when refused).
    QVERIFY(f.fs.ringsOpened.load() > 0);
    if (fault == "refused") {
        QCOMPARE(f.fs.ringsOpened.load(), 1);
        QCOMPARE(f.fs.ringRequests.load(), 0);
    } else {
        // A read and a write for each file, more where each moves only part of it.
        const int most = fault.startsWith("short") ? 4 * kFilesPerFolder : 2 * kFilesPerFolder;
        QVERIFY(f.fs.ringRequests.load() > most);
    }
}

QTEST_GUILESS_MAIN(TestCopyRing)
#include "tst_copy_ring.moc"
