// Every look in its up, down and disabled face, as sentinel pixels worked out from
// the recipes' coordinates and shading amounts. The classic colour scheme keeps the
// palette's five greys apart: face &HC0C0C0, light &HDFDFDF, highlight white,
// shadow &H808080, dark shadow black.

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/Styles.h"

#include <cmath>
#include <memory>

using namespace vb;
using namespace vbtest;

namespace {

struct Probe {
    int x;
    int y;
    gdi::ColorRef color;
};
using Probes = QList<Probe>;

constexpr gdi::ColorRef F = 0xC0C0C0, L = 0xDFDFDF, Hi = 0xFFFFFF, Sh = 0x808080, DS = 0;
// A focus dot inverts the face under it (dark text on a white background colour).
constexpr gdi::ColorRef kDot = F ^ 0xFFFFFF;

constexpr int W = 20, H = 12;

// One ring of a bevel or frame, `inset` pixels in: c1 on the top and left sides,
// c2 on the right and bottom, sampled away from the corners.
Probes ring(int inset, gdi::ColorRef c1, gdi::ColorRef c2)
{
    return {{5, inset, c1}, {inset, 5, c1}, {W - 1 - inset, 5, c2}, {5, H - 1 - inset, c2}};
}

gdi::ColorRef grey(int v)
{
    return gdi::rgb(v, v, v);
}

} // namespace

Q_DECLARE_METATYPE(Probes)

class TestRecipes : public QObject {
    Q_OBJECT

private slots:
    // "flags" holds any of hot, focus and default.
    void looks_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<Probes>("probes");
        const auto row = [](const char* name, int type, const char* face, const char* flags,
                            const Probes& p) {
            QTest::newRow(name) << type << W << H << QString::fromLatin1(face) << QString::fromLatin1(flags)
                                << p;
        };
        // The focus rectangle's first dot: (4, 4) on most types, (3, 3) on types 7 to 13.
        const Probe dot4{4, 4, kDot}, noDot4{4, 4, F}, dot3{3, 3, kDot}, noDot3{3, 3, F};

        // btBordered: a dark frame on the edge, the two-ring bevel one pixel in.
        row("bordered up", btBordered, "up", "focus",
            ring(0, DS, DS) + ring(1, Hi, Sh) + ring(2, Hi, Sh) + Probes{{10, 6, F}, dot4});
        row("bordered down", btBordered, "down", "focus",
            ring(0, DS, DS) + ring(1, Sh, Hi) + ring(2, Sh, Hi) + Probes{{10, 6, F}, dot4});
        row("bordered disabled", btBordered, "disabled", "focus",
            ring(0, DS, DS) + ring(1, Hi, Sh) + ring(2, Hi, Sh) + Probes{noDot4});

        // btStandard: the focus rectangle belongs to the default button only.
        row("standard up", btStandard, "up", "focus", ring(0, Hi, DS) + ring(1, L, Sh) + Probes{noDot4});
        row("standard up default", btStandard, "up", "focus default",
            ring(0, DS, DS) + ring(1, Hi, DS) + ring(2, L, Sh) + Probes{{10, 6, F}, dot4});
        row("standard up default, no focus", btStandard, "up", "default",
            ring(0, DS, DS) + ring(1, Hi, DS) + ring(2, L, Sh) + Probes{noDot4});
        row("standard down", btStandard, "down", "focus", ring(0, DS, Hi) + ring(1, Sh, L) + Probes{noDot4});
        row("standard down default", btStandard, "down", "focus default",
            ring(0, DS, DS) + ring(1, Sh, Sh) + ring(2, F, F) + Probes{dot4});
        row("standard disabled default", btStandard, "disabled", "focus default",
            ring(0, Hi, DS) + ring(1, L, Sh) + Probes{noDot4});

