// Drawing primitives and the redraw procedure: when it paints, what it paints
// first, the hover palette of custom colours, and the check-box down look.

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/Primitives.h"
#include "platform/gdi/SysColors.h"

using namespace vb;
using namespace vbtest;

namespace {

const QMap<QChar, gdi::ColorRef> kFrameColors{
    {'.', kSentinel}, {'1', 0x000011}, {'2', 0x000022}, {'3', 0x000033}, {'4', 0x000044}};

} // namespace

class TestPaint : public QObject {
    Q_OBJECT

private slots:
    void frame3DInsetMinusOne()
    {
        ButtonState s;
        s.m_Width = 10;
        s.m_Height = 10;
        gdi::Surface surface(10, 10, kSentinel);
        gdi::Dc dc(surface);
        DrawFrame3D(s, dc, 0x11, 0x22, 0x33, 0x44, -1, false);
        // Outer ring from (1, 1) to (8, 8), inner ring from (2, 2) to (7, 7); each
        // stroke leaves its end point to the next, so the top-right and bottom-left
        // corners of each ring take its bottom/right colour.
        VB_CHECK(checkMask(surface, 0, 0,
                           {"..........", //
                            ".11111112.", //
                            ".13333342.", //
                            ".13....42.", //
                            ".13....42.", //
                            ".13....42.", //
                            ".13....42.", //
                            ".14444442.", //
                            ".22222222.", //
                            ".........."},
                           kFrameColors));
        // The pen selected before is selected again.
        QCOMPARE(dc.pen(), gdi::Pen{});
    }

    void frame3DOuterOnlyOnTheEdge()
    {
        ButtonState s;
        s.m_Width = 6;
        s.m_Height = 5;
        gdi::Surface surface(6, 5, kSentinel);
        gdi::Dc dc(surface);
        DrawFrame3D(s, dc, 0x11, 0x22, 0x33, 0x44, 0, true);
        VB_CHECK(checkMask(surface, 0, 0,
                           {"111112", //
                            "1....2", //
                            "1....2", //
                            "1....2", //
                            "222222"},
                           kFrameColors));
    }

    void rectLineEllipseRestoreTheDc()
    {
        gdi::Surface surface(8, 6, kSentinel);
        gdi::Dc dc(surface);
        const gdi::Pen pen{0x010203, 1};
        const gdi::Brush brush{0x040506};
        dc.selectPen(pen);
        dc.selectBrush(brush);
        DrawRect(dc, 1, 1, 3, 2, 0x11, false); // (1, 1)-(4, 3), right and bottom out
        DrawRect(dc, 4, 2, 4, 4, 0x22, true);  // border of (4, 2)-(8, 6)
        DrawLine(dc, 0, 5, 3, 5, 0x33);        // (0..2, 5)
        PutPixel(dc, 0, 0, 0x44);
        VB_CHECK(checkMask(surface, 0, 0,
                           {"4.......", //
                            ".111....", //
                            ".1112222", //
                            "....2..2", //
                            "....2..2", //
                            "333.2222"},
                           kFrameColors));
        DrawEllipse(dc, 0, 0, 8, 6, 0x55, 0x66);
        QCOMPARE(dc.pen(), pen);
        QCOMPARE(dc.brush(), brush);
    }

    void skipRule()
    {
        TestButton b(btStandard, 40, 20, QStringLiteral("A"));
        b.draw(dsUp);
        QCOMPARE(b.host.clears, 1);
        // Same state, same caption, no force: nothing happens at all.
        Redraw(b.s, b.host, dsUp, false);
        QCOMPARE(b.host.clears, 1);
        // A new state, a new caption, or force paint.
        Redraw(b.s, b.host, dsDown, false);
        QCOMPARE(b.host.clears, 2);
        QCOMPARE(b.s.m_LastState, std::uint8_t(dsDown));
        b.s.m_Caption = QStringLiteral("B");
        Redraw(b.s, b.host, dsDown, false);
        QCOMPARE(b.host.clears, 3);
        QCOMPARE(b.s.m_LastCaption, QStringLiteral("B"));
        Redraw(b.s, b.host, dsDown, true);
        QCOMPARE(b.host.clears, 4);
        // Height 0 or redrawing off: not even a forced redraw, and no bookkeeping.
        b.s.m_Height = 0;
        Redraw(b.s, b.host, dsUp, true);
        b.s.m_Height = 20;
        b.s.m_RedrawEnabled = false;
        Redraw(b.s, b.host, dsUp, true);
        QCOMPARE(b.host.clears, 4);
        QCOMPARE(b.s.m_LastState, std::uint8_t(dsDown));
    }

