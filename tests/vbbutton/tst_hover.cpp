// Hover tracking: MouseOver on entering, MouseOut once the pointer has left,
// the hot look, and how presses and focus interact with it. Most cases drive
// the pointer seam and the hover-end check by hand; the cases marked "real"
// feed pointer events through the window system interface and Qt's own
// enter/leave dispatch, with no seam. The whole run uses a scale factor of 1.5
// (see main), so edges fall between device pixels.

#include "support/VbInputDriver.h"

#include <QMenu>
#include <QMessageBox>
#include <QToolTip>
#include <QtTest>

using namespace vbtest;

namespace {

// The pointer as the platform reports it: positions in device pixels of the
// window, turned into events by Qt's window system interface.
struct RealPointer {
    QWindow* window;
    int time = 1000;
    void moveTo(QPoint device, Qt::MouseButtons held = Qt::NoButton)
    {
        const qreal dpr = window->devicePixelRatio();
        const QPointF local(device.x() / dpr, device.y() / dpr);
        qt_handleMouseEvent(window, local, window->mapToGlobal(local), held, Qt::NoButton, QEvent::MouseMove,
                            Qt::NoModifier, time += 20);
    }
    void leaveWindow()
    {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(window, &leave);
    }
};

// A shown, exposed ButtonWindow with no pointer seam: IsMouseOver answers
// from the events alone. The button covers device pixels 15..134 x 15..59.
struct RealWindow {
    ButtonWindow w;
    RealPointer pointer{nullptr};
    RealWindow()
    {
        forms::UserControl::setPointerProbe({});
        // The window gives its only control the focus, which would make it hot.
        w.button->setShowFocusRect(false);
        (void)QTest::qWaitForWindowExposed(&w.window);
        pointer.window = w.window.windowHandle();
    }
};

} // namespace

class TestHover : public QObject {
    Q_OBJECT
private slots:
    void init() { usePointerSeam(); }

    void enteringRaisesMouseOverOnce()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        const int draws = b->clearCount();

        move(b);
        QCOMPARE(log.take(), QStringList{"MouseOver"});
        QVERIFY(b->state().m_IsHot);
        QVERIFY(b->isOverTimerEnabled());
        QCOMPARE(b->clearCount(), draws + 1); // the hot face, once

        move(b, Qt::NoButton, {30, 20});
        move(b, Qt::NoButton, {40, 20});
        QCOMPARE(log.take(), QStringList{});
        QCOMPARE(log.events.size(), 0);
        QCOMPARE(b->clearCount(), draws + 1);

