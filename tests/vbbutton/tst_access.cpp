// Access keys from captions, the access-key press, and what accessibility
// tools see of a button.

#include "controls/vbButton/AccessKey.h"
#include "platform/forms/ControlText.h"
#include "platform/copy-ui/CallerWindowsLock.h"
#include "support/VbInputDriver.h"

#include <QAccessible>
#include <QtTest>
#include <optional>

using namespace vbtest;

class TestAccess : public QObject {
    Q_OBJECT
private slots:
    void init() { usePointerSeam(); }

    void accessKeyOfCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key"); // empty: none
        QTest::newRow("first letter") << "&Copy To..."
                                      << "c";
        QTest::newRow("lower case of a capital") << "Sa&Ve"
                                                 << "v";
        QTest::newRow("only a literal ampersand") << "a&&b"
                                                  << "";
        QTest::newRow("literal, then a key") << "a&&b&Bc"
                                             << "b";
        QTest::newRow("three in a row") << "&&&X"
                                        << "x";
        QTest::newRow("literal, then a second literal") << "a&&b&&c"
                                                        << "";
        QTest::newRow("literal, then a trailing ampersand") << "a&&b&"
                                                            << "";
        QTest::newRow("literal at the end") << "ab&&"
                                            << "";
        QTest::newRow("trailing ampersand") << "ab&"
                                            << "";
        QTest::newRow("first of two keys") << "&a&b"
                                           << "a";
        QTest::newRow("no ampersand") << "Close"
                                      << "";
        QTest::newRow("one character") << "&"
                                       << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("two characters") << "&x"
                                        << "x";
    }
    void accessKeyOfCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        const auto k = vb::AccessKeyFor(caption);
        QCOMPARE(k ? QString(*k) : QString(), key);
    }

    void captionAsItReads_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("prefix") << "&Copy To..."
                                << "Copy To...";
        QTest::newRow("literal") << "a&&b"
                                 << "a&b";
        QTest::newRow("literal then prefix") << "&&&X"
                                             << "&X";
        QTest::newRow("trailing") << "ab&"
                                  << "ab";
        QTest::newRow("plain") << "OK"
                               << "OK";
    }
    void captionAsItReads()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QCOMPARE(vb::CaptionWithoutPrefixes(caption), text);
    }

    void captionRegistersItsKeyWithTheHost()
    {
        ButtonWindow w;
        Button b = w.button;
        QCOMPARE(b->accessKeys(), QString()); // a new instance has none until its caption is set
        b->setCaption("&Copy To...");
        QCOMPARE(b->accessKeys(), QStringLiteral("c"));
        b->setCaption("a&&b");
        QCOMPARE(b->accessKeys(), QString());
        b->setCaption("a&&b&Bc");
        QCOMPARE(b->accessKeys(), QStringLiteral("b"));
    }

    void windowRuntimeTextIsTheCaption()
    {
        // Windows read and set any control's text through the runtime; for the
        // button that is its Caption, with the let's access key.
        ButtonWindow w;
        Button b = w.button;
        forms::setControlText(b, QStringLiteral("&Go"));
        QCOMPARE(b->Caption(), QStringLiteral("&Go"));
        QCOMPARE(b->accessKeys(), QStringLiteral("g"));
        QCOMPARE(forms::controlText(b), QStringLiteral("&Go"));
    }

    void altKeyInTheWindowClicks()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setCaption("&Copy To...");
        QApplication::setActiveWindow(&w.window);
        if (QApplication::activeWindow() != &w.window)
            QSKIP("this platform gives no active window");
        EventLog log(b);
        QTest::keyClick(&w.window, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(log.take(), QStringList{"Click"});
        QCOMPARE(b->state().m_LastButton, 1);
    }

    void accessKeyPressClicksWithoutLookingAtTheKey()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        press(b, Qt::RightButton);
        release(b, Qt::RightButton);
        log.take();
        b->accessiblePress(); // the same path as the access key
        QCOMPARE(log.take(), QStringList{"Click"});
        QCOMPARE(b->state().m_LastButton, 1);
    }

    void disabledButtonIgnoresItsAccessKey()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setCaption("&Copy To...");
        b->setEnabled(false);
        QVERIFY(!b.widget()->isEnabled()); // the window follows the property
        EventLog log(b);
        b->accessiblePress();
        QCOMPARE(log.take(), QStringList{});
    }

    // The press action returns at once and clicks on the next turn of the
    // event loop, unless the caller's windows are locked by then (a copy runs).
    void accessibilityReportsAPushButton_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("free") << false;
        QTest::newRow("caller windows locked") << true;
    }
    void accessibilityReportsAPushButton()
    {
        QFETCH(bool, locked);
        ButtonWindow w;
        Button b = w.button;
        b->setCaption("Copy && &Paste");
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Copy & Paste"));
        QAccessibleActionInterface* actions = iface->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        EventLog log(b);
        std::optional<shell::CallerWindowsLock> lock;
        if (locked)
            lock.emplace();
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(log.take(), QStringList{});
        QCoreApplication::sendPostedEvents();
        const QStringList clicked = locked ? QStringList{} : QStringList{"Click"};
        QCOMPARE(log.take(), clicked);

        // The other ways in obey the same lock: Space, and the access key.
        keyDown(b, Qt::Key_Space, QStringLiteral(" "));
        keyUp(b, Qt::Key_Space, QStringLiteral(" "));
        QCOMPARE(log.take().filter(QStringLiteral("Click")), clicked);
        b->setCaption("&Copy To...");
        QApplication::setActiveWindow(&w.window);
        if (QApplication::activeWindow() == &w.window) {
            QTest::keyClick(&w.window, Qt::Key_C, Qt::AltModifier);
            QCOMPARE(log.take(), clicked);
        }
    }

    void accessibilityShowsCheckState()
    {
        ButtonWindow w;
        Button b = w.button;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b);
        QVERIFY(!iface->state().checkable);
        b->setCheckBoxBehaviour(true);
        b->setValue(true);
        QVERIFY(iface->state().checkable);
        QVERIFY(iface->state().checked);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
