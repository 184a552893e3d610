// Mouse buttons, clicks and double clicks, the keyboard (Space presses, arrows
// move the focus), check-box mode, and handlers that change their arguments
// or destroy the button.

#include "support/VbInputDriver.h"

#include <QPointer>
#include <QtTest>

using namespace vbtest;

class TestInput : public QObject {
    Q_OBJECT
private slots:
    void init() { usePointerSeam(); }

    void leftClickRaisesPressReleaseClick()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        // Shift and Ctrl held; (3, 4) pixels are (45, 60) twips.
        press(b, Qt::LeftButton, {3, 4}, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        QCOMPARE(b->state().m_LastButton, 1);
        release(b, Qt::LeftButton, {3, 4});
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        QCOMPARE(log.take(), (QStringList{"MouseDown(1,3,45,60)", "MouseUp(1,0,45,60)", "Click"}));
    }

    void rightButtonDrawsNothingAndGivesNoClick()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        const int draws = b->clearCount();
        press(b, Qt::RightButton);
        QCOMPARE(b->state().m_LastButton, 2);
        release(b, Qt::RightButton);
        QCOMPARE(b->clearCount(), draws);
        QCOMPARE(log.take(), (QStringList{"MouseDown(2,0,300,225)", "MouseUp(2,0,300,225)"}));
    }

    void middleButtonPressesTheFaceButGivesNoClick()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        press(b, Qt::MiddleButton);
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        QCOMPARE(b->state().m_LastButton, 4);
        release(b, Qt::MiddleButton);
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        QCOMPARE(log.take(), (QStringList{"MouseDown(4,0,300,225)", "MouseUp(4,0,300,225)"}));
    }

    void handlerChangingButtonChangesWhatHappens()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        // The host turns the left press into a right one: no down face, and the
        // release that follows gives no click.
        log.onMouse = [](const char* name, short& Button) {
            if (QByteArray(name) == "MouseDown")
                Button = 2;
        };
        const int draws = b->clearCount();
        press(b);
        QCOMPARE(b->state().m_LastButton, 2);
        QCOMPARE(b->clearCount(), draws);
        release(b);
        QVERIFY(!log.take().contains("Click"));
    }

    void doubleClickStandsInForSecondPress()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        press(b, Qt::LeftButton, {5, 5});
        release(b, Qt::LeftButton, {5, 5});
        doubleClick(b, Qt::LeftButton, {5, 5}, Qt::ShiftModifier);
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        release(b, Qt::LeftButton, {5, 5});
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        // The second press is reported with Button 1 and nothing else.
        QCOMPARE(log.take(), (QStringList{"MouseDown(1,0,75,75)", "MouseUp(1,0,75,75)", "Click",
                                          "MouseDown(1,0,0,0)", "MouseUp(1,0,75,75)"}));
        QVERIFY(!b->hasCapture());
    }

    void doubleClickAfterRightPressDoesNothing()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        press(b, Qt::RightButton);
        release(b, Qt::RightButton);
        log.take();
        doubleClick(b, Qt::RightButton);
        QCOMPARE(log.take(), QStringList{});
    }

    void spaceClicks()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        keyDown(b, Qt::Key_Space, " ");
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        keyUp(b, Qt::Key_Space, " ");
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        QCOMPARE(log.take(), (QStringList{"KeyDown(32,0)", "KeyPress(32)", "KeyUp(32,0)", "Click"}));
    }

    void anotherKeyBetweenSpacePressAndReleaseCancelsClick()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        keyDown(b, Qt::Key_Space, " ");
        keyDown(b, Qt::Key_A, "a");
        keyUp(b, Qt::Key_Space, " ");
        QCOMPARE(log.take(), (QStringList{"KeyDown(32,0)", "KeyPress(32)", "KeyDown(65,0)", "KeyPress(97)",
                                          "KeyUp(32,0)"}));
    }

    void autoRepeatedReleasesAreNotReleases()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        keyDown(b, Qt::Key_Space, " ");
        QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(b, &repeatUp);
        QVERIFY(!log.take().contains("Click"));
        QCOMPARE(b->state().m_LastState, vb::dsDown);
    }

    void keyCodeZeroStopsPressLookAndFocusMove()
    {
        ButtonWindow w;
        Button b = w.button;
        Button other = new quintaro::vbButton(&w.window);
        other.widget()->setGeometry(100, 10, 80, 30);
        other.widget()->show();
        b.widget()->setFocus();
        EventLog log(b);
        log.onKeyDown = [](short& code) { code = 0; };

        const int draws = b->clearCount();
        keyDown(b, Qt::Key_Space, " ");
        QCOMPARE(b->clearCount(), draws);
        QCOMPARE(b->state().m_LastKey, 0);
        keyDown(b, Qt::Key_Right);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(w.window.focusWidget(), b);
    }

    void keyCodes_data()
    {
        // The virtual-key number of the key itself: a shifted symbol raises the code of
        // its unshifted key (US layout), the keypad its own codes 96 to 111.
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mods");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shift");
        const int shift = Qt::ShiftModifier, pad = Qt::KeypadModifier;
        QTest::newRow("7") << int(Qt::Key_7) << "7" << 0 << 55 << 0;
        QTest::newRow("shift+1 !") << int(Qt::Key_Exclam) << "!" << shift << 49 << 1;
        QTest::newRow("shift+2 @") << int(Qt::Key_At) << "@" << shift << 50 << 1;
        QTest::newRow("shift+3 #") << int(Qt::Key_NumberSign) << "#" << shift << 51 << 1;
        QTest::newRow("shift+6 ^") << int(Qt::Key_AsciiCircum) << "^" << shift << 54 << 1;
        QTest::newRow("shift+8 *") << int(Qt::Key_Asterisk) << "*" << shift << 56 << 1;
        QTest::newRow("shift+9 (") << int(Qt::Key_ParenLeft) << "(" << shift << 57 << 1;
        QTest::newRow("shift+0 )") << int(Qt::Key_ParenRight) << ")" << shift << 48 << 1;
        QTest::newRow("shift+= +") << int(Qt::Key_Plus) << "+" << shift << 187 << 1;
        QTest::newRow("-") << int(Qt::Key_Minus) << "-" << 0 << 189 << 0;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << "0" << pad << 96 << 0;
        QTest::newRow("keypad 9") << int(Qt::Key_9) << "9" << pad << 105 << 0;
        QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << "*" << pad << 106 << 0;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << "+" << pad << 107 << 0;
        QTest::newRow("keypad -") << int(Qt::Key_Minus) << "-" << pad << 109 << 0;
        QTest::newRow("keypad .") << int(Qt::Key_Period) << "." << pad << 110 << 0;
        QTest::newRow("keypad /") << int(Qt::Key_Slash) << "/" << pad << 111 << 0;
        QTest::newRow("keypad 7, shift") << int(Qt::Key_7) << "7" << (pad | shift) << 103 << 1;
        QTest::newRow("keypad home (no num lock)") << int(Qt::Key_Home) << "" << pad << 36 << 0;
    }
    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, mods);
        QFETCH(int, code);
        QFETCH(int, shift);
        ButtonWindow w;
        EventLog log(w.button);
        const auto m = Qt::KeyboardModifiers::fromInt(mods);
        keyDown(w.button, key, text, m);
        keyUp(w.button, key, text, m);
        const QStringList events = log.take();
        QVERIFY(events.size() >= 2);
        QCOMPARE(events.first(), QStringLiteral("KeyDown(%1,%2)").arg(code).arg(shift));
        QCOMPARE(events.last(), QStringLiteral("KeyUp(%1,%2)").arg(code).arg(shift));
    }

    void arrowsMoveFocusLikeTab_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected"); // index of the button that gets the focus
        QTest::addColumn<int>("code");
        QTest::newRow("left") << int(Qt::Key_Left) << 0 << 37;
        QTest::newRow("up") << int(Qt::Key_Up) << 0 << 38;
        QTest::newRow("right") << int(Qt::Key_Right) << 2 << 39;
        QTest::newRow("down") << int(Qt::Key_Down) << 2 << 40;
    }
    void arrowsMoveFocusLikeTab()
    {
        QFETCH(int, key);
        QFETCH(int, expected);
        QFETCH(int, code);
        QWidget window;
        Button buttons[3];
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new quintaro::vbButton(&window);
            buttons[i].widget()->setGeometry(10 + 90 * i, 10, 80, 30);
        }
        window.show();
        buttons[1].widget()->setFocus();
        QCOMPARE(window.focusWidget(), buttons[1]);
        EventLog log(buttons[1]);
        keyDown(buttons[1], key);
        QCOMPARE(log.take(), QStringList{QStringLiteral("KeyDown(%1,0)").arg(code)});
        // The keystroke is posted, not sent: nothing has moved yet.
        QCOMPARE(window.focusWidget(), buttons[1]);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(window.focusWidget(), buttons[expected]);
    }

    void checkBoxTogglesByMouseSpaceAndStaysDown()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setCheckBoxBehaviour(true);
        press(b);
        release(b);
        QVERIFY(b->Value());
        QCOMPARE(b->state().m_LastState, vb::dsDown); // the up request is drawn down

        // A hover redraw is still down.
        move(b);
        QCOMPARE(b->state().m_LastState, vb::dsDown);

        keyDown(b, Qt::Key_Space, " ");
        keyUp(b, Qt::Key_Space, " ");
        QVERIFY(!b->Value());
        QCOMPARE(b->state().m_LastState, vb::dsUp);

        b->accessiblePress();
        QVERIFY(b->Value());
        QCOMPARE(b->state().m_LastState, vb::dsDown);
    }

    void clickHandlerMayDestroyTheButton()
    {
        ButtonWindow w;
        QPointer<quintaro::vbButton> b = w.button.widget();
        auto* log = new EventLog(b);
        log->onClick = [&b] { delete b.data(); };
        press(b);
        release(b);
        QVERIFY(b.isNull());
        delete log;
    }

    void keyHandlerMayDestroyTheButton()
    {
        ButtonWindow w;
        QPointer<quintaro::vbButton> b = w.button.widget();
        auto* log = new EventLog(b);
        log->onKeyDown = [&b](short&) { delete b.data(); };
        keyDown(b, Qt::Key_Right);
        QVERIFY(b.isNull());
        QCoreApplication::sendPostedEvents();
        delete log;
    }
};

QTEST_MAIN(TestInput)
#include "tst_input.moc"
