// The progress window: when it appears (only after half a second), what it says,
// Pause, the details, and Cancel. The clock is a counter the test moves by hand.

#include "platform/copy-ui/CopySettings.h"
#include "platform/copy-ui/ProgressController.h"
#include "platform/copy-ui/ProgressGraph.h"
#include "platform/copy-ui/ProgressText.h"
#include "support/CopyFixture.h"
#include "support/TreeHelpers.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace shell;

class TestProgressWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void byteAndTimeTexts_data();
    void byteAndTimeTexts();
    void appearsOnlyAfterHalfASecond();
    void showsItemFoldersCountsSpeedAndTimeLeft();
    void speedFollowsTheLastFewSeconds();
    void sayFinishingWhileFlushing();
    void cancelButtonAndCloseBoxStopTheCopy();
    void textsBeforeTheFirstItemAndForOneItem_data();
    void textsBeforeTheFirstItemAndForOneItem();
    void waitsCountForNeitherSpeedNorTimeLeft_data();
    void waitsCountForNeitherSpeedNorTimeLeft();
    void namesTheItemInFlightOrAskedAbout();
    void pauseButtonAndMoreDetails();
    void itemCountsAsTheEngineReportsThem();
    void verifyCopiesIsRememberedInTheServiceSettings();

private:
    QTemporaryDir m_config; // the user's configuration folder for the whole test
};

void TestProgressWindow::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void TestProgressWindow::byteAndTimeTexts_data()
{
    QTest::addColumn<qulonglong>("value");
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QString>("timeLeft");
    QTest::newRow("1") << 1ull << "1 bytes"
                       << "About 1 second left";
    QTest::newRow("59") << 59ull << "59 bytes"
                        << "About 59 seconds left";
    QTest::newRow("60") << 60ull << "60 bytes"
                        << "About 1 minute left";
    QTest::newRow("61") << 61ull << "61 bytes"
                        << "About 2 minutes left";
    QTest::newRow("1023") << 1023ull << "1023 bytes"
                          << "About 18 minutes left";
    QTest::newRow("1536") << 1536ull << "1.5 KB"
                          << "About 26 minutes left";
    QTest::newRow("3600") << 3600ull << "3.5 KB"
                          << "About 1 hour left";
    QTest::newRow("3660") << 3660ull << "3.6 KB"
                          << "About 1 hour 1 minute left";
    QTest::newRow("7261") << 7261ull << "7.1 KB"
                          << "About 2 hours 2 minutes left";
    QTest::newRow("1 MiB") << 1048576ull << "1.0 MB"
                           << "About 291 hours 17 minutes left";
    QTest::newRow("1 GiB") << 1073741824ull << "1.0 GB"
                           << "About 298261 hours 38 minutes left";
}

void TestProgressWindow::byteAndTimeTexts()
{
    QFETCH(qulonglong, value);
    QFETCH(QString, bytes);
    QFETCH(QString, timeLeft);
    QCOMPARE(formatBytes(value), bytes);
    QCOMPARE(formatTimeLeft(value), timeLeft);
}

void TestProgressWindow::appearsOnlyAfterHalfASecond()
{
    ProgressState state;
    CancelToken cancel;
    qint64 now = 1000;
    {
        ProgressController controller(state, cancel, [&] { return now; });
        state.started(3, 300);
        now = 1499;
        controller.tick();
        QVERIFY(!controller.window()); // a copy done within half a second shows nothing
    }
    now = 2000;
    ProgressController controller(state, cancel, [&] { return now; });
    controller.tick();
    QVERIFY(!controller.window());
    now = 2499;
    controller.tick();
    QVERIFY(!controller.window());
    // A question on screen by then (a folder to create) keeps the window back until
    // it is answered, so the window never comes up over it.
    state.questionAsked("/to/new");
    now = 2500;
    controller.tick();
    QVERIFY(!controller.window());
    state.questionAnswered();
    now = 2600;
    controller.tick();
    QVERIFY(controller.window());
    QVERIFY(controller.window()->isVisible());
    QVERIFY(!controller.window()->parentWidget()); // owned by no window
}

