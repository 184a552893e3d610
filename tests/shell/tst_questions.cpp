// The questions' own words, the hop from the engine's threads to the user-interface
// thread, and the answers a copy nobody watches gives.

#include "platform/shell/CopySession.h"
#include "platform/shell/DialogQuestions.h"
#include "platform/shell/LoseNothingQuestions.h"
#include "platform/shell/PosixFileSystem.h"
#include "platform/shell/ProgressState.h"
#include "platform/shell/UiThreadQuestions.h"
#include "support/ScriptedQuestions.h"

#include <QEventLoop>
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

QTEST_MAIN(TestQuestions)
#include "tst_questions.moc"
