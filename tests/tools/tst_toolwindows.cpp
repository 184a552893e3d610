// What the four tool windows share: fixed-size tool windows with a close box
// only, centred, carrying the application icon, their buttons loaded from their
// saved property sets.

#include "forms/support/TextContrast.h"
#include "platform/forms/ControlText.h"
#include "platform/forms/WindowDescription.h"
#include "support/ToolWindowHarness.h"
#include "tools/ToolWindows.h"
#include "tools/about/frmAbout.h"
#include "tools/calendar/frmCal.h"
#include "tools/countdown/frmHitung.h"
#include "tools/zodiac/frmDate.h"
#include <quintaro/vbButton.h>

#include <QApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using Opener = std::function<forms::Form&()>;

template <class T> Opener opener()
{
    return []() -> forms::Form& { return tooltest::open<T>(); };
}

QJsonObject findControl(const QJsonArray& list, const QString& name)
{
    for (const QJsonValue& v : list) {
        const QJsonObject c = v.toObject();
        if (c.value("name").toString() == name)
            return c;
        const QJsonObject inner = findControl(c.value("controls").toArray(), name);
        if (!inner.isEmpty())
            return inner;
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestToolWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tooltest::prepareEnvironment(); }

    void windowLook_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("buttonCaption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QRect>("buttonRect");
        QTest::newRow("calendar") << opener<tools::frmCal>() << "Calendar Generator" << QSize(629, 369)
                                  << "vbButton1"
                                  << "&GENERATE"
                                  << "Generate Calendar" << QRect(320, 32, 129, 57);
        QTest::newRow("countdown") << opener<tools::frmHitung>() << "Countdown Timer" << QSize(284, 109)
                                   << "vbButton1"
                                   << "&START"
                                   << "" << QRect(64, 8, 57, 89);
        QTest::newRow("birthday") << opener<tools::frmDate>() << "Looking for Birthday and Stars"
                                  << QSize(266, 159) << "Command1"
                                  << "&OK"
                                  << "" << QRect(160, 48, 49, 25);
        QTest::newRow("about") << opener<tools::frmAbout>() << "About Quintaro 2.0" << QSize(315, 225)
                               << "cmd_tutup"
                               << "&Close"
                               << "Close this form" << QRect(112, 192, 89, 25);
    }

    void windowLook()
    {
        QFETCH(Opener, open);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QString, button);
        QFETCH(QString, buttonCaption);
        QFETCH(QString, toolTip);
        QFETCH(QRect, buttonRect);

        forms::Form& form = open();
        QWidget* window = form.window();
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::Tool));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!window->windowIcon().isNull());
        if (const QScreen* screen = window->screen()) {
            const QPoint centre = screen->availableGeometry().center();
            // Centred to within the width of the window frame.
            QVERIFY(qAbs(window->geometry().center().x() - centre.x()) <= 4);
            QVERIFY(qAbs(window->geometry().center().y() - centre.y()) <= 4);
        }

        QWidget* b = form.controls().widget(button);
        QVERIFY(b != nullptr);
        QVERIFY(qobject_cast<quintaro::vbButton*>(b)
                != nullptr); // the owner-drawn button, from its saved set
        QCOMPARE(tooltest::text(form, button), buttonCaption);
        QCOMPARE(b->toolTip(), toolTip);
        QCOMPARE(b->geometry(), buttonRect);
        tooltest::close(form);
    }

    // Under a dark theme every text still reads: no fixed background meets the
    // theme's text colour (the white boxes, the calendar's green day cells).
    void textsReadUnderADarkPalette_data() { windowLook_data(); }
    void textsReadUnderADarkPalette()
    {
        QFETCH(Opener, open);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(formstest::darkPalette());
        forms::Form& form = open();
        const QStringList unreadable = formstest::unreadableTexts(form.window());
        tooltest::close(form);
        QApplication::setPalette(before);
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(u'\n')));
    }

    void menuFactoriesGiveTheSharedInstances()
    {
        QCOMPARE(tools::calendarWindow(), &forms::SharedInstance<tools::frmCal>::get());
        QCOMPARE(tools::countdownWindow(), &forms::SharedInstance<tools::frmHitung>::get());
        QCOMPARE(tools::starsWindow(), &forms::SharedInstance<tools::frmDate>::get());
        QCOMPARE(tools::aboutWindow(), &forms::SharedInstance<tools::frmAbout>::get());
        QCOMPARE(tools::aboutWindow(), tools::aboutWindow());
    }

    void modalShowingEndsWithTheWindow()
    {
        forms::Form* about = tools::aboutWindow();
        bool sawModal = false;
        QTimer::singleShot(0, about, [&] {
            sawModal = forms::Form::modalDepth() == 1 && about->isLoaded() && about->window()->isModal();
            tooltest::click(*about, "cmd_tutup");
        });
        about->showModal();
        QVERIFY(sawModal);
        QVERIFY(!about->isLoaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The saved sets the buttons are loaded from: the one look every tool window's
    // button shares, and each one's extent in HIMETRIC.
    void savedButtonSets_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("extentX");
        QTest::addColumn<int>("extentY");
        QTest::addColumn<double>("fontSize");
        QTest::newRow("calendar") << "frmCal"
                                  << "vbButton1" << 3413 << 1508 << 9.75;
        QTest::newRow("countdown") << "frmHitung"
                                   << "vbButton1" << 1508 << 2355 << 8.25;
        QTest::newRow("birthday") << "frmDate"
                                  << "Command1" << 1296 << 661 << 8.25;
        QTest::newRow("about") << "frmAbout"
                               << "cmd_tutup" << 2355 << 661 << 8.25;
    }

    void savedButtonSets()
    {
        QFETCH(QString, form);
        QFETCH(QString, button);
        QFETCH(int, extentX);
        QFETCH(int, extentY);
        QFETCH(double, fontSize);
        const QJsonObject c =
            findControl(forms::loadWindowDescription(form).value("controls").toArray(), button);
        QCOMPARE(c.value("kind").toString(), QStringLiteral("vbButton"));
        const QJsonObject p = c.value("properties").toObject();
        QCOMPARE(p.value("_extentx").toInt(), extentX);
        QCOMPARE(p.value("_extenty").toInt(), extentY);
        QCOMPARE(p.value("btype").toInt(), 3);
        QCOMPARE(p.value("coltype").toInt(), 1);
        for (const char* key : {"bcol", "bcolo", "mcol"})
            QCOMPARE(p.value(key).toInt(), 12632256);
        for (const char* key : {"fcol", "fcolo", "hand", "soft", "ngrey", "check", "value", "picpos", "fx"})
            QCOMPARE(p.value(key).toInt(-99), 0);
        for (const char* key : {"enab", "umcol", "focusr"})
            QCOMPARE(p.value(key).toInt(), -1);
        QCOMPARE(p.value("mptr").toInt(), 1);
        const QJsonObject font = p.value("font").toObject();
        QCOMPARE(font.value("name").toString(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.value("size").toDouble(), fontSize);
        QCOMPARE(font.value("bold").toBool(), true);
        QVERIFY(!p.contains("picn") && !p.contains("pich"));
    }
};

QTEST_MAIN(TestToolWindows)
#include "tst_toolwindows.moc"
