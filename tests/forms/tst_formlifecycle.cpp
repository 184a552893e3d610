// Form lifecycle: load, query-unload, unload, modal show with a nested loop,
// one shared instance that keeps its fields while its controls reload afresh;
// message boxes through the recorder; the tick-count seam.

#include "platform/forms/ControlText.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/MessageBoxRecorder.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/SystemClock.h"
#include "platform/forms/WindowDescription.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace forms;

namespace {

const char* const kDummy = R"({
  "caption": "Dummy", "kind": "tool", "clientWidth": 3000, "clientHeight": 1500,
  "controls": [
    { "name": "Text1", "kind": "textbox", "text": "design", "left": 0, "top": 0, "width": 1500, "height": 375, "tabIndex": 1 },
    { "name": "Text0", "kind": "textbox", "text": "", "left": 0, "top": 600, "width": 1500, "height": 375, "tabIndex": 0 },
    { "name": "Timer1", "kind": "timer", "interval": 100 }
  ] })";

class Dummy : public Form {
public:
    Dummy() : Form(QStringLiteral("Dummy"), parseWindowDescription(kDummy)) {}

    int loads = 0; // a window-level variable: survives unloads
    int ticks = 0;
    bool refuse = false;
    QList<UnloadMode> queries;

protected:
    void connectControls() override
    {
        onEvent(controls().timer(QStringLiteral("Timer1")), "Timer()", [this] { ++ticks; });
    }
    void Form_Load() override { ++loads; }
    bool Form_QueryUnload(UnloadMode mode) override
    {
        queries.append(mode);
        return !refuse;
    }
};

} // namespace

class TestFormLifecycle : public QObject {
    Q_OBJECT
private slots:
    void init() { FormTimer::setManualDriving(true); }

    void loadBuildsAndUnloadDestroys()
    {
        Dummy form;
        QVERIFY(!form.isLoaded());
        form.load();
        QVERIFY(form.isLoaded());
        QCOMPARE(form.loads, 1);
        QCOMPARE(form.window()->windowTitle(), QStringLiteral("Dummy"));
        QPointer<QWidget> window = form.window();
        QSignalSpy unloaded(&form, &Form::unloaded);
        QVERIFY(form.unload());
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(!form.isLoaded());
        QVERIFY(form.controls().names().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window == nullptr);
    }

    void reloadStartsFromDesignValuesAndKeepsFields()
    {
        Dummy form;
        form.show();
        // The lowest tab position gets the focus, not the first control described.
        QCOMPARE(form.window()->focusWidget(), form.controls().widget(QStringLiteral("Text0")));
        setControlText(form.controls().object(QStringLiteral("Text1")), QStringLiteral("typed"));
        form.controls().timer(QStringLiteral("Timer1"))->fire();
        form.window()->close(); // the close box
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.queries, (QList<UnloadMode>{UnloadMode::FormControlMenu}));

