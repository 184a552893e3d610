// The looks, pixel for pixel, from their coordinates and shading amounts, with
// the Windows-classic system colours (button face &HC0C0C0).

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/Styles.h"
#include "platform/gdi/SysColors.h"

using namespace vb;
using namespace vbtest;

namespace {

// btRoundGradient's tint of the classic face: Shift*(&HC0C0C0, +48) = 240 on all channels.
constexpr int kTint = 240;

// Gradient(T, 25, down, proportional) on a 23-pixel-high button: row i gets
// amount a = -(25 / 23) * i rounded half to even; red and green are 240 + a, blue
// 240 + (240 * a) \ 192. Listed as {a, red/green, blue} for rows 1 to 22.
struct Row {
    int amount, rg, b;
};
constexpr Row kRows[22] = {
    {-1, 239, 239},  {-2, 238, 238},  {-3, 237, 237},  {-4, 236, 235},  {-5, 235, 234},  {-7, 233, 232},
    {-8, 232, 230},  {-9, 231, 229},  {-10, 230, 228}, {-11, 229, 227}, {-12, 228, 225}, {-13, 227, 224},
    {-14, 226, 223}, {-15, 225, 222}, {-16, 224, 220}, {-17, 223, 219}, {-18, 222, 218}, {-20, 220, 215},
    {-21, 219, 214}, {-22, 218, 213}, {-23, 217, 212}, {-24, 216, 210}};

gdi::ColorRef rowColor(int y)
{
    return gdi::rgb(kRows[y - 1].rg, kRows[y - 1].rg, kRows[y - 1].b);
}

int brightness(gdi::ColorRef c)
{
    return gdi::redOf(c) + gdi::greenOf(c) + gdi::blueOf(c);
}

// The rim strokes inside the frame of a 75 x 23 btRoundGradient button.
void checkRim(const gdi::Surface& s, gdi::ColorRef frame, gdi::ColorRef bottom, gdi::ColorRef top,
              gdi::ColorRef top2, gdi::ColorRef side)
{
    VB_CHECK(checkRect(s, {1, 3, 2, 21}, frame));   // left of the rim frame
    VB_CHECK(checkRect(s, {73, 3, 74, 21}, frame)); // right
    VB_CHECK(checkRect(s, {1, 20, 74, 21}, frame)); // bottom
    VB_CHECK(checkRect(s, {2, 21, 73, 22}, bottom));
    VB_CHECK(checkRect(s, {2, 1, 73, 2}, top));
    VB_CHECK(checkRect(s, {1, 2, 74, 3}, top2));
    VB_CHECK(checkRect(s, {2, 3, 3, 20}, side));
    VB_CHECK(checkRect(s, {72, 3, 73, 20}, side));
}

void checkRoundFrame(const gdi::Surface& s)
{
    VB_CHECK(checkRect(s, {0, 0, 75, 1}, 0x733C00));
    VB_CHECK(checkRect(s, {0, 22, 75, 23}, 0x733C00));
    VB_CHECK(checkRect(s, {0, 0, 1, 23}, 0x733C00));
    VB_CHECK(checkRect(s, {74, 0, 75, 23}, 0x733C00));
    for (const QPoint p : {QPoint(1, 1), QPoint(1, 21), QPoint(73, 1), QPoint(73, 21)})
        QCOMPARE(s.pixel(p.x(), p.y()), gdi::ColorRef(0x7B4D10));
}

} // namespace

class TestStyle : public QObject {
    Q_OBJECT

private slots:
    void gradientRows()
    {
        TestButton b(btRoundGradient, 75, 23);
        QCOMPARE(b.s.m_FaceTintColor, gdi::rgb(kTint, kTint, kTint));
        b.host.surface.fill(kSentinel);
        Recipe r(b.s, b.host);
        r.gradient(b.s.m_FaceTintColor, 25, true, true);
        // Row 0 is left alone; rows 1..22 are full-width lines (row 23 would be outside).
        VB_CHECK(checkRect(b.host.surface, {0, 0, 75, 1}, kSentinel));
        for (int y = 1; y <= 22; ++y) {
            VB_CHECK(checkRect(b.host.surface, {0, y, 75, y + 1}, rowColor(y)));
            if (y > 1)
                QVERIFY(brightness(rowColor(y)) <= brightness(rowColor(y - 1)));
        }

        // Upward, from a base: row H - i gets the amount of row i.
        b.host.surface.fill(kSentinel);
        r.gradient(b.s.m_FaceTintColor, 25, false, true);
        for (int y = 0; y <= 21; ++y)
            VB_CHECK(checkRect(b.host.surface, {0, y, 75, y + 1},
                               y == 0 ? gdi::rgb(215, 215, 209) : rowColor(23 - y)));
        VB_CHECK(checkRect(b.host.surface, {0, 22, 75, 23}, rowColor(1)));
    }

