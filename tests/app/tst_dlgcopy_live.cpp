// The main window through the real event loop, with the real owner-drawn buttons
// and the real file-operation service: while a copy runs the window takes no
// input, closing it asks the quit question (Yes stops the copy cleanly and ends
// the program, No keeps copying), and the progress window's Pause holds the copy.
// Alt+C moves through every holder of the key in turn.

#include "app/DlgCopy.h"
#include "controls/vbButton/RegisterVbButton.h"
#include "platform/copy-ui/ProgressController.h"
#include "platform/copy/ProgressState.h"
#include "platform/forms/ControlText.h"
#include "platform/forms/MessageBoxRecorder.h"
#include "platform/shell/FileOperationHooks.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>

using forms::MsgResult;

namespace {

// The real progress (window and all) with one gate: the worker that reports the
// first bytes waits there until the test opens it or the copy is cancelled, so
// the test knows the copy is under way and not yet done.
class GatedProgress : public shell::CopyProgress {
public:
    GatedProgress(shell::CancelToken& cancel, std::function<bool(shell::CancelToken&)> opens)
        : m_cancel(cancel), m_opens(std::move(opens)),
          // A clock that races ahead shows the window at its first look.
          m_inner(cancel, [this] { return m_now += 1000; })
    {
    }
    void preparing() override { m_inner.preparing(); }
    void started(std::uint64_t items, std::uint64_t bytes) override { m_inner.started(items, bytes); }
    void itemStarted(const std::string& n, const std::string& f, const std::string& t) override
    {
        m_inner.itemStarted(n, f, t);
    }
    void bytesDone(std::int64_t bytes) override
    {
        m_inner.bytesDone(bytes);
        if (m_gated.exchange(true))
            return;
        reached = true;
        std::unique_lock lock(m_lock);
        while (!m_opens(m_cancel) && !m_cancel.cancelled())
            m_wake.wait_for(lock, std::chrono::milliseconds(5));
    }
    void itemsDone(std::uint64_t items) override { m_inner.itemsDone(items); }
    void itemsSkipped(std::uint64_t items) override { m_inner.itemsSkipped(items); }
    void finishing() override { m_inner.finishing(); }

    [[nodiscard]] std::int64_t bytes() const { return m_inner.state().snapshot().bytesDone; }
    [[nodiscard]] shell::ProgressWindow* window() { return m_inner.controller().window(); }

    std::atomic<bool> reached{false};

private:
    shell::CancelToken& m_cancel;
    std::function<bool(shell::CancelToken&)> m_opens;
    qint64 m_now = 0;
    shell::WindowedProgress m_inner;
    std::atomic<bool> m_gated{false};
    std::mutex m_lock;
    std::condition_variable m_wake;
};

QByteArray randomData(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator gen(size);
    for (char& c : data)
        c = static_cast<char>(gen.generate());
    return data;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A source folder of three 2 MiB files (each its own item, copied in turn), the
// real main window with the real service, and the quit question answered from a
// script.
struct Fixture {
    QTemporaryDir root;
    QList<QByteArray> payloads;
    forms::MessageBoxRecorder boxes;
    std::atomic<bool> open{false};
    GatedProgress* progress = nullptr;
    shell::FileOperationHooks previous;
    int requests = 0;
    app::DlgCopy dlg;

    explicit Fixture(std::function<bool(shell::CancelToken&)> opens = {})
    {
        QDir dir(root.path());
        dir.mkpath(QStringLiteral("src/tree"));
        dir.mkpath(QStringLiteral("dst"));
        for (int i = 0; i < 3; ++i) {
            payloads.append(randomData((2 << 20) + i));
            QFile file(dir.filePath(QStringLiteral("src/tree/f%1.bin").arg(i)));
            file.open(QIODevice::WriteOnly);
            file.write(payloads.last());
        }
        if (!opens)
            opens = [this](shell::CancelToken&) { return open.load(); };
        shell::FileOperationHooks hooks;
        hooks.progress = [this, opens](shell::CancelToken& cancel) {
            auto made = std::make_unique<GatedProgress>(cancel, opens);
            progress = made.get();
            return made;
        };
        previous = shell::setFileOperationHooks(hooks);
        dlg.setFileOperation([this](shell::SHFILEOPSTRUCTA& r) {
            ++requests;
            return shell::SHFileOperationA(r);
        });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.window()));
        forms::setControlText(dlg.controls().object(QStringLiteral("Txt"), 0),
                              dir.filePath(QStringLiteral("src/tree")));
        forms::setControlText(dlg.controls().object(QStringLiteral("Txt"), 1),
                              dir.filePath(QStringLiteral("dst")));
    }
    ~Fixture()
    {
        shell::setFileOperationHooks(previous);
        boxes.script({MsgResult::Yes});
        dlg.unload();
    }
    QWidget* copyButton() const
    {
        return qobject_cast<QWidget*>(dlg.controls().object(QStringLiteral("btn"), 0));
    }
    // Clicks "&Copy File..." with the mouse; `during` runs from the event loop once
    // the copy is under way. Returns when the click's handler has returned.
    void copyWhile(std::function<void()> during)
    {
        auto* poll = new QTimer(&dlg);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, during] {
            if (!progress || !progress->reached)
                return;
            poll->deleteLater();
            during();
        });
        poll->start(5);
        QTest::mouseClick(copyButton(), Qt::LeftButton);
    }
    QString copied(int i) const { return root.filePath(QStringLiteral("dst/tree/f%1.bin").arg(i)); }
};

