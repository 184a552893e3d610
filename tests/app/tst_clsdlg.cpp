// The path pickers' own work, against a scripted dialog service: the request
// fields, the filter conversion, the NUL handling of the result and cancel.

#include "app/dialogs/clsDlg.h"
#include "support/FakeShellDialogs.h"

#include <QTest>

using app::clsDlg;

class TestClsDlg : public QObject {
    Q_OBJECT
private slots:
    void folderRequestAndResult()
    {
        FakeShellDialogs fake;
        fake.folderChoice = QByteArray("/home/user/docs");
        QWidget owner;
        const forms::HWND hwnd = &owner;
        QCOMPARE(clsDlg(fake).Folder(hwnd), QStringLiteral("/home/user/docs"));
        QCOMPARE(fake.folderCalls.size(), 1);
        QCOMPARE(fake.folderCalls[0].owner, &owner);
        QCOMPARE(fake.folderCalls[0].title, QByteArray("Please select a directory"));
        QCOMPARE(fake.folderCalls[0].flags, 1u);
        QCOMPARE(fake.itemsFreed, fake.itemsAllocated); // the item list is released
    }

    void folderRootAndEdgeCases()
    {
        FakeShellDialogs fake;
        const forms::HWND hwnd = nullptr;
        fake.folderChoice = QByteArray("/");
        QCOMPARE(clsDlg(fake).Folder(hwnd), QStringLiteral("/"));
        fake.folderChoice.reset(); // cancel
        QCOMPARE(clsDlg(fake).Folder(hwnd), QString());
        fake.folderChoice = QByteArray(); // an item with no file-system path
        QCOMPARE(clsDlg(fake).Folder(hwnd), QString());
        fake.folderChoice = QByteArray(300, 'a'); // longer than the path buffer
        QCOMPARE(clsDlg(fake).Folder(hwnd), QString());
        QCOMPARE(fake.itemsFreed, 3);
    }

    void filterConversion()
    {
        QCOMPARE(clsDlg::convertFilter(QStringLiteral("All Files(*.*)|*.*")),
                 QByteArray("All Files(*.*)\0*.*\0\0", 20));
        QCOMPARE(clsDlg::convertFilter(QStringLiteral("Text|*.txt|Any|*.*")),
                 QByteArray("Text\0*.txt\0Any\0*.*\0\0", 20));
        QCOMPARE(clsDlg::convertFilter(QStringLiteral("|a||")), QByteArray("\0a\0\0\0\0", 6));
        // The only entry of the dialog's type list.
        const QByteArray converted = clsDlg::convertFilter(QStringLiteral("All Files(*.*)|*.*"));
        const auto pairs = forms::filterPairs(converted.constData());
        QCOMPARE(pairs.size(), 1);
        QCOMPARE(pairs[0].first, QStringLiteral("All Files(*.*)"));
        QCOMPARE(pairs[0].second, QStringLiteral("*.*"));
    }

    void openRequestFields()
    {
        FakeShellDialogs fake;
        fake.fileChoice = QStringList{QStringLiteral("/tmp/a.txt")};
        QWidget owner;
        const bool multi = false;
        QCOMPARE(clsDlg(fake).OpenFlDlg(&owner, QStringLiteral("All Files(*.*)|*.*"),
                                        QStringLiteral("Open File"), QString(), multi),
                 QStringLiteral("/tmp/a.txt"));
        const auto& call = fake.openCalls.at(0);
        QCOMPARE(call.structSize, 76u);
        QCOMPARE(call.owner, &owner);
        QCOMPARE(call.filter, QByteArray("All Files(*.*)\0*.*\0\0", 20));
        QCOMPARE(call.filterIndex, 1u);
        QCOMPARE(call.maxFile, 255u);
        QVERIFY(call.bufferAllNul);
        QCOMPARE(call.initialDir, QByteArray());
        QCOMPARE(call.title, QByteArray("Open File"));
        QCOMPARE(call.flags, 0x1800u);

        const bool yes = true;
        (void)clsDlg(fake).OpenFlDlg(&owner, QStringLiteral("x|*"), QStringLiteral("t"),
                                     QStringLiteral("/tmp"), yes);
        QCOMPARE(fake.openCalls.at(1).flags, 0x81A00u);
        QCOMPARE(fake.openCalls.at(1).initialDir, QByteArray("/tmp"));
    }

    void cancelGivesEmptyText()
    {
        FakeShellDialogs fake;
        const bool multi = true;
        QCOMPARE(
            clsDlg(fake).OpenFlDlg(nullptr, QStringLiteral("a|*"), QStringLiteral("t"), QString(), multi),
            QString());
    }

    void multiSelectJoinsWithNuls()
    {
        FakeShellDialogs fake;
        fake.fileChoice = QStringList{QStringLiteral("/data/one.txt"), QStringLiteral("/data/two.txt")};
        const bool multi = true;
        const QString result =
            clsDlg(fake).OpenFlDlg(nullptr, QStringLiteral("a|*"), QStringLiteral("t"), QString(), multi);
        QCOMPARE(result, QStringLiteral("/data") + QChar(0) + QStringLiteral("one.txt") + QChar(0)
                             + QStringLiteral("two.txt"));

        fake.fileChoice = QStringList{QStringLiteral("/data/one.txt")};
        QCOMPARE(
            clsDlg(fake).OpenFlDlg(nullptr, QStringLiteral("a|*"), QStringLiteral("t"), QString(), multi),
            QStringLiteral("/data/one.txt"));
    }

    void singleSelectNeverHasNul()
    {
        FakeShellDialogs fake;
        fake.fileChoice = QStringList{QStringLiteral("/data/one.txt"), QStringLiteral("/data/two.txt")};
        const bool multi = false;
        const QString result =
            clsDlg(fake).OpenFlDlg(nullptr, QStringLiteral("a|*"), QStringLiteral("t"), QString(), multi);
        QVERIFY(!result.contains(QChar(0)));
        QCOMPARE(result, QStringLiteral("/data/one.txt"));
    }

    void bufferSizeRule()
    {
        FakeShellDialogs fake;
        const bool multi = false;
        const QString fits = QStringLiteral("/") + QString(253, u'f'); // 254 characters
        fake.fileChoice = QStringList{fits};
        QCOMPARE(
            clsDlg(fake).OpenFlDlg(nullptr, QStringLiteral("a|*"), QStringLiteral("t"), QString(), multi),
            fits);
        fake.fileChoice = QStringList{fits + u'g'}; // 255: no room for the NUL
        QCOMPARE(
            clsDlg(fake).OpenFlDlg(nullptr, QStringLiteral("a|*"), QStringLiteral("t"), QString(), multi),
            QString());
    }

    void joinSelectionSkipsEmptyPieces()
    {
        const char buffer[] = "dir\0\0a\0b\0\0\0";
        QCOMPARE(clsDlg::joinSelection(buffer, int(sizeof buffer)),
                 QStringLiteral("dir") + QChar(0) + u'a' + QChar(0) + u'b');
        const char empty[8] = {};
        QCOMPARE(clsDlg::joinSelection(empty, 8), QString());
    }
};

QTEST_MAIN(TestClsDlg)
#include "tst_clsdlg.moc"