    void roundGradientUp()
    {
        TestButton b(btRoundGradient, 75, 23);
        b.draw(dsUp);
        const gdi::Surface& s = b.host.surface;
        checkRoundFrame(s);
        // Plain rim, each stroke Shift*(T, n): top line +16 (white: 240 + 16 and
        // 240 + 3840 \ 192 both clamp), second line +10, left -5 and -10, bottom -48
        // and -32, right -36 and -24.
        VB_CHECK(checkRect(s, {2, 1, 73, 2}, 0xFFFFFF));
        VB_CHECK(checkRect(s, {2, 2, 73, 3}, gdi::rgb(250, 250, 252)));
        VB_CHECK(checkRect(s, {1, 2, 2, 21}, gdi::rgb(235, 235, 234)));
        VB_CHECK(checkRect(s, {2, 3, 3, 20}, gdi::rgb(230, 230, 228)));
        VB_CHECK(checkRect(s, {2, 20, 73, 21}, gdi::rgb(208, 208, 200)));
        VB_CHECK(checkRect(s, {2, 21, 73, 22}, gdi::rgb(192, 192, 180)));
        VB_CHECK(checkRect(s, {73, 2, 74, 21}, gdi::rgb(204, 204, 195)));
        VB_CHECK(checkRect(s, {72, 3, 73, 20}, gdi::rgb(216, 216, 210)));
        // The gradient shows between the rim strokes.
        for (int y = 3; y <= 19; ++y)
            VB_CHECK(checkRect(s, {3, y, 72, y + 1}, rowColor(y)));
    }

    void roundGradientTopLineFollowsTheFace()
    {
        // Custom face &H604020 (red 32, green 64, blue 96): T = (80, 112, 120);
        // Shift*(T, +16) = (96, 128, 120 + 1920 \ 192) = (96, 128, 130).
        TestButton b(btRoundGradient, 75, 23);
        b.s.m_ColorScheme = csCustom;
        b.s.m_BackColor = 0x604020;
        LoadColors(b.s, b.host);
        b.draw(dsUp);
        VB_CHECK(checkRect(b.host.surface, {2, 1, 73, 2}, gdi::rgb(96, 128, 130)));
        checkRoundFrame(b.host.surface);
    }

    void roundGradientWithCaption()
    {
        // The caption is drawn after the gradient and before the frame and rim: its
        // text colour appears inside the caption rectangle only.
        TestButton b(btRoundGradient, 75, 23, QStringLiteral("Copy"));
        b.draw(dsUp);
        const gdi::Rect& c = b.s.m_CaptionRect;
        QVERIFY(!pixelsOf(b.host.surface, c, 0).isEmpty());
        QCOMPARE(pixelsOf(b.host.surface, {0, 0, 75, 23}, 0).size(), pixelsOf(b.host.surface, c, 0).size());
        checkRoundFrame(b.host.surface);
    }

    void roundGradientRims_data()
    {
        QTest::addColumn<bool>("hot");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("showFocus");
        QTest::addColumn<QString>("rim");
        QTest::newRow("hot") << true << false << false << true << "orange";
        QTest::newRow("hot beats focus") << true << true << true << true << "orange";
        QTest::newRow("hot without focus rectangles") << true << false << false << false << "orange";
        QTest::newRow("focus") << false << true << false << true << "blue";
        QTest::newRow("default") << false << false << true << true << "blue";
        QTest::newRow("focus, rectangles off") << false << true << false << false << "plain";
        QTest::newRow("default, rectangles off") << false << true << true << false << "plain";
        QTest::newRow("nothing") << false << false << false << true << "plain";
    }
    void roundGradientRims()
    {
        QFETCH(bool, hot);
        QFETCH(bool, focus);
        QFETCH(bool, isDefault);
        QFETCH(bool, showFocus);
        QFETCH(QString, rim);
        TestButton b(btRoundGradient, 75, 23);
        b.s.m_IsHot = hot;
        b.s.m_HasFocus = focus;
        b.s.m_ShowFocusRect = showFocus;
        b.host.isDefault = isDefault;
        b.draw(dsUp);
        checkRoundFrame(b.host.surface);
        if (rim == QLatin1String("orange"))
            checkRim(b.host.surface, 0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF);
        else if (rim == QLatin1String("blue"))
            checkRim(b.host.surface, 0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5);
        else
            VB_CHECK(checkRect(b.host.surface, {2, 21, 73, 22}, gdi::rgb(192, 192, 180)));
        // No dotted focus rectangle on this look: the gradient inside the rim is intact.
        for (int y = 3; y <= 19; ++y)
            VB_CHECK(checkRect(b.host.surface, {3, y, 72, y + 1}, rowColor(y)));
    }