const QString kQuit = QStringLiteral("Are you sure you want to quit ?");

} // namespace

class TestDlgCopyLive : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { vb::registerVbButton(); }

    void quitDuringACopy_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes stops the copy and ends") << true;
        QTest::newRow("No keeps copying") << false;
    }
    void quitDuringACopy()
    {
        QFETCH(bool, yes);
        Fixture f;
        QSignalSpy unloaded(&f.dlg, &forms::Form::unloaded);
        bool stillRunningAfterNo = false;
        f.copyWhile([&] {
            f.boxes.script({yes ? MsgResult::Yes : MsgResult::No});
            f.dlg.window()->close(); // the close box
            stillRunningAfterNo = !yes && shell::fileOperationRunning() && f.dlg.isLoaded();
            f.open = true;
        });
        if (yes) {
            // The worker has stopped (the click has returned); the window goes, with
            // no result box, as soon as the event loop runs.
            QVERIFY(!shell::fileOperationRunning());
            QTRY_COMPARE(unloaded.count(), 1);
            QCOMPARE(f.boxes.texts(), QStringList{kQuit});
            // Finished items may stay; nothing half-written does, under a final name
            // or a temporary one, and the copy went no further.
            const QStringList left = QDir(f.root.filePath(QStringLiteral("dst/tree"))).entryList(QDir::Files);
            for (const QString& name : left) {
                const int i = QStringList{"f0.bin", "f1.bin"}.indexOf(name);
                QVERIFY2(i >= 0, qPrintable(name));
                QCOMPARE(readFile(f.copied(i)), f.payloads[i]);
            }
            QVERIFY(!QFile::exists(f.copied(2)));
        } else {
            QVERIFY(stillRunningAfterNo);
            QCOMPARE(f.boxes.texts(), (QStringList{kQuit, QStringLiteral("Copying Succesfuly!")}));
            QVERIFY(f.dlg.isLoaded());
            QCOMPARE(unloaded.count(), 0);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(readFile(f.copied(i)), f.payloads[i]);
        }
    }

    void sessionEndWhileTheServiceAsks()
    {
        // The real question boxes: the first file already exists in the destination.
        Fixture f;
        shell::FileOperationHooks hooks;
        hooks.progress = [](shell::CancelToken&) { return std::make_unique<shell::ProgressState>(); };
        shell::setFileOperationHooks(hooks);
        QDir(f.root.path()).mkpath(QStringLiteral("dst/tree"));
        QFile existing(f.copied(0));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("mine");
        existing.close();
        QSignalSpy unloaded(&f.dlg, &forms::Form::unloaded);
        QString asked;
        auto* poll = new QTimer(&f.dlg);
        QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            poll->deleteLater();
            asked = box->text();
            f.boxes.script({MsgResult::Yes});
            f.dlg.unload(forms::UnloadMode::AppWindows); // the desktop session is ending
        });
        poll->start(5);
        QTest::mouseClick(f.copyButton(), Qt::LeftButton);
        QVERIFY(asked.contains(QStringLiteral("\"tree\""))); // may it copy into the existing folder?
        QTRY_COMPARE(unloaded.count(), 1);
        QCOMPARE(f.boxes.texts(), QStringList{kQuit}); // the question was answered for the person
        QCOMPARE(readFile(f.copied(0)), QByteArray("mine"));
        QVERIFY(!QFile::exists(f.copied(2)));
    }

    void theMainWindowTakesNoInputDuringACopy()
    {
        Fixture f;
        bool menuOpened = false;
        int toolWindows = 0;
        f.dlg.setPopupMenu([&](QMenu*) { menuOpened = true; });
        f.dlg.setToolWindows(app::ToolWindows{[&]() -> forms::Form* {
                                                  ++toolWindows;
                                                  return nullptr;
                                              },
                                              {},
                                              {},
                                              {}});
        f.copyWhile([&] {
            // A second click on "&Copy File...", the menu button and a menu shortcut.
            QTest::mouseClick(f.copyButton(), Qt::LeftButton);
            QTest::mouseClick(qobject_cast<QWidget*>(f.dlg.controls().object(QStringLiteral("vbButton1"))),
                              Qt::LeftButton);
            QTest::keyClick(f.dlg.window(), Qt::Key_C, Qt::AltModifier);
            QTest::keyClick(f.dlg.window(), Qt::Key_G, Qt::ControlModifier);
            f.open = true;
        });
        QCOMPARE(f.requests, 1);
        QVERIFY(!menuOpened);
        QCOMPARE(toolWindows, 0);
        QCOMPARE(f.boxes.texts(), QStringList{QStringLiteral("Copying Succesfuly!")});
        // Afterwards the window takes input again.
        QTest::mouseClick(qobject_cast<QWidget*>(f.dlg.controls().object(QStringLiteral("vbButton1"))),
                          Qt::LeftButton);
        QVERIFY(menuOpened);
        QTest::keyClick(f.dlg.window(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(toolWindows, 1);
    }

    void altCReachesEveryHolderInTurn()
    {
        Fixture f;
        QWidget* window = f.dlg.window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto control = [&](const char* name, int index) {
            return qobject_cast<QWidget*>(f.dlg.controls().object(QString::fromLatin1(name), index));
        };
        QCOMPARE(QApplication::focusWidget(), control("Txt", 0));
        // The label's key goes to the control after it in tab order; then the buttons, and round.
        const QList<QWidget*> expected{control("Opt", 0), control("btn", 0), control("btn", 2),
                                       control("Opt", 0)};
        QList<QWidget*> reached;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(window, Qt::Key_C, Qt::AltModifier);
            reached.append(QApplication::focusWidget());
        }
        QCOMPARE(reached, expected);
        QCOMPARE(f.requests, 0); // a shared key only moves the focus; nothing is clicked
        QCOMPARE(f.boxes.texts(), QStringList());
    }

    void pauseHoldsTheCopyUntilResume()
    {
        // The gate opens once the copy is paused: the worker then stops at its
        // next block or item, with the rest still to copy.
        Fixture f([](shell::CancelToken& cancel) { return cancel.paused(); });
        std::int64_t pausedAt = -1, afterWaiting = -2;
        QString titleWhilePaused;
        f.copyWhile([&] {
            QTRY_VERIFY(f.progress->window() != nullptr);
            shell::ProgressWindow* window = f.progress->window();
            QTest::mouseClick(window->pauseButton(), Qt::LeftButton);
            QCOMPARE(window->pauseButton()->text(), QStringLiteral("&Resume"));
            pausedAt = f.progress->bytes();
            QTest::qWait(200); // room to move, if it could
            afterWaiting = f.progress->bytes();
            QTRY_VERIFY(window->windowTitle().startsWith(QStringLiteral("Paused")));
            QVERIFY(!QFile::exists(f.copied(2)));
            QTest::mouseClick(window->pauseButton(), Qt::LeftButton);
        });
        QCOMPARE(afterWaiting, pausedAt);
        QVERIFY(pausedAt < 3 * (2 << 20));
        QCOMPARE(f.boxes.texts(), QStringList{QStringLiteral("Copying Succesfuly!")});
        for (int i = 0; i < 3; ++i)
            QCOMPARE(readFile(f.copied(i)), f.payloads[i]);
    }
};

QTEST_MAIN(TestDlgCopyLive)
#include "tst_dlgcopy_live.moc"
