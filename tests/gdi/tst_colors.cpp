// System colours (classic table and desktop palette), OLE colour translation,
// HIMETRIC conversion and picture loading.

#include "platform/gdi/Picture.h"
#include "platform/gdi/SysColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>

using namespace gdi;

class TstColors : public QObject {
    Q_OBJECT
private slots:
    void init() { setSysColorSource(SysColorSource::Classic); }
    void classicTable();
    void outOfRangeIndexIsBlack();
    void paletteSource();
    void oleTranslate();
    void colourHelpers();
    void himetric();
    void pictureFromImage();
    void pictureLoad();
};

void TstColors::classicTable()
{
    const ColorRef expected[25] = {
        0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
        0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
        0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF,
    };
    QCOMPARE(sysColorSource(), SysColorSource::Classic);
    for (int i = 0; i < 25; ++i)
        QCOMPARE(GetSysColor(i), expected[i]);
    QCOMPARE(GetSysColor(COLOR_BTNFACE), ColorRef(0xC0C0C0));
    QCOMPARE(GetSysColor(COLOR_HIGHLIGHT), ColorRef(0x800000));
}

void TstColors::outOfRangeIndexIsBlack()
{
    QCOMPARE(GetSysColor(-1), ColorRef(0));
    QCOMPARE(GetSysColor(COLOR_COUNT), ColorRef(0));
    QCOMPARE(GetSysColor(1000), ColorRef(0));
}

void TstColors::paletteSource()
{
    const QPalette saved = QGuiApplication::palette();
    QPalette p = saved;
    p.setColor(QPalette::All, QPalette::Button, QColor(0x11, 0x22, 0x33));
    p.setColor(QPalette::All, QPalette::ButtonText, QColor(0x44, 0x55, 0x66));
    p.setColor(QPalette::All, QPalette::Shadow, QColor(0x01, 0x02, 0x03));
    p.setColor(QPalette::All, QPalette::Highlight, QColor(0xA0, 0xB0, 0xC0));
    QGuiApplication::setPalette(p);
    setSysColorSource(SysColorSource::Palette);
    QCOMPARE(GetSysColor(COLOR_BTNFACE), rgb(0x11, 0x22, 0x33));
    QCOMPARE(GetSysColor(COLOR_BTNTEXT), rgb(0x44, 0x55, 0x66));
    QCOMPARE(GetSysColor(COLOR_3DDKSHADOW), rgb(0x01, 0x02, 0x03));
    QCOMPARE(GetSysColor(COLOR_HIGHLIGHT), rgb(0xA0, 0xB0, 0xC0));
    ColorRef c = 0;
    QVERIFY(OleTranslateColor(0x8000000F, &c));
    QCOMPARE(c, rgb(0x11, 0x22, 0x33));
    QCOMPARE(GetSysColor(25), ColorRef(0)); // no palette role: the table's value
    setSysColorSource(SysColorSource::Classic);
    QCOMPARE(GetSysColor(COLOR_BTNFACE), ColorRef(0xC0C0C0));
    QGuiApplication::setPalette(saved);
}

void TstColors::oleTranslate()
{
    ColorRef c = 0xDEAD;
    QVERIFY(OleTranslateColor(0x00FF0000, &c));
    QCOMPARE(c, ColorRef(0xFF0000));
    QVERIFY(OleTranslateColor(0x80000005, &c));
    QCOMPARE(c, ColorRef(0xFFFFFF));
    QVERIFY(OleTranslateColor(0x80000008, &c));
    QCOMPARE(c, ColorRef(0));
    QVERIFY(OleTranslateColor(0x8000001E, &c)); // 30, the last index
    c = 0xDEAD;
    QVERIFY(!OleTranslateColor(0x8000001F, &c)); // 31: past the table
    QVERIFY(!OleTranslateColor(0x80010005, &c)); // stray bits in the index
    QVERIFY(!OleTranslateColor(0x01000005, &c)); // palette index
    QVERIFY(!OleTranslateColor(0x02000005, &c)); // palette-relative
    QVERIFY(!OleTranslateColor(0xFFFFFFFF, &c));
    QCOMPARE(c, ColorRef(0xDEAD)); // untouched on failure
    QVERIFY(OleTranslateColor(0x80000010, nullptr));
}

