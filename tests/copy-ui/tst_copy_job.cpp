// The copy job through the real event loop: start() returns at once, progress and
// the end arrive as signals, suspend() holds the copy between blocks, and kill()
// ends it with nothing more asked and no summary, also while a real question box
// is on screen.

#include "platform/copy-ui/CopyJob.h"
#include "platform/copy-ui/SummaryWindow.h"
#include "support/FaultyFileSystem.h"
#include "support/ScriptedQuestions.h"
#include "support/TreeHelpers.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace shell;
using tree::readFile;
using tree::writeFile;

namespace {

struct Ended {
    int count = 0;
    CopyOutcome outcome = CopyOutcome::Failed;
    std::vector<LeftOutItem> leftOut;

    // Notes each end of job here.
    void watch(CopyJob& job)
    {
        QObject::connect(&job, &CopyJob::finished, &job,
                         [this](CopyOutcome o, const std::vector<LeftOutItem>& l) {
                             ++count;
                             outcome = o;
                             leftOut = l;
                         });
    }
};

} // namespace

class TestCopyJob : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(); // a fresh scratch folder for every case
        QVERIFY(m_dir->isValid());
        m_root = m_dir->path().toStdString();
        tree::makeFolder(m_root + "/src");
        tree::makeFolder(m_root + "/dst");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(m_root + "/data"));
    }

    // The job as the windows use it: the end with what was left out, progress on the
    // way, and the summary shown before finished() unless the job was killed.
    void runsKillsAndSuspends_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("summaryShown");
        QTest::newRow("runs to the end") << "none" << int(CopyOutcome::Failed) << true;
        QTest::newRow("killed while copying") << "kill" << int(CopyOutcome::Cancelled) << false;
        QTest::newRow("suspended, then resumed") << "suspend" << int(CopyOutcome::Failed) << true;
    }
    void runsKillsAndSuspends()
    {
        QFETCH(QString, action);
        QFETCH(int, outcome);
        QFETCH(bool, summaryShown);
        tree::makeFolder(m_root + "/src/t");
        for (int i = 0; i < 4; ++i)
            writeFile(m_root + "/src/t/f" + std::to_string(i), tree::pattern(1000 + i, i));
        const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, (m_root + "/src/t/z.sock").c_str());
        QCOMPARE(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

        std::atomic<int> opened{0};
        CopyJobParts parts;
        parts.questions = [] { return std::make_unique<ScriptedQuestions>(); };
        parts.fileSystem = [&opened] {
            auto fs = std::make_unique<FaultyFileSystem>();
            fs->whenOpened = [&opened](const std::string& path) {
                if (path.find("/src/t/f") != std::string::npos) {
                    ++opened;
                    std::this_thread::sleep_for(std::chrono::milliseconds(40));
                }
            };
            return fs;
        };
        parts.progress = [](CancelToken&) { return std::make_unique<ProgressState>(); };
        int summaries = 0;
        parts.summary = [&](const std::vector<LeftOutItem>&) {
            ++summaries;
            return false;
        };
        parts.options.threads = 1;

        CopyJob job({m_root + "/src/t"}, m_root + "/dst", parts);
        Ended ended;
        ended.watch(job);
        QSignalSpy progressed(&job, &CopyJob::progressed);
        job.start();
        QVERIFY(job.isRunning()); // start() does not wait for the copy
        QCOMPARE(ended.count, 0);
        if (action == "kill") {
            QTRY_VERIFY(opened.load() >= 1);
            job.kill();
        } else if (action == "suspend") {
            QTRY_VERIFY(opened.load() >= 1);
            job.suspend();
            QTest::qWait(200);
            const int held = opened.load();
            QTest::qWait(200);
            QCOMPARE(opened.load(), held); // nothing more is started while suspended
            QVERIFY(job.isRunning());
            job.resume();
        }
        QTRY_COMPARE_WITH_TIMEOUT(ended.count, 1, 10000);
        ::close(sock);
        QCOMPARE(int(ended.outcome), outcome);
        QCOMPARE(summaries, summaryShown ? 1 : 0);
        QVERIFY(!job.isRunning());
        QVERIFY(progressed.count() >= 1);
        const ProgressSnapshot last = progressed.last().at(0).value<ProgressSnapshot>();
        if (action != "kill") {
            QCOMPARE(ended.leftOut.size(), size_t(1));
            QCOMPARE(ended.leftOut[0].item, m_root + "/src/t/z.sock");
            QCOMPARE(last.itemsDone, last.itemsTotal);
            QCOMPARE(readFile(m_root + "/dst/t/f3"), tree::pattern(1003, 3));
        }
        QVERIFY(tree::partials(m_root + "/dst/t").empty());
        QTest::qWait(50);
        QCOMPARE(ended.count, 1); // once, however it ended
    }

    // A real question box on screen when the job is killed is answered Cancel for
    // the person, and a job destroyed while running waits for its worker.
    void killAnswersTheBoxOnScreen()
    {
        writeFile(m_root + "/src/a.txt", "new");
        writeFile(m_root + "/dst/a.txt", "old");
        CopyJobParts parts;
        parts.progress = [](CancelToken&) { return std::make_unique<ProgressState>(); };
        int summaries = 0;
        parts.summary = [&](const std::vector<LeftOutItem>&) {
            ++summaries;
            return false;
        };
        auto job = std::make_unique<CopyJob>(std::vector{m_root + "/src/a.txt"}, m_root + "/dst", parts);
        Ended ended;
        ended.watch(*job);
        QString asked;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                box && asked.isEmpty()) {
                asked = box->text();
                job->kill();
            }
        });
        poll.start(5);
        job->start();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count, 1, 10000);
        QVERIFY(asked.contains("a.txt"));
        QCOMPARE(ended.outcome, CopyOutcome::Cancelled);
        QCOMPARE(summaries, 0);
        QCOMPARE(readFile(m_root + "/dst/a.txt"), QByteArray("old"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // Destroyed mid-copy: killed and waited for, never hung.
        writeFile(m_root + "/src/b.bin", tree::pattern(1 << 20));
        auto second = std::make_unique<CopyJob>(std::vector{m_root + "/src/b.bin"}, m_root + "/dst", parts);
        second->start();
        second.reset();
        QVERIFY(tree::partials(m_root + "/dst").empty());
    }

    void retryCopiesJustTheItemsLeftOut_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("after a copy that ended") << false;
        QTest::newRow("after a Cancel") << true;
    }

    // "Retry These" runs the request again for just the items left out, each into the
    // folder it was to go to, once the cause is mended; the job ends once, after it.
    // A Cancel that ended the first run does not stop the retry.
    void retryCopiesJustTheItemsLeftOut()
    {
        QFETCH(bool, cancelled);
        tree::makeFolder(m_root + "/src/t");
        tree::makeFolder(m_root + "/src/t/sub");
        for (const char* name : {"/src/t/a", "/src/t/sub/b", "/src/t/sub/c"})
            writeFile(m_root + name, name);
        int made = 0;
        CopyJobParts parts;
        parts.questions = [&] { // errors: Skip, then Cancel where c cannot be read either
            auto questions = std::make_unique<ScriptedQuestions>();
            if (cancelled)
                questions->errorAnswers = {ErrorAnswer::Skip, ErrorAnswer::Cancel};
            return questions;
        };
        parts.fileSystem = [&] {
            auto fs = std::make_unique<FaultyFileSystem>();
            if (made++ == 0) { // the first run cannot read b; by the retry the cause is mended
                fs->openFault = FaultyFileSystem::Fault{"/src/t/sub/b", -EACCES};
                if (cancelled)
                    fs->readFault = FaultyFileSystem::Fault{"/src/t/sub/c", -EIO};
            }
            return fs;
        };
        parts.options.threads = 1; // b is asked about before c
        parts.progress = [](CancelToken&) { return std::make_unique<ProgressState>(); };
        std::vector<std::vector<LeftOutItem>> summaries;
        parts.summary = [&](const std::vector<LeftOutItem>& items) {
            summaries.push_back(items);
            return true;
        };
        CopyJob job({m_root + "/src/t"}, m_root + "/dst", parts);
        Ended ended;
        ended.watch(job);
        job.start();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count, 1, 10000);
        QCOMPARE(made, 2);
        QCOMPARE(summaries.size(), size_t(1));
        QCOMPARE(summaries[0].size(), size_t(1));
        QCOMPARE(summaries[0][0].item, m_root + "/src/t/sub/b");
        QCOMPARE(ended.outcome, CopyOutcome::Success);
        QVERIFY(ended.leftOut.empty());
        std::vector<std::string> arrived{"t/", "t/a", "t/sub/", "t/sub/b", "t/sub/c"};
        if (cancelled)
            arrived.pop_back(); // c was never left out: the copy stopped there
        QCOMPARE(tree::listing(m_root + "/dst"), arrived);
        QCOMPARE(readFile(m_root + "/dst/t/sub/b"), QByteArray("/src/t/sub/b"));
    }

    // "Undo Copy" on the real summary window, through the event loop: the file the copy
    // made goes to the trash, the one it replaced comes back, and the report says so.
    void undoFromTheSummaryPutsBackWhatWasThere()
    {
        tree::makeFolder(m_root + "/src/t");
        tree::makeFolder(m_root + "/dst/t");
        writeFile(m_root + "/src/t/a", "new a");
        writeFile(m_root + "/src/t/b", "b");
        writeFile(m_root + "/dst/t/a", "old a");
        CopyJobParts parts;
        parts.questions = [] { return std::make_unique<ScriptedQuestions>(); }; // replace: Yes, errors: Skip
        parts.fileSystem = [&] {
            auto fs = std::make_unique<FaultyFileSystem>();
            fs->openFault = FaultyFileSystem::Fault{"/src/t/b", -EACCES};
            return fs;
        };
        parts.progress = [](CancelToken&) { return std::make_unique<ProgressState>(); };
        parts.options.undoHistory = m_root + "/history";
        QString summaryList;
        QString report;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* summary = qobject_cast<SummaryWindow*>(modal)) {
                summaryList = summary->list()->toPlainText();
                QVERIFY(summary->undoButton()->isVisible());
                summary->undoButton()->click();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                report = box->text();
                box->accept();
            }
        });
        driver.start(20);
        CopyJob job({m_root + "/src/t"}, m_root + "/dst", parts);
        Ended ended;
        ended.watch(job);
        job.start();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count, 1, 10000);
        QVERIFY(summaryList.startsWith(QString::fromStdString(m_root + "/src/t/b\t")));
        QCOMPARE(report, QStringLiteral("The last copy was undone."));
        QCOMPARE(readFile(m_root + "/dst/t/a"), QByteArray("old a"));
        QCOMPARE(tree::listing(m_root + "/dst"), (std::vector<std::string>{"t/", "t/a"}));
        QCOMPARE(ended.outcome, CopyOutcome::Failed); // b was still left out of the copy
    }

    // Undo takes back the newest record of the history: a copy that made nothing has
    // none of its own, so its summary offers no Undo that would take back an older copy.
    void undoIsOfferedOnlyForACopysOwnRecord()
    {
        writeFile(m_root + "/src/a", "a");
        writeFile(m_root + "/src/b", "b");
        CopyJobParts parts;
        parts.questions = [] { return std::make_unique<ScriptedQuestions>(); }; // errors: Skip
        parts.fileSystem = [] {
            auto fs = std::make_unique<FaultyFileSystem>();
            fs->openFault = FaultyFileSystem::Fault{"/src/b", -EACCES};
            return fs;
        };
        parts.progress = [](CancelToken&) { return std::make_unique<ProgressState>(); };
        parts.options.undoHistory = m_root + "/history";
        std::vector<bool> undoShown;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            if (auto* summary = qobject_cast<SummaryWindow*>(QApplication::activeModalWidget())) {
                undoShown.push_back(summary->undoButton()->isVisible());
                summary->reject();
            }
        });
        driver.start(20);
        for (const char* item : {"/src/a", "/src/b"}) {
            CopyJob job({m_root + item}, m_root + "/dst", parts);
            Ended ended;
            ended.watch(job);
            job.start();
            QTRY_COMPARE_WITH_TIMEOUT(ended.count, 1, 10000);
        }
        QCOMPARE(undoShown, std::vector<bool>{false}); // only b's copy had a summary
        QCOMPARE(readFile(m_root + "/dst/a"), QByteArray("a"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::string m_root;
};

QTEST_MAIN(TestCopyJob)
#include "tst_copy_job.moc"