    void faceFillFirst_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("0") << 0;
        QTest::newRow("15") << 15;
        QTest::newRow("-3") << -3;
        QTest::newRow("btPictureOnly") << int(btPictureOnly);
    }
    void faceFillFirst()
    {
        // Types without a look of their own (and btPictureOnly) paint the face and the
        // picture only: no caption, no frame, up or down, even with the focus.
        QFETCH(int, type);
        TestButton b(type, 50, 24, QStringLiteral("Button"));
        b.s.m_HasFocus = true;
        b.s.m_PictureNormal = solidBitmap(8, 6, 0x0000FF);
        MeasurePicture(b.s);
        CalcCaptionRect(b.s, b.host);
        const int px = b.s.m_PictureX, py = b.s.m_PictureY;
        for (std::uint8_t state : {std::uint8_t(dsUp), std::uint8_t(dsDown)}) {
            b.draw(state);
            const int d = state == dsDown ? 1 : 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 50; ++x) {
                    const bool inPicture = x >= px + d && x < px + d + 8 && y >= py + d && y < py + d + 6;
                    QCOMPARE(b.at(x, y), inPicture ? gdi::ColorRef(0x0000FF) : kClassicFace);
                }
        }
    }

    void hotCustomPaletteIsRestored()
    {
        // btStandard up, not default: the outer ring is highlight (top, left) and dark
        // shadow (bottom, right), all derived from the face of the moment.
        TestButton b(btStandard, 30, 16);
        b.s.m_ColorScheme = csCustom;
        b.s.m_BackColor = 0x808080;
        b.s.m_BackOver = 0x0000FF;
        LoadColors(b.s, b.host);
        b.s.m_IsHot = true;
        b.draw(dsUp);
        QCOMPARE(b.at(15, 8), gdi::ColorRef(0x0000FF)); // red face
        QCOMPARE(b.at(5, 0), gdi::rgb(255, 47, 47));    // Shift(red, +47)
        QCOMPARE(b.at(5, 15), gdi::rgb(63, 0, 0));      // Shift(red, -192)
        QCOMPARE(b.at(5, 1), gdi::rgb(255, 31, 31));    // Shift(red, +31)
        QCOMPARE(b.at(5, 14), gdi::rgb(191, 0, 0));     // Shift(red, -64)
        // Afterwards the stored palette describes the plain grey look again.
        QCOMPARE(b.s.m_BackColor, OleColor(0x808080));
        QCOMPARE(b.s.m_FaceColor, gdi::ColorRef(0x808080));
        QCOMPARE(b.s.m_HighlightColor, gdi::ColorRef(0xAFAFAF));
        QCOMPARE(b.s.m_DarkShadowColor, gdi::ColorRef(0));

        // Not hot: grey.
        b.s.m_IsHot = false;
        b.draw(dsUp);
        QCOMPARE(b.at(15, 8), gdi::ColorRef(0x808080));
        QCOMPARE(b.at(5, 0), gdi::ColorRef(0xAFAFAF));
    }

    void hoverColourIsIgnoredOutsideCustomScheme()
    {
        TestButton b(btStandard, 30, 16);
        b.s.m_BackOver = 0x0000FF;
        b.s.m_IsHot = true;
        b.draw(dsUp);
        QCOMPARE(b.at(15, 8), kClassicFace);
    }

    void checkBoxValueKeepsTheButtonDown()
    {
        // csClassic btStandard: up has white at the top-left corner, down black.
        TestButton b(btStandard, 30, 16);
        b.s.m_ColorScheme = csClassic;
        LoadColors(b.s, b.host);
        b.s.m_CheckBoxBehaviour = true;
        b.s.m_Value = true;
        b.draw(dsUp);
        QCOMPARE(b.s.m_LastState, std::uint8_t(dsDown));
        QCOMPARE(b.at(0, 0), gdi::ColorRef(0));          // dark shadow
        QCOMPARE(b.at(29, 15), gdi::ColorRef(0xFFFFFF)); // highlight
        QCOMPARE(b.at(1, 1), gdi::ColorRef(0x808080));   // shadow
        QCOMPARE(b.at(28, 14), gdi::ColorRef(0xDFDFDF)); // light
        // A hover redraw asking for up is then nothing new.
        const int clears = b.host.clears;
        Redraw(b.s, b.host, dsUp, false);
        QCOMPARE(b.host.clears, clears);
        // Value alone (no check-box behaviour) does not hold the face down.
        b.s.m_CheckBoxBehaviour = false;
        b.draw(dsUp);
        QCOMPARE(b.at(0, 0), gdi::ColorRef(0xFFFFFF));
    }

    void disabledIsNotAState()
    {
        // Disabled draws the disabled look for either state and records the state asked for.
        TestButton b(btStandard, 30, 16);
        b.s.m_Enabled = false;
        b.draw(dsDown);
        QCOMPARE(b.s.m_LastState, std::uint8_t(dsDown));
        QCOMPARE(b.at(0, 0), gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT));
    }
};

QTEST_MAIN(TestPaint)
#include "tst_paint.moc"
