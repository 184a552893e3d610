// Names the engine makes (duplicates, temporary files), the request's name lists and
// wildcards, and the desktop trash that replaced items go to.

#include "platform/copy/CopyNaming.h"
#include "platform/copy/fs/Trash.h"
#include "support/TreeHelpers.h"

#include <QTemporaryDir>
#include <QtTest>
#include <climits>
#include <cstdlib>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace shell;

class TestNamesAndTrash : public QObject {
    Q_OBJECT
private slots:
    void duplicateNames_data();
    void duplicateNames();
    void duplicateOfALongNameStillFits();
    void namesWindowsDrivesRefuse_data();
    void namesWindowsDrivesRefuse();
    void partialNamesCarryTheirOwner();
    void nameLists();
    void wildcards();
    void trashKeepsBytesAndRecordsTheOrigin();
    void driveTrashRecordsThePathWithinTheDrive();
};

void TestNamesAndTrash::duplicateNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << "a.txt" << false << 1 << "a - Copy.txt";
    QTest::newRow("second") << "a.txt" << false << 2 << "a - Copy (2).txt";
    QTest::newRow("tenth") << "a.txt" << false << 10 << "a - Copy (10).txt";
    QTest::newRow("last dot") << "a.tar.gz" << false << 1 << "a.tar - Copy.gz";
    QTest::newRow("no extension") << "README" << false << 1 << "README - Copy";
    QTest::newRow("hidden") << ".profile" << false << 1 << ".profile - Copy";
    QTest::newRow("folder") << "f" << true << 1 << "f - Copy";
    QTest::newRow("folder with dot") << "f.d" << true << 2 << "f.d - Copy (2)";
    // Keep both: the next free number, counting on from a numbered name (n < 0 here).
    QTest::newRow("kept beside") << "a.txt" << false << -1 << "a (2).txt";
    QTest::newRow("kept beside, taken") << "a.txt" << false << -2 << "a (3).txt";
    QTest::newRow("kept beside a numbered one") << "a (2).txt" << false << -1 << "a (3).txt";
    QTest::newRow("kept folder numbered") << "f (9)" << true << -2 << "f (11)";
    QTest::newRow("kept, not a number") << "a ().txt" << false << -1 << "a () (2).txt";
}

void TestNamesAndTrash::duplicateNames()
{
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(int, n);
    QFETCH(QString, expected);
    const std::string made = n < 0 ? keptBothName(name.toStdString(), folder, -n)
                                   : duplicateName(name.toStdString(), folder, n);
    QCOMPARE(QString::fromStdString(made), expected);
}

void TestNamesAndTrash::namesWindowsDrivesRefuse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refused"); // empty: taken as it is
    QTest::addColumn<QString>("replacement");
    QTest::newRow("plain") << "a b.txt"
                           << ""
                           << "a b.txt";
    QTest::newRow("colon") << "a:b.txt"
                           << "names with ':'"
                           << "a_b.txt";
    QTest::newRow("several") << "a?*<>|\"\\.txt"
                             << "names with '?'"
                             << "a_______.txt";
    QTest::newRow("control") << "a\tb"
                             << "names with control characters"
                             << "a_b";
    QTest::newRow("trailing dots") << "end.."
                                   << "names ending in a dot"
                                   << "end__";
    QTest::newRow("trailing space") << "end "
                                    << "names ending in a space"
                                    << "end_";
    QTest::newRow("device") << "con"
                            << "the name 'con'"
                            << "con_";
    QTest::newRow("device with extension") << "LPT1.log"
                                           << "the name 'LPT1'"
                                           << "LPT1_.log";
    QTest::newRow("not a device") << "COM10"
                                  << ""
                                  << "COM10";
    QTest::newRow("device inside") << "CONSOLE"
                                   << ""
                                   << "CONSOLE";
}

void TestNamesAndTrash::namesWindowsDrivesRefuse()
{
    QFETCH(QString, name);
    QFETCH(QString, refused);
    QFETCH(QString, replacement);
    QCOMPARE(QString::fromStdString(refusedByWindowsDrives(name.toStdString())), refused);
    if (!refused.isEmpty())
        QCOMPARE(QString::fromStdString(windowsSafeName(name.toStdString())), replacement);
}