void TestProgressWindow::showsItemFoldersCountsSpeedAndTimeLeft()
{
    ProgressState state;
    CancelToken cancel;
    qint64 now = 0;
    ProgressController controller(state, cancel, [&] { return now; });
    state.started(4, 30 << 20);
    state.itemStarted("a.txt", "/from/here", "/to/there");
    now = 500;
    controller.tick();
    ProgressWindow* window = controller.window();
    QVERIFY(window);
    QCOMPARE(window->itemText(), QString("Copying \"a.txt\""));
    QCOMPARE(window->foldersText(), QString("From \"/from/here\" to \"/to/there\""));
    QCOMPARE(window->countsText(), QString("0 of 4 items, 0 bytes of 30.0 MB"));
    QCOMPARE(window->speedText(), QString("Working out the time left..."));
    QCOMPARE(window->barValue(), 0);

    // 10 MiB in the next second: 10 MB/s, 20 MiB left, so two seconds.
    state.bytesDone(10 << 20);
    state.itemsDone(1);
    now = 1500;
    controller.tick();
    QCOMPARE(window->countsText(), QString("1 of 4 items, 10.0 MB of 30.0 MB"));
    QCOMPARE(window->speedText(), QString("10.0 MB/s, About 2 seconds left"));
    QCOMPARE(window->barValue(), 333);
    QCOMPARE(window->windowTitle(), QString("33% - Copying 4 items (30.0 MB)"));

    // A path far wider than the window is shortened on screen, never stretching the
    // window; the whole text stays the window's own.
    const int width = window->sizeHint().width();
    const std::string deep = "/from/" + std::string(600, 'x');
    state.itemStarted("b.txt", deep, "/to/there");
    now = 2500;
    controller.tick();
    QCOMPARE(window->foldersText(), QString::fromStdString("From \"" + deep + "\" to \"/to/there\""));
    QCOMPARE(window->sizeHint().width(), width);
}

void TestProgressWindow::speedFollowsTheLastFewSeconds()
{
    ProgressState state;
    CancelToken cancel;
    qint64 now = 0;
    ProgressController controller(state, cancel, [&] { return now; });
    state.started(1, 100 << 20);
    now = 500;
    controller.tick();
    state.bytesDone(40 << 20); // 40 MiB in the first two seconds
    now = 2500;
    controller.tick();
    QCOMPARE(controller.window()->speedText(), QString("20.0 MB/s, About 3 seconds left"));
    // Then a long pause (a question on screen) and 4 MiB more in one second: the
    // samples before the pause fall out of the window, leaving 4 MiB over 1 s.
    now = 62500;
    controller.tick();
    state.bytesDone(4 << 20);
    now = 63500;
    controller.tick();
    QCOMPARE(controller.window()->speedText(), QString("4.0 MB/s, About 14 seconds left"));
}

void TestProgressWindow::sayFinishingWhileFlushing()
{
    ProgressState state;
    CancelToken cancel;
    qint64 now = 0;
    ProgressController controller(state, cancel, [&] { return now; });
    state.started(2, 2048);
    state.bytesDone(2048);
    state.itemsDone(2);
    state.finishing();
    now = 600;
    controller.tick();
    QCOMPARE(controller.window()->itemText(), QString("Finishing writes..."));
    QCOMPARE(controller.window()->countsText(), QString("2 of 2 items, 2.0 KB of 2.0 KB"));
    // Data the drive may not have yet: the wait is named, with what is left of it.
    state.leftToWrite(std::int64_t{4} << 20);
    now = 700;
    controller.tick();
    QCOMPARE(controller.window()->itemText(), QString("Finishing writing to the drive..."));
    QVERIFY(controller.window()->speedText().endsWith(" left to write"));
}

void TestProgressWindow::cancelButtonAndCloseBoxStopTheCopy()
{
    for (bool viaCloseBox : {false, true}) {
        ProgressState state;
        CancelToken cancel;
        qint64 now = 0;
        ProgressController controller(state, cancel, [&] { return now; });
        state.started(1, 1);
        now = 500;
        controller.tick();
        QVERIFY(!cancel.cancelled());
        if (viaCloseBox)
            controller.window()->close();
        else
            controller.window()->cancelButton()->click();
        QVERIFY(cancel.cancelled());
        QVERIFY(!controller.window()->cancelButton()->isEnabled());
        QVERIFY(controller.window()->isVisible()); // stays until the copy has stopped
    }
}

