// Hover tracking: MouseOver on entering, MouseOut at the first timer tick after
// leaving, the hot look, and how presses and focus interact with it. The pointer
// position and the timer ticks are driven by the test.

#include "support/VbInputDriver.h"

#include <QtTest>

using namespace vbtest;

class TestHover : public QObject {
    Q_OBJECT
private slots:
    void init() { usePointerSeam(); }

    void enteringRaisesMouseOverOnce()
    {
        ButtonWindow w;
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
        move(b);
        press(b);
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        QVERIFY(b->state().m_IsHot);
        QVERIFY(b->isOverTimerEnabled());
    }

    void dragOutAndBackClicksOnce()
    {
        ButtonWindow w;
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
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
        vb::vbButton* b = w.button;
        b->setShowFocusRect(false);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(b, &in);
        QVERIFY(b->state().m_HasFocus);
        QVERIFY(!b->state().m_IsHot);
    }

    void runningTimerStillEndsHoverWhileFocused()
    {
        ButtonWindow w;
        vb::vbButton* b = w.button;
        EventLog log(b);
        move(b);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(b, &in);
        pointerOver() = nullptr;
        b->overTimerTick();
        QCOMPARE(log.take(), (QStringList{"MouseOver", "MouseOut"}));
        QVERIFY(!b->state().m_IsHot);
    }
};

QTEST_MAIN(TestHover)
#include "tst_hover.moc"