void TestNamesAndTrash::duplicateOfALongNameStillFits()
{
    const std::string longName = std::string(250, 'x') + ".txt";
    const std::string copy = duplicateName(longName, false, 12);
    QCOMPARE(copy.size(), size_t(NAME_MAX));
    QVERIFY(copy.ends_with(" - Copy (12).txt"));

    // Shortened between characters, never inside one: each offset of the cut is tried.
    for (const std::string& prefix : {std::string(), std::string("x"), std::string("xx")}) {
        std::string wide = prefix;
        while (wide.size() < 250)
            wide += "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"; // é, €, 😀
        const std::string shortened = duplicateName(wide + ".txt", false, 12);
        QVERIFY(shortened.size() <= size_t(NAME_MAX));
        QVERIFY(shortened.ends_with(" - Copy (12).txt"));
        const QByteArray bytes = QByteArray::fromStdString(shortened);
        QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes); // no sequence was cut
    }
}

void TestNamesAndTrash::partialNamesCarryTheirOwner()
{
    QCOMPARE(partialName(4321, 7, "a.txt"), std::string(".quintaro-partial-4321-7-a.txt"));
    QCOMPARE(partialOwner(".quintaro-partial-4321-7-a.txt"), std::optional<pid_t>(4321));
    QCOMPARE(partialOwner(partialName(1, 1, std::string(255, 'y'))), std::optional<pid_t>(1));
    QCOMPARE(partialName(1, 1, std::string(255, 'y')).size(), size_t(NAME_MAX));
    for (const char* other :
         {"a.txt", ".quintaro-partial-", ".quintaro-partial-12", ".quintaro-partial-x-1-a",
          ".quintaro-partial-0-1-a", ".quintaro-partial-99999999999-1-a"})
        QCOMPARE(partialOwner(other), std::optional<pid_t>());
}

void TestNamesAndTrash::nameLists()
{
    QCOMPARE(splitNameList("a\0\0", 3), std::vector<std::string>{"a"});
    QCOMPARE(splitNameList("a\0b c\0\0", 7), (std::vector<std::string>{"a", "b c"}));
    QCOMPARE(splitNameList(" \0\0", 3), std::vector<std::string>{" "}); // a blank is a name
    QCOMPARE(splitNameList("\0\0", 2), std::vector<std::string>{});
    QCOMPARE(splitNameList("tail", 4), std::vector<std::string>{"tail"});
    QCOMPARE(splitNameList("", 0), std::vector<std::string>{});
}

void TestNamesAndTrash::wildcards()
{
    QVERIFY(hasWildcard("*.txt") && hasWildcard("a?") && hasWildcard("[ab]"));
    QVERIFY(!hasWildcard("plain.txt"));
    QVERIFY(matchesWildcard("*.txt", "a.txt"));
    QVERIFY(!matchesWildcard("*.txt", "a.txt.bak"));
    QVERIFY(!matchesWildcard("*.txt", ".hidden.txt"));
    QVERIFY(matchesWildcard(".*.txt", ".hidden.txt"));
    QVERIFY(matchesWildcard("f?le[0-9]", "file7"));
}

