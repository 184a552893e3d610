// Ellipse and elliptic regions: the pixels whose centres lie in the ellipse inscribed
// in the box (right and bottom excluded); a 2-pixel solid pen centred on the outline
// through the box's first and last pixels, so half of it falls outside the box.

#include "platform/gdi/Dc.h"
#include "platform/gdi/Region.h"
#include "support/PixelMask.h"

#include <QTest>

using namespace gdi;
using gdi::test::kSentinel;

namespace {
constexpr ColorRef kPen = 0x0000FF;
constexpr ColorRef kFill = 0x00FF00;
const gdi::test::Legend kLegend{{QLatin1Char('P'), kPen}, {QLatin1Char('F'), kFill}};

// Masks of the oval sizes (see solidPenIsCentredOnTheOutline). Inside the box the
// 10x10 and 40x20 ones are the platform's own renders of the oval button
// (tests/vbbutton/reference/oval); outside it the pen's reach at the left and top.
const QStringList kOval10x10{"...PPPPP....", "..PPPPPPP...", ".PPPPFPPPP..", "PPPPFFFPPPP.",
                             "PPPFFFFFPPP.", "PPFFFFFFFPP.", "PPFFFFFFFPP.", "PPPFFFFFPPP.",
                             "PPPPFFFPPPP.", ".PPPPPPPPP..", "..PPPPPPP...", "............"};
const QStringList kOval40x20{
    "..............PPPPPPPPPPPPP...............", "..........PPPPPPPPPPPPPPPPPPPPP...........",
    ".......PPPPPPPPPFFFFFFFFFPPPPPPPPP........", ".....PPPPPPPFFFFFFFFFFFFFFFFFPPPPPPP......",
    "...PPPPPPFFFFFFFFFFFFFFFFFFFFFFFPPPPPP....", "..PPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPP...",
    ".PPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPP..", ".PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP..",
    "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.", "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.",
    "PPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPP.", "PPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPP.",
    "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.", "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.",
    ".PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP..", ".PPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPP..",
    "..PPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPP...", "....PPPPPPPFFFFFFFFFFFFFFFFFFFPPPPPPP.....",
    "......PPPPPPPPPFFFFFFFFFFFPPPPPPPPP.......", ".........PPPPPPPPPPPPPPPPPPPPPPP..........",
    ".............PPPPPPPPPPPPPPP..............", ".........................................."};
const QStringList kOval75x23{"...........................PPPPPPPPPPPPPPPPPPPPPP............................",
                             "...................PPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPP....................",
                             "..............PPPPPPPPPPPPPPPFFFFFFFFFFFFFFFFFFPPPPPPPPPPPPPPP...............",
                             "..........PPPPPPPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPPPPPPP...........",
                             "........PPPPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPPPP.........",
                             "......PPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPP.......",
                             "....PPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPP.....",
                             "..PPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPP...",
                             ".PPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPP..",
                             ".PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP..",
                             "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.",
                             "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.",
                             "PPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPP.",
                             "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.",
                             "PPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPP.",
                             ".PPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPP..",
                             ".PPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPP..",
                             "...PPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPP....",
                             ".....PPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPP......",
                             ".......PPPPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPPPP........",
                             ".........PPPPPPPPPPPFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFPPPPPPPPPPP..........",
                             ".............PPPPPPPPPPPPPPPFFFFFFFFFFFFFFFFFFFFPPPPPPPPPPPPPPP..............",
                             "..................PPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPP...................",
                             "..........................PPPPPPPPPPPPPPPPPPPPPPPP...........................",
                             "............................................................................."};
} // namespace

class TstEllipseRegion : public QObject {
    Q_OBJECT
private slots:
    void smallEllipseByHand();
    void solidPenIsCentredOnTheOutline_data();
    void solidPenIsCentredOnTheOutline();
    void ovalButtonShape();
    void tinyBoxes();
    void hollowBrushAndNullPen();
    void clippedEllipseMatchesUnclipped();
    void ellipseRegion40x20();
    void regionMatchesEllipseFill();
    void rectMinusSquares();
    void rectRegionEdges();
};

// 8 x 6 box at (1, 1). The outline runs through x = 1 and x = 8 (centre 4.5, half
// axis 3.5) and y = 1 and y = 6 (centre 3.5, half axis 2.5), with pixel x covering
// [x, x + 1). The 2-pixel pen spans half axes 4.5 x 3.5 outside and 2.5 x 1.5 inside;
// a pixel centre (x + 0.5, y + 0.5) inside or on the outer ellipse is pen, inside or
// on the inner one is fill. Row 0, y + 0.5 - 3.5 = -3: 1 - 9 / 12.25 leaves
// |dx| <= 2.32: pixels 2 to 6. Row 3 (dy = 0): fill where |dx| <= 2.5 (pixels 2 to 6),
// pen out to |dx| <= 4.5 (pixels 0 to 8).
void TstEllipseRegion::smallEllipseByHand()
{
    Surface s(10, 8, kSentinel);
    Dc dc(s);
    dc.selectPen({kPen, 2, false});
    dc.selectBrush(kFill);
    dc.ellipse(1, 1, 9, 7);
    GDI_COMPARE_MASK(s,
                     {"..PPPPP...", //,
                      ".PPPPPPP..", //,
                      "PPPPFPPPP.", //,
                      "PPPFFFPPP.", //,
                      "PPPFFFPPP.", //,
                      "PPPPPPPPP.", //,
                      ".PPPPPPP..", //,
                      ".........."},
                     kLegend);
}