        // btRounded up and disabled share the recipe: light fill, dark frame and
        // corners, face-coloured notch at (1, 1) from Line(1, 2, 2, 0), highlight
        // lines at row 2 and column 2, face lines at row H - 3 and column W - 3,
        // shadow lines at row H - 2 and column W - 2.
        const Probes rounded{{5, 0, DS},  {0, 5, DS},  {18, 1, DS}, {1, 10, DS}, {18, 10, DS},
                             {1, 1, F},   {1, 2, F},   {1, 5, L},   {10, 5, L},  {5, 2, Hi},
                             {2, 5, Hi},  {3, 3, Hi},  {17, 5, F},  {5, 9, F},   {16, 8, F},
                             {18, 5, Sh}, {5, 10, Sh}, {17, 9, Sh}, {2, 10, Sh}, {17, 10, Sh}};
        row("rounded up", btRounded, "up", "focus", rounded);
        row("rounded disabled", btRounded, "disabled", "focus", rounded);
        // Down: fill Shift(Sh, -16), nested frames Shift(Sh, -64) and Shift(Sh, -32),
        // shadow lines inside, Shift(Sh, -16) lines outside them, Shift(Sh, -32) notches.
        row("rounded down", btRounded, "down", "focus",
            {{5, 0, DS},        {1, 1, DS},         {18, 1, DS},        {18, 10, DS},
             {5, 1, grey(64)},  {1, 5, grey(64)},   {2, 2, grey(64)},   {5, 2, grey(96)},
             {2, 5, grey(96)},  {3, 3, grey(96)},   {10, 5, grey(112)}, {17, 5, Sh},
             {5, 9, Sh},        {16, 8, Sh},        {18, 5, grey(112)}, {5, 10, grey(112)},
             {18, 9, grey(96)}, {17, 10, grey(96)}, {2, 10, grey(96)},  {18, 2, grey(96)}});

        // btFlat down: fill Shift(Sh, +16) to one pixel short of the right and bottom,
        // dark frame Shift(Sh, -26) one pixel short, highlight at the right and bottom.
        row("flat down", btFlat, "down", "focus",
            {{0, 0, grey(102)},
             {18, 0, grey(102)},
             {0, 10, grey(102)},
             {18, 5, grey(102)},
             {5, 10, grey(102)},
             {19, 0, F},
             {0, 11, F},
             {19, 5, Hi},
             {19, 11, Hi},
             {5, 11, Hi},
             {1, 1, grey(144)},
             {16, 5, grey(144)},
             {4, 4, grey(144)}}); // its focus is a frame round the caption, not the dotted one
        row("flat disabled", btFlat, "disabled", "focus", ring(0, Sh, Sh) + Probes{{10, 5, F}, noDot4});

        // btSoft3D: the light colour lifted by 8 in place of the highlight.
        const gdi::ColorRef s8 = grey(0xE7);
        row("soft 3D up", btSoft3D, "up", "focus", ring(0, s8, Sh) + ring(1, s8, Sh) + Probes{dot4});
        row("soft 3D down", btSoft3D, "down", "focus", ring(0, Sh, s8) + ring(1, Sh, s8) + Probes{dot4});
        row("soft 3D disabled", btSoft3D, "disabled", "focus",
            ring(0, s8, Sh) + ring(1, s8, Sh) + Probes{noDot4});

        // The thin frames and the hot bevel.
        row("thin up", btThin, "up", "focus", ring(0, Hi, Sh) + ring(1, F, F) + Probes{dot3});
        row("thin down", btThin, "down", "focus", ring(0, Sh, Hi) + ring(1, F, F) + Probes{dot3});
        row("thin disabled", btThin, "disabled", "focus", ring(0, Hi, Sh) + Probes{noDot3});
        row("hot thin up hot", btHotThin, "up", "hot", ring(0, Hi, Sh) + ring(1, F, F));
        row("hot thin down", btHotThin, "down", "focus", ring(0, Sh, Hi) + ring(1, F, F) + Probes{dot3});
        row("hot thin disabled", btHotThin, "disabled", "hot focus", ring(0, F, F) + Probes{noDot3});
        row("hot 3D up hot", btHot3D, "up", "hot focus", ring(0, Hi, DS) + ring(1, L, Sh) + Probes{dot3});
        row("hot 3D down", btHot3D, "down", "focus", ring(0, DS, Hi) + ring(1, Sh, L) + Probes{dot3});
        row("hot 3D disabled", btHot3D, "disabled", "hot focus",
            ring(0, F, F) + ring(1, F, F) + Probes{noDot3});

        // btHotSelect: not hot, only the focus; pressed, the accent frame (navy here).
        row("hot select up", btHotSelect, "up", "focus", ring(0, F, F) + Probes{{10, 5, F}, dot3});
        row("hot select down", btHotSelect, "down", "focus",
            ring(0, 0x800000, 0x800000) + Probes{{10, 5, F}, dot3});
        row("hot select disabled", btHotSelect, "disabled", "hot focus",
            ring(0, F, F) + Probes{{0, 0, F}, {10, 5, F}, noDot3});