    void roundGradientDown()
    {
        // Base B = Shift*(T, -32) = (208, 208, 200); the gradient runs upward, so the
        // darkest row is at the top: row y has amount a(23 - y), blue 200 + (200 * a) \ 192.
        TestButton b(btRoundGradient, 75, 23);
        b.draw(dsDown);
        const gdi::Surface& s = b.host.surface;
        checkRoundFrame(s);
        VB_CHECK(checkRect(s, {3, 3, 72, 4}, gdi::rgb(186, 186, 178)));   // a = -22
        VB_CHECK(checkRect(s, {3, 11, 72, 12}, gdi::rgb(195, 195, 187))); // a = -13
        VB_CHECK(checkRect(s, {3, 19, 72, 20}, gdi::rgb(204, 204, 196))); // a = -4
        for (int y = 4; y <= 19; ++y)
            QVERIFY(brightness(s.pixel(10, y)) >= brightness(s.pixel(10, y - 1)));
        // Inner strokes from B: bottom +16 and +10, right +5 and T, top -32 and -24,
        // left -32 and -22.
        VB_CHECK(checkRect(s, {2, 21, 73, 22}, gdi::rgb(224, 224, 216)));
        VB_CHECK(checkRect(s, {3, 20, 73, 21}, gdi::rgb(218, 218, 210)));
        VB_CHECK(checkRect(s, {73, 2, 74, 21}, gdi::rgb(213, 213, 205)));
        VB_CHECK(checkRect(s, {72, 3, 73, 20}, gdi::rgb(kTint, kTint, kTint)));
        VB_CHECK(checkRect(s, {2, 1, 73, 2}, gdi::rgb(176, 176, 167)));
        VB_CHECK(checkRect(s, {3, 2, 73, 3}, gdi::rgb(184, 184, 175)));
        VB_CHECK(checkRect(s, {1, 2, 2, 21}, gdi::rgb(176, 176, 167)));
        VB_CHECK(checkRect(s, {2, 2, 3, 21}, gdi::rgb(186, 186, 178)));
    }

    void roundGradientDisabled()
    {
        TestButton b(btRoundGradient, 75, 23);
        b.s.m_Enabled = false;
        b.draw(dsUp);
        const gdi::Surface& s = b.host.surface;
        // Fill Shift*(T, -24), frame Shift*(T, -84), corners Shift*(T, -72).
        VB_CHECK(checkRect(s, {1, 2, 74, 21}, gdi::rgb(216, 216, 210)));
        VB_CHECK(checkRect(s, {0, 0, 75, 1}, gdi::rgb(156, 156, 135)));
        VB_CHECK(checkRect(s, {0, 0, 1, 23}, gdi::rgb(156, 156, 135)));
        QCOMPARE(s.pixel(73, 21), gdi::rgb(168, 168, 150));
        QCOMPARE(s.pixel(1, 1), gdi::rgb(168, 168, 150));
    }

    void flatUp()
    {
        // Fill Shift(F, +12), highlight frame one pixel in, a dark frame Shift(Sh, -26)
        // one pixel short at the right and bottom, two pixels Shift(Sh, +26).
        TestButton b(btFlat, 20, 10);
        b.draw(dsUp);
        VB_CHECK(checkMask(
            b.host.surface, 0, 0,
            {"dddddddddddddddddddF", //
             "dhhhhhhhhhhhhhhhhhph", //
             "dhffffffffffffffffdh", //
             "dhffffffffffffffffdh", //
             "dhffffffffffffffffdh", //
             "dhffffffffffffffffdh", //
             "dhffffffffffffffffdh", //
             "dhffffffffffffffffdh", //
             "dpdddddddddddddddddh", //
             "Fhhhhhhhhhhhhhhhhhhh"},
            {{'d', 0x666666}, {'h', 0xFFFFFF}, {'f', 0xCCCCCC}, {'p', 0x9A9A9A}, {'F', kClassicFace}}));
    }

