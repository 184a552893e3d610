// Caption layout beside the picture, the text styles, and the two looks that
// treat their caption specially (btFlat pressed, btGradient as default button).

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/CaptionPaint.h"

#include <QSet>

using namespace vb;
using namespace vbtest;

namespace {

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
