// Ellipse and elliptic regions: the pixels whose centres lie in the ellipse inscribed
// in the box (right and bottom excluded); a 2-pixel pen inside that outline.

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
} // namespace

class TstEllipseRegion : public QObject {
    Q_OBJECT
private slots:
    void smallEllipseByHand();
    void ovalButtonShape();
    void tinyBoxes();
    void hollowBrushAndNullPen();
    void clippedEllipseMatchesUnclipped();
    void ellipseRegion40x20();
    void regionMatchesEllipseFill();
    void rectMinusSquares();
    void rectRegionEdges();
};

// 8 x 6 box. In doubled coordinates from the centre, X in {+-1, +-3, +-5, +-7} and
// Y in {+-1, +-3, +-5}; a pixel is in when X^2 * 36 + Y^2 * 64 <= 2304: rows Y = +-5
// keep |X| <= 3, rows Y = +-3 keep |X| <= 5, rows Y = +-1 keep all. The inner ellipse
// (box shrunk by 2: 4 x 2) keeps X^2 * 4 + Y^2 * 16 <= 64: only rows Y = +-1, |X| <= 3.
void TstEllipseRegion::smallEllipseByHand()
{
    Surface s(10, 8, kSentinel);
    Dc dc(s);
    dc.selectPen({kPen, 2, false});
    dc.selectBrush(kFill);
    dc.ellipse(1, 1, 9, 7);
    GDI_COMPARE_MASK(s,
                     {"..........", //
                      "...PPPP...", //
                      "..PPPPPP..", //
                      ".PPFFFFPP.", //
                      ".PPFFFFPP.", //
                      "..PPPPPP..", //
                      "...PPPP...", //
                      ".........."},
                     kLegend);
}

void TstEllipseRegion::ovalButtonShape()
{
    const int W = 40, H = 20;
    Surface s(W + 4, H + 4, kSentinel);
    Dc dc(s);
    dc.selectPen({kPen, 2, false});
    dc.selectBrush(kFill);
    dc.ellipse(2, 2, 2 + W, 2 + H);
    // Nothing outside the box.
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (!Rect{2, 2, 2 + W, 2 + H}.contains(x, y))
                QCOMPARE(s.pixel(x, y), kSentinel);
    // Symmetric about both axes of the box.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const ColorRef c = s.pixel(2 + x, 2 + y);
            QCOMPARE(s.pixel(2 + W - 1 - x, 2 + y), c);
            QCOMPARE(s.pixel(2 + x, 2 + H - 1 - y), c);
        }
    // Corners of the box are outside, the centre is filled.
    QCOMPARE(s.pixel(2, 2), kSentinel);
    QCOMPARE(s.pixel(2 + W - 1, 2 + H - 1), kSentinel);
    QCOMPARE(s.pixel(2 + 19, 2 + 9), kFill);
    QCOMPARE(s.pixel(2 + 20, 2 + 10), kFill);
    // The outline is two pixels deep at each edge midpoint, then the fill begins.
    for (int d : {0, 1}) {
        QCOMPARE(s.pixel(2 + 19, 2 + d), kPen);
        QCOMPARE(s.pixel(2 + 20, 2 + H - 1 - d), kPen);
        QCOMPARE(s.pixel(2 + d, 2 + 9), kPen);
        QCOMPARE(s.pixel(2 + W - 1 - d, 2 + 10), kPen);
    }
    QCOMPARE(s.pixel(2 + 19, 2 + 2), kFill);
    QCOMPARE(s.pixel(2 + 2, 2 + 9), kFill);
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
    dc.ellipse(0, 0, 1, 1); // 1 x 1: the one pixel is outline
    dc.ellipse(2, 0, 4, 2); // 2 x 2: all four pixels are outline
    dc.ellipse(5, 0, 5, 3); // zero width: nothing
    dc.ellipse(5, 2, 4, 1); // corners in reverse order: the box (4, 1)-(5, 2)
    GDI_COMPARE_MASK(s, {"P.PP..", "..PPP.", "......"}, kLegend);
}

void TstEllipseRegion::hollowBrushAndNullPen()
{
    Surface hollow(8, 6, kSentinel);
    Dc h(hollow);
    h.selectPen({kPen, 2, false});
    h.selectBrush(std::nullopt);
    h.ellipse(0, 0, 8, 6);
    GDI_COMPARE_MASK(hollow, {"..PPPP..", ".PPPPPP.", "PP....PP", "PP....PP", ".PPPPPP.", "..PPPP.."},
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
