// What the copy learns of real drives before it writes: FAT's file size limit, that
// a FUSE drive's syncfs proves nothing, and how a temporary name is hidden from
// Windows, on drives mounted as a desktop would.

#include "platform/copy/CopyErrors.h"
#include "platform/copy/DriveLimits.h"
#include "platform/copy/TemporaryFiles.h"
#include "support/CopyFixture.h"
#include "support/LoopDrive.h"
#include "support/TreeHelpers.h"

#include <QtTest>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace shell;

namespace {

// The NTFS attributes of an open file as ntfs-3g gives them, or -1 where it cannot.
long long ntfsAttributes(int fd)
{
    unsigned char bytes[4] = {};
    if (::fgetxattr(fd, "system.ntfs_attrib_be", bytes, sizeof bytes) != sizeof bytes)
        return -1;
    return static_cast<long long>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

} // namespace

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
    QTest::addColumn<bool>("hides"); // a temporary name gets the hidden attribute
    // fusefat and exfat-fuse offer no way to set it.
    QTest::newRow("FAT32") << int(drive::Kind::Fat32) << qint64(kFatLargestFile) << false;
    QTest::newRow("exFAT") << int(drive::Kind::ExFat) << qint64(0) << false;
    QTest::newRow("NTFS") << int(drive::Kind::Ntfs) << qint64(0) << true;
}

void TestDriveLimits::realDrivesAreKnownBeforeWriting()
{
    QFETCH(int, kind);
    QFETCH(qint64, largestFile);
    QFETCH(bool, hides);
    drive::LoopDrive stick(static_cast<drive::Kind>(kind), ::getuid());
    if (!stick.unavailable().empty())
        QSKIP(stick.unavailable().c_str());
    CopyFixture f;
    const int top = ::open(stick.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(top >= 0);
    const DriveLimits limits = driveLimitsOf(f.fs, top);
    QCOMPARE(limits.largestFile, std::int64_t(largestFile));
    QVERIFY(limits.fuseOrNetwork);
    QCOMPARE(limits.topFolder, stick.path());
    QVERIFY(!limits.readOnly);

    // Hidden while it is written, shown once published, its other attributes kept.
    DriveProbe drives(f.fs);
    TemporaryFiles temporaries(f.fs, drives);
    const DriveAbilities abilities = drives.of(top, temporaries.newName("probe"));
    QCOMPARE(abilities.dosAttributes != DosAttributes::None, hides);
    std::string temp;
    const int fd = temporaries.create(abilities, top, "shown", 0644, temp);
    QVERIFY(fd >= 0);
    const long long created = ntfsAttributes(fd);
    QCOMPARE(created >= 0 && (created & kDosHidden) != 0, hides);
    temporaries.unmark(abilities, fd);
    QCOMPARE(temporaries.publish(abilities, top, temp, "shown"), 0);
    ::close(fd);
    const int published = ::open((stick.path() + "/shown").c_str(), O_RDONLY | O_CLOEXEC);
    QVERIFY(published >= 0);
    const long long after = ntfsAttributes(published);
    ::close(published);
    ::close(top);
    QCOMPARE(after, hides ? created & ~static_cast<long long>(kDosHidden) : -1);
    QVERIFY(!hides || after != 0); // NTFS marks a new file for archiving: that mark stays
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
