// The questions' own words, the hop from the engine's threads to the user-interface
// thread, and the answers a copy nobody watches gives.

#include "platform/copy-ui/DialogQuestions.h"
#include "platform/copy-ui/UiThreadQuestions.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/LoseNothingQuestions.h"
#include "platform/copy/ProgressState.h"
#include "platform/copy/fs/PosixFileSystem.h"
#include "support/ScriptedQuestions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <thread>

using namespace shell;

class TestQuestions : public QObject {
    Q_OBJECT
private slots:
    void replaceQuestionShowsBothItems();
    void workerQuestionsAreAnsweredOnTheUiThread();
    void loseNothingAnswers();
    void nothingIsAskedOnceCancelled();
    void dialogButtonsGiveTheirAnswers_data();
    void dialogButtonsGiveTheirAnswers();
};

void TestQuestions::replaceQuestionShowsBothItems()
{
    QLocale::setDefault(QLocale::c());
    ItemDetails existing{"/dst/report.txt", false, 1536, {}};
    ItemDetails incoming{"/src/report.txt", false, 3 << 20, {}};
    existing.modified.tv_sec = QDateTime(QDate(2024, 1, 2), QTime(3, 4)).toSecsSinceEpoch();
    incoming.modified.tv_sec = QDateTime(QDate(2025, 6, 7), QTime(8, 9)).toSecsSinceEpoch();
    const QString when1 = QLocale().toString(QDateTime(QDate(2024, 1, 2), QTime(3, 4)), QLocale::ShortFormat);
    const QString when2 = QLocale().toString(QDateTime(QDate(2025, 6, 7), QTime(8, 9)), QLocale::ShortFormat);
    const QString text = DialogQuestions::replaceText(existing, incoming);
    QVERIFY(text.startsWith("The destination already has an item named \"report.txt\"."));
    const qsizetype old = text.indexOf("Size: 1.5 KB\nModified: " + when1);
    const qsizetype fresh = text.indexOf("Size: 3.0 MB\nModified: " + when2);
    QVERIFY(old > 0 && fresh > old); // the existing item first, then the incoming one
    QVERIFY(text.endsWith("The existing item will be moved to the trash."));

    existing.isFolder = incoming.isFolder = true;
    const QString merge = DialogQuestions::mergeText(existing, incoming);
    QVERIFY(merge.contains("already has a folder named \"report.txt\""));
    QVERIFY(!merge.contains("Size:")); // a folder's size is not known without counting it
}

