// MoveToEx / LineTo: the end point is never painted and becomes the current
// position; diagonals pick the pixel nearest the line, ties going up or left.

#include "platform/gdi/Dc.h"
#include "support/PixelMask.h"

#include <QTest>

using namespace gdi;
using gdi::test::kInk;
using gdi::test::kSentinel;

struct LineCase {
    Point from;
    Point to;
};
Q_DECLARE_METATYPE(LineCase)

class TstLines : public QObject {
    Q_OBJECT
private slots:
    void endPointExcluded_data();
    void endPointExcluded();
    void currentPositionFollows();
    void nullPenOnlyMoves();
    void widthZeroDrawsLikeOne();
    void bevelPathOfStrokes();
};

void TstLines::endPointExcluded_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<LineCase>("line");
    QTest::addColumn<QStringList>("mask");
    auto row = [](const char* name, int w, int h, Point a, Point b, QStringList mask) {
        QTest::newRow(name) << w << h << LineCase{a, b} << mask;
    };
    row("right", 6, 3, {1, 1}, {4, 1}, {"......", ".###..", "......"});
    row("left", 6, 3, {4, 1}, {1, 1}, {"......", "..###.", "......"});
    row("down", 3, 5, {1, 0}, {1, 3}, {".#.", ".#.", ".#.", "...", "..."});
    row("up", 3, 5, {1, 3}, {1, 0}, {"...", ".#.", ".#.", ".#.", "..."});
    row("one pixel", 3, 2, {1, 1}, {2, 1}, {"...", ".#."});
    row("one pixel backwards", 3, 2, {1, 1}, {0, 1}, {"...", ".#."});
    row("zero length", 3, 2, {1, 1}, {1, 1}, {"...", "..."});
    row("diagonal down-right", 4, 4, {0, 0}, {3, 3}, {"#...", ".#..", "..#.", "...."});
    row("diagonal up-left", 4, 4, {3, 3}, {0, 0}, {"....", ".#..", "..#.", "...#"});
    row("diagonal down-left", 4, 4, {3, 0}, {0, 3}, {"...#", "..#.", ".#..", "...."});
    // Slope 1/4: the ideal y is 0, 0.25, 0.5, 0.75; the tie at x = 2 takes the upper row.
    row("shallow", 5, 2, {0, 0}, {4, 1}, {"###..", "...#."});
    // The same line drawn back: y = 1, 0.75, 0.5, 0.25, the tie still takes the upper row.
    row("shallow backwards", 5, 2, {4, 1}, {0, 0}, {".##..", "...##"});
    // Rising: y = 2, 1.5, 1, 0.5; both ties take the upper row.
    row("shallow rising", 5, 3, {0, 2}, {4, 0}, {"...#.", ".##..", "#...."});
    // Steep: x = 0, 0.25, 0.5, 0.75 by row; the tie at y = 2 takes the left column.
    row("steep", 2, 5, {0, 0}, {1, 4}, {"#.", "#.", "#.", ".#", ".."});
    row("steep backwards", 2, 5, {1, 4}, {0, 0}, {"..", "#.", "#.", ".#", ".#"});
    // Slope 1/3: y = 0, 1/3, 2/3.
    row("third", 4, 2, {0, 0}, {3, 1}, {"##..", "..#."});
    // From (-2, -1) to (6, 3), y = -1 + i / 2: only the middle of it is on the surface.
    row("clipped both ends", 4, 2, {-2, -1}, {6, 3}, {"##..", "..##"});
    row("outside", 3, 2, {-5, -1}, {10, -1}, {"...", "..."});
    row("horizontal clipped", 4, 1, {-3, 0}, {9, 0}, {"####"});
}

void TstLines::endPointExcluded()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(LineCase, line);
    QFETCH(QStringList, mask);
    Surface s(width, height, kSentinel);
    Dc dc(s);
    dc.selectPen({kInk, 1, false});
    dc.moveTo(line.from.x, line.from.y);
    dc.lineTo(line.to.x, line.to.y);
    GDI_COMPARE_MASK(s, mask);
}

void TstLines::currentPositionFollows()
{
    Surface s(5, 4, kSentinel);
    Dc dc(s);
    dc.selectPen({kInk, 1, false});
    QCOMPARE(dc.moveTo(0, 3), Point(0, 0));
    dc.lineTo(0, 0);
    QCOMPARE(dc.currentPosition(), Point(0, 0));
    dc.lineTo(4, 0);
    dc.lineTo(4, 3);
    dc.lineTo(0, 3); // closes the figure: the first stroke painted (0, 3)
    QCOMPARE(dc.currentPosition(), Point(0, 3));
    GDI_COMPARE_MASK(s, {"#####", "#...#", "#...#", "#####"});
}

void TstLines::nullPenOnlyMoves()
{
    Surface s(4, 2, kSentinel);
    Dc dc(s);
    const Pen old = dc.selectPen({kInk, 1, true});
    QCOMPARE(old, Pen{});
    dc.moveTo(0, 0);
    dc.lineTo(3, 0);
    QCOMPARE(dc.currentPosition(), Point(3, 0));
    dc.selectPen({kInk, 1, false});
    dc.lineTo(3, 2);
    GDI_COMPARE_MASK(s, {"...#", "...#"});
}

void TstLines::widthZeroDrawsLikeOne()
{
    Surface s(4, 3, kSentinel);
    Dc dc(s);
    dc.selectPen({kInk, 0, false});
    dc.moveTo(0, 0);
    dc.lineTo(3, 2);
    // Slope 2/3: y = 0, 2/3, 4/3 round to 0, 1, 1.
    GDI_COMPARE_MASK(s, {"#...", ".##.", "...."});
}

// The two-ring bevel of the button: one path of strokes, each its own colour, on a
// 10 x 10 surface with both rings one pixel in from the edge: outer ring (1,1)-(8,8),
// inner ring (2,2)-(7,7). Each stroke's end is painted by the next stroke.
void TstLines::bevelPathOfStrokes()
{
    Surface s(10, 10, kSentinel);
    Dc dc(s);
    auto stroke = [&](ColorRef c, int x, int y) {
        dc.selectPen({c, 1, false});
        dc.lineTo(x, y);
    };
    const int k = 1, r = 8, b = 8;
    dc.moveTo(k, b);
    stroke(0x0000AA, k, k);
    stroke(0x0000AA, r, k);
    stroke(0x00BB00, r, b);
    stroke(0x00BB00, k - 1, b);
    dc.moveTo(k + 1, b - 1);
    stroke(0xCC0000, k + 1, k + 1);
    stroke(0xCC0000, r - 1, k + 1);
    stroke(0xDDDDDD, r - 1, b - 1);
    stroke(0xDDDDDD, k, b - 1);
    GDI_COMPARE_MASK(s,
                     {"..........", //
                      ".aaaaaaab.", //
                      ".acccccdb.", //
                      ".ac....db.", //
                      ".ac....db.", //
                      ".ac....db.", //
                      ".ac....db.", //
                      ".addddddb.", //
                      ".bbbbbbbb.", //
                      ".........."},
                     {{QLatin1Char('a'), 0x0000AA},
                      {QLatin1Char('b'), 0x00BB00},
                      {QLatin1Char('c'), 0xCC0000},
                      {QLatin1Char('d'), 0xDDDDDD}});
}

QTEST_MAIN(TstLines)
#include "tst_lines.moc"
