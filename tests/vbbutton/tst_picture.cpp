// The picture transfer (key colour, silhouettes, greyscale, blending) and the
// picture painted by state.

#include "support/TestButton.h"

#include "controls/vbButton/BlitPicture.h"
#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/PicturePaint.h"

using namespace vb;
using namespace vbtest;

namespace {

constexpr gdi::ColorRef kKey = 0xC0C0C0;
constexpr gdi::ColorRef kRed = 0x0000FF;

// A state whose only concern is the key: MaskColor &HC0C0C0, used or not.
ButtonState keyState(bool useMask)
{
    ButtonState s;
    s.m_UseMaskColor = useMask;
    s.m_MaskColorRGB = kKey;
    return s;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    void greyscaleRoundsHalfToEven()
    {
        // White: 0.3 * 255 = 76.5 rounds to 76, then 76 + 150.45 + 28.05 = 254.5 rounds
        // to 254. Red: 76.5 -> 76, nothing added. Green: 0 + 0.59 * 255 = 150.45 -> 150.
        const ButtonState s = keyState(true);
        gdi::Surface surface(4, 1, kSentinel);
        gdi::Dc dc(surface);
        const auto picture =
            bitmapFromMask({"wrgb"}, {{'w', 0xFFFFFF}, {'r', kRed}, {'g', 0x00FF00}, {'b', 0xFF0000}});
        BlitPicture(s, dc, 0, 0, 4, 1, *picture, kKey, kNoFill, false, true, false);
        QCOMPARE(surface.pixel(0, 0), gdi::rgb(254, 254, 254));
        QCOMPARE(surface.pixel(1, 0), gdi::rgb(76, 76, 76));
        QCOMPARE(surface.pixel(2, 0), gdi::rgb(150, 150, 150));
        // 0.11 * 255 = 28.05 -> 28.
        QCOMPARE(surface.pixel(3, 0), gdi::rgb(28, 28, 28));
    }

    void keyColourIsTransparentOnlyWithUseMaskColor()
    {
        const auto picture = bitmapFromMask({"kkr", "rkk"}, {{'k', kKey}, {'r', kRed}});
        gdi::Surface surface(5, 4, kSentinel);
        gdi::Dc dc(surface);
        ButtonState s = keyState(true);
        BlitPicture(s, dc, 1, 1, 3, 2, *picture, kKey, kNoFill, false, false, false);
        VB_CHECK(
            checkMask(surface, 0, 0, {".....", "...r.", ".r...", "....."}, {{'.', kSentinel}, {'r', kRed}}));

        // All key: nothing changes.
        const auto allKey = solidBitmap(3, 2, kKey);
        surface.fill(kSentinel);
        BlitPicture(s, dc, 1, 1, 3, 2, *allKey, kKey, kNoFill, false, false, false);
        VB_CHECK(checkRect(surface, {0, 0, 5, 4}, kSentinel));

        // Without UseMaskColor the key pixels are copied like any other.
        s = keyState(false);
        BlitPicture(s, dc, 1, 1, 3, 2, *picture, kKey, kNoFill, false, false, false);
        VB_CHECK(checkMask(surface, 0, 0, {".....", ".kkr.", ".rkk.", "....."},
                           {{'.', kSentinel}, {'r', kRed}, {'k', kKey}}));
        // ... and into silhouettes.
        surface.fill(kSentinel);
        BlitPicture(s, dc, 1, 1, 3, 2, *picture, kKey, 0x123456, false, false, false);
        VB_CHECK(checkRect(surface, {1, 1, 4, 3}, 0x123456));
    }

    void silhouettes()
    {
        // Sums: d = 384 (dark enough), l = 385 (too light), k = key, z = black.
        const auto picture = bitmapFromMask(
            {"dlkz"},
            {{'d', gdi::rgb(128, 128, 128)}, {'l', gdi::rgb(129, 128, 128)}, {'k', kKey}, {'z', 0}});
        const ButtonState s = keyState(true);
        gdi::Surface surface(4, 1, kSentinel);
        gdi::Dc dc(surface);
        BlitPicture(s, dc, 0, 0, 4, 1, *picture, kKey, 0x123456, false, false, false);
        VB_CHECK(checkMask(surface, 0, 0, {"ff.f"}, {{'.', kSentinel}, {'f', 0x123456}}));

        surface.fill(kSentinel);
        BlitPicture(s, dc, 0, 0, 4, 1, *picture, kKey, 0x123456, true, false, false);
        VB_CHECK(checkMask(surface, 0, 0, {"f..f"}, {{'.', kSentinel}, {'f', 0x123456}}));

        // Fill 0 is a black silhouette, not the picture.
        surface.fill(kSentinel);
        BlitPicture(s, dc, 0, 0, 4, 1, *picture, kKey, 0, false, false, false);
        VB_CHECK(checkMask(surface, 0, 0, {"00.0"}, {{'.', kSentinel}, {'0', 0}}));
    }

    void blendIsTwoPartsPicture()
    {
        const ButtonState s = keyState(true);
        gdi::Surface surface(2, 1, gdi::rgb(30, 60, 90));
        gdi::Dc dc(surface);
        const auto picture = bitmapFromMask({"pk"}, {{'p', gdi::rgb(90, 0, 255)}, {'k', kKey}});
        BlitPicture(s, dc, 0, 0, 2, 1, *picture, kKey, kNoFill, false, false, true);
        // (2 * 90 + 30) \ 3 = 70, (0 + 60) \ 3 = 20, (510 + 90) \ 3 = 200.
        QCOMPARE(surface.pixel(0, 0), gdi::rgb(70, 20, 200));
        QCOMPARE(surface.pixel(1, 0), gdi::rgb(30, 60, 90));
    }

    void iconsAreDrawnOverTheMaskColour()
    {
        // An icon's transparent pixels take the mask colour, which is the key.
        QImage icon(2, 2, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        icon.setPixel(1, 0, 0xFF0000FF); // opaque blue
        const auto picture = gdi::Picture::fromImage(icon, gdi::Picture::Type::Icon);
        ButtonState s = keyState(true);
        gdi::Surface surface(2, 2, kSentinel);
        gdi::Dc dc(surface);
        BlitPicture(s, dc, 0, 0, 2, 2, *picture, kKey, kNoFill, false, false, false);
        VB_CHECK(checkMask(surface, 0, 0, {".b", ".."}, {{'.', kSentinel}, {'b', 0xFF0000}}));
        // Without the key they show in the mask colour.
        s = keyState(false);
        BlitPicture(s, dc, 0, 0, 2, 2, *picture, kKey, kNoFill, false, false, false);
        VB_CHECK(checkMask(surface, 0, 0, {"kb", "kk"}, {{'k', kKey}, {'b', 0xFF0000}}));
    }

    void emptyAndClippedTransfers()
    {
        const ButtonState s = keyState(true);
        const auto picture = solidBitmap(4, 4, kRed);
        gdi::Surface surface(3, 3, kSentinel);
        gdi::Dc dc(surface);
        BlitPicture(s, dc, 0, 0, 0, 4, *picture, kKey, kNoFill, false, false, false);
        BlitPicture(s, dc, 0, 0, 4, 0, *picture, kKey, kNoFill, false, false, false);
        VB_CHECK(checkRect(surface, {0, 0, 3, 3}, kSentinel));
        // Partly outside the surface: the visible part is drawn, the rest ignored.
        BlitPicture(s, dc, -2, 1, 4, 4, *picture, kKey, kNoFill, false, false, false);
        VB_CHECK(checkMask(surface, 0, 0, {"...", "rr.", "rr."}, {{'.', kSentinel}, {'r', kRed}}));
        // An area far larger than the surface (a picture size from a damaged saved
        // set) draws what shows, its picture in place and black beyond the bitmap.
        gdi::Surface large(3, 3, kSentinel);
        gdi::Dc largeDc(large);
        BlitPicture(s, largeDc, -2, -2, 80'000'000, 80'000'000, *picture, kKey, kNoFill, false, false, false);
        VB_CHECK(checkMask(large, 0, 0, {"rr0", "rr0", "000"}, {{'0', 0}, {'r', kRed}}));
    }

    void pictureByState_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("hot");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("greyscale");
        QTest::addColumn<bool>("withOver");
        QTest::addColumn<QPoint>("at");  // where the picture itself lands
        QTest::addColumn<uint>("color"); // its colour there
        // Picture 4 x 4 red, centred on 40 x 30 (no caption): X = 18, Y = 13.
        const uint red = kRed, blue = 0xFF0000;
        QTest::newRow("up") << int(btStandard) << true << false << int(dsUp) << false << false
                            << QPoint(18, 13) << red;
        QTest::newRow("up greyscale") << int(btStandard) << true << false << int(dsUp) << true << false
                                      << QPoint(18, 13) << uint(gdi::rgb(76, 76, 76));
        QTest::newRow("hot greyscale shows colour")
            << int(btStandard) << true << true << int(dsUp) << true << false << QPoint(18, 13) << red;
        QTest::newRow("hot with PictureOver")
            << int(btStandard) << true << true << int(dsUp) << false << true << QPoint(18, 13) << blue;
        QTest::newRow("down") << int(btStandard) << true << false << int(dsDown) << false << false
                              << QPoint(19, 14) << red;
        QTest::newRow("down with PictureOver")
            << int(btStandard) << true << false << int(dsDown) << false << true << QPoint(19, 14) << blue;
        QTest::newRow("flat down with PictureOver")
            << int(btFlat) << true << false << int(dsDown) << false << true << QPoint(18, 13) << blue;
        QTest::newRow("flat down") << int(btFlat) << true << false << int(dsDown) << false << false
                                   << QPoint(18, 13) << red;
        QTest::newRow("hot select down ignores PictureOver")
            << int(btHotSelect) << true << false << int(dsDown) << false << true << QPoint(18, 13) << red;
        QTest::newRow("hot select hot lifted")
            << int(btHotSelect) << true << true << int(dsUp) << false << false << QPoint(17, 12) << red;
        // Red is dark (sum 255): its disabled silhouettes paint.
        QTest::newRow("disabled round gradient in grey")
            << int(btRoundGradient) << false << false << int(dsUp) << false << false << QPoint(19, 14)
            << uint(gdi::rgb(76, 76, 76));
        QTest::newRow("disabled flat shadow silhouette")
            << int(btFlat) << false << false << int(dsUp) << false << false << QPoint(18, 13) << 0x808080u;
        // Shift(Sh, +13), in place: no highlight copy down-right.
        QTest::newRow("disabled hot select shadow") << int(btHotSelect) << false << true << int(dsUp) << false
                                                    << false << QPoint(18, 13) << 0x8D8D8Du;
        QTest::newRow("disabled soft 3D shadow silhouette")
            << int(btSoft3D) << false << false << int(dsUp) << false << false << QPoint(18, 13) << 0x808080u;
        QTest::newRow("disabled embossed") << int(btStandard) << false << false << int(dsUp) << false << false
                                           << QPoint(18, 13) << 0x808080u;
    }
    void pictureByState()
    {
        QFETCH(int, type);
        QFETCH(bool, enabled);
        QFETCH(bool, hot);
        QFETCH(int, state);
        QFETCH(bool, greyscale);
        QFETCH(bool, withOver);
        QFETCH(QPoint, at);
        QFETCH(uint, color);
        TestButton b(type, 40, 30);
        b.s.m_Enabled = enabled;
        b.s.m_IsHot = hot;
        b.s.m_UseGreyscale = greyscale;
        b.s.m_PictureNormal = solidBitmap(4, 4, kRed);
        if (withOver)
            b.s.m_PictureOver = solidBitmap(4, 4, 0xFF0000);
        MeasurePicture(b.s);
        CalcCaptionRect(b.s, b.host);
        QCOMPARE(b.s.m_PictureX, 18);
        QCOMPARE(b.s.m_PictureY, 13);
        // The picture alone, on a surface of one colour.
        b.host.surface.fill(0x010101);
        b.s.m_LastState = std::uint8_t(state);
        DrawPicture(b.s, b.host,
                    !enabled        ? std::uint8_t(psDisabled)
                    : state == dsUp ? std::uint8_t(psUp)
                                    : std::uint8_t(psDown));
        VB_CHECK(checkRect(b.host.surface, {at.x(), at.y(), at.x() + 4, at.y() + 4}, color));
    }

    void hotSelectPictureLooks()
    {
        TestButton b(btHotSelect, 40, 30);
        b.s.m_PictureNormal = solidBitmap(4, 4, gdi::rgb(90, 0, 255));
        MeasurePicture(b.s);
        CalcCaptionRect(b.s, b.host);
        b.host.surface.fill(gdi::rgb(30, 60, 90));
        DrawPicture(b.s, b.host, psUp);
        // Not hot: blended into the background.
        VB_CHECK(checkRect(b.host.surface, {18, 13, 22, 17}, gdi::rgb(70, 20, 200)));
        // Hot: the shadow silhouette one pixel down-right shows below and right of the
        // picture, which moves one pixel up-left.
        b.s.m_IsHot = true;
        b.host.surface.fill(0x010101);
        DrawPicture(b.s, b.host, psUp);
        VB_CHECK(checkRect(b.host.surface, {17, 12, 21, 16}, gdi::rgb(90, 0, 255)));
        VB_CHECK(checkRect(b.host.surface, {19, 16, 23, 18}, b.s.m_ShadowColor));
        VB_CHECK(checkRect(b.host.surface, {21, 14, 23, 18}, b.s.m_ShadowColor));
        QCOMPARE(b.host.surface.pixel(16, 12), gdi::ColorRef(0x010101));
    }

    void embossedDisabledKeepsLightPixelsOut()
    {
        // Dark pixels (d) get the highlight copy down-right and the shadow copy on top;
        // light ones (l, sum 765) are left out of both.
        TestButton b(btStandard, 40, 30);
        b.s.m_Enabled = false;
        b.s.m_PictureNormal = bitmapFromMask({"dl", "ll"}, {{'d', 0}, {'l', 0xFFFFFF}});
        MeasurePicture(b.s);
        CalcCaptionRect(b.s, b.host);
        QCOMPARE(b.s.m_PictureX, 19);
        QCOMPARE(b.s.m_PictureY, 14);
        b.host.surface.fill(0x010101);
        DrawPicture(b.s, b.host, psDisabled);
        VB_CHECK(checkMask(b.host.surface, 19, 14, {"s..", ".h.", "..."},
                           {{'.', 0x010101}, {'s', 0x808080}, {'h', 0xFFFFFF}}));
    }

    void effectLayers_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("down");  // pressed: picture and layers one pixel right and down
        QTest::addColumn<uint>("below"); // at (X + 4, Y + 4): the layer one pixel down-right
        QTest::addColumn<uint>("above"); // at (X - 1, Y - 1): the layer one pixel up-left
        const uint none = 0x010101;
        const uint lighter = 0xE8E8E8, darker = 0x989898; // Shift(face, +40), Shift(face, -40)
        QTest::newRow("none") << int(fxNone) << false << none << none;
        QTest::newRow("negative") << -2 << false << none << none;
        QTest::newRow("raised") << int(fxRaised) << false << darker << lighter;
        QTest::newRow("sunken") << int(fxSunken) << false << lighter << darker;
        QTest::newRow("shadow") << int(fxShadow) << false << darker << none;
        QTest::newRow("5 is a shadow") << 5 << false << darker << none;
        QTest::newRow("raised pressed") << int(fxRaised) << true << darker << lighter;
        QTest::newRow("sunken pressed") << int(fxSunken) << true << lighter << darker;
    }
    void effectLayers()
    {
        QFETCH(int, effect);
        QFETCH(bool, down);
        QFETCH(uint, below);
        QFETCH(uint, above);
        TestButton b(btStandard, 40, 30);
        b.s.m_SpecialEffect = effect;
        b.s.m_PictureNormal = solidBitmap(4, 4, kRed);
        MeasurePicture(b.s);
        CalcCaptionRect(b.s, b.host);
        b.host.surface.fill(0x010101);
        DrawPicture(b.s, b.host, down ? psDown : psUp);
        const int d = down ? 1 : 0;
        QCOMPARE(b.host.surface.pixel(22 + d, 17 + d), gdi::ColorRef(below));
        QCOMPARE(b.host.surface.pixel(17 + d, 12 + d), gdi::ColorRef(above));
        VB_CHECK(checkRect(b.host.surface, {18 + d, 13 + d, 22 + d, 17 + d}, kRed));
    }

    void noPictureWithoutPictureNormal()
    {
        TestButton b(btStandard, 40, 30);
        b.s.m_PictureOver = solidBitmap(4, 4, kRed);
        b.s.m_IsHot = true;
        b.host.surface.fill(0x010101);
        DrawPicture(b.s, b.host, psUp);
        VB_CHECK(checkRect(b.host.surface, {0, 0, 40, 30}, 0x010101));
    }

    void centredPictureGetsTheCaptionOnTop()
    {
        TestButton b(btStandard, 60, 30, QStringLiteral("HH"));
        b.s.m_PicturePosition = ppCenter;
        b.s.m_PictureNormal = solidBitmap(40, 20, kRed);
        MeasurePicture(b.s);
        CalcCaptionRect(b.s, b.host);
        QCOMPARE(b.s.m_PictureX, 10);
        QCOMPARE(b.s.m_PictureY, 5);
        b.draw(dsUp);
        // The caption lies inside the picture and its text is drawn over it.
        const gdi::Rect picture{10, 5, 50, 25};
        QVERIFY(!pixelsOf(b.host.surface, picture, 0).isEmpty());
        QCOMPARE(b.s.m_TextState, std::uint8_t(tsNormal));
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
