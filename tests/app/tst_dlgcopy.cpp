// The main window: layout from its description, start state, clock, browse
// buttons, the copy flow with its messages, the menu and the quit question.

#include "app/DlgCopy.h"
#include "app/VersionRecord.h"
#include "forms/support/TextContrast.h"
#include "platform/forms/AccessLabel.h"
#include "platform/forms/ControlText.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/MessageBoxRecorder.h"
#include "platform/forms/SystemClock.h"
#include "platform/forms/WindowDescription.h"
#include "support/FakeShellDialogs.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using forms::MessageBoxRequest;
using forms::MsgButtons;
using forms::MsgIcon;
using forms::MsgResult;

namespace {

struct Copy {
    unsigned func;
    QByteArray from, to;
    unsigned flags;
    void* hwnd;
};

// The window under test with every outside service replaced.
struct Fixture {
    forms::MessageBoxRecorder boxes;
    InstalledFakeDialogs dialogs;
    QList<Copy> copies;
    int shellResult = 0;
    QList<QMenu*> popups;
    app::DlgCopy dlg;

    Fixture()
    {
        dlg.setFileOperation([this](shell::SHFILEOPSTRUCTA& r) {
            copies.append({r.wFunc, r.pFrom, r.pTo, r.fFlags, r.hwnd});
            return shellResult;
        });
        dlg.setPopupMenu([this](QMenu* menu) { popups.append(menu); });
        dlg.show();
    }
    ~Fixture()
    {
        boxes.script({MsgResult::Yes});
        dlg.unload();
    }
    QObject* control(const char* name, int index = -1) const
    {
        return dlg.controls().object(QString::fromLatin1(name), index);
    }
    QString text(const char* name, int index = -1) const { return forms::controlText(control(name, index)); }
    void setText(const char* name, int index, const QString& t)
    {
        forms::setControlText(control(name, index), t);
    }
    void click(const char* name, int index = -1)
    {
        QVERIFY(QMetaObject::invokeMethod(control(name, index), "Click"));
    }
    void tick() { dlg.controls().timer(QStringLiteral("Timer1"))->fire(); }
};

MessageBoxRequest info(const char* text)
{
    return {QString::fromLatin1(text), QStringLiteral("INFORMATION"), MsgIcon::Information, MsgButtons::OK};
}
MessageBoxRequest warning(const char* text)
{
    return {QString::fromLatin1(text), QStringLiteral("WARNING"), MsgIcon::Exclamation, MsgButtons::OK};
}
const MessageBoxRequest kQuit{QStringLiteral("Are you sure you want to quit ?"), QStringLiteral("Exit"),
                              MsgIcon::None, MsgButtons::YesNo};

} // namespace