        row("picture only up", btPictureOnly, "up", "hot focus", ring(0, F, F) + Probes{noDot3});
        row("picture only disabled", btPictureOnly, "disabled", "focus", ring(0, F, F) + Probes{noDot3});

        // btOval, 20 x 12: the 2-pixel pen is centred on the outline through the first
        // and last pixels, so it shows one pixel at the left and top and two at the
        // right and bottom; the corners keep the face fill. No focus rectangle.
        row("oval up hot", btOval, "up", "hot focus",
            {{0, 5, Sh},
             {1, 5, F},
             {18, 5, Sh},
             {19, 5, Sh},
             {17, 5, F},
             {10, 0, Sh},
             {10, 1, F},
             {10, 10, Sh},
             {10, 11, Sh},
             {10, 9, F},
             {0, 0, F},
             {19, 11, F},
             {3, 5, F}});
        row("oval down", btOval, "down", "focus",
            {{0, 5, DS},
             {1, 5, grey(0xA0)},
             {19, 5, DS},
             {18, 5, DS},
             {10, 0, DS},
             {10, 1, grey(0xA0)},
             {10, 11, DS},
             {10, 10, DS},
             {0, 0, F},
             {3, 5, grey(0xA0)}});
        row("oval disabled", btOval, "disabled", "hot focus",
            {{0, 5, F}, {19, 5, F}, {10, 0, F}, {10, 11, F}, {10, 5, F}});