// The oval button's sizes, each box at (1, 1) on a surface one pixel larger all round:
// the pen shows one pixel outside the box at the left and top, none at the right and
// bottom, where it lies two pixels deep inside.
void TstEllipseRegion::solidPenIsCentredOnTheOutline_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QStringList>("mask");
    QTest::newRow("10x10") << 10 << 10 << kOval10x10;
    QTest::newRow("40x20") << 40 << 20 << kOval40x20;
    QTest::newRow("75x23") << 75 << 23 << kOval75x23;
}

void TstEllipseRegion::solidPenIsCentredOnTheOutline()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QStringList, mask);
    Surface s(w + 2, h + 2, kSentinel);
    Dc dc(s);
    dc.selectPen({kPen, 2, false});
    dc.selectBrush(kFill);
    dc.ellipse(1, 1, 1 + w, 1 + h);
    GDI_COMPARE_MASK(s, mask, kLegend);
}

void TstEllipseRegion::ovalButtonShape()
{
    const int W = 40, H = 20;
    Surface s(W + 4, H + 4, kSentinel);
    Dc dc(s);
    dc.selectPen({kPen, 2, false});
    dc.selectBrush(kFill);
    dc.ellipse(2, 2, 2 + W, 2 + H);
    // The pen reaches one pixel past the left and top edges, never past the others.
    const Rect reach{1, 1, 2 + W, 2 + H};
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (!reach.contains(x, y))
                QCOMPARE(s.pixel(x, y), kSentinel);
    // Mirrored left to right about the outline through the box's first and last
    // pixels, but not top to bottom: where the curve steps diagonally the pen takes
    // the lower of the two pixels it half covers, so the top row is wider than the
    // bottom one (as in the platform's render).
    for (int y = 0; y < reach.height(); ++y)
        for (int x = 0; x < reach.width(); ++x)
            QCOMPARE(s.pixel(1 + reach.width() - 1 - x, 1 + y), s.pixel(1 + x, 1 + y));
    QCOMPARE(s.pixel(2 + 9, 2), kPen);
    QCOMPARE(s.pixel(2 + 9, 2 + H - 1), kSentinel);
    QCOMPARE(s.pixel(2 + 12, 2 + H - 1), kPen);
    // Corners of the box are outside, the centre is filled.
    QCOMPARE(s.pixel(2, 2), kSentinel);
    QCOMPARE(s.pixel(2 + W - 1, 2 + H - 1), kSentinel);
    QCOMPARE(s.pixel(2 + 19, 2 + 9), kFill);
    QCOMPARE(s.pixel(2 + 20, 2 + 10), kFill);
    // At the edge midpoints the outline is one pixel deep inside the box at the left
    // and top, two at the right and bottom.
    QCOMPARE(s.pixel(2 + 19, 1), kPen);
    QCOMPARE(s.pixel(2 + 19, 2), kPen);
    QCOMPARE(s.pixel(2 + 19, 3), kFill);
    QCOMPARE(s.pixel(1, 2 + 9), kPen);
    QCOMPARE(s.pixel(2, 2 + 9), kPen);
    QCOMPARE(s.pixel(3, 2 + 9), kFill);
    for (int d : {0, 1}) {
        QCOMPARE(s.pixel(2 + 19, 2 + H - 1 - d), kPen);
        QCOMPARE(s.pixel(2 + W - 1 - d, 2 + 9), kPen);
    }
    QCOMPARE(s.pixel(2 + 19, 2 + H - 3), kFill);
    QCOMPARE(s.pixel(2 + W - 3, 2 + 9), kFill);
    // Every row of the box carries the outline.
    for (int y = 0; y < H; ++y) {
        bool pen = false;
        for (int x = 0; x < W; ++x)
            pen = pen || s.pixel(2 + x, 2 + y) == kPen;
        QVERIFY2(pen, qPrintable(QString::number(y)));
    }
}

void TstEllipseRegion::tinyBoxes()
{
    Surface s(6, 3, kSentinel);
    Dc dc(s);
    dc.selectPen({kPen, 2, false});
    dc.selectBrush(kFill);
    dc.ellipse(0, 0, 1, 1); // 1 x 1: the pen covers (-1, -1)-(1, 1), of which (0, 0) shows
    dc.ellipse(2, 0, 4, 2); // 2 x 2: all outline, (1, -1)-(4, 2)
    dc.ellipse(5, 0, 5, 3); // zero width: nothing
    dc.ellipse(5, 2, 4, 1); // corners in reverse order: the box (4, 1)-(5, 2), pen (3, 0)-(5, 2)
    GDI_COMPARE_MASK(s, {"PPPPP.", ".PPPP.", "......"}, kLegend);
}

