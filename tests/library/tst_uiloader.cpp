// A form made in Qt Designer, loaded at run time through QUiLoader with the
// button's Designer plugin on the plugin path: the buttons are real vbButtons
// in run mode with the properties the form sets.

#include <quintaro/vbButton.h>

#include <QFile>
#include <QUiLoader>
#include <QtTest>

class TestUiLoader : public QObject {
    Q_OBJECT
private slots:
    void formWithTwoButtonsLoads()
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QStringLiteral(QUINTARO_DESIGNER_PLUGINS));
        QVERIFY2(loader.availableWidgets().contains(QStringLiteral("quintaro::vbButton")),
                 qPrintable(loader.availableWidgets().join(u' ')));
        QFile file(QStringLiteral(QUINTARO_TEST_UI));
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::unique_ptr<QWidget> form(loader.load(&file));
        QVERIFY2(form, qPrintable(loader.errorString()));

        auto* oval = form->findChild<quintaro::vbButton*>(QStringLiteral("ovalButton"));
        auto* flat = form->findChild<quintaro::vbButton*>(QStringLiteral("flatButton"));
        QVERIFY(oval && flat);
        QCOMPARE(oval->ButtonType(), quintaro::btOval);
        QCOMPARE(oval->Caption(), QStringLiteral("&Oval"));
        QCOMPARE(oval->ColorScheme(), quintaro::csCustom);
        QCOMPARE(oval->BackColor(), 16744448u);
        QCOMPARE(oval->geometry(), QRect(10, 10, 100, 40));
        QCOMPARE(flat->ButtonType(), quintaro::btFlat);
        QCOMPARE(flat->Caption(), QStringLiteral("Flat"));
        QVERIFY(flat->CheckBoxBehaviour() && flat->Value());
        QCOMPARE(flat->FontName(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(flat->FontSize(), 11);
        QVERIFY(flat->FontItalic());
        // A loaded form runs: no design mode, so btFlat did not make the font bold.
        QVERIFY(!oval->designMode() && !flat->designMode());
        QVERIFY(!flat->FontBold());
    }
};

QTEST_MAIN(TestUiLoader)
#include "tst_uiloader.moc"
