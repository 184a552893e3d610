// Caption layout beside the picture, the text styles, and the two looks that
// treat their caption specially (btFlat pressed, btGradient as default button).

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/CaptionPaint.h"

#include <QSet>

using namespace vb;
using namespace vbtest;

namespace {

// No layer of that kind in a table row.
constexpr uint kNone = 0xFFFFFFFF;

QSet<QPoint> asSet(const QList<QPoint>& points)
{
    return QSet<QPoint>(points.begin(), points.end());
}

QSet<QPoint> shifted(const QSet<QPoint>& points, int dx, int dy)
{
    QSet<QPoint> out;
    for (const QPoint p : points)
        out.insert(p + QPoint(dx, dy));
    return out;
}

// Where the drawing layer puts fully covered pixels of `text` in `font` laid out
// in `rect`: the reference the button's own text is compared against.
QSet<QPoint> referenceText(const QFont& font, const QString& text, const gdi::Rect& rect, int w, int h)
{
    gdi::Surface surface(w, h, 0xFFFFFF);
    gdi::Dc dc(surface);
    dc.selectFont(font);
    dc.setTextColor(0);
    gdi::Rect r = rect;
    dc.drawText(text, r, kCaptionFormat);
    return asSet(pixelsOf(surface, {0, 0, w, h}, 0));
}

// The caption rectangle of `text` centred in a w x h client area with the room
// (1, 1, w - 2, h - 2), measured by the drawing layer.
gdi::Rect centredCaption(const QFont& font, const QString& text, int w, int h)
{
    gdi::Surface surface(w, h);
    gdi::Dc dc(surface);
    dc.selectFont(font);
    gdi::Rect m{1, 1, w - 2, h - 2};
    dc.drawText(text, m, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    return m.offset((w - m.right) / 2, (h - m.bottom) / 2);
}

} // namespace

class TestCaption : public QObject {
    Q_OBJECT

private slots:
    void cancelWithPictureOnTheLeft()
    {
        TestButton b(btStandard, 100, 30, QStringLiteral("Cancel"));
        b.s.m_PictureNormal = solidBitmap(16, 16, 0x00FF00);
        MeasurePicture(b.s);
        QCOMPARE(b.s.m_PictureWidth, 16);
        QCOMPARE(b.s.m_PictureHeight, 16);
        CalcCaptionRect(b.s, b.host);

        // Room (17, 1, 98, 28); the measured text is centred in the whole client area.
        gdi::Rect m{17, 1, 98, 28};
        b.host.dc.drawText(QStringLiteral("Cancel"), m, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        QCOMPARE(m.left, 17);
        const gdi::Rect caption = m.offset((100 - m.right) / 2, (30 - m.bottom) / 2);
        QCOMPARE(b.s.m_CaptionRect, caption);
        QCOMPARE(b.s.m_CaptionWidth, m.width());
        QCOMPARE(b.s.m_CaptionHeight, m.height());
        QCOMPARE(b.s.m_TextArea, caption.offset(1, 1));
        // The picture ends 4 pixels left of the text and is centred vertically.
        QCOMPARE(b.s.m_PictureX, caption.left - 16 - 4);
        QCOMPARE(b.s.m_PictureY, 7);

        b.draw(dsUp);
        VB_CHECK(checkRect(b.host.surface, gdi::Rect::fromXYWH(caption.left - 20, 7, 16, 16), 0x00FF00));
        QCOMPARE(b.at(caption.left - 21, 15), kClassicFace);
        QCOMPARE(b.at(caption.left - 4, 15), kClassicFace);
        // (The bevel's dark edge is left out of the search.)
        const QList<QPoint> text = pixelsOf(b.host.surface, {2, 2, 98, 28}, 0);
        QVERIFY(!text.isEmpty());
        for (const QPoint p : text)
            QVERIFY(caption.contains(p.x(), p.y()));
    }

    void positionsBesideTheCaption()
    {
        // 8 x 6 picture on 80 x 40 with the caption "OK".
        const QString text = QStringLiteral("OK");
        TestButton b(btStandard, 80, 40, text);
        b.s.m_PictureNormal = solidBitmap(8, 6, 0x00FF00);
        MeasurePicture(b.s);
        gdi::Rect m;

        b.s.m_PicturePosition = ppRight;
        CalcCaptionRect(b.s, b.host);
        m = {1, 1, 70, 38};
        b.host.dc.drawText(text, m, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        QCOMPARE(b.s.m_CaptionRect, m.offset((80 - m.right - 8 - 4) / 2, (40 - m.bottom) / 2));
        QCOMPARE(b.s.m_PictureX, b.s.m_CaptionRect.right + 4);
        QCOMPARE(b.s.m_PictureY, 17);

        b.s.m_PicturePosition = ppTop;
        CalcCaptionRect(b.s, b.host);
        m = {1, 7, 78, 38};
        b.host.dc.drawText(text, m, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        QCOMPARE(b.s.m_CaptionRect, m.offset((80 - m.right) / 2, (40 - m.bottom) / 2));
        QCOMPARE(b.s.m_PictureX, 36);
        QCOMPARE(b.s.m_PictureY, b.s.m_CaptionRect.top - 6 - 2);

        b.s.m_PicturePosition = ppBottom;
        CalcCaptionRect(b.s, b.host);
        m = {1, 1, 78, 32};
        b.host.dc.drawText(text, m, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        QCOMPARE(b.s.m_CaptionRect, m.offset((80 - m.right) / 2, (40 - m.bottom - 6 - 4) / 2));
        QCOMPARE(b.s.m_PictureX, 36);
        QCOMPARE(b.s.m_PictureY, b.s.m_CaptionRect.bottom + 2);

        // A position outside 0 to 4 keeps the last room (the pressed caption's place)
        // and neither centres the caption nor moves the picture.
        for (int position : {5, -1}) {
            const gdi::Rect room = b.s.m_TextArea;
            const int px = b.s.m_PictureX, py = b.s.m_PictureY;
            b.s.m_PicturePosition = position;
            CalcCaptionRect(b.s, b.host);
            m = room;
            b.host.dc.drawText(text, m, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
            QCOMPARE(b.s.m_CaptionRect, m);
            QCOMPARE(b.s.m_TextArea, m.offset(1, 1));
            QCOMPARE(b.s.m_PictureX, px);
            QCOMPARE(b.s.m_PictureY, py);
        }

        // A caption of blanks centres the picture whatever the position.
        b.s.m_Caption = QStringLiteral("   ");
        CalcCaptionRect(b.s, b.host);
        QCOMPARE(b.s.m_PictureX, 36);
        QCOMPARE(b.s.m_PictureY, 17);

        // Without any picture the picture place is left alone.
        b.s.m_PictureNormal.reset();
        b.s.m_PictureX = -7;
        CalcCaptionRect(b.s, b.host);
        QCOMPARE(b.s.m_PictureX, -7);
    }

    void pressedAndEngravedCaptions()
    {
        const QString text = QStringLiteral("HH");
        TestButton b(btStandard, 60, 24, text);
        const gdi::Rect inner{2, 2, 58, 22}; // inside the bevel
        b.draw(dsUp);
        const QSet<QPoint> up = asSet(pixelsOf(b.host.surface, inner, 0));
        QVERIFY(!up.isEmpty());
        QCOMPARE(up, referenceText(b.host.font, text, b.s.m_CaptionRect, 60, 24));
        QCOMPARE(b.s.m_TextState, std::uint8_t(tsNormal));

        // Pressed: the caption moves one pixel right and down.
        b.draw(dsDown);
        QCOMPARE(asSet(pixelsOf(b.host.surface, inner, 0)), shifted(up, 1, 1));
        QCOMPARE(b.s.m_TextState, std::uint8_t(tsPressed));

        // Engraved: the shadow-coloured text in place, a highlight copy down-right under it.
        b.s.m_Enabled = false;
        b.draw(dsUp);
        QCOMPARE(asSet(pixelsOf(b.host.surface, inner, 0x808080)), up);
        const QSet<QPoint> light = asSet(pixelsOf(b.host.surface, inner, 0xFFFFFF));
        QVERIFY(!light.isEmpty());
        QVERIFY(shifted(up, 1, 1).contains(light));
        QCOMPARE(b.s.m_TextState, std::uint8_t(tsEngraved));
    }

    void captionEffectLayers()
    {
        // A shadow copy in Shift(face, -40) one pixel down-right; raised adds a light
        // copy Shift(face, +40) up-left; 5 behaves as 3.
        const QString text = QStringLiteral("HH");
        TestButton b(btStandard, 60, 24, text);
        const gdi::Rect inner{2, 2, 58, 22};
        b.draw(dsUp);
        const QSet<QPoint> up = asSet(pixelsOf(b.host.surface, inner, 0));
        for (int effect : {3, 5}) {
            b.s.m_SpecialEffect = effect;
            b.draw(dsUp);
            QCOMPARE(asSet(pixelsOf(b.host.surface, inner, 0)), up);
            const QSet<QPoint> shadow = asSet(pixelsOf(b.host.surface, inner, 0x989898));
            QVERIFY(!shadow.isEmpty());
            QVERIFY(shifted(up, 1, 1).contains(shadow));
            QVERIFY(pixelsOf(b.host.surface, inner, 0xE8E8E8).isEmpty());
        }
        b.s.m_SpecialEffect = fxRaised;
        b.draw(dsUp);
        const QSet<QPoint> light = asSet(pixelsOf(b.host.surface, inner, 0xE8E8E8));
        QVERIFY(!light.isEmpty());
        QVERIFY(shifted(up, -1, -1).contains(light));
        // The engraved disabled caption carries no effect layers.
        b.s.m_Enabled = false;
        b.draw(dsUp);
        QVERIFY(pixelsOf(b.host.surface, inner, 0x989898).isEmpty());
    }

    void captionStylesAndLayers_data()
    {
        // Classic colours: face &HC0C0C0, light &HDFDFDF, shadow &H808080. The caption
        // is drawn in `main`, moved by (mainAt, mainAt); layers drawn before it in
        // `under` at (underAt, underAt) and `under2` at (under2At, under2At).
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("hot");
        QTest::addColumn<int>("effect");
        QTest::addColumn<uint>("main");
        QTest::addColumn<int>("mainAt");
        QTest::addColumn<uint>("under");
        QTest::addColumn<int>("underAt");
        QTest::addColumn<uint>("under2");
        QTest::addColumn<int>("under2At");
        const uint none = kNone;
        const uint grey = 0x808080;
        QTest::newRow("grey: soft 3D disabled")
            << int(btSoft3D) << "disabled" << false << 0 << grey << 0 << none << 0 << none << 0;
        QTest::newRow("grey: hot select disabled")
            << int(btHotSelect) << "disabled" << true << 0 << grey << 0 << none << 0 << none << 0;
        // Shift*(T, -104) with T = &HF0F0F0: red and green 136, blue 240 - 24960 \ 192.
        QTest::newRow("tint grey: round gradient disabled")
            << int(btRoundGradient) << "disabled" << false << 0 << uint(gdi::rgb(136, 136, 110)) << 0 << none
            << 0 << none << 0;
        QTest::newRow("engraved face: gradient disabled")
            << int(btGradient) << "disabled" << false << 0 << 0xC0C0C0u << 0 << 0xFFFFFFu << 1 << none << 0;
        // Highlight over a copy in Shift(Sh, -50).
        QTest::newRow("shadowed: gradient down")
            << int(btGradient) << "down" << false << 0 << 0xFFFFFFu << 0 << 0x4E4E4Eu << 1 << none << 0;
        // Sunken: Shift(face, +40) down-right, Shift(face, -40) up-left.
        QTest::newRow("sunken") << int(btStandard) << "up" << false << int(fxSunken) << 0u << 0 << 0xE8E8E8u
                                << 1 << 0x989898u << -1;
        // The effect layers of these types are shaded from the tint Shift(F, +48) = &HF0F0F0
        // (proportionally for btRoundGradient, which gives the same grey).
        QTest::newRow("raised on the tint: round gradient")
            << int(btRoundGradient) << "up" << false << int(fxRaised) << 0u << 0 << 0xC8C8C8u << 1
            << 0xFFFFFFu << -1;
        QTest::newRow("shadow on the tint: gradient")
            << int(btGradient) << "up" << false << int(fxShadow) << 0u << 0 << 0xC8C8C8u << 1 << none << 0;
        // Pressed btRounded: light text moved by one, its layer shaded from the dark
        // face Shift(Sh, -16) = &H707070.
        QTest::newRow("pressed rounded") << int(btRounded) << "down" << false << int(fxShadow) << 0xDFDFDFu
                                         << 1 << 0x484848u << 2 << none << 0;
        // A hot btHotSelect shades from its fill, the accent soft colour &HD1ADAD.
        QTest::newRow("hot select hot") << int(btHotSelect) << "up" << true << int(fxShadow) << 0u << 0
                                        << uint(gdi::rgb(133, 133, 169)) << 1 << none << 0;
        QTest::newRow("hot select not hot")
            << int(btHotSelect) << "up" << false << int(fxShadow) << 0u << 0 << 0x989898u << 1 << none << 0;
    }
    void captionStylesAndLayers()
    {
        QFETCH(int, type);
        QFETCH(QString, face);
        QFETCH(bool, hot);
        QFETCH(int, effect);
        QFETCH(uint, main);
        QFETCH(int, mainAt);
        QFETCH(uint, under);
        QFETCH(int, underAt);
        QFETCH(uint, under2);
        QFETCH(int, under2At);
        const QString text = QStringLiteral("HH");
        TestButton b(type, 60, 24, text);
        b.s.m_ColorScheme = csClassic;
        LoadColors(b.s, b.host);
        b.s.m_IsHot = hot;
        b.s.m_SpecialEffect = effect;
        b.s.m_Enabled = face != QLatin1String("disabled");
        b.draw(face == QLatin1String("down") ? dsDown : dsUp);
        const gdi::Rect area = b.s.m_CaptionRect.inflate(2, 2);
        const QSet<QPoint> text0 = referenceText(b.host.font, text, b.s.m_CaptionRect, 60, 24);
        QVERIFY(!text0.isEmpty());
        QCOMPARE(asSet(pixelsOf(b.host.surface, area, main)), shifted(text0, mainAt, mainAt));
        for (const auto& [color, at] : {std::pair{under, underAt}, std::pair{under2, under2At}}) {
            if (color == kNone)
                continue;
            const QSet<QPoint> layer = asSet(pixelsOf(b.host.surface, area, color));
            QVERIFY2(!layer.isEmpty(), qPrintable(hex(color)));
            QVERIFY2(shifted(text0, at, at).contains(layer), qPrintable(hex(color)));
        }
    }

    void wordWrappedCaption()
    {
        // Too wide for one line: the caption wraps, is measured as several lines and
        // drawn centred line by line, moved by one pixel when pressed.
        const QString text = QStringLiteral("Copy the file");
        TestButton b(btStandard, 50, 50, text);
        gdi::Rect oneLine{0, 0, 1000, 100};
        b.host.dc.drawText(text, oneLine, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        QVERIFY(oneLine.width() > 46);
        QVERIFY(b.s.m_CaptionHeight >= 2 * oneLine.height());
        QVERIFY(b.s.m_CaptionWidth <= 46);
        const QSet<QPoint> expected = referenceText(b.host.font, text, b.s.m_CaptionRect, 50, 50);
        b.draw(dsUp);
        QCOMPARE(asSet(pixelsOf(b.host.surface, {2, 2, 48, 48}, 0)), expected);
        b.draw(dsDown);
        QCOMPARE(asSet(pixelsOf(b.host.surface, {2, 2, 48, 48}, 0)), shifted(expected, 1, 1));
    }

    void transparentCaptionAndFocus()
    {
        // The captured form shows through; the caption and the focus rectangle (three
        // pixels in) go over it, and the disabled look has the engraved caption and no focus.
        const QString text = QStringLiteral("HH");
        const gdi::ColorRef form = 0x336699;
        TestButton b(btTransparent, 60, 24, text);
        b.host.parent = gdi::Surface(60, 24, form);
        b.s.m_BackgroundDC.emplace(60, 24, 0);
        CaptureBackground(b.s, b.host);
        b.s.m_HasFocus = true;
        const QSet<QPoint> up = referenceText(b.host.font, text, b.s.m_CaptionRect, 60, 24);
        const gdi::Rect inside{4, 4, 56, 20};
        for (const QString& face :
             {QStringLiteral("up"), QStringLiteral("down"), QStringLiteral("disabled")}) {
            b.s.m_Enabled = face != QLatin1String("disabled");
            b.draw(face == QLatin1String("down") ? dsDown : dsUp);
            QCOMPARE(b.at(0, 0), form);
            QCOMPARE(b.at(4, 3), form);
            QCOMPARE(b.at(3, 3), b.s.m_Enabled ? form ^ 0xFFFFFF : form);
            QCOMPARE(b.at(56, 20), b.s.m_Enabled ? form ^ 0xFFFFFF : form);
            if (face == QLatin1String("disabled")) {
                QCOMPARE(asSet(pixelsOf(b.host.surface, inside, 0x808080)), up);
                QVERIFY(shifted(up, 1, 1).contains(asSet(pixelsOf(b.host.surface, inside, 0xFFFFFF))));
            } else {
                const int d = face == QLatin1String("down") ? 1 : 0;
                QCOMPARE(asSet(pixelsOf(b.host.surface, inside, 0)), shifted(up, d, d));
            }
        }
    }

    void flatPressedCaptionStaysInPlace()
    {
        const QString text = QStringLiteral("HH");
        TestButton b(btFlat, 60, 24, text);
        b.s.m_ColorScheme = csCustom;
        b.s.m_BackColor = 0xC0C0C0;
        b.s.m_BackOver = 0xC0C0C0;
        b.s.m_ForeColor = 0;
        b.s.m_ForeOver = 0x0000FF;
        b.s.m_SpecialEffect = fxRaised;
        LoadColors(b.s, b.host);
        b.s.m_TextState = tsEngraved;
        b.draw(dsDown);
        // In the hover colour, unmoved, with no effect layers.
        const QSet<QPoint> expected = referenceText(b.host.font, text, b.s.m_CaptionRect, 60, 24);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(asSet(pixelsOf(b.host.surface, {0, 0, 60, 24}, 0x0000FF)), expected);
        QVERIFY(pixelsOf(b.host.surface, {0, 0, 60, 24}, 0x989898).isEmpty());
        QVERIFY(pixelsOf(b.host.surface, {0, 0, 60, 24}, 0xE8E8E8).isEmpty());
        QCOMPARE(b.s.m_TextState, std::uint8_t(tsEngraved));
    }

    void flatFocusFrameAroundTheCaption()
    {
        TestButton b(btFlat, 60, 24, QStringLiteral("HH"));
        b.s.m_HasFocus = true;
        b.draw(dsUp);
        const gdi::Rect& c = b.s.m_CaptionRect;
        const gdi::Rect frame =
            gdi::Rect::fromXYWH(c.left - 2, c.top - 1, b.s.m_CaptionWidth + 4, b.s.m_CaptionHeight + 2);
        VB_CHECK(checkRect(b.host.surface, {frame.left, frame.top, frame.right, frame.top + 1}, 0xCC9999));
        VB_CHECK(checkRect(b.host.surface, {frame.left, frame.top, frame.left + 1, frame.bottom}, 0xCC9999));
        b.s.m_ShowFocusRect = false;
        b.draw(dsUp);
        QVERIFY(pixelsOf(b.host.surface, {0, 0, 60, 24}, 0xCC9999).isEmpty());
    }

    void defaultGradientButtonHasABoldCaption()
    {
        const QString text = QStringLiteral("Save");
        TestButton b(btGradient, 75, 23, text);
        const gdi::Rect regularLayout = b.s.m_CaptionRect;
        b.host.isDefault = true;
        b.draw(dsUp);

        // Bold for the drawing, switched through the FontBold property with redrawing off,
        // and back afterwards.
        QCOMPARE(b.host.boldRequests, QList<bool>({true, false}));
        QCOMPARE(b.host.boldWhileRedrawEnabled, QList<bool>({false, false}));
        QVERIFY(!b.host.fontBold());
        QVERIFY(b.s.m_RedrawEnabled);
        QCOMPARE(b.s.m_CaptionRect, regularLayout);
        QCOMPARE(b.host.clears, 1);

        QFont bold = b.host.font;
        bold.setBold(true);
        const QSet<QPoint> boldText = referenceText(bold, text, centredCaption(bold, text, 75, 23), 75, 23);
        const QSet<QPoint> regularText = referenceText(b.host.font, text, regularLayout, 75, 23);
        QVERIFY(boldText != regularText);
        QCOMPARE(asSet(pixelsOf(b.host.surface, {0, 0, 75, 23}, 0)), boldText);

        // Not the default button: regular weight, no font change.
        b.host.isDefault = false;
        b.host.boldRequests.clear();
        b.draw(dsUp);
        QVERIFY(b.host.boldRequests.isEmpty());
        QCOMPARE(asSet(pixelsOf(b.host.surface, {0, 0, 75, 23}, 0)), regularText);
    }
};

QTEST_MAIN(TestCaption)
#include "tst_caption.moc"