void TestQuestions::workerQuestionsAreAnsweredOnTheUiThread()
{
    ScriptedQuestions scripted;
    scripted.errorAnswers = {ErrorAnswer::Retry};
    scripted.clashAnswers = {ClashAnswer::NoToAll};
    QEventLoop loop;
    UiThreadQuestions questions(scripted, &loop);

    ErrorAnswer error = ErrorAnswer::Cancel;
    ClashAnswer clash = ClashAnswer::Cancel;
    bool created = false;
    std::thread worker([&] {
        error = questions.copyError("/x", "Access is denied.", true);
        clash = questions.replaceItem({}, {});
        created = questions.createFolder("/new");
        questions.requestFailed("message");
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();

    QCOMPARE(error, ErrorAnswer::Retry);
    QCOMPARE(clash, ClashAnswer::NoToAll);
    QVERIFY(created);
    QCOMPARE(scripted.log, (std::vector<std::string>{"error /x: Access is denied.", "replace ", "create /new",
                                                     "failed message"}));
    for (QThread* thread : scripted.threads)
        QCOMPARE(thread, QThread::currentThread());

    // Asked on the user-interface thread itself, the answer comes straight back.
    QVERIFY(questions.createFolder("/direct"));
}

void TestQuestions::loseNothingAnswers()
{
    std::vector<std::string> reports;
    LoseNothingQuestions q([&](const std::string& m) { reports.push_back(m); });
    QVERIFY(q.createFolder("/new"));
    QCOMPARE(q.replaceItem({}, {}), ClashAnswer::YesToAll);
    QCOMPARE(q.mergeFolder({}, {}), ClashAnswer::YesToAll);
    QCOMPARE(q.copyError("/x", "Access is denied.", true), ErrorAnswer::Skip);
    QVERIFY(q.copyWithoutRoom("/d", 10, 5));
    QVERIFY(!q.deletePermanently("/old", "no trash")); // never destroy what the trash cannot keep
    q.requestFailed("refused");
    QCOMPARE(reports.size(), size_t(4));
    QCOMPARE(reports[0], std::string("skipped /x: Access is denied."));
}

void TestQuestions::nothingIsAskedOnceCancelled()
{
    PosixFileSystem fs;
    ScriptedQuestions person;
    ProgressState progress;
    CancelToken cancel;
    CopySession session(fs, person, progress, cancel, {});
    cancel.cancel();
    const ItemDetails item{"/dst/a", false, 1, {}};
    QCOMPARE(session.ask([&](CopyQuestions& q) { return q.replaceItem(item, item); }), ClashAnswer::Cancel);
    QVERIFY(!session.ask([&](CopyQuestions& q) { return q.deletePermanently("/dst/a", "full"); }));
    QVERIFY(!session.ask([&](CopyQuestions& q) { return q.createFolder("/dst"); }));
    QVERIFY(person.log.empty());
}

void TestQuestions::dialogButtonsGiveTheirAnswers_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("error, retry") << "error"
                                  << "&Retry" << int(ErrorAnswer::Retry);
    QTest::newRow("error, skip") << "error"
                                 << "&Skip" << int(ErrorAnswer::Skip);
    QTest::newRow("error, skip all") << "error"
                                     << "Skip &all" << int(ErrorAnswer::SkipAll);
    QTest::newRow("error, cancel") << "error"
                                   << "Cancel" << int(ErrorAnswer::Cancel);
    QTest::newRow("name, rename") << "name"
                                  << "&Rename" << int(NameAnswer::Rename);
    QTest::newRow("name, rename all") << "name"
                                      << "Rename &all" << int(NameAnswer::RenameAll);
    QTest::newRow("name, skip all") << "name"
                                    << "S&kip all" << int(NameAnswer::SkipAll);
    QTest::newRow("case, keep both") << "case"
                                     << "&Keep both" << int(ClashAnswer::KeepBoth);
    QTest::newRow("case, replace") << "case"
                                   << "&Yes" << int(ClashAnswer::Yes);
    QTest::newRow("replace, keep both") << "replace"
                                        << "&Keep both" << int(ClashAnswer::KeepBoth);
    QTest::newRow("replace, keep both for all") << "replace"
                                                << "Keep both for a&ll" << int(ClashAnswer::KeepBothToAll);
    QTest::newRow("replace, skip the same")
        << "replace"
        << "&Skip 3 items with the same size and date" << int(ClashAnswer::SkipIdentical);
    QTest::newRow("merge, keep both") << "merge"
                                      << "&Keep both" << int(ClashAnswer::KeepBoth);
    QTest::newRow("merge, skip the one the same")
        << "merge"
        << "&Skip 1 item with the same size and date" << int(ClashAnswer::SkipIdentical);
    // "to All" answers the next item of the request unasked.
    QTest::newRow("delete, yes") << "delete"
                                 << "&Yes" << 1;
    QTest::newRow("delete, yes to all") << "delete"
                                        << "Yes to &All" << 1;
    QTest::newRow("delete, no to all") << "delete"
                                       << "N&o to All" << 0;
    QTest::newRow("room, delete the replaced") << "room"
                                               << "&Yes" << 1;
}

void TestQuestions::dialogButtonsGiveTheirAnswers()
{
    QFETCH(QString, question);
    QFETCH(QString, button);
    QFETCH(int, answer);
    QString shown;
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        shown = box->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == button) {
                clicked = true;
                b->click();
                return;
            }
        }
        box->reject();
    });
    DialogQuestions dialogs;
    int got = -1;
    if (question == "error")
        got = int(dialogs.copyError("/src/a", "Access is denied.", true));
    else if (question == "name")
        got = int(dialogs.refusedName("/src/a:b.txt", "names with ':'", "a_b.txt"));
    else if (question == "replace")
        got = int(dialogs.replaceItem({"/dst/a.txt", false, 1, {}}, {"/src/a.txt", false, 2, {}, 3}));
    else if (question == "merge")
        got = int(dialogs.mergeFolder({"/dst/f", true, 0, {}}, {"/src/f", true, 0, {}, 1}));
    else if (question == "delete")
        got = int(dialogs.deletePermanently("/dst/a", "No trash."));
    else if (question == "room")
        got = int(dialogs.deleteReplacedToFit("/dst", 3, "Too little room."));
    else
        got = int(dialogs.caseClash({"/dst/A.txt", false, 1, {}}, {"/src/a.txt", false, 1, {}}));
    QVERIFY2(clicked, qPrintable("no button " + button));
    QCOMPARE(got, answer);
    if (question == "delete") {
        bool askedAgain = false;
        QTimer next; // gone with this case, so it never answers another case's box
        next.setSingleShot(true);
        connect(&next, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                askedAgain = true;
                box->reject();
            }
        });
        next.start(0);
        const bool second = dialogs.deletePermanently("/dst/b", "No trash.");
        QCOMPARE(askedAgain, !button.contains("All"));
        if (!askedAgain)
            QCOMPARE(int(second), answer);
    }
    if (question == "name")
        QCOMPARE(shown, QString("This drive cannot store names with ':'. Copy it as 'a_b.txt'?"));
    if (question == "room") // the items, never the folder they are in, are what would go
        QCOMPARE(shown,
                 QString("The 3 items this copy replaces in \"/dst\" cannot be kept in the trash:\n"
                         "Too little room.\n\nDo you want to delete them permanently and replace them?"));
}

QTEST_MAIN(TestQuestions)
#include "tst_questions.moc"
