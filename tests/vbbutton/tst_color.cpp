// Colour arithmetic and the working palette of each colour scheme.

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

using namespace vb;
using namespace vbtest;

class TestColor : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { gdi::setSysColorSource(gdi::SysColorSource::Classic); }

    void shiftColorAdditiveAndProportional()
    {
        ButtonState s;
        QCOMPARE(ShiftColor(s, 0x808080, +48, false), gdi::ColorRef(0xB0B0B0));
        // Red 32 - 48 clamps to 0, green 64 - 48 = 16; blue 96 + (96 * -48) \ 192 = 72
        // proportionally, 96 - 48 = 48 additively.
        QCOMPARE(ShiftColor(s, 0x604020, -48, true), gdi::ColorRef(0x481000));
        QCOMPARE(ShiftColor(s, 0x604020, -48, false), gdi::ColorRef(0x301000));
        // Clamped at the top: 250 + 10 stays 255; blue 200 + 2000 \ 192 = 210.
        QCOMPARE(ShiftColor(s, gdi::rgb(250, 10, 200), +10, true), gdi::rgb(255, 20, 210));
        // Proportional blue truncates toward zero in both directions: 100 * 5 \ 192 = 2,
        // 100 * -5 \ 192 = -2.
        QCOMPARE(ShiftColor(s, gdi::rgb(0, 0, 100), +5, true), gdi::rgb(5, 5, 102));
        QCOMPARE(ShiftColor(s, gdi::rgb(0, 0, 100), -5, true), gdi::rgb(0, 0, 98));
        QCOMPARE(ShiftColor(s, 0x123456, 0, true), gdi::ColorRef(0x123456));
    }

    void shiftColorHalvesOnSoftBevel()
    {
        ButtonState s;
        s.m_SoftBevel = true;
        QCOMPARE(ShiftColor(s, 0x808080, +48, false), gdi::ColorRef(0x989898));
        // -25 halves to -12, not -13.
        QCOMPARE(ShiftColor(s, 0x808080, -25, false), gdi::ColorRef(0x747474));
        QCOMPARE(ShiftColor(s, 0x808080, +1, false), gdi::ColorRef(0x808080));
    }

    void lightenColor()
    {
        QCOMPARE(LightenColor(0, 176), gdi::ColorRef(0xB0B0B0));
        QCOMPARE(LightenColor(0xFF0000, 128), gdi::ColorRef(0xFF8080));
        QCOMPARE(LightenColor(0x123456, 0), gdi::ColorRef(0x123456));
        QCOMPARE(LightenColor(0x123456, 255), gdi::ColorRef(0xFFFFFF));
        // Navy washed by 176: blue 176 + (79 * 128) \ 255 = 215.
        QCOMPARE(LightenColor(0x800000, 176), gdi::rgb(176, 176, 215));
        ButtonState soft;
        soft.m_SoftBevel = true; // has no say here: the function takes no state
        QCOMPARE(LightenColor(0, 176), gdi::ColorRef(0xB0B0B0));
    }

    void translateColor()
    {
        QCOMPARE(TranslateColor(0x00123456), gdi::ColorRef(0x123456));
        QCOMPARE(TranslateColor(0x80000000u | gdi::COLOR_BTNFACE), gdi::GetSysColor(gdi::COLOR_BTNFACE));
        // Neither RGB nor a system colour: black.
        QCOMPARE(TranslateColor(0x01FFFFFF), gdi::ColorRef(0));
    }

    void customPalette_data()
    {
        QTest::addColumn<bool>("soft");
        QTest::newRow("plain") << false;
        QTest::newRow("soft bevel") << true;
    }
    void customPalette()
    {
        QFETCH(bool, soft);
        TestButton b(btStandard, 40, 20);
        b.s.m_ColorScheme = csCustom;
        b.s.m_SoftBevel = soft;
        b.s.m_BackColor = 0x808080;
        b.s.m_ForeColor = 0x80000000u | gdi::COLOR_HIGHLIGHT;
        b.s.m_ForeOver = 0x0000FF;
        b.s.m_MaskColor = 0x00FF00;
        LoadColors(b.s, b.host);
        const auto grey = [](int v) { return gdi::rgb(v, v, v); };
        QCOMPARE(b.s.m_FaceColor, gdi::ColorRef(0x808080));
        QCOMPARE(b.s.m_TextColor, kClassicHighlight);
        QCOMPARE(b.s.m_TextOverColor, gdi::ColorRef(0x0000FF));
        QCOMPARE(b.s.m_MaskColorRGB, gdi::ColorRef(0x00FF00));
        QCOMPARE(b.s.m_AccentSoftColor, gdi::ColorRef(0x808080));
        if (!soft) {
            QCOMPARE(b.s.m_ShadowColor, grey(64));
            QCOMPARE(b.s.m_LightColor, grey(159));
            QCOMPARE(b.s.m_HighlightColor, grey(175));
            QCOMPARE(b.s.m_DarkShadowColor, grey(0));
            QCOMPARE(b.s.m_AccentColor, grey(0));
            QCOMPARE(b.s.m_FaceTintColor, grey(176));
        } else {
            // Every shade moves half as far: -64 -> -32, -192 -> -96, +31 -> +15, +47 -> +23.
            QCOMPARE(b.s.m_ShadowColor, grey(96));
            QCOMPARE(b.s.m_DarkShadowColor, grey(32));
            QCOMPARE(b.s.m_LightColor, grey(143));
            QCOMPARE(b.s.m_HighlightColor, grey(151));
            QCOMPARE(b.s.m_AccentColor, grey(64));
            QCOMPARE(b.s.m_FaceTintColor, grey(152));
        }
    }

    void classicPalette()
    {
        TestButton b(btStandard, 40, 20);
        b.s.m_ColorScheme = csClassic;
        b.s.m_MaskColor = 0x80000000u | gdi::COLOR_BTNFACE;
        b.s.m_SoftBevel = true; // fixed colours are not shaded
        LoadColors(b.s, b.host);
        QCOMPARE(b.s.m_FaceColor, gdi::ColorRef(0xC0C0C0));
        QCOMPARE(b.s.m_TextColor, gdi::ColorRef(0));
        QCOMPARE(b.s.m_TextOverColor, gdi::ColorRef(0));
        QCOMPARE(b.s.m_ShadowColor, gdi::ColorRef(0x808080));
        QCOMPARE(b.s.m_LightColor, gdi::ColorRef(0xDFDFDF));
        QCOMPARE(b.s.m_HighlightColor, gdi::ColorRef(0xFFFFFF));
        QCOMPARE(b.s.m_DarkShadowColor, gdi::ColorRef(0));
        QCOMPARE(b.s.m_AccentColor, gdi::ColorRef(0x800000));
        QCOMPARE(b.s.m_AccentSoftColor, gdi::ColorRef(0xD1ADAD));
        QCOMPARE(b.s.m_MaskColorRGB, kClassicFace);
        // The tint is shaded, and so halved: 192 + 24.
        QCOMPARE(b.s.m_FaceTintColor, gdi::ColorRef(0xD8D8D8));
    }

    void parentPalette()
    {
        TestButton b(btStandard, 40, 20);
        b.s.m_ColorScheme = csParent;
        b.host.parentBack = 0x204060;
        b.host.parentText = 0x0000FF;
        LoadColors(b.s, b.host);
        QCOMPARE(b.s.m_FaceColor, gdi::ColorRef(0x204060));
        QCOMPARE(b.s.m_TextColor, gdi::ColorRef(0x0000FF));
        QCOMPARE(b.s.m_TextOverColor, gdi::ColorRef(0x0000FF));
        // Face red 0x60, green 0x40, blue 0x20.
        QCOMPARE(b.s.m_ShadowColor, gdi::rgb(0x20, 0, 0));
        QCOMPARE(b.s.m_LightColor, gdi::rgb(0x7F, 0x5F, 0x3F));
        QCOMPARE(b.s.m_HighlightColor, gdi::rgb(0x8F, 0x6F, 0x4F));
        QCOMPARE(b.s.m_DarkShadowColor, gdi::ColorRef(0));
        QCOMPARE(b.s.m_AccentColor, kClassicHighlight);
        QCOMPARE(b.s.m_AccentSoftColor, gdi::rgb(176, 176, 215));
    }

    void systemPaletteAndUnknownSchemes_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::newRow("system") << int(csSystem);
        QTest::newRow("0") << 0;
        QTest::newRow("5") << 5;
        QTest::newRow("-1") << -1;
    }
    void systemPaletteAndUnknownSchemes()
    {
        QFETCH(int, scheme);
        TestButton b(btRoundGradient, 40, 20);
        b.s.m_ColorScheme = scheme;
        b.s.m_BackColor = 0x0000FF; // only a custom scheme looks at these
        b.s.m_ForeColor = 0x00FF00;
        LoadColors(b.s, b.host);
        QCOMPARE(b.s.m_FaceColor, gdi::GetSysColor(gdi::COLOR_BTNFACE));
        QCOMPARE(b.s.m_FaceColor, kClassicFace);
        QCOMPARE(b.s.m_TextColor, gdi::GetSysColor(gdi::COLOR_BTNTEXT));
        QCOMPARE(b.s.m_TextOverColor, gdi::GetSysColor(gdi::COLOR_BTNTEXT));
        QCOMPARE(b.s.m_ShadowColor, gdi::GetSysColor(gdi::COLOR_BTNSHADOW));
        QCOMPARE(b.s.m_LightColor, gdi::GetSysColor(gdi::COLOR_3DLIGHT));
        QCOMPARE(b.s.m_HighlightColor, gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT));
        QCOMPARE(b.s.m_DarkShadowColor, gdi::GetSysColor(gdi::COLOR_3DDKSHADOW));
        QCOMPARE(b.s.m_AccentColor, kClassicHighlight);
        QCOMPARE(b.s.m_AccentSoftColor, gdi::rgb(176, 176, 215));
        // btRoundGradient tints proportionally: 192 + 48 on every channel, blue 192 + 48 too.
        QCOMPARE(b.s.m_FaceTintColor, gdi::ColorRef(0xF0F0F0));
    }

    void tintIsProportionalOnlyForRoundGradient()
    {
        TestButton round(btRoundGradient, 40, 20);
        TestButton flat(btFlat, 40, 20);
        for (TestButton* b : {&round, &flat}) {
            b->s.m_ColorScheme = csCustom;
            b->s.m_BackColor = 0x604020;
            LoadColors(b->s, b->host);
        }
        // Blue 0x60 = 96: 96 + 96 * 48 \ 192 = 120 proportionally, 144 additively.
        QCOMPARE(round.s.m_FaceTintColor, gdi::rgb(80, 112, 120));
        QCOMPARE(flat.s.m_FaceTintColor, gdi::rgb(80, 112, 144));
    }
};

QTEST_MAIN(TestColor)
#include "tst_color.moc"