        form.show();
        QCOMPARE(controlText(form.controls().object(QStringLiteral("Text1"))), QStringLiteral("design"));
        QCOMPARE(form.loads, 2);
        QCOMPARE(form.ticks, 1);
        form.controls().timer(QStringLiteral("Timer1"))->fire(); // the new timer is wired too
        QCOMPARE(form.ticks, 2);
        form.unload();
    }

    void queryUnloadCanRefuse()
    {
        Dummy form;
        form.show();
        form.refuse = true;
        QVERIFY(!form.unload(UnloadMode::AppWindows));
        form.window()->close();
        QVERIFY(form.isLoaded());
        QVERIFY(form.window()->isVisible());
        QCOMPARE(form.queries, (QList<UnloadMode>{UnloadMode::AppWindows, UnloadMode::FormControlMenu}));
        form.refuse = false;
        QVERIFY(form.unload());
    }

    void unloadedTimersStop()
    {
        Dummy form;
        form.load();
        FormTimer* timer = form.controls().timer(QStringLiteral("Timer1"));
        QPointer<FormTimer> guard(timer);
        form.unload();
        QVERIFY(guard == nullptr || !guard->isEnabled());
    }

    void showModalWaitsUntilUnloaded()
    {
        QWidget other;
        other.show();
        Dummy form;
        bool sawModal = false;
        int depthInside = 0;
        QTimer::singleShot(0, &form, [&] {
            sawModal = QApplication::activeModalWidget() == form.window();
            depthInside = Form::modalDepth();
            form.controls().timer(QStringLiteral("Timer1"))->fire();
            form.window()->close();
        });
        form.showModal();
        QVERIFY(sawModal);
        QCOMPARE(depthInside, 1);
        QCOMPARE(Form::modalDepth(), 0);
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.ticks, 1);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void sharedInstanceIsCreatedOnceAndReloads()
    {
        QVERIFY(!SharedInstance<Dummy>::exists());
        Dummy& first = SharedInstance<Dummy>::get();
        QVERIFY(SharedInstance<Dummy>::exists());
        QCOMPARE(&SharedInstance<Dummy>::get(), &first);
        QVERIFY(!first.isLoaded()); // created, not loaded

        for (int round = 1; round <= 2; ++round) {
            QTimer::singleShot(0, [] {
                Dummy& d = SharedInstance<Dummy>::get();
                setControlText(d.controls().object(QStringLiteral("Text1")), QStringLiteral("changed"));
                d.unload();
            });
            SharedInstance<Dummy>::showModal();
            QCOMPARE(first.loads, round);
        }
        QCOMPARE(&SharedInstance<Dummy>::get(), &first);
        first.load();
        QCOMPARE(controlText(first.controls().object(QStringLiteral("Text1"))), QStringLiteral("design"));
        first.unload();
        SharedInstance<Dummy>::destroy();
        QVERIFY(!SharedInstance<Dummy>::exists());
    }

    void recorderRecordsInOrderAndAnswersFromScript()
    {
        QVERIFY(installedMessageBoxService() == nullptr);
        {
            MessageBoxRecorder boxes;
            QCOMPARE(installedMessageBoxService(), &boxes);
            boxes.script({MsgResult::No});
            QCOMPARE(
                MsgBox(QStringLiteral("Quit?"), MsgButtons::YesNo, MsgIcon::None, QStringLiteral("Exit")),
                MsgResult::No);
            QCOMPARE(
                MsgBox(QStringLiteral("Again?"), MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Q")),
                MsgResult::Yes); // unscripted: the first button
            QCOMPARE(
                MsgBox(QStringLiteral("Done"), MsgButtons::OK, MsgIcon::Information, QStringLiteral("I")),
                MsgResult::OK);
            QCOMPARE(boxes.texts(), (QStringList{"Quit?", "Again?", "Done"}));
            QCOMPARE(boxes.requests().front(),
                     (MessageBoxRequest{QStringLiteral("Quit?"), QStringLiteral("Exit"), MsgIcon::None,
                                        MsgButtons::YesNo}));
        }
        QVERIFY(installedMessageBoxService() == nullptr);
    }

    void escapeAnswers()
    {
        QCOMPARE(escapeAnswer(MsgButtons::YesNo), MsgResult::No);
        QCOMPARE(escapeAnswer(MsgButtons::OK), MsgResult::OK);
        QCOMPARE(escapeAnswer(MsgButtons::YesNoCancel), MsgResult::Cancel);
    }

    void realMessageBoxReturnsThePressedButton()
    {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            QCOMPARE(box->text(), QStringLiteral("Are you sure?"));
            QCOMPARE(box->windowTitle(), QStringLiteral("Exit"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(
            MsgBox(QStringLiteral("Are you sure?"), MsgButtons::YesNo, MsgIcon::None, QStringLiteral("Exit")),
            MsgResult::No);
    }

    void messageBoxIsWideEnoughForItsTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("the copy result") << "INFORMATION"
                                         << "Copying Failed!";
        QTest::newRow("long title, short text") << "Detect how long the current Windows has been running"
                                                << "OK?";
    }
    void messageBoxIsWideEnoughForItsTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        int width = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        MsgBox(text, MsgButtons::OK, MsgIcon::Information, title);
        QFont bold = QApplication::font();
        bold.setBold(true);
        const int titleOnly = QFontMetrics(bold).horizontalAdvance(title);
        QVERIFY2(width >= minimumBoxWidth(title, QApplication::font()),
                 qPrintable(QStringLiteral("%1 px for a title of %2 px").arg(width).arg(titleOnly)));
        QVERIFY(minimumBoxWidth(title, QApplication::font()) > titleOnly + 60); // room for the frame buttons
    }

    void tickCountSeam()
    {
        setTickCountSource([] { return std::uint32_t(4294967295u); });
        QCOMPARE(GetTickCount(), 4294967295u);
        setTickCountSource({});
        // The system count is the boot clock's milliseconds, truncated to 32 bits.
        timespec ts{};
        clock_gettime(CLOCK_BOOTTIME, &ts);
        const std::uint32_t expected =
            std::uint32_t(std::uint64_t(ts.tv_sec) * 1000u + std::uint64_t(ts.tv_nsec) / 1000000u);
        QVERIFY(std::uint32_t(GetTickCount() - expected) < 5000u);
        const QDateTime pinned(QDate(2020, 1, 1), QTime(0, 0));
        setNowSource([pinned] { return pinned; });
        QCOMPARE(Now(), pinned);
        setNowSource({});
    }
};

QTEST_MAIN(TestFormLifecycle)
#include "tst_formlifecycle.moc"