void TstEllipseRegion::hollowBrushAndNullPen()
{
    Surface hollow(8, 6, kSentinel);
    Dc h(hollow);
    h.selectPen({kPen, 2, false});
    h.selectBrush(std::nullopt);
    h.ellipse(0, 0, 8, 6);
    GDI_COMPARE_MASK(hollow, {"PPPPPPP.", "PPP.PPPP", "PP...PPP", "PP...PPP", "PPPPPPPP", "PPPPPPP."},
                     kLegend);

    Surface noPen(8, 6, kSentinel);
    Dc n(noPen);
    n.selectPen({kPen, 2, true});
    n.selectBrush(kFill);
    n.ellipse(0, 0, 8, 6);
    GDI_COMPARE_MASK(noPen, {"..FFFF..", ".FFFFFF.", "FFFFFFFF", "FFFFFFFF", ".FFFFFF.", "..FFFF.."},
                     kLegend);
}

void TstEllipseRegion::clippedEllipseMatchesUnclipped()
{
    Surface whole(30, 20, kSentinel);
    Dc w(whole);
    w.selectPen({kPen, 2, false});
    w.selectBrush(kFill);
    w.ellipse(0, 0, 30, 20);
    // The same ellipse hanging off every edge of a smaller surface.
    Surface part(14, 8, kSentinel);
    Dc p(part);
    p.selectPen({kPen, 2, false});
    p.selectBrush(kFill);
    p.ellipse(-8, -6, 22, 14);
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            QCOMPARE(part.pixel(x, y), whole.pixel(x + 8, y + 6));
}

void TstEllipseRegion::ellipseRegion40x20()
{
    const Region r = Region::ellipse(0, 0, 40, 20);
    QVERIFY(!r.isEmpty());
    for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 19}, {39, 19}, {40, 10}, {20, 20}, {-1, 10}})
        QVERIFY2(!r.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    for (auto [x, y] : {std::pair{20, 10}, {19, 9}, {0, 9}, {0, 10}, {39, 10}, {19, 0}, {20, 19}})
        QVERIFY2(r.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    QCOMPARE(r.bounds(), Rect(0, 0, 40, 20));
    QCOMPARE(Region::ellipse(40, 20, 0, 0).toQRegion(), r.toQRegion());
    QVERIFY(Region::ellipse(3, 3, 3, 9).isEmpty());
}

void TstEllipseRegion::regionMatchesEllipseFill()
{
    for (auto [w, h] : {std::pair{40, 20}, {1, 1}, {2, 3}, {7, 7}, {75, 23}, {5, 30}}) {
        Surface s(w + 2, h + 2, kSentinel);
        Dc dc(s);
        dc.selectPen({0, 1, true});
        dc.selectBrush(kFill);
        dc.ellipse(1, 1, 1 + w, 1 + h);
        const Region r = Region::ellipse(1, 1, 1 + w, 1 + h);
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                QCOMPARE(r.contains(x, y), s.pixel(x, y) == kFill);
    }
}

void TstEllipseRegion::rectMinusSquares()
{
    const int W = 6, H = 4;
    Region shape = Region::rect(0, 0, W, H);
    const std::pair<int, int> cut[] = {{0, 0}, {1, 0}, {0, 1}, {W - 1, H - 1}, {W - 2, H - 1}};
    for (auto [x, y] : cut)
        shape = shape.subtracted(Region::rect(x, y, x + 1, y + 1));
    const QStringList expected{"..####", ".#####", "######", "####.."};
    for (int y = -1; y <= H; ++y)
        for (int x = -1; x <= W; ++x) {
            const bool inside =
                x >= 0 && y >= 0 && x < W && y < H && expected.at(y).at(x) == QLatin1Char('#');
            QVERIFY2(shape.contains(x, y) == inside, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    QCOMPARE(shape.bounds(), Rect(0, 0, W, H));
    QCOMPARE(shape.toQRegion().boundingRect(), QRect(0, 0, W, H));
}

void TstEllipseRegion::rectRegionEdges()
{
    const Region r = Region::rect(2, 1, 5, 3);
    QVERIFY(r.contains(2, 1));
    QVERIFY(r.contains(4, 2));
    QVERIFY(!r.contains(5, 2));
    QVERIFY(!r.contains(4, 3));
    QCOMPARE(Region::rect(5, 3, 2, 1).toQRegion(), r.toQRegion());
    QVERIFY(Region::rect(2, 1, 2, 9).isEmpty());
    QVERIFY(Region().isEmpty());
    QCOMPARE(Region().bounds(), Rect());
    QVERIFY(r.subtracted(r).isEmpty());
}

QTEST_MAIN(TstEllipseRegion)
#include "tst_ellipse_region.moc"
