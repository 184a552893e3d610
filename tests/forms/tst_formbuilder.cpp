// Building windows from descriptions: twips, control kinds, arrays, tab order,
// access keys, fonts, colours, menus, timers and the control registry.

#include "platform/forms/AccessLabel.h"
#include "platform/forms/ControlRegistry.h"
#include "platform/forms/ControlText.h"
#include "platform/forms/Colors.h"
#include "platform/forms/Controls.h"
#include "platform/forms/FallbackButton.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/FormBuilder.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/LineControl.h"
#include "platform/forms/WindowDescription.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

using namespace forms;

namespace {

const char* const kDescription = R"({
  "name": "frmTest", "caption": "Test window", "kind": "tool",
  "clientWidth": 4500, "clientHeight": 3000, "backColor": "0x00FF8080",
  "controls": [
    { "name": "Label1", "kind": "label", "caption": "&Name", "left": 150, "top": 300, "width": 900, "height": 255,
      "tabIndex": 0, "alignment": "center", "font": { "name": "MS Sans Serif", "size": 8.25, "bold": -1 } },
    { "name": "Text1", "kind": "textbox", "text": "abc", "left": 1500, "top": 300, "width": 1500, "height": 375,
      "tabIndex": 2, "toolTip": "type here" },
    { "name": "Hidden", "kind": "textbox", "left": 1500, "top": 900, "width": 1500, "height": 375,
      "tabIndex": 1, "enabled": false },
    { "name": "Opt", "index": 1, "kind": "option", "caption": "Two", "left": 0, "top": 1500, "width": 900, "height": 255, "tabIndex": 4 },
    { "name": "Opt", "index": 0, "kind": "option", "caption": "One", "left": 900, "top": 1500, "width": 900, "height": 255,
      "tabIndex": 3, "value": true },
    { "name": "Frame1", "kind": "frame", "caption": "Group", "left": 1500, "top": 1500, "width": 2700, "height": 1200,
      "controls": [
        { "name": "Inner", "kind": "label", "caption": "inside", "left": 150, "top": 300, "width": 600, "height": 255,
          "border": true, "backColor": 8454016 },
        { "name": "btn", "index": 0, "kind": "vbButton", "left": 900, "top": 300, "width": 1200, "height": 375, "tabIndex": 5,
          "properties": { "tx": "&Go", "enab": -1 } },
        { "name": "btn", "index": 1, "kind": "vbButton", "left": 900, "top": 750, "width": 1200, "height": 375, "tabIndex": 6,
          "properties": { "tx": "Stop", "enab": 0 } }
      ] },
    { "name": "Line1", "kind": "line", "x1": 150, "y1": 2850, "x2": 1350, "y2": 2850 },
    { "name": "Memo", "kind": "textbox", "multiLine": true, "border": false, "alignment": "center", "text": "a\r\nb",
      "left": 0, "top": 0, "width": 600, "height": 600, "visible": false },
    { "name": "Timer1", "kind": "timer", "interval": 250, "enabled": false }
  ],
  "menus": [ { "name": "mnu", "caption": "mnu", "items": [
      { "name": "mnuA", "caption": "&Alpha", "shortcut": "Ctrl+G" },
      { "caption": "-" },
      { "name": "mnuB", "caption": "&Beta" } ] } ]
})";

struct Built {
    QWidget window;
    Controls controls;
    Built() { FormBuilder::build(parseWindowDescription(kDescription), &window, controls); }
};

} // namespace

class TestFormBuilder : public QObject {
    Q_OBJECT
private slots:
    void init() { FormTimer::setManualDriving(true); }