    void hotSelectFills_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<bool>("hot");
        QTest::addColumn<int>("state");
        QTest::addColumn<uint>("inside");
        QTest::addColumn<uint>("edge");
        const uint face = kClassicFace, navy = kClassicHighlight;
        // Accent soft = navy washed by 176 = (176, 176, 215); pressed fill = navy washed by 128.
        QTest::newRow("up") << int(csSystem) << false << int(dsUp) << face << face;
        QTest::newRow("up hot") << int(csSystem) << true << int(dsUp) << uint(gdi::rgb(176, 176, 215))
                                << navy;
        QTest::newRow("down") << int(csSystem) << false << int(dsDown) << face << navy;
        QTest::newRow("down hot") << int(csSystem) << true << int(dsDown) << uint(gdi::rgb(128, 128, 191))
                                  << navy;
        // Custom: accent Shift(face, -128), accent soft the face; pressed fill Shift(face, -32).
        QTest::newRow("custom down hot") << int(csCustom) << true << int(dsDown) << uint(0x606060) << uint(0);
        QTest::newRow("custom up hot") << int(csCustom) << true << int(dsUp) << uint(0x808080) << uint(0);
    }
    void hotSelectFills()
    {
        QFETCH(int, scheme);
        QFETCH(bool, hot);
        QFETCH(int, state);
        QFETCH(uint, inside);
        QFETCH(uint, edge);
        TestButton b(btHotSelect, 40, 20);
        b.s.m_ColorScheme = scheme;
        b.s.m_BackColor = 0x808080;
        b.s.m_BackOver = 0x808080;
        LoadColors(b.s, b.host);
        b.s.m_IsHot = hot;
        b.draw(std::uint8_t(state));
        VB_CHECK(checkRect(b.host.surface, {1, 1, 39, 19}, inside));
        for (const QPoint p : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 19), QPoint(39, 19), QPoint(20, 0)})
            QCOMPARE(b.at(p.x(), p.y()), gdi::ColorRef(edge));
    }

    void hotFramesOnlyWhileHot_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("btHotThin") << int(btHotThin);
        QTest::newRow("btHot3D") << int(btHot3D);
    }
    void hotFramesOnlyWhileHot()
    {
        QFETCH(int, type);
        TestButton b(type, 30, 16);
        b.draw(dsUp);
        VB_CHECK(checkRect(b.host.surface, {0, 0, 30, 16}, kClassicFace));
        b.s.m_IsHot = true;
        b.draw(dsUp);
        QCOMPARE(b.at(5, 0), gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT));
        QCOMPARE(b.at(5, 15),
                 gdi::GetSysColor(type == btHot3D ? gdi::COLOR_3DDKSHADOW : gdi::COLOR_BTNSHADOW));
    }

    void ovalLooks()
    {
        TestButton b(btOval, 40, 20);
        b.draw(dsUp);
        // Outline and fill are both the face colour when not hot.
        VB_CHECK(checkRect(b.host.surface, {0, 0, 40, 20}, kClassicFace));
        b.s.m_IsHot = true;
        b.draw(dsUp);
        QCOMPARE(b.at(20, 0), gdi::GetSysColor(gdi::COLOR_BTNSHADOW));
        QCOMPARE(b.at(20, 10), kClassicFace);
        QCOMPARE(b.at(0, 0), kClassicFace); // outside the ellipse: the face fill
        b.draw(dsDown);
        QCOMPARE(b.at(20, 0), gdi::GetSysColor(gdi::COLOR_3DDKSHADOW));
        QCOMPARE(b.at(20, 10), gdi::ColorRef(0xA0A0A0)); // Shift(F, -32)
        QCOMPARE(b.at(0, 0), kClassicFace);
    }

    void roundedDownRestoresTheTint()
    {
        TestButton b(btRounded, 30, 16, QStringLiteral("HH"));
        b.s.m_SpecialEffect = fxShadow;
        const gdi::ColorRef tint = b.s.m_FaceTintColor;
        b.draw(dsDown);
        QCOMPARE(b.s.m_FaceTintColor, tint);
        // Shift(Sh, -16) inside: 128 - 16.
        QCOMPARE(b.at(5, 5), gdi::ColorRef(0x707070));
        // The pressed caption's shadow layer is shaded from the dark face: Shift(&H707070, -40).
        QVERIFY(!pixelsOf(b.host.surface, b.s.m_TextArea.offset(1, 1), 0x484848).isEmpty());
    }
};

QTEST_MAIN(TestStyle)
#include "tst_style.moc"