void TstColors::colourHelpers()
{
    static_assert(rgb(0x12, 0x34, 0x56) == 0x563412);
    static_assert(redOf(0x563412) == 0x12 && greenOf(0x563412) == 0x34 && blueOf(0x563412) == 0x56);
    static_assert(toQRgb(0x800000) == 0xFF000080u); // dark blue
    static_assert(fromQRgb(0xFF000080u) == 0x800000);
}

void TstColors::himetric()
{
    // 16 px = 423.33 -> 423; 12 px = 317.5 -> 318 (half away from zero, like MulDiv).
    QCOMPARE(pixelsToHimetric(16), 423);
    QCOMPARE(pixelsToHimetric(12), 318);
    QCOMPARE(pixelsToHimetric(32), 847);
    QCOMPARE(pixelsToHimetric(0), 0);
    QCOMPARE(pixelsToHimetric(-12), -318);
    // 423 -> 15.99 -> 16; 409 -> 15.46 -> 15; 410 -> 15.50 (15.496) -> 15; 411 -> 15.53 -> 16.
    QCOMPARE(himetricToPixels(423), 16);
    QCOMPARE(himetricToPixels(409), 15);
    QCOMPARE(himetricToPixels(410), 15);
    QCOMPARE(himetricToPixels(411), 16);
    QCOMPARE(himetricToPixels(-423), -16);
    QCOMPARE(himetricToPixels(0), 0);
    for (int px = 0; px <= 300; ++px)
        QCOMPARE(himetricToPixels(pixelsToHimetric(px)), px);
}

void TstColors::pictureFromImage()
{
    QImage img(16, 12, QImage::Format_ARGB32);
    img.fill(qRgba(10, 20, 30, 128));
    const PicturePtr bitmap = Picture::fromImage(img, Picture::Type::Bitmap);
    QCOMPARE(bitmap->type, Picture::Type::Bitmap);
    QCOMPARE(bitmap->image.format(), QImage::Format_RGB32);
    QCOMPARE(bitmap->hmWidth, 423);
    QCOMPARE(bitmap->hmHeight, 318);
    const PicturePtr icon = Picture::fromImage(img, Picture::Type::Icon);
    QCOMPARE(icon->image.format(), QImage::Format_ARGB32);
    QCOMPARE(qAlpha(icon->image.pixel(3, 3)), 128);
}

void TstColors::pictureLoad()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage opaque(5, 4, QImage::Format_RGB32);
    opaque.fill(qRgb(1, 2, 3));
    QImage holes(6, 7, QImage::Format_ARGB32);
    holes.fill(qRgba(200, 100, 50, 255));
    holes.setPixel(0, 0, qRgba(0, 0, 0, 0));
    QVERIFY(opaque.save(dir.filePath("a.bmp")));
    QVERIFY(opaque.save(dir.filePath("a.png")));
    QVERIFY(holes.save(dir.filePath("b.png")));
    QVERIFY(holes.save(dir.filePath("c.ico"), "ICO"));

    const PicturePtr bmp = Picture::load(dir.filePath("a.bmp"));
    QVERIFY(bmp);
    QCOMPARE(bmp->type, Picture::Type::Bitmap);
    QCOMPARE(bmp->image.size(), QSize(5, 4));
    QCOMPARE(bmp->image.pixel(4, 3), qRgb(1, 2, 3));
    QCOMPARE(bmp->hmWidth, pixelsToHimetric(5));
    QCOMPARE(Picture::load(dir.filePath("a.png"))->type, Picture::Type::Bitmap);
    const PicturePtr png = Picture::load(dir.filePath("b.png"));
    QCOMPARE(png->type, Picture::Type::Icon);
    QCOMPARE(qAlpha(png->image.pixel(0, 0)), 0);
    const PicturePtr ico = Picture::load(dir.filePath("c.ico"));
    QVERIFY(ico);
    QCOMPARE(ico->type, Picture::Type::Icon);
    QCOMPARE(ico->image.size(), QSize(6, 7));
    QCOMPARE(qAlpha(ico->image.pixel(0, 0)), 0);
    QCOMPARE(ico->image.pixel(1, 0), qRgba(200, 100, 50, 255));

    QVERIFY(!Picture::load(dir.filePath("missing.png")));
    QFile junk(dir.filePath("junk.png"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not an image");
    junk.close();
    QVERIFY(!Picture::load(dir.filePath("junk.png")));
}

QTEST_MAIN(TstColors)
#include "tst_colors.moc"
