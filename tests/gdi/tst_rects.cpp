// Rectangles, pixels and the focus rectangle: right and bottom edges are excluded,
// frames lie inside their rectangle, the focus rectangle inverts every other pixel.

#include "platform/gdi/Dc.h"
#include "support/PixelMask.h"

#include <QTest>

using namespace gdi;
using gdi::test::kInk;
using gdi::test::kSentinel;

class TstRects : public QObject {
    Q_OBJECT
private slots:
    void rectConvention();
    void fillRectExcludesRightAndBottom_data();
    void fillRectExcludesRightAndBottom();
    void frameRectDrawsInside_data();
    void frameRectDrawsInside();
    void pixelsOutsideAreIgnored();
    void ropCombinesAndThenXor();
    void focusRectPatternFollowsTheOrigin();
    void focusRectTwiceRestores();
    void focusRectUsesTextAndBackgroundColours();
    void focusRectDegenerate();
};

void TstRects::rectConvention()
{
    constexpr Rect r{2, 3, 7, 5};
    static_assert(r.width() == 5 && r.height() == 2);
    QVERIFY(r.contains(2, 3));
    QVERIFY(r.contains(6, 4));
    QVERIFY(!r.contains(7, 4));
    QVERIFY(!r.contains(6, 5));
    QVERIFY(Rect(4, 4, 4, 9).isEmpty());
    QVERIFY(Rect(5, 4, 4, 9).isEmpty());
    QCOMPARE(r.inflate(-1, -1), Rect(3, 4, 6, 4));
    QCOMPARE(r.offset(1, -3), Rect(3, 0, 8, 2));
}

void TstRects::fillRectExcludesRightAndBottom_data()
{
    QTest::addColumn<Rect>("rect");
    QTest::addColumn<QStringList>("mask");
    QTest::newRow("inner") << Rect{1, 1, 4, 3} << QStringList{".....", ".###.", ".###.", "....."};
    QTest::newRow("1x1") << Rect{2, 1, 3, 2} << QStringList{".....", "..#..", ".....", "....."};
    QTest::newRow("2x2") << Rect{0, 2, 2, 4} << QStringList{".....", ".....", "##...", "##..."};
    QTest::newRow("empty width") << Rect{2, 0, 2, 4} << QStringList{".....", ".....", ".....", "....."};
    // An inverted run is mirrored about its first pixel, which it keeps: (4, 3, 1, 1)
    // fills the columns 2 to 4 and the rows 2 and 3, as GDI's renders of tiny buttons show.
    QTest::newRow("inverted") << Rect{4, 3, 1, 1} << QStringList{".....", ".....", "..###", "..###"};
    QTest::newRow("inverted width") << Rect{3, 0, 1, 2} << QStringList{"..##.", "..##.", ".....", "....."};
    QTest::newRow("clipped left/top")
        << Rect{-3, -2, 2, 1} << QStringList{"##...", ".....", ".....", "....."};
    QTest::newRow("clipped right/bottom")
        << Rect{3, 2, 9, 9} << QStringList{".....", ".....", "...##", "...##"};
    QTest::newRow("covers all") << Rect{-1, -1, 6, 5} << QStringList{"#####", "#####", "#####", "#####"};
    QTest::newRow("outside") << Rect{5, 0, 8, 4} << QStringList{".....", ".....", ".....", "....."};
}

void TstRects::fillRectExcludesRightAndBottom()
{
    QFETCH(Rect, rect);
    QFETCH(QStringList, mask);
    Surface s(5, 4, kSentinel);
    Dc dc(s);
    dc.fillRect(rect, kInk);
    GDI_COMPARE_MASK(s, mask);
}

