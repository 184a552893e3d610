// The library's widget as Qt tools see it: every property read and written by
// name, with its change signal; design-time lets reached through setProperty;
// the saved set carrying every property to a new button; the transparent look
// inside the widget.

#include <quintaro/vbButton.h>

#include <QMetaProperty>
#include <QPainter>
#include <QShortcut>
#include <QSignalSpy>
#include <QtTest>

namespace {

QPixmap filledPixmap(Qt::GlobalColor colour)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(colour);
    return QPixmap::fromImage(image);
}

// Pixmaps have no equality; their images do.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.metaType() == QMetaType::fromType<QPixmap>() && b.metaType() == QMetaType::fromType<QPixmap>())
        return a.value<QPixmap>().toImage() == b.value<QPixmap>().toImage();
    return a == b;
}

// Red above y = 25, blue below.
class TwoColourWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::blue);
        p.fillRect(0, 0, width(), 25, Qt::red);
    }
};

} // namespace

class TestProperties : public QObject {
    Q_OBJECT
private slots:
    void roundTripWithNotification_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("BackColor") << QByteArray("BackColor") << QVariant(0x00FF8000u);
        QTest::newRow("BackColor system") << QByteArray("BackColor") << QVariant(0x80000005u);
        QTest::newRow("BackOver") << QByteArray("BackOver") << QVariant(0x00123456u);
        QTest::newRow("ForeColor") << QByteArray("ForeColor") << QVariant(0x000000FFu);
        QTest::newRow("ForeOver") << QByteArray("ForeOver") << QVariant(0x00FF0000u);
        QTest::newRow("MaskColor") << QByteArray("MaskColor") << QVariant(0x00FF00FFu);
        QTest::newRow("ButtonType") << QByteArray("ButtonType") << QVariant::fromValue(quintaro::btOval);
        // No let checks or clamps its value.
        QTest::newRow("ButtonType unknown")
            << QByteArray("ButtonType") << QVariant::fromValue(quintaro::ButtonType(99));
        QTest::newRow("Caption") << QByteArray("Caption") << QVariant(QStringLiteral("&Oval && more"));
        QTest::newRow("Enabled") << QByteArray("Enabled") << QVariant(false);
        QTest::newRow("Font") << QByteArray("Font") << QVariant(QFont(QStringLiteral("DejaVu Serif"), 14));
        QTest::newRow("FontBold") << QByteArray("FontBold") << QVariant(true);
        QTest::newRow("FontItalic") << QByteArray("FontItalic") << QVariant(true);
        QTest::newRow("FontUnderline") << QByteArray("FontUnderline") << QVariant(true);
        QTest::newRow("FontSize") << QByteArray("FontSize") << QVariant(21);
        QTest::newRow("FontName") << QByteArray("FontName") << QVariant(QStringLiteral("DejaVu Sans Mono"));
        QTest::newRow("ColorScheme") << QByteArray("ColorScheme") << QVariant::fromValue(quintaro::csClassic);
        QTest::newRow("ShowFocusRect") << QByteArray("ShowFocusRect") << QVariant(false);
        QTest::newRow("MousePointer") << QByteArray("MousePointer") << QVariant::fromValue(quintaro::vbIbeam);
        QTest::newRow("MouseIcon") << QByteArray("MouseIcon") << QVariant(filledPixmap(Qt::blue));
        QTest::newRow("HandPointer") << QByteArray("HandPointer") << QVariant(true);
        QTest::newRow("SoftBevel") << QByteArray("SoftBevel") << QVariant(true);
        QTest::newRow("PictureNormal") << QByteArray("PictureNormal") << QVariant(filledPixmap(Qt::red));
        QTest::newRow("PictureOver") << QByteArray("PictureOver") << QVariant(filledPixmap(Qt::green));
        QTest::newRow("PicturePosition")
            << QByteArray("PicturePosition") << QVariant::fromValue(quintaro::ppTop);
        QTest::newRow("UseMaskColor") << QByteArray("UseMaskColor") << QVariant(false);
        QTest::newRow("UseGreyscale") << QByteArray("UseGreyscale") << QVariant(true);
        QTest::newRow("SpecialEffect")
            << QByteArray("SpecialEffect") << QVariant::fromValue(quintaro::fxShadow);
        QTest::newRow("CheckBoxBehaviour") << QByteArray("CheckBoxBehaviour") << QVariant(true);
        QTest::newRow("Value") << QByteArray("Value") << QVariant(true);
    }

    void roundTripWithNotification()
    {
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        QWidget window;
        auto* button = new quintaro::vbButton(&window);
        window.show();
        const QMetaObject* meta = button->metaObject();
        const QMetaProperty property = meta->property(meta->indexOfProperty(name));
        QVERIFY2(property.isValid() && property.hasNotifySignal(), name);
        QVERIFY(!sameValue(button->property(name), value));
        QSignalSpy changed(button, property.notifySignal());

        QVERIFY(button->setProperty(name, value));
        QVERIFY2(sameValue(button->property(name), value), qPrintable(button->property(name).toString()));
        QCOMPARE(changed.count(), 1);
        // The same value again changes nothing.
        QVERIFY(button->setProperty(name, value));
        QCOMPARE(changed.count(), 1);
    }

    void fontSizeBeyondSixteenBitsIsRefused()
    {
        quintaro::vbButton button;
        button.setFontSize(21);
        for (int bad : {65544, -65530, 0})
            button.setFontSize(bad);
        QCOMPARE(button.FontSize(), 21);
    }

    void designTimeLetsRunThroughSetProperty()
    {
        quintaro::vbButton design;
        design.setDesignMode(true);
        QSignalSpy overChanged(&design, &quintaro::vbButton::BackOverChanged);
        QVERIFY(design.setProperty("BackColor", 0x0000FF00u));
        QCOMPARE(design.BackOver(), 0x0000FF00u);
        QCOMPARE(overChanged.count(), 1);
        QVERIFY(design.setProperty("ButtonType", QVariant::fromValue(quintaro::btFlat)));
        QVERIFY(design.FontBold());

        quintaro::vbButton running;
        const uint over = running.BackOver();
        QVERIFY(running.setProperty("BackColor", 0x0000FF00u));
        QCOMPARE(running.BackOver(), over);
        QVERIFY(running.setProperty("ButtonType", QVariant::fromValue(quintaro::btFlat)));
        QVERIFY(!running.FontBold());
        QCOMPARE(running.property("Version").toString(), QStringLiteral("2.0.6"));
    }

    void designModeLeavesTheMouseToTheDesigner()
    {
        QWidget window;
        auto* button = new quintaro::vbButton(&window);
        button->setGeometry(0, 0, 80, 24);
        button->setCaption(QStringLiteral("&Oval"));
        QVERIFY(!button->findChildren<QShortcut*>().isEmpty());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicked(button, &quintaro::vbButton::Click);
        const QPoint centre = button->rect().center();
        // One widget: the button takes the pointer itself, nothing inside it does.
        QVERIFY(button->findChildren<QWidget*>().isEmpty());
        QCOMPARE(window.childAt(button->geometry().center()), button);
        QVERIFY(button->hasMouseTracking());
        QTest::mouseClick(button, Qt::LeftButton, {}, centre);
        QCOMPARE(clicked.count(), 1);

        button->setDesignMode(true);
        // The mouse is the designer's (a click there selects, it does not press),
        // no hover tracking runs, and the access key stays the designer's.
        QTest::mouseClick(button, Qt::LeftButton, {}, centre);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!button->hasMouseTracking());
        QVERIFY(button->findChildren<QShortcut*>().isEmpty());
        button->setDesignMode(false);
        QTest::mouseClick(button, Qt::LeftButton, {}, centre);
        QCOMPARE(clicked.count(), 2);
        QVERIFY(!button->findChildren<QShortcut*>().isEmpty());
    }

    // Enabled is QWidget's own enabled state: the widget's setEnabled is the
    // property's let, while a disabled parent takes the input but not the property.
    void enabledIsTheWidgetsOwnState()
    {
        QWidget window;
        auto* button = new quintaro::vbButton(&window);
        QSignalSpy changed(button, &quintaro::vbButton::EnabledChanged);
        button->setEnabled(false);
        QVERIFY(!button->Enabled());
        QVERIFY(!button->property("Enabled").toBool());
        QCOMPARE(changed.count(), 1);
        button->setEnabled(true);
        QVERIFY(button->Enabled());
        QCOMPARE(changed.count(), 2);
        window.setEnabled(false);
        QVERIFY(!button->isEnabled());
        QVERIFY(button->Enabled());
        QCOMPARE(changed.count(), 2);
    }

    // A click that toggles Value reports the change like the let does.
    void clickInCheckBoxModeNotifiesValue()
    {
        QWidget window;
        auto* button = new quintaro::vbButton(&window);
        button->setCheckBoxBehaviour(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy changed(button, &quintaro::vbButton::ValueChanged);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QVERIFY(button->Value());
        QCOMPARE(changed.count(), 1);
    }

    void transparentLookShowsTheWindowUnderTheWidget()
    {
        TwoColourWindow window;
        window.resize(200, 100);
        auto* button = new quintaro::vbButton(&window);
        button->setGeometry(10, 10, 100, 40);
        button->setCaption(QString());
        button->setButtonType(quintaro::btTransparent);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        button->Refresh();
        const QImage shown = window.grab().toImage();
        QCOMPARE(shown.pixel(60, 14), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(60, 45), qRgb(0, 0, 255));
    }

    void savedSetCarriesEveryProperty()
    {
        quintaro::vbButton source;
        source.setButtonType(quintaro::btHotSelect);
        source.setCaption(QStringLiteral("&Saved"));
        source.setColorScheme(quintaro::csCustom);
        source.setBackColor(0x00336699u);
        source.setForeOver(0x00FF0000u);
        source.setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold));
        source.setPictureNormal(filledPixmap(Qt::red));
        source.setPicturePosition(quintaro::ppBottom);
        source.setSpecialEffect(quintaro::fxRaised);
        source.setCheckBoxBehaviour(true);
        source.setValue(true);
        // A loaded set without the hand pointer comes up with the arrow.
        source.setMousePointer(quintaro::vbArrow);

        quintaro::vbButton copy;
        QSignalSpy typeChanged(&copy, &quintaro::vbButton::ButtonTypeChanged);
        copy.load(source.save());
        QCOMPARE(typeChanged.count(), 1);
        const QMetaObject* meta = copy.metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            if (p.isWritable())
                QVERIFY2(sameValue(p.read(&copy), p.read(&source)), p.name());
        }
    }
};

QTEST_MAIN(TestProperties)
#include "tst_properties.moc"