void TestNamesAndTrash::trashKeepsBytesAndRecordsTheOrigin()
{
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    QCOMPARE(homeTrashFolder(), root + "/data/Trash");
    tree::makeFolder(root + "/w");
    const std::string odd = root + "/w/a b%\xe9";
    tree::writeFile(odd, "first");
    QCOMPARE(moveItemToTrash(odd), 0);
    tree::writeFile(odd, "second");
    QCOMPARE(moveItemToTrash(odd), 0);
    tree::makeFolder(root + "/w/folder");
    tree::writeFile(root + "/w/folder/in", "in");
    QCOMPARE(moveItemToTrash(root + "/w/folder"), 0);
    QCOMPARE(moveItemToTrash(root + "/w/missing"), -ENOENT);

    QVERIFY(tree::listing(root + "/w").empty());
    const std::string trash = root + "/data/Trash";
    QCOMPARE(tree::trashedNames(trash), (std::vector<std::string>{"a b%\xe9", "a b%\xe9.2", "folder/"}));
    QCOMPARE(tree::readFile(trash + "/files/a b%\xe9"), QByteArray("first"));
    QCOMPARE(tree::readFile(trash + "/files/a b%\xe9.2"), QByteArray("second"));
    QCOMPARE(tree::readFile(trash + "/files/folder/in"), QByteArray("in"));
    // The origin is a URL path: the space, the percent sign and the byte 0xE9 are escaped.
    const std::string escaped = root + "/w/a%20b%25%E9";
    QCOMPARE(tree::trashedPaths(trash), (std::vector<std::string>{escaped, escaped, root + "/w/folder"}));
    const QByteArray info = tree::readFile(trash + "/info/folder.trashinfo");
    QVERIFY(info.startsWith("[Trash Info]\nPath="));
    QVERIFY(QRegularExpression("\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                .match(QString::fromLatin1(info))
                .hasMatch());
    ::unlink((trash + "/files/a b%\xe9").c_str());
    ::unlink((trash + "/files/a b%\xe9.2").c_str());
    ::unlink((trash + "/info/a b%\xe9.trashinfo").c_str());
    ::unlink((trash + "/info/a b%\xe9.2.trashinfo").c_str());

    // Either folder of the trash removed after the trash was found: it is made again,
    // and the item lands in it (never reported gone while it still stands).
    for (const char* removed : {"/info", "/files"}) {
        QVERIFY(QDir(QString::fromStdString(trash + removed)).removeRecursively());
        tree::writeFile(root + "/w/gone", removed);
        QCOMPARE(moveItemToTrash(root + "/w/gone"), 0);
        QVERIFY(!tree::exists(root + "/w/gone"));
        const std::vector<std::string> names = tree::trashedNames(trash);
        QVERIFY(!names.empty());
        QCOMPARE(tree::readFile(trash + "/files/" + names.back()), QByteArray(removed));
    }

    // An item in files/ that has no record is never replaced, and many items of one name
    // each get a place of their own.
    tree::writeFile(trash + "/files/same", "orphan");
    for (int i = 0; i < 12; ++i) {
        tree::writeFile(root + "/w/same", QByteArray::number(i));
        QCOMPARE(moveItemToTrash(root + "/w/same"), 0);
    }
    QCOMPARE(tree::readFile(trash + "/files/same"), QByteArray("orphan"));
    std::set<QByteArray> contents;
    for (const std::string& name : tree::trashedNames(trash)) {
        if (name.rfind("same.", 0) == 0)
            contents.insert(tree::readFile(trash + "/files/" + name));
    }
    QCOMPARE(contents.size(), size_t(12));
}

// A drive's own trash ($top/.Trash-<uid>) may be restored on another computer, where
// the drive is mounted elsewhere: its record holds the path from the drive's top folder.
void TestNamesAndTrash::driveTrashRecordsThePathWithinTheDrive()
{
    QTemporaryDir home;
    ::setenv("XDG_DATA_HOME", (home.path().toStdString() + "/data").c_str(), 1);
    struct stat shm {};
    struct stat here {};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(home.path().toLocal8Bit().constData(), &here) != 0
        || shm.st_dev == here.st_dev)
        QSKIP("needs /dev/shm on a file system of its own");
    QTemporaryDir drive("/dev/shm/trash-test-XXXXXX");
    const std::string folder = drive.path().toStdString() + "/w x";
    tree::makeFolder(folder);
    tree::writeFile(folder + "/item", "kept");
    QCOMPARE(moveItemToTrash(folder + "/item"), 0);
    const std::string trash = "/dev/shm/.Trash-" + std::to_string(::getuid());
    const std::string record = trash + "/info/item.trashinfo";
    const QByteArray info = tree::readFile(record);
    const std::string name = nameOf(drive.path().toStdString());
    ::unlink(record.c_str());
    ::unlink((trash + "/files/item").c_str());
    for (const std::string& made : {trash + "/files", trash + "/info", trash})
        ::rmdir(made.c_str()); // only where this test left it empty
    QVERIFY(info.startsWith(QByteArray::fromStdString("[Trash Info]\nPath=" + name + "/w%20x/item\n")));
}

QTEST_GUILESS_MAIN(TestNamesAndTrash)
#include "tst_names_and_trash.moc"
