// What the copy learns of real drives before it writes: FAT's file size limit, and
// that a FUSE drive's syncfs proves nothing, on drives mounted as a desktop would.

#include "platform/copy/CopyErrors.h"
#include "platform/copy/DriveLimits.h"
#include "support/CopyFixture.h"
#include "support/LoopDrive.h"
#include "support/TreeHelpers.h"

#include <QtTest>
#include <fcntl.h>
#include <unistd.h>

using namespace shell;

class TestDriveLimits : public QObject {
    Q_OBJECT
private slots:
    void realDrivesAreKnownBeforeWriting_data();
    void realDrivesAreKnownBeforeWriting();
};

void TestDriveLimits::realDrivesAreKnownBeforeWriting_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<qint64>("largestFile");
    QTest::newRow("FAT32") << int(drive::Kind::Fat32) << qint64(kFatLargestFile);
    QTest::newRow("exFAT") << int(drive::Kind::ExFat) << qint64(0);
    QTest::newRow("NTFS") << int(drive::Kind::Ntfs) << qint64(0);
}

void TestDriveLimits::realDrivesAreKnownBeforeWriting()
{
    QFETCH(int, kind);
    QFETCH(qint64, largestFile);
    drive::LoopDrive stick(static_cast<drive::Kind>(kind), ::getuid());
    if (!stick.unavailable().empty())
        QSKIP(stick.unavailable().c_str());
    CopyFixture f;
    const int top = ::open(stick.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(top >= 0);
    const DriveLimits limits = driveLimitsOf(f.fs, top);
    ::close(top);
    QCOMPARE(limits.largestFile, std::int64_t(largestFile));
    QVERIFY(limits.fuseOrNetwork);
    QCOMPARE(limits.topFolder, stick.path());
    QVERIFY(!limits.readOnly);
    if (largestFile == 0)
        return;

    // 5 GiB of holes: refused by its size before a byte of it is written.
    tree::writeFile(f.src + "/huge", "x");
    QCOMPARE(::truncate((f.src + "/huge").c_str(), off_t{5} << 30), 0);
    CopyEngine engine(f.fs, f.questions, f.progress, *f.cancel, f.options);
    QCOMPARE(engine.run({f.src + "/huge"}, stick.path()), CopyOutcome::Failed);
    QCOMPARE(f.questions.log,
             std::vector<std::string>{"error " + f.src + "/huge: " + describeError(Fault::TooLarge)});
    QCOMPARE(engine.bytesWritten(), std::int64_t(0));
    QVERIFY(!tree::exists(stick.path() + "/huge"));
}

QTEST_GUILESS_MAIN(TestDriveLimits)
#include "tst_drive_limits.moc"