void TstRects::frameRectDrawsInside_data()
{
    QTest::addColumn<Rect>("rect");
    QTest::addColumn<QStringList>("mask");
    QTest::newRow("4x3") << Rect{1, 1, 5, 4} << QStringList{"......", ".####.", ".#..#.", ".####.", "......"};
    QTest::newRow("width 1 is a vertical line")
        << Rect{2, 1, 3, 4} << QStringList{"......", "..#...", "..#...", "..#...", "......"};
    QTest::newRow("height 1 is a horizontal line")
        << Rect{1, 2, 5, 3} << QStringList{"......", "......", ".####.", "......", "......"};
    QTest::newRow("1x1") << Rect{0, 0, 1, 1} << QStringList{"#.....", "......", "......", "......", "......"};
    QTest::newRow("2x2") << Rect{4, 3, 6, 5} << QStringList{"......", "......", "......", "....##", "....##"};
    QTest::newRow("empty") << Rect{3, 3, 3, 5}
                           << QStringList{"......", "......", "......", "......", "......"};
    QTest::newRow("clipped") << Rect{-1, -1, 3, 3}
                             << QStringList{"..#...", "..#...", "###...", "......", "......"};
}

void TstRects::frameRectDrawsInside()
{
    QFETCH(Rect, rect);
    QFETCH(QStringList, mask);
    Surface s(6, 5, kSentinel);
    Dc dc(s);
    dc.frameRect(rect, kInk);
    GDI_COMPARE_MASK(s, mask);
}

void TstRects::pixelsOutsideAreIgnored()
{
    Surface s(3, 2, kSentinel);
    Dc dc(s);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {-5, -5}, {100, 100}})
        dc.setPixelV(x, y, kInk);
    dc.setPixelV(2, 1, 0x00FF00);
    GDI_COMPARE_MASK(s, {"...", "..g"}, {{QLatin1Char('g'), 0x00FF00}});
    QCOMPARE(dc.getPixel(2, 1), ColorRef(0x00FF00));
    QCOMPARE(dc.getPixel(3, 1), ColorRef(0));
    QCOMPARE(dc.getPixel(-1, 0), ColorRef(0));
    // A high byte in the colour is not part of the pixel.
    dc.setPixelV(0, 0, 0xFF123456);
    QCOMPARE(dc.getPixel(0, 0), ColorRef(0x123456));

    Surface null;
    QVERIFY(null.isNull());
    Dc nullDc(null);
    nullDc.fillRect({0, 0, 5, 5}, kInk);
    nullDc.setPixelV(0, 0, kInk);
    QCOMPARE(nullDc.getPixel(0, 0), ColorRef(0));
}

void TstRects::ropCombinesAndThenXor()
{
    Surface s(2, 1, 0x0F0F0F);
    s.rop(0, 0, 0xFFFFFF, 0xFFFFFF);
    QCOMPARE(s.pixel(0, 0), ColorRef(0xF0F0F0));
    s.rop(1, 0, 0x00FF00, 0x000011);
    QCOMPARE(s.pixel(1, 0), ColorRef(0x000F11));
    s.rop(1, 0, 0, 0xABCDEF);
    QCOMPARE(s.pixel(1, 0), ColorRef(0xABCDEF));
    s.rop(2, 0, 0, 0); // outside: ignored
    s.ropRect({-1, -1, 5, 5}, 0xFFFFFF, 0xFFFFFF);
    QCOMPARE(s.pixel(0, 0), ColorRef(0x0F0F0F));
    QCOMPARE(s.pixel(1, 0), ColorRef(0x543210));
}