class TestDlgCopy : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { forms::FormTimer::setManualDriving(true); }
    void cleanup() { forms::setNowSource({}); }

    void windowLayout()
    {
        Fixture f;
        QWidget* w = f.dlg.window();
        QCOMPARE(w->windowTitle(), QStringLiteral("Quintaro 2.0"));
        QCOMPARE(w->size(), QSize(527, 187));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!w->windowFlags().testFlag(Qt::Tool));

        struct Expect {
            const char* name;
            int index;
            QRect rect;
            const char* caption;
            const char* tip;
            const char* accessibleName; // what a screen reader calls it
        };
        const Expect expected[] = {
            {"vbButton1", -1, {16, 8, 65, 25}, "&Menu", "Additional features", "Menu"},
            {"Label2", -1, {248, 8, 33, 17}, "Type", "File or Folder", "Type"},
            {"Opt", 0, {208, 24, 45, 17}, "File", "File type", "File"},
            {"Opt", 1, {280, 24, 57, 17}, "Folder", "Folder type", "Folder"},
            {"lbl", 0, {8, 56, 121, 17}, "Search File / Folder", "", "Search File / Folder"},
            {"Txt", 0, {136, 56, 243, 25}, "", "", "Search File / Folder"},
            {"btn",
             1,
             {400, 56, 89, 25},
             "&Browse File...",
             "Find the file will be copied",
             "Browse File..."},
            {"lbl", 1, {8, 96, 113, 17}, "&Copy To ....", "", "Copy To ...."},
            {"Txt", 1, {136, 96, 243, 25}, "", "", "Copy To ...."},
            {"btn", 2, {400, 96, 89, 25}, "&Copy To...", "Find a place to store the copy", "Copy To..."},
            {"Label5", -1, {200, 136, 121, 33}, "Clock", "Digital Clock", "Clock"},
            {"btn", 0, {384, 144, 121, 25}, "&Copy File...", "Copy file...", "Copy File..."},
        };
        for (const Expect& e : expected) {
            auto* widget = qobject_cast<QWidget*>(f.control(e.name, e.index));
            QVERIFY2(widget != nullptr, e.name);
            QCOMPARE(widget->geometry(), e.rect);
            QCOMPARE(f.text(e.name, e.index), QString::fromLatin1(e.caption));
            QCOMPARE(widget->toolTip(), QString::fromLatin1(e.tip));
            QAccessibleInterface* named = QAccessible::queryAccessibleInterface(widget);
            QCOMPARE(named->text(QAccessible::Name), QString::fromLatin1(e.accessibleName));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(w)->role(), QAccessible::Window);
    }

    void fonts()
    {
        Fixture f;
        auto font = [&](const char* n, int i = -1) {
            return qobject_cast<QWidget*>(f.control(n, i))->font();
        };
        for (auto [n, i] : {std::pair{"Label2", -1}, {"Opt", 0}, {"Opt", 1}, {"lbl", 0}, {"lbl", 1}}) {
            QCOMPARE(font(n, i).families().front(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(font(n, i).pointSizeF(), 8.25);
            QVERIFY(font(n, i).bold());
        }
        QCOMPARE(font("Txt", 0).pointSizeF(), 9.75);
        QVERIFY(!font("Txt", 1).bold());
        QCOMPARE(font("Label5").families().front(), QStringLiteral("Rockwell"));
        QCOMPARE(font("Label5").pointSizeF(), 20.25);
        QVERIFY(font("Label5").bold() && font("Label5").italic());
    }

    void buttonPropertyBags()
    {
        const QJsonObject d = forms::loadWindowDescription(QStringLiteral("DlgCopy"));
        int buttons = 0;
        for (const QJsonValue& v : d.value(QStringLiteral("controls")).toArray()) {
            const QJsonObject c = v.toObject();
            if (c.value(QStringLiteral("kind")).toString() != QLatin1String("vbButton"))
                continue;
            ++buttons;
            const QJsonObject bag = c.value(QStringLiteral("properties")).toObject();
            QCOMPARE(bag.value(QStringLiteral("btype")).toInt(), 3);
            QCOMPARE(bag.value(QStringLiteral("coltype")).toInt(), 1);
            QCOMPARE(bag.value(QStringLiteral("bcol")).toInt(), 0xC0C0C0);
            QCOMPARE(bag.value(QStringLiteral("bcolo")).toInt(), 0xC0C0C0);
            QCOMPARE(bag.value(QStringLiteral("mcol")).toInt(), 0xC0C0C0);
            QCOMPARE(bag.value(QStringLiteral("fcol")).toInt(), 0);
            QCOMPARE(bag.value(QStringLiteral("fcolo")).toInt(), 0xFF0000);
            QCOMPARE(bag.value(QStringLiteral("enab")).toInt(), -1);
            QCOMPARE(bag.value(QStringLiteral("umcol")).toInt(), -1);
            QCOMPARE(bag.value(QStringLiteral("focusr")).toInt(), -1);
            QCOMPARE(bag.value(QStringLiteral("mptr")).toInt(), 1);
            for (const char* off : {"soft", "picpos", "ngrey", "fx", "hand", "check", "value"})
                QCOMPARE(bag.value(QLatin1String(off)).toInt(-7), 0);
            QVERIFY(!bag.contains(QStringLiteral("picn")) && !bag.contains(QStringLiteral("micon")));
            const QJsonObject font = bag.value(QStringLiteral("font")).toObject();
            QCOMPARE(font.value(QStringLiteral("name")).toString(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(font.value(QStringLiteral("size")).toDouble(), 8.25);
            QCOMPARE(font.value(QStringLiteral("bold")).toInt(), -1);
        }
        QCOMPARE(buttons, 4);
    }

    void bracketLines()
    {
        Fixture f;
        const QRect expected[] = {
            {264, 24, 1, 25}, {272, 48, 25, 1}, {296, 40, 1, 9}, {224, 48, 49, 1}, {224, 40, 1, 9}};
        for (int i = 0; i < 5; ++i) {
            auto* line =
                qobject_cast<QWidget*>(f.control(QStringLiteral("Line%1").arg(i + 1).toLatin1().constData()));
            QVERIFY(line != nullptr);
            QCOMPARE(line->geometry(), expected[i]);
        }
    }

    void tabOrder()
    {
        Fixture f;
        QStringList names;
        for (QWidget* w : forms::controlsInTabOrder(f.dlg.window()))
            names << w->objectName();
        QCOMPARE(names, (QStringList{"Txt(0)", "Txt(1)", "lbl(0)", "lbl(1)", "Opt(0)", "Opt(1)", "Label2",
                                     "Label5", "btn(0)", "btn(1)", "btn(2)", "vbButton1"}));
        // "&Copy To ...." gives the focus to the next control in tab order that can
        // take it: "File", or "Folder" when "File" cannot. It names the destination
        // box for assistive tools all the same.
        auto* label = qobject_cast<forms::AccessLabel*>(f.control("lbl", 1));
        QCOMPARE(label->accessTarget(), f.control("Opt", 0));
        qobject_cast<QWidget*>(f.control("Opt", 0))->setEnabled(false);
        QCOMPARE(label->accessTarget(), f.control("Opt", 1));
        QCOMPARE(qobject_cast<QWidget*>(f.control("Txt", 1))->accessibleName(),
                 QStringLiteral("Copy To ...."));
    }

    void startState()
    {
        Fixture f;
        QVERIFY(qobject_cast<QRadioButton*>(f.control("Opt", 0))->isChecked());
        QVERIFY(!qobject_cast<QRadioButton*>(f.control("Opt", 1))->isChecked());
        QCOMPARE(f.text("Txt", 0), QString());
        QCOMPARE(f.text("Txt", 1), QString());
        QCOMPARE(f.dlg.window()->focusWidget(), f.control("Txt", 0));
        QCOMPARE(f.text("Label5"), QStringLiteral("Clock"));
        QCOMPARE(f.dlg.controls().timer(QStringLiteral("Timer1"))->interval(), 1000);
        QVERIFY(f.dlg.controls().timer(QStringLiteral("Timer1"))->isRunning());
        forms::setNowSource([] { return QDateTime(QDate(2024, 5, 1), QTime(23, 59, 59)); });
        f.tick();
        QCOMPARE(f.text("Label5"), QStringLiteral("23:59:59"));
    }

    void clockText_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("midnight") << QTime(0, 0, 0) << "00:00:00";
        QTest::newRow("ten past nine minutes") << QTime(10, 9, 7) << "10:09:07";
        QTest::newRow("morning") << QTime(9, 5, 0) << "09:05:00";
        QTest::newRow("afternoon") << QTime(13, 30, 45) << "13:30:45";
    }
    void clockText()
    {
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        Fixture f;
        forms::setNowSource([time] { return QDateTime(QDate(2024, 1, 1), time); });
        f.tick();
        QCOMPARE(f.text("Label5"), expected);
    }

    void browseForAFile()
    {
        Fixture f;
        f.dialogs.fileChoice = QStringList{QStringLiteral("/srv/report.txt")};
        f.click("btn", 1);
        QCOMPARE(f.dialogs.openCalls.size(), 1);
        QCOMPARE(f.dialogs.folderCalls.size(), 0);
        const auto& call = f.dialogs.openCalls[0];
        QCOMPARE(call.owner, f.dlg.window());
        QCOMPARE(call.title, QByteArray("Open File"));
        QCOMPARE(call.filterPairs.size(), 1);
        QCOMPARE(call.filterPairs[0].first, QStringLiteral("All Files(*.*)"));
        QCOMPARE(call.initialDir, QByteArray());
        QCOMPARE(call.flags, 0x1800u);
        QCOMPARE(f.text("Txt", 0), QStringLiteral("/srv/report.txt"));
        QCOMPARE(f.text("Txt", 1), QString());
    }

    void browseForAFolder()
    {
        Fixture f;
        qobject_cast<QRadioButton*>(f.control("Opt", 1))->click();
        f.dialogs.folderChoice = QByteArray("/srv/photos");
        f.click("btn", 1);
        QCOMPARE(f.dialogs.openCalls.size(), 0);
        QCOMPARE(f.dialogs.folderCalls.size(), 1);
        QCOMPARE(f.dialogs.folderCalls[0].owner, f.dlg.window());
        QCOMPARE(f.text("Txt", 0), QStringLiteral("/srv/photos"));
    }

    void destinationIsAlwaysAFolder()
    {
        Fixture f;
        QVERIFY(qobject_cast<QRadioButton*>(f.control("Opt", 0))->isChecked());
        f.dialogs.folderChoice = QByteArray("/backup");
        f.click("btn", 2);
        QCOMPARE(f.dialogs.openCalls.size(), 0);
        QCOMPARE(f.dialogs.folderCalls.size(), 1);
        QCOMPARE(f.text("Txt", 1), QStringLiteral("/backup"));
        QCOMPARE(f.text("Txt", 0), QString());
    }

    void cancelEmptiesTheBox()
    {
        Fixture f;
        f.setText("Txt", 0, QStringLiteral("/old/source"));
        f.setText("Txt", 1, QStringLiteral("/old/dest"));
        f.click("btn", 1); // the file dialog, cancelled
        QCOMPARE(f.text("Txt", 0), QString());
        f.click("btn", 2); // the folder browser, cancelled
        QCOMPARE(f.text("Txt", 1), QString());
        QVERIFY(f.boxes.requests().isEmpty());
    }

    void bothEmpty()
    {
        Fixture f;
        f.click("btn", 0);
        QCOMPARE(f.boxes.requests(),
                 (QList<MessageBoxRequest>{warning("Empty Source File!"), info("Copying Failed!")}));
        QVERIFY(f.copies.isEmpty());
    }

    void destinationEmpty()
    {
        Fixture f;
        f.setText("Txt", 0, QStringLiteral("/a/file"));
        f.click("btn", 0);
        QCOMPARE(f.boxes.requests(),
                 (QList<MessageBoxRequest>{warning("Destination File Is Empty!"), info("Copying Failed!")}));
        QVERIFY(f.copies.isEmpty());
        QCOMPARE(f.text("Txt", 0), QStringLiteral("/a/file"));
    }

    void successfulCopy()
    {
        Fixture f;
        f.setText("Txt", 0, QStringLiteral("/a/file.txt"));
        f.setText("Txt", 1, QStringLiteral("/b"));
        f.click("btn", 0);
        QCOMPARE(f.boxes.requests(), (QList<MessageBoxRequest>{info("Copying Succesfuly!")}));
        QCOMPARE(f.copies.size(), 1);
        const Copy& c = f.copies[0];
        QCOMPARE(c.func, 2u);
        QCOMPARE(c.from, QByteArray("/a/file.txt\0\0", 13));
        QCOMPARE(c.to, QByteArray("/b\0\0", 4));
        QCOMPARE(c.flags, 0x40u);
        QVERIFY(c.hwnd == nullptr);
        QCOMPARE(f.text("Txt", 0), QStringLiteral("/a/file.txt"));
        QCOMPARE(f.text("Txt", 1), QStringLiteral("/b"));
    }

    void shellFailureAndBlankSource()
    {
        Fixture f;
        f.shellResult = 1223;
        f.setText("Txt", 0, QStringLiteral(" ")); // not empty: goes to the shell as it stands
        f.setText("Txt", 1, QStringLiteral("/b"));
        f.click("btn", 0);
        QCOMPARE(f.copies.size(), 1);
        QCOMPARE(f.copies[0].from, QByteArray(" \0\0", 3));
        QCOMPARE(f.boxes.requests(), (QList<MessageBoxRequest>{info("Copying Failed!")}));
    }

    void noShellEntryPointFails()
    {
        Fixture f;
        f.dlg.setFileOperation({});
        f.setText("Txt", 0, QStringLiteral("/a"));
        f.setText("Txt", 1, QStringLiteral("/b"));
        f.click("btn", 0);
        QCOMPARE(f.boxes.requests(), (QList<MessageBoxRequest>{info("Copying Failed!")}));
    }

    void menu()
    {
        Fixture f;
        f.click("vbButton1");
        QCOMPARE(f.popups.size(), 1);
        QMenu* menu = f.popups[0];
        QCOMPARE(menu, f.dlg.controls().menu(QStringLiteral("mnu")));
        QCOMPARE(menu->title(), QStringLiteral("mnu"));
        QStringList captions, shortcuts;
        for (QAction* a : menu->actions()) {
            captions << a->text();
            shortcuts << a->shortcut().toString(QKeySequence::PortableText);
        }
        QCOMPARE(captions,
                 (QStringList{"&Calendar Generator", "&Countdown Timer", "&Looking for Birthday and Stars",
                              "Detect how long the current &Windows", "&About Quintaro"}));
        QCOMPARE(shortcuts, (QStringList{"Ctrl+G", "Ctrl+C", "Ctrl+L", "Ctrl+W", "Ctrl+A"}));
        QVERIFY(f.dlg.window()->findChild<QMenuBar*>() == nullptr);
    }

    void uptimeReport()
    {
        Fixture f;
        forms::setTickCountSource([] { return std::uint32_t(3661999); });
        f.dlg.controls().action(QStringLiteral("mnuDetect"))->trigger();
        forms::setTickCountSource({});
        QCOMPARE(f.boxes.requests(),
                 (QList<MessageBoxRequest>{{QStringLiteral("Windows has been running for 01:01:01 seconds"),
                                            QStringLiteral("Detect how long the current Windows"),
                                            MsgIcon::Information, MsgButtons::OK}}));
    }

    void toolWindowsOpenModallyAndReload()
    {
        Fixture f;
        // Without a window behind it the menu item does nothing.
        f.dlg.controls().action(QStringLiteral("mnuCal"))->trigger();

        forms::Form tool(QStringLiteral("frmTool"), forms::parseWindowDescription(R"({"kind":"tool",
            "controls":[{"name":"Text1","kind":"textbox","text":"design","left":0,"top":0,"width":900,"height":300}]})"));
        int loads = 0;
        QObject::connect(&tool, &forms::Form::loaded, [&] { ++loads; });
        f.dlg.setToolWindows(app::ToolWindows{[&] { return &tool; }, {}, {}, {}});
        bool mainDisabled = false;
        QString seenText;
        auto closeSoon = [&] {
            QTimer::singleShot(0, &tool, [&] {
                mainDisabled = QApplication::activeModalWidget() == tool.window();
                seenText = forms::controlText(tool.controls().object(QStringLiteral("Text1")));
                forms::setControlText(tool.controls().object(QStringLiteral("Text1")),
                                      QStringLiteral("edited"));
                tool.window()->close();
            });
        };
        closeSoon();
        f.dlg.controls().action(QStringLiteral("mnuCal"))->trigger(); // returns once the window has closed
        QVERIFY(mainDisabled);
        QVERIFY(!tool.isLoaded());
        closeSoon();
        f.dlg.controls().action(QStringLiteral("mnuCal"))->trigger();
        QCOMPARE(loads, 2);
        QCOMPARE(seenText, QStringLiteral("design"));
        f.dlg.controls().action(QStringLiteral("mnuCount"))->trigger(); // still no window: nothing
        QCOMPARE(loads, 2);
    }

    void quitNoKeepsTheWindow()
    {
        Fixture f;
        f.setText("Txt", 0, QStringLiteral("kept"));
        f.boxes.script({MsgResult::No});
        f.dlg.window()->close();
        QVERIFY(f.dlg.isLoaded());
        QVERIFY(f.dlg.window()->isVisible());
        QCOMPARE(f.text("Txt", 0), QStringLiteral("kept"));
        f.boxes.script({MsgResult::No});
        QVERIFY(!f.dlg.unload(forms::UnloadMode::AppWindows)); // the session ending asks too
        QCOMPARE(f.boxes.requests(), (QList<MessageBoxRequest>{kQuit, kQuit}));
    }

    void versionRecordAndTextBoxColour()
    {
        app::applyVersionRecord(*qApp);
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quintaro"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("2.00"));
        QCOMPARE(qApp->property("internalName").toString(), QStringLiteral("Quintaro 2.0"));
        QCOMPARE(qApp->property("productName").toString(), QStringLiteral("Quintaro"));
        QCOMPARE(qApp->property("fileDescription").toString(),
                 QStringLiteral("You can copy and paste quickly"));
        // The path boxes are white whatever the palette's window colour, and
        // under a dark theme their paths, like every other text, still read.
        QApplication::setPalette(formstest::darkPalette());
        Fixture f;
        for (int i : {0, 1}) {
            auto* box = qobject_cast<QLineEdit*>(f.control("Txt", i));
            QVERIFY(box != nullptr);
            QCOMPARE(box->grab().toImage().pixelColor(box->width() / 2, box->height() / 2),
                     QColor(Qt::white));
        }
        const QStringList unreadable = formstest::unreadableTexts(f.dlg.window());
        QApplication::setPalette(QPalette());
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(u'\n')));
    }

    void quitYesUnloads()
    {
        Fixture f;
        QSignalSpy unloaded(&f.dlg, &forms::Form::unloaded);
        f.boxes.script({MsgResult::Yes});
        f.dlg.window()->close(); // what the close box, the system menu and Alt+F4 send
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(!f.dlg.isLoaded());
        QCOMPARE(f.boxes.requests(), (QList<MessageBoxRequest>{kQuit}));
    }
};

QTEST_MAIN(TestDlgCopy)
#include "tst_dlgcopy.moc"