void TestProgressWindow::textsBeforeTheFirstItemAndForOneItem_data()
{
    QTest::addColumn<quint64>("items");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("itemText");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("title");
    QTest::newRow("one item, not started") << quint64(1) << QString() << "Preparing to copy 1 item..."
                                           << "0 of 1 item, 0 bytes of 2.0 KB"
                                           << "0% - Copying 1 item (2.0 KB)";
    QTest::newRow("three items, not started") << quint64(3) << QString() << "Preparing to copy 3 items..."
                                              << "0 of 3 items, 0 bytes of 2.0 KB"
                                              << "0% - Copying 3 items (2.0 KB)";
    QTest::newRow("one item, started") << quint64(1) << "a.txt"
                                       << "Copying \"a.txt\""
                                       << "0 of 1 item, 0 bytes of 2.0 KB"
                                       << "0% - Copying 1 item (2.0 KB)";
}

void TestProgressWindow::textsBeforeTheFirstItemAndForOneItem()
{
    QFETCH(quint64, items);
    QFETCH(QString, item);
    QFETCH(QString, itemText);
    QFETCH(QString, counts);
    QFETCH(QString, title);
    ProgressState state;
    CancelToken cancel;
    qint64 now = 0;
    ProgressController controller(state, cancel, [&] { return now; });
    state.started(items, 2048);
    if (!item.isEmpty())
        state.itemStarted(item.toStdString(), "/from", "/to");
    now = 500;
    controller.tick();
    QCOMPARE(controller.window()->itemText(), itemText);
    QCOMPARE(controller.window()->countsText(), counts);
    QCOMPARE(controller.window()->windowTitle(), title);
    QVERIFY(!controller.window()->foldersText().contains("\"\""));
}

void TestProgressWindow::waitsCountForNeitherSpeedNorTimeLeft_data()
{
    QTest::addColumn<bool>("paused");
    QTest::newRow("a question on screen") << false;
    QTest::newRow("paused") << true;
}

void TestProgressWindow::waitsCountForNeitherSpeedNorTimeLeft()
{
    QFETCH(bool, paused);
    ProgressState state;
    CancelToken cancel;
    qint64 now = 0;
    ProgressController controller(state, cancel, [&] { return now; });
    state.started(2, 100 << 20);
    now = 500;
    controller.tick();
    state.bytesDone(10 << 20); // 10 MiB in one second
    now = 1500;
    controller.tick();
    QCOMPARE(controller.window()->speedText(), QString("10.0 MB/s, About 9 seconds left"));
    // Ten seconds of waiting, looked at every 100 ms, then one more second at the same speed.
    if (paused)
        cancel.pause();
    else
        state.questionAsked("/from/b.bin");
    for (int i = 0; i < 100; ++i) {
        now += 100;
        controller.tick();
    }
    QCOMPARE(controller.window()->speedText(),
             paused ? QString("Paused") : QString("Waiting for your answer..."));
    if (paused)
        cancel.resume();
    else
        state.questionAnswered();
    state.bytesDone(10 << 20);
    now += 1000;
    controller.tick();
    QCOMPARE(controller.window()->speedText(), QString("10.0 MB/s, About 8 seconds left"));
}

void TestProgressWindow::namesTheItemInFlightOrAskedAbout()
{
    ProgressState state;
    state.started(3, 0);
    // A large file copies on one thread while a small one starts and ends on another.
    state.itemStarted("big.iso", "/from", "/to");
    std::thread([&] {
        state.itemStarted("small.txt", "/from", "/to");
        state.itemsDone(1);
    }).join();
    QCOMPARE(state.snapshot().item, std::string("big.iso"));
    state.questionAsked("/to/big.iso");
    QCOMPARE(state.snapshot().item, std::string("big.iso"));
    QCOMPARE(state.snapshot().fromFolder, std::string("/to"));
    QVERIFY(state.snapshot().asking);
    state.questionAnswered();
    state.itemsDone(1);
    QCOMPARE(state.snapshot().item, std::string("small.txt")); // nothing in flight: the latest started
}