void TstRects::focusRectPatternFollowsTheOrigin()
{
    const gdi::test::Legend bw{{QLatin1Char('.'), 0x000000}, {QLatin1Char('W'), 0xFFFFFF}};
    Surface s(6, 4, 0);
    Dc dc(s);
    dc.drawFocusRect({0, 0, 6, 4});
    GDI_COMPARE_MASK(s, {"W.W.W.", ".....W", "W.....", ".W.W.W"}, bw);

    Surface t(7, 6, 0);
    Dc dt(t);
    dt.drawFocusRect({1, 1, 6, 5});
    GDI_COMPARE_MASK(t, {".......", ".W.W.W.", ".......", ".W...W.", "..W.W..", "......."}, bw);

    // The dots sit where x + y is even, as a pattern brush aligned to the origin lays
    // them, whatever the corner. An inverted rectangle keeps its four strips, each
    // mirrored about its first pixel: rows 3 and -1 over the columns 2 to 6, columns
    // 6 and 0 over the rows 0 to 4.
    Surface u(7, 4, 0);
    Dc du(u);
    du.drawFocusRect({1, 0, 6, 3});
    GDI_COMPARE_MASK(u, {"..W.W..", ".W...W.", "..W.W..", "......."}, bw);
    du.drawFocusRect({6, 3, 1, 0});
    GDI_COMPARE_MASK(u, {"W.W.W.W", ".W...W.", "W.W.W.W", "...W.W."}, bw);

    // The face rectangle of a 4 x 4 button shrunk by 3: two strips cross at (3, 3).
    Surface crossed(4, 4, 0);
    Dc(crossed).drawFocusRect({3, 3, 1, 1});
    GDI_COMPARE_MASK(crossed, {"..W.", "...W", "W...", "...."}, bw);

    // On a scaled surface the border is one logical pixel wide, a band of device
    // pixels, and the dots are device pixels where X + Y is even: at 2 every band is
    // two pixels, at 1.5 the edges 0, 1, 2, 3 fall on device pixels 0, 2, 3, 5.
    Surface v(3, 3, 0, 2.0);
    Dc(v).drawFocusRect({0, 0, 3, 3});
    GDI_COMPARE_MASK(v, {"W.W.W.", ".W.W.W", "W...W.", ".W...W", "W.W.W.", ".W.W.W"}, bw);
    Surface f(3, 3, 0, 1.5);
    Dc(f).drawFocusRect({0, 0, 3, 3});
    GDI_COMPARE_MASK(f, {"W.W.W", ".W.W.", "W...W", ".W.W.", "W.W.W"}, bw);
}

void TstRects::focusRectTwiceRestores()
{
    Surface s(9, 7, kSentinel);
    Dc dc(s);
    dc.fillRect({2, 1, 7, 6}, 0x123456);
    dc.setPixelV(0, 0, 0xABCDEF);
    const QImage before = s.image().copy();
    for (Rect r : {Rect{1, 1, 8, 6}, Rect{0, 0, 9, 7}, Rect{2, 2, 3, 6}, Rect{1, 3, 8, 4}, Rect{-2, -1, 5, 4},
                   Rect{8, 6, 1, 1}, Rect{3, 1, 7, 0}}) {
        dc.drawFocusRect(r);
        QVERIFY(s.image() != before);
        dc.drawFocusRect(r);
        QCOMPARE(s.image(), before);
    }
}

void TstRects::focusRectUsesTextAndBackgroundColours()
{
    // The gaps are XORed with the text colour, the dots with the background colour.
    Surface s(4, 3, 0);
    Dc dc(s);
    dc.setTextColor(0x0000FF);
    dc.setBkColor(0x00FF00);
    dc.drawFocusRect({0, 0, 4, 3});
    GDI_COMPARE_MASK(s, {"grgr", "r..g", "grgr"},
                     {{QLatin1Char('.'), 0}, {QLatin1Char('g'), 0x00FF00}, {QLatin1Char('r'), 0x0000FF}});
}

void TstRects::focusRectDegenerate()
{
    const gdi::test::Legend bw{{QLatin1Char('.'), 0x000000}, {QLatin1Char('W'), 0xFFFFFF}};
    Surface s(4, 4, 0);
    Dc dc(s);
    dc.drawFocusRect({1, 1, 4, 2}); // one row: drawn once, not cancelled by a second edge
    dc.drawFocusRect({0, 0, 1, 4}); // one column
    dc.drawFocusRect({2, 2, 2, 4}); // empty
    GDI_COMPARE_MASK(s, {"W...", ".W.W", "W...", "...."}, bw);
}

QTEST_MAIN(TstRects)
#include "tst_rects.moc"
