// Hover under a real Wayland compositor: the pointer is the compositor's own
// seat, moved with xdotool in the X server the compositor draws into, so the
// button hears only what wl_pointer's enter, motion and leave tell Qt. Run by
// tests/wayland/run.sh, which starts Xvfb and weston and names the X display
// and weston's X window in QUINTARO_SEAT_DISPLAY and QUINTARO_SEAT_WINDOW.

#include "support/VbInputDriver.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QtTest>

using namespace vbtest;

namespace {

// The window-local position of the last pointer event any widget of the
// window saw.
class LastPointer : public QObject {
public:
    explicit LastPointer(QWidget* window) : m_window(window)
    {
        window->setMouseTracking(true);
        qApp->installEventFilter(this);
    }
    bool seen = false;
    QPoint local;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == m_window) {
            seen = true;
            local = static_cast<QSinglePointEvent*>(event)->scenePosition().toPoint();
        }
        return false;
    }

private:
    QWidget* m_window;
};

// The seat's pointer, placed in the compositor's output coordinates.
bool movePointer(QPoint output)
{
    QProcess xdotool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("QUINTARO_SEAT_DISPLAY"));
    xdotool.setProcessEnvironment(env);
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"),
                                              qEnvironmentVariable("QUINTARO_SEAT_WINDOW"),
                                              QString::number(output.x()), QString::number(output.y())});
    return xdotool.waitForFinished(5000) && xdotool.exitCode() == 0;
}

} // namespace

class TestSeatHover : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("wayland"))
            QSKIP("needs the wayland platform (tests/wayland/run.sh)");
        if (qEnvironmentVariableIsEmpty("QUINTARO_SEAT_WINDOW"))
            QSKIP("needs a compositor's seat (tests/wayland/run.sh)");
        forms::UserControl::setPointerProbe({});
    }

    // Where the pointer starts and where it goes, in window-local pixels (the
    // button covers 10..89 x 10..39 of a 200 x 100 window), and what the move
    // raises.
    void hoverFollowsTheSeat_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("onto the button") << QPoint(150, 70) << QPoint(50, 25) << QStringList{"MouseOver"};
        QTest::newRow("off the button, in the window")
            << QPoint(50, 25) << QPoint(150, 70) << QStringList{"MouseOut"};
        QTest::newRow("off over its left edge") << QPoint(50, 25) << QPoint(9, 25) << QStringList{"MouseOut"};
        QTest::newRow("out of the window") << QPoint(50, 25) << QPoint(-30, -30) << QStringList{"MouseOut"};
    }
    void hoverFollowsTheSeat()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QStringList, events);

        ButtonWindow w(false);
        w.button->setShowFocusRect(false);
        // Of fixed size, so the shell centres the window and leaves room around it.
        w.window.setFixedSize(200, 100);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));

        // Where the window sits on the output: an event's position at the output's middle.
        LastPointer last(&w.window);
        const QPoint middle(qEnvironmentVariableIntValue("QUINTARO_SEAT_WIDTH") / 2,
                            qEnvironmentVariableIntValue("QUINTARO_SEAT_HEIGHT") / 2);
        QVERIFY(movePointer(middle + QPoint(1, 1)));
        QTRY_VERIFY(last.seen);
        const QPoint nearMiddle = last.local;
        QVERIFY(movePointer(middle));
        QTRY_COMPARE(last.local, nearMiddle - QPoint(1, 1));
        const QPoint origin = middle - last.local;

        Button b = w.button;
        const bool startsOver = b.widget()->geometry().contains(from);
        QVERIFY(movePointer(origin + from));
        QTRY_COMPARE(last.local, from);
        QTRY_COMPARE(b->state().m_IsHot, startsOver);

        EventLog log(b);
        QVERIFY(movePointer(origin + to));
        QTRY_COMPARE(b->state().m_IsHot, !startsOver);
        QCOMPARE(log.take(), events);
    }
};

QTEST_MAIN(TestSeatHover)
#include "tst_seat_hover.moc"
