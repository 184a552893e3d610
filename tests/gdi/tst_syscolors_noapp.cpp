// Without a GUI application there is no desktop palette: the classic table answers.

#include "platform/gdi/SysColors.h"

#include <QTest>

using namespace gdi;

class TstSysColorsNoApp : public QObject {
    Q_OBJECT
private slots:
    void paletteFallsBackToClassic()
    {
        setSysColorSource(SysColorSource::Palette);
        QCOMPARE(GetSysColor(COLOR_BTNFACE), ColorRef(0xC0C0C0));
        QCOMPARE(GetSysColor(COLOR_BTNSHADOW), ColorRef(0x808080));
        QCOMPARE(GetSysColor(COLOR_WINDOW), ColorRef(0xFFFFFF));
        ColorRef c = 1;
        QVERIFY(OleTranslateColor(0x80000008, &c));
        QCOMPARE(c, ColorRef(0));
    }
};

QTEST_APPLESS_MAIN(TstSysColorsNoApp)
#include "tst_syscolors_noapp.moc"