void TestProgressWindow::pauseButtonAndMoreDetails()
{
    ProgressState state;
    CancelToken cancel;
    qint64 now = 0;
    ProgressController controller(state, cancel, [&] { return now; });
    state.started(5, 8 << 20);
    state.itemStarted("a", "/f", "/t");
    now = 500;
    controller.tick();
    ProgressWindow* window = controller.window();
    for (int second = 1; second <= 3; ++second) {
        state.bytesDone(second << 20); // 1, then 2, then 3 MiB a second
        now += 1000;
        controller.tick();
    }
    state.itemsDone(2);
    state.itemsSkipped(1); // as the engine reports a skipped item: skipped, and done
    state.itemsDone(1);
    now += 1000;
    controller.tick();

    QVERIFY(!window->detailsShown());
    window->detailsButton()->click();
    QVERIFY(window->detailsShown());
    // One point a second of copying, and the speed now.
    QCOMPARE(window->graph()->samples().size(), size_t(5));
    QCOMPARE(window->graph()->samples()[0], double(1 << 20));
    QCOMPARE(window->graph()->samples()[4], 5.0 * (1 << 20) / 3);
    // The last three seconds: 5 MiB.
    QCOMPARE(window->detailTexts(),
             (QStringList{"Speed: 1.7 MB/s", "About 2 seconds left", "Items: 3 done, 1 skipped, 2 left",
                          "Data: 6.0 MB of 8.0 MB"}));

    window->pauseButton()->click();
    QVERIFY(cancel.paused());
    QCOMPARE(window->pauseButton()->text(), QString("&Resume"));
    QVERIFY(window->windowTitle().startsWith("Paused - "));
    window->pauseButton()->click();
    QVERIFY(!cancel.paused());
    QCOMPARE(window->pauseButton()->text(), QString("&Pause"));
    // Cancel while paused: the copy winds down, and the window no longer says paused.
    window->pauseButton()->click();
    window->cancelButton()->click();
    controller.tick();
    QVERIFY(cancel.cancelled() && !cancel.paused());
    QVERIFY2(!window->windowTitle().startsWith("Paused"), qPrintable(window->windowTitle()));
}

void TestProgressWindow::itemCountsAsTheEngineReportsThem()
{
    CopyFixture f;
    tree::writeFile(f.src + "/a", "a");
    tree::writeFile(f.src + "/c", "c");
    tree::writeFile(f.src + "/d", "d");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (f.src + "/b.sock").c_str());
    QCOMPARE(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    CancelToken cancel;
    ProgressController controller(f.progress, cancel, [] { return qint64(0); });
    QString whenCStarts;
    f.fs.whenOpened = [&](const std::string& path) {
        if (path == f.src + "/c" && whenCStarts.isEmpty())
            whenCStarts = controller.view(f.progress.snapshot(), 0).itemsFigure;
    };
    f.options.threads = 1;
    // The socket cannot be copied and is skipped.
    QCOMPARE(f.copy({f.src + "/a", f.src + "/b.sock", f.src + "/c", f.src + "/d"}, f.dst),
             CopyOutcome::Failed);
    ::close(sock);
    QCOMPARE(whenCStarts, QString("Items: 2 done, 1 skipped, 2 left"));
    QCOMPARE(controller.view(f.progress.snapshot(), 0).itemsFigure,
             QString("Items: 4 done, 1 skipped, 0 left"));
}

// "Verify copies", in the details, starts off; the choice goes to the service's own
// settings file and into the running request, and the next window shows it again.
void TestProgressWindow::verifyCopiesIsRememberedInTheServiceSettings()
{
    const QString file = m_config.path() + "/Quintaro/copy-service.conf";
    ProgressState state;
    CancelToken cancel;
    qint64 now = 0;
    for (bool choice : {true, false}) {
        auto verify = std::make_shared<std::atomic<bool>>(savedVerifyChoice());
        ProgressController controller(state, cancel, [&] { return now; });
        controller.followVerify(verify);
        now += 1000;
        controller.tick();
        ProgressWindow* window = controller.window();
        QCheckBox* box = window->verifyBox();
        QCOMPARE(box->text(), QString("&Verify copies"));
        QCOMPARE(box->isChecked(), !choice); // off at first, then as last chosen
        QVERIFY(!box->isVisibleTo(window));
        window->detailsButton()->click();
        QVERIFY(box->isVisibleTo(window));
        box->click();
        QCOMPARE(verify->load(), choice);
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("verify").toBool(), choice);
    }
    QVERIFY(!savedVerifyChoice());
}

QTEST_MAIN(TestProgressWindow)
#include "tst_progress_window.moc"