        // btGradient: white fading by 58 over the height (row y darkened by 58 / 12 * y,
        // rounded: 5, 19, 24, 29, 39 on rows 1, 4, 5, 6, 8), frames Shift(Sh, -50) and
        // Shift(F, -9), white bands at rows 2-3 and columns 2-3. The focus rectangle
        // starts at (6, 6).
        const Probes gradientFrames{{5, 0, grey(78)},   {0, 5, grey(78)},   {19, 5, grey(78)},
                                    {5, 11, grey(78)},  {5, 1, grey(183)},  {1, 5, grey(183)},
                                    {18, 5, grey(183)}, {5, 10, grey(183)}, {5, 2, Hi},
                                    {16, 3, Hi},        {2, 5, Hi},         {3, 9, Hi}};
        row("gradient up", btGradient, "up", "focus",
            gradientFrames
                + Probes{{10, 4, grey(236)},
                         {10, 5, grey(231)},
                         {10, 8, grey(216)},
                         {6, 6, grey(226) ^ 0xFFFFFF}});
        row("gradient up hot", btGradient, "up", "hot", gradientFrames + Probes{{10, 5, L}, {10, 8, L}});
        row("gradient disabled", btGradient, "disabled", "focus",
            gradientFrames + Probes{{10, 4, grey(236)}, {10, 8, grey(216)}, {6, 6, grey(226)}});
        // Down: fill Shift(F, -9), frame Shift(Sh, -48), highlight lines at the bottom and right.
        row("gradient down", btGradient, "down", "focus",
            ring(0, grey(80), grey(80))
                + Probes{{5, 1, grey(183)},
                         {10, 5, grey(183)},
                         {1, 10, grey(183)},
                         {18, 1, grey(183)},
                         {5, 10, Hi},
                         {18, 5, Hi},
                         {18, 10, Hi},
                         {6, 6, grey(183) ^ 0xFFFFFF}});
        // 3 x 3: the bands have negative sizes, (2, 2, -1, 2) and (2, 4, 2, -3); each
        // negative run is mirrored about its first pixel, so both light only (2, 2),
        // as in GDI's own render of this button.
        QTest::newRow("gradient 3x3") << int(btGradient) << 3 << 3 << QStringLiteral("up") << QString()
                                      << Probes{{0, 0, grey(78)}, {1, 0, grey(78)},  {2, 0, grey(78)},
                                                {0, 1, grey(78)}, {1, 1, grey(183)}, {2, 1, grey(78)},
                                                {0, 2, grey(78)}, {1, 2, grey(78)},  {2, 2, Hi}};
    }
    void looks()
    {
        QFETCH(int, type);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QString, face);
        QFETCH(QString, flags);
        QFETCH(Probes, probes);
        TestButton b(type, w, h);
        b.s.m_ColorScheme = csClassic;
        LoadColors(b.s, b.host);
        b.s.m_IsHot = flags.contains(QLatin1String("hot"));
        b.s.m_HasFocus = flags.contains(QLatin1String("focus"));
        b.host.isDefault = flags.contains(QLatin1String("default"));
        b.s.m_Enabled = face != QLatin1String("disabled");
        b.draw(face == QLatin1String("down") ? dsDown : dsUp);
        for (const Probe& p : probes)
            QVERIFY2(b.at(p.x, p.y) == p.color, qPrintable(QStringLiteral("(%1, %2) is %3, expected %4")
                                                               .arg(p.x)
                                                               .arg(p.y)
                                                               .arg(hex(b.at(p.x, p.y)), hex(p.color))));
    }

    // On a screen with a device pixel ratio the frame, lines and fills of every look
    // are the unscaled look with each pixel made the block of device pixels between
    // its edges' device positions (whole pixels, so nothing is blended), the window
    // shape covers exactly the blocks of the pixels it holds, and the caption is
    // drawn anew at the device's resolution rather than enlarged; a picture is
    // enlarged like the frame, its transparency and silhouettes per device pixel.
    void scaledLooks_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("scale");
        for (int type = btBordered; type <= btGradient; ++type)
            for (const char* face : {"up", "hot", "down", "disabled"})
                QTest::addRow("%d %s x2", type, face) << type << QString::fromLatin1(face) << 2.0;
        for (int type : {int(btBordered), int(btRoundGradient), int(btFlat), int(btOval), int(btGradient)})
            for (double scale : {1.25, 1.5})
                QTest::addRow("%d up x%g", type, scale) << type << QStringLiteral("up") << scale;
    }
    void scaledLooks()
    {
        QFETCH(int, type);
        QFETCH(QString, face);
        QFETCH(double, scale);
        constexpr int w = 41, h = 17;
        // A picture with transparent pixels, at odd coordinates (where at 1.5 the
        // blocks are one pixel wide, then two).
        const gdi::PicturePtr picture =
            bitmapFromMask({"rrk..", "r.k.r", "kkrrr"}, {{'r', 0x0000FF}, {'k', 0x202020}, {'.', F}});
        const auto render = [&](double ratio, const QString& caption) {
            auto b = std::make_unique<TestButton>(type, w, h, caption);
            b->host.font.setBold(true);
            b->s.m_PictureNormal = picture;
            MeasurePicture(b->s);
            b->host.resize(w, h, ratio);
            b->s.m_ColorScheme = csClassic;
            LoadColors(b->s, b->host);
            b->s.m_IsHot = face == QLatin1String("hot");
            b->s.m_Enabled = face != QLatin1String("disabled");
            b->draw(face == QLatin1String("down") ? dsDown : dsUp);
            return b;
        };
        const auto plain = render(1.0, QString());
        const auto scaled = render(scale, QString());
        const gdi::Surface& device = scaled->host.surface;
        QCOMPARE(device.width(), int(std::floor(w * scale + 0.5)));
        QCOMPARE(device.height(), int(std::floor(h * scale + 0.5)));
        const gdi::Region deviceShape = scaled->s.m_Region.scaled(scale);
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x) {
                const int lx = device.toLogical(x), ly = device.toLogical(y);
                if (device.pixel(x, y) != plain->at(lx, ly)
                    || deviceShape.contains(x, y) != plain->s.m_Region.contains(lx, ly))
                    QFAIL(qPrintable(
                        QStringLiteral("device (%1, %2) is %3 (shape %4), pixel (%5, %6) is %7 (shape %8)")
                            .arg(x)
                            .arg(y)
                            .arg(hex(device.pixel(x, y)))
                            .arg(deviceShape.contains(x, y))
                            .arg(lx)
                            .arg(ly)
                            .arg(hex(plain->at(lx, ly)))
                            .arg(plain->s.m_Region.contains(lx, ly))));
            }
        if (type == btPictureOnly)
            return; // no caption to look at
        const auto captioned = render(1.0, QStringLiteral("B"));
        const auto sharp = render(scale, QStringLiteral("B"));
        // Pixels where the scaled caption differs from the enlarged one: there are
        // some, and all lie inside the caption's rectangle and its effect layers.
        const gdi::Rect around = sharp->host.surface.toDevice(sharp->s.m_CaptionRect.inflate(2, 2));
        int differing = 0;
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x) {
                if (sharp->host.surface.pixel(x, y)
                    == captioned->at(device.toLogical(x), device.toLogical(y)))
                    continue;
                ++differing;
                QVERIFY2(around.contains(x, y), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        QVERIFY(differing > 0);
    }
};

QTEST_MAIN(TestRecipes)
#include "tst_recipes.moc"