    void windowProperties()
    {
        Built b;
        QCOMPARE(b.window.windowTitle(), QStringLiteral("Test window"));
        QCOMPARE(b.window.size(), QSize(300, 200)); // 4500 x 3000 twips
        QCOMPARE(b.window.minimumSize(), b.window.maximumSize());
        QVERIFY(b.window.windowFlags().testFlag(Qt::Tool));
        QVERIFY(!b.window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!b.window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(b.window.palette().color(QPalette::Window), QColor(0x80, 0x80, 0xFF)); // 0x00BBGGRR
    }

    void mainWindowFlags()
    {
        QWidget window;
        FormBuilder::applyWindow(
            parseWindowDescription(R"({"kind":"main","clientWidth":7905,"clientHeight":2805})"), &window);
        QCOMPARE(window.size(), QSize(527, 187));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::Tool));
    }

    void controlKindsAndGeometry()
    {
        Built b;
        auto* label = b.controls.get<AccessLabel>(QStringLiteral("Label1"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->geometry(), QRect(10, 20, 60, 17));
        QVERIFY(label->alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pointSizeF(), 8.25);
        QCOMPARE(label->font().families().value(1), QStringLiteral("Liberation Sans"));

        auto* text = b.controls.get<QLineEdit>(QStringLiteral("Text1"));
        QVERIFY(text != nullptr);
        QCOMPARE(text->text(), QStringLiteral("abc"));
        QCOMPARE(text->toolTip(), QStringLiteral("type here"));
        QCOMPARE(text->geometry(), QRect(100, 20, 100, 25));
        QVERIFY(!b.controls.widget(QStringLiteral("Hidden"))->isEnabled());

        auto* memo = b.controls.get<QTextEdit>(QStringLiteral("Memo"));
        QVERIFY(memo != nullptr);
        QVERIFY(!memo->isVisibleTo(&b.window));
        QCOMPARE(controlText(memo),
                 QStringLiteral("a\r\nb").replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        auto* line = b.controls.get<LineControl>(QStringLiteral("Line1"));
        QVERIFY(line != nullptr);
        QCOMPARE(line->line(), QLine(10, 190, 90, 190));
        QCOMPARE(line->geometry(), QRect(10, 190, 81, 1));
    }

    void childrenSitInsideTheirFrame()
    {
        Built b;
        auto* frame = b.controls.get<QGroupBox>(QStringLiteral("Frame1"));
        auto* inner = b.controls.widget(QStringLiteral("Inner"));
        QCOMPARE(inner->parentWidget(), frame);
        QCOMPARE(inner->geometry(), QRect(10, 20, 40, 17));
        QCOMPARE(inner->palette().color(QPalette::Window), QColor(0x80, 0xFF, 0x80));
    }

    void controlArrays()
    {
        Built b;
        QCOMPARE(b.controls.indexes(QStringLiteral("Opt")), (QList<int>{0, 1}));
        QCOMPARE(controlText(b.controls.object(QStringLiteral("Opt"), 0)), QStringLiteral("One"));
        QVERIFY(b.controls.get<QRadioButton>(QStringLiteral("Opt"), 0)->isChecked());
        QVERIFY(!b.controls.get<QRadioButton>(QStringLiteral("Opt"), 1)->isChecked());
        QVERIFY(b.controls.object(QStringLiteral("Opt")) == nullptr); // no member without index

        QList<int> clicked;
        QCOMPARE(b.controls.onArrayEvent(QStringLiteral("btn"), "Click()", [&](int i) { clicked.append(i); }),
                 2);
        auto* go = b.controls.get<FallbackButton>(QStringLiteral("btn"), 0);
        auto* stop = b.controls.get<FallbackButton>(QStringLiteral("btn"), 1);
        QCOMPARE(go->text(), QStringLiteral("&Go"));
        QVERIFY(!stop->isEnabled());
        stop->setEnabled(true);
        stop->click();
        go->click();
        QCOMPARE(clicked, (QList<int>{1, 0}));
    }

    void optionsInOneParentAreExclusive()
    {
        Built b;
        b.controls.get<QRadioButton>(QStringLiteral("Opt"), 1)->click();
        QVERIFY(!b.controls.get<QRadioButton>(QStringLiteral("Opt"), 0)->isChecked());
    }

    void tabOrder()
    {
        Built b;
        // Hidden (1) is disabled, so Text1 (2) follows the label; then One (3), Two (4), Go (5), Stop (6).
        QList<QWidget*> order = controlsInTabOrder(&b.window);
        QStringList names;
        for (QWidget* w : order)
            names << w->objectName();
        QCOMPARE(names, (QStringList{"Label1", "Hidden", "Text1", "Opt(0)", "Opt(1)", "btn(0)", "btn(1)"}));
        QCOMPARE(b.controls.widget(QStringLiteral("Text1"))->nextInFocusChain()->objectName(),
                 QStringLiteral("Opt(0)"));
    }

    void labelAccessKeyFocusesNextControlThatCanTakeIt()
    {
        Built b;
        auto* label = b.controls.get<AccessLabel>(QStringLiteral("Label1"));
        QCOMPARE(label->accessTarget(), b.controls.widget(QStringLiteral("Text1")));
        b.controls.widget(QStringLiteral("Hidden"))->setEnabled(true);
        QCOMPARE(label->accessTarget(), b.controls.widget(QStringLiteral("Hidden")));

        b.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.window));
        b.controls.widget(QStringLiteral("Opt"), 0)->setFocus();
        QTest::keyClick(&b.window, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), b.controls.widget(QStringLiteral("Hidden")));
    }

    void menus()
    {
        Built b;
        QMenu* menu = b.controls.menu(QStringLiteral("mnu"));
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->actions().size(), 3);
        QVERIFY(menu->actions().at(1)->isSeparator());
        QAction* alpha = b.controls.action(QStringLiteral("mnuA"));
        QCOMPARE(alpha->text(), QStringLiteral("&Alpha"));
        QCOMPARE(alpha->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
        QVERIFY(b.window.actions().contains(alpha));
        int fired = 0;
        QVERIFY(onEvent(alpha, "triggered()", [&] { ++fired; }));
        alpha->trigger();
        QCOMPARE(fired, 1);
    }

    void timers()
    {
        Built b;
        FormTimer* timer = b.controls.timer(QStringLiteral("Timer1"));
        QVERIFY(timer != nullptr);
        QCOMPARE(timer->interval(), 250);
        QVERIFY(!timer->isEnabled());
        int ticks = 0;
        QVERIFY(onEvent(timer, "Timer()", [&] { ++ticks; }));
        timer->fire(); // disabled: no tick
        QCOMPARE(ticks, 0);
        timer->setEnabled(true);
        timer->fire();
        timer->fire();
        QCOMPARE(ticks, 2);
        timer->setInterval(0); // no interval: stopped
        timer->fire();
        QCOMPARE(ticks, 2);
    }

    void unknownSignalIsRefused()
    {
        Built b;
        QVERIFY(!onEvent(b.controls.object(QStringLiteral("Text1")), "Click()", [] {}));
        QVERIFY(!onEvent(nullptr, "Click()", [] {}));
    }

    void registryReplacesAKind()
    {
        struct Restore {
            ~Restore() { ControlRegistry::instance().restoreBuiltins(); }
        } restore;
        QJsonObject seen;
        ControlRegistry::instance().registerKind(QStringLiteral("vbButton"),
                                                 [&](QWidget* parent, const QJsonObject& d) -> QWidget* {
                                                     seen = d;
                                                     return new QLineEdit(parent);
                                                 });
        Built b;
        QVERIFY(b.controls.get<QLineEdit>(QStringLiteral("btn"), 1) != nullptr);
        QCOMPARE(seen.value(QStringLiteral("properties")).toObject().value(QStringLiteral("tx")).toString(),
                 QStringLiteral("Stop"));
        // The builder still applies what every control has.
        QCOMPARE(b.controls.widget(QStringLiteral("btn"), 1)->geometry(), QRect(60, 50, 80, 25));
    }

    void unknownKindIsAnError()
    {
        QWidget window;
        Controls controls;
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            FormBuilder::build(parseWindowDescription(R"({"controls":[{"name":"X","kind":"gizmo"}]})"),
                               &window, controls));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, (void)parseWindowDescription("{ not json"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 (void)loadWindowDescription(QStringLiteral("NoSuchForm")));
    }

    void borderedLabelShowsLargeDigitsWhole()
    {
        // A calendar day cell: 33 pixels high, a 27-pixel serif font, single border.
        const char* desc = R"({"controls":[{"name":"Cell","kind":"label","caption":"30","left":0,"top":0,
            "width":975,"height":495,"alignment":"center","border":true,"backColor":"0x0080FF80",
            "foreColor":"0x00000000","font":{"name":"Times New Roman","size":20.25,"bold":true}}]})";
        QWidget window;
        Controls controls;
        FormBuilder::build(parseWindowDescription(desc), &window, controls);
        auto* cell = qobject_cast<AccessLabel*>(controls.widget("Cell"));
        QVERIFY(cell != nullptr);
        QVERIFY(cell->hasSingleBorder());
        const QImage shot = cell->grab().toImage();
        const QRgb frame = oleColor(0x80000006u).rgb(); // the border, in the window-frame colour
        QCOMPARE(shot.pixel(0, 0), frame);
        QCOMPARE(shot.pixel(cell->width() - 1, cell->height() - 1), frame);
        int first = -1, last = -1;
        for (int y = 1; y < shot.height() - 1; ++y)
            for (int x = 1; x < shot.width() - 1; ++x)
                if (qGray(shot.pixel(x, y)) < 80) {
                    if (first < 0)
                        first = y;
                    last = y;
                }
        // Every row of the digits is inside the border: none is cut off at the bottom.
        const int glyphRows = QFontMetrics(cell->font()).tightBoundingRect(QStringLiteral("30")).height();
        QVERIFY2(last - first + 1 >= glyphRows, qPrintable(QStringLiteral("rows %1..%2").arg(first).arg(last)));
        QVERIFY(last < shot.height() - 2);
    }

    void fontStandIns()
    {
        QCOMPARE(fontFamiliesFor(QStringLiteral("Rockwell")).value(1),
                 QStringLiteral("DejaVu Serif Condensed"));
        QCOMPARE(fontFamiliesFor(QStringLiteral("Tahoma")).value(1), QStringLiteral("Liberation Sans"));
        QCOMPARE(fontFamiliesFor(QStringLiteral("Times New Roman")).value(1),
                 QStringLiteral("Liberation Serif"));
        const QFont font = fontFromDescription(
            QJsonObject{{"name", "Rockwell"}, {"size", 20.25}, {"bold", true}, {"italic", -1}});
        QVERIFY(font.bold() && font.italic());
        QCOMPARE(font.pointSizeF(), 20.25);
        // The stand-in is really there to be used.
        QCOMPARE(QFontInfo(QFont(fontFamiliesFor(QStringLiteral("MS Sans Serif")).value(1))).family(),
                 QStringLiteral("Liberation Sans"));
    }
};

QTEST_MAIN(TestFormBuilder)
#include "tst_formbuilder.moc"