        // Ticks while the pointer stays do nothing.
        b->overTimerTick();
        b->overTimerTick();
        QVERIFY(b->isOverTimerEnabled());
        QVERIFY(b->state().m_IsHot);
        QCOMPARE(log.take(), QStringList{});
    }

    void leavingRaisesMouseOutAtNextTick()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        move(b);
        log.take();

        pointerOver() = nullptr; // the pointer went away; no move reaches the button
        QCOMPARE(log.take(), QStringList{});
        const int draws = b->clearCount();
        b->overTimerTick();
        QCOMPARE(log.take(), QStringList{"MouseOut"});
        QVERIFY(!b->state().m_IsHot);
        QVERIFY(!b->isOverTimerEnabled());
        QCOMPARE(b->clearCount(), draws + 1);

        // Coming back is a new hover.
        move(b);
        QCOMPARE(log.take(), QStringList{"MouseOver"});
    }

    void windowCoveringTheButtonCountsAsLeaving()
    {
        ButtonWindow w;
        Button b = w.button;
        QWidget cover(&w.window);
        cover.setGeometry(0, 0, 50, 50);
        EventLog log(b);
        move(b);
        log.take();

        pointerOver() = &cover;
        b->overTimerTick();
        QCOMPARE(log.take(), QStringList{"MouseOut"});

        // A move reported to the button while another window is under the
        // pointer is no entry.
        pointerOver() = &cover;
        sendMouse(b, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(log.take(), QStringList{});
        QVERIFY(!b->state().m_IsHot);
    }

    void pressWhileHotKeepsHotAndTimer()
    {
        ButtonWindow w;
        Button b = w.button;
        move(b);
        press(b);
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        QVERIFY(b->state().m_IsHot);
        QVERIFY(b->isOverTimerEnabled());
    }

    void dragOutAndBackClicksOnce()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        pointerOver() = b;
        press(b);
        QCOMPARE(b->state().m_LastState, vb::dsDown);

        move(b, Qt::LeftButton, {120, 50}, false);
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        move(b, Qt::LeftButton, {20, 15}, true);
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        QVERIFY(!b->state().m_IsHot); // drawn hot, then counted as not hot

        release(b);
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        QCOMPARE(log.take(), (QStringList{"MouseDown(1,0,300,225)", "MouseUp(1,0,300,225)", "Click"}));

        // The next plain move enters again, with no MouseOut before it.
        move(b);
        QCOMPARE(log.take(), QStringList{"MouseOver"});
    }

    void dragOutAndReleaseOutsideGivesNoClick()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        pointerOver() = b;
        press(b);
        move(b, Qt::LeftButton, {120, 50}, false);
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        release(b, Qt::LeftButton, {120, 50});
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        QVERIFY(!log.take().contains("Click"));
    }

    void dragWithRightButtonIsIgnored()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        const int draws = b->clearCount();
        move(b, Qt::RightButton);
        move(b, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(b->clearCount(), draws);
        QVERIFY(!b->state().m_IsHot);
        QCOMPARE(log.events.size(), 2); // the moves are still reported
        QCOMPARE(log.events[1], QStringLiteral("MouseMove(3,0,300,225)"));
    }

    void focusMakesHotWithoutTimer()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(b, &in);
        QVERIFY(b->state().m_HasFocus);
        QVERIFY(b->state().m_IsHot);
        QVERIFY(!b->isOverTimerEnabled());

        // Already hot: entering raises nothing and starts no timer; leaving, no MouseOut.
        move(b);
        QCOMPARE(log.take(), QStringList{});
        QVERIFY(!b->isOverTimerEnabled());

        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(b, &out);
        QVERIFY(!b->state().m_IsHot);
        move(b);
        QCOMPARE(log.take(), QStringList{"MouseOver"});
    }

    void popupMenuLeavesTheFocusLookAlone()
    {
        // The main window's menu button opens its pop-up from Click: the button
        // keeps the focus, so the hover that the pop-up ends shows the blue rim.
        ButtonWindow w;
        Button b = w.button;
        move(b); // hover starts, timer on
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(b, &in);
        const int draws = b->clearCount();
        QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(b, &out);
        QVERIFY(b->state().m_HasFocus);
        QCOMPARE(b->clearCount(), draws);
        pointerOver() = nullptr; // the pop-up now covers the pointer
        b->overTimerTick();
        QVERIFY(!b->state().m_IsHot);
        QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
        QApplication::sendEvent(b, &back);
        QVERIFY(b->state().m_HasFocus);
        QVERIFY(!b->state().m_IsHot); // not hot again: the rim stays blue
    }

    void focusWithoutFocusRectLeavesHotAlone()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setShowFocusRect(false);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(b, &in);
        QVERIFY(b->state().m_HasFocus);
        QVERIFY(!b->state().m_IsHot);
    }

    void runningTimerStillEndsHoverWhileFocused()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        move(b);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(b, &in);
        pointerOver() = nullptr;
        b->overTimerTick();
        QCOMPARE(log.take(), (QStringList{"MouseOver", "MouseOut"}));
        QVERIFY(!b->state().m_IsHot);
    }

    // Real: coming in over an edge and going out over it agree, one device
    // pixel either side of it; and leaving the window ends the hover.
    void realEdgesAtFractionalScale_data()
    {
        QTest::addColumn<QPoint>("device"); // window-local device pixel
        QTest::addColumn<bool>("leaveWindow");
        QTest::addColumn<bool>("over");
        QTest::newRow("last column") << QPoint(134, 30) << false << true;
        QTest::newRow("right of the last column") << QPoint(135, 30) << false << false;
        QTest::newRow("first row") << QPoint(60, 15) << false << true;
        QTest::newRow("above the first row") << QPoint(60, 14) << false << false;
        QTest::newRow("last row") << QPoint(60, 59) << false << true;
        QTest::newRow("below the last row") << QPoint(60, 60) << false << false;
        QTest::newRow("first column") << QPoint(15, 30) << false << true;
        QTest::newRow("left of the first column") << QPoint(14, 30) << false << false;
        QTest::newRow("out of the window") << QPoint(60, 30) << true << false;
    }
    void realEdgesAtFractionalScale()
    {
        QFETCH(QPoint, device);
        QFETCH(bool, leaveWindow);
        QFETCH(bool, over);
        RealWindow r;
        Button b = r.w.button;
        QCOMPARE(b.widget()->devicePixelRatioF(), 1.5);
        EventLog log(b);

        // In: from beside the button onto the pixel.
        r.pointer.moveTo({4, 4});
        r.pointer.moveTo(device);
        if (leaveWindow)
            r.pointer.leaveWindow();
        QCOMPARE(b->state().m_IsHot, over);
        const QStringList in = leaveWindow ? QStringList{"MouseOver", "MouseOut"}
                               : over      ? QStringList{"MouseOver"}
                                           : QStringList{};
        QCOMPARE(log.take(), in);

        // Out: from the middle of the button onto the same pixel.
        r.pointer.moveTo({4, 4});
        QVERIFY(!b->state().m_IsHot);
        log.take();
        r.pointer.moveTo({75, 37});
        r.pointer.moveTo(device);
        if (leaveWindow)
            r.pointer.leaveWindow();
        QCOMPARE(b->state().m_IsHot, over);
        const QStringList out = over ? QStringList{"MouseOver"} : QStringList{"MouseOver", "MouseOut"};
        QCOMPARE(log.take(), out);
        QVERIFY(!b->state().m_IsHot || b->isOverTimerEnabled());
    }

    // Real: a window that takes the pointer away from a hot button ends its
    // hover, as hiding the button does; a tool tip takes nothing.
    void realPointerTakenByAnotherWindow_data()
    {
        QTest::addColumn<QString>("taker");
        QTest::addColumn<bool>("endsHover");
        QTest::newRow("pop-up menu") << "menu" << true;
        QTest::newRow("modal box") << "modal" << true;
        QTest::newRow("tool tip") << "tip" << false;
        QTest::newRow("the button hidden under it") << "hide" << true;
    }
    void realPointerTakenByAnotherWindow()
    {
        QFETCH(QString, taker);
        QFETCH(bool, endsHover);
        RealWindow r;
        Button b = r.w.button;
        EventLog log(b);
        r.pointer.moveTo({4, 4});
        r.pointer.moveTo({75, 37});
        QCOMPARE(log.take(), QStringList{"MouseOver"});

        QMenu menu;
        menu.addAction(QStringLiteral("&Calendar Generator"));
        QMessageBox box(QMessageBox::Information, QStringLiteral("INFORMATION"),
                        QStringLiteral("Copying Failed!"));
        if (taker == QLatin1String("menu"))
            menu.popup(b.widget()->mapToGlobal(QPoint(20, 15)));
        else if (taker == QLatin1String("modal"))
            box.open();
        else if (taker == QLatin1String("hide"))
            b.widget()->hide();
        else
            QToolTip::showText(b.widget()->mapToGlobal(QPoint(20, 15)), QStringLiteral("Copy file..."), b);
        QTest::qWait(20);
        QCOMPARE(log.take(), endsHover ? QStringList{"MouseOut"} : QStringList{});
        QCOMPARE(b->state().m_IsHot, !endsHover);
        menu.close();
        box.close();
        QToolTip::hideText();
    }
};

// Edges between device pixels show only at a fractional scale.
int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    TestHover test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_hover.moc"
