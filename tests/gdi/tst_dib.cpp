// 24-bit bottom-up DIBs: padded rows, byte order blue-green-red, round trips, and
// BitBlt between surfaces.

#include "platform/gdi/Dib.h"
#include "support/PixelMask.h"

#include <QTest>

using namespace gdi;
using gdi::test::kSentinel;

namespace {
BitmapInfoHeader header(int w, int h)
{
    BitmapInfoHeader b;
    b.width = w;
    b.height = h;
    return b;
}
ColorRef patternColour(int x, int y)
{
    return rgb(10 + x, 100 + y, 200 + x + y);
}
} // namespace

class TstDib : public QObject {
    Q_OBJECT
private slots:
    void stride();
    void getBitsLayout();
    void roundTrip_data();
    void roundTrip();
    void setBlockClipped();
    void shortOrBadInputDrawsNothing();
    void bitBltClipsBothSides_data();
    void bitBltClipsBothSides();
    void bitBltWithinOneSurface();
    void iconAlpha();
};

void TstDib::stride()
{
    QCOMPARE(dibStride24(1), 4);
    QCOMPARE(dibStride24(2), 8);
    QCOMPARE(dibStride24(3), 12);
    QCOMPARE(dibStride24(4), 12);
    QCOMPARE(dibStride24(5), 16);
    QCOMPARE(dibStride24(75), 228);
}

void TstDib::getBitsLayout()
{
    // 2 x 2: top row red, green; bottom row blue, white. Rows of 6 bytes padded to 8,
    // bottom row first, each pixel blue, green, red.
    Surface s(2, 2);
    s.setPixel(0, 0, 0x0000FF);
    s.setPixel(1, 0, 0x00FF00);
    s.setPixel(0, 1, 0xFF0000);
    s.setPixel(1, 1, 0x123456);
    const std::vector<std::uint8_t> bits = getDIBits24(s, header(2, 2));
    const std::vector<std::uint8_t> expected{0xFF, 0x00, 0x00, 0x12, 0x34, 0x56, 0, 0, //
                                             0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0};
    QCOMPARE(bits, expected);
    // A negative height asks for top-down rows.
    const std::vector<std::uint8_t> topDown = getDIBits24(s, header(2, -2));
    QCOMPARE(std::vector<std::uint8_t>(topDown.begin(), topDown.begin() + 8),
             std::vector<std::uint8_t>(expected.begin() + 8, expected.end()));
}

void TstDib::roundTrip_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    for (int w = 1; w <= 5; ++w)
        for (int h = 1; h <= 3; ++h)
            QTest::addRow("%dx%d", w, h) << w << h;
}

void TstDib::roundTrip()
{
    QFETCH(int, w);
    QFETCH(int, h);
    Surface src(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            src.setPixel(x, y, patternColour(x, y));
    const std::vector<std::uint8_t> bits = getDIBits24(src, header(w, h));
    QCOMPARE(int(bits.size()), dibStride24(w) * h);
    // Pixel (x, y) lives at row h - 1 - y of the buffer.
    const std::size_t at = std::size_t(dibStride24(w)) * std::size_t(h - 1) + 0;
    QCOMPARE(int(bits[at + 2]), 10);
    QCOMPARE(int(bits[at + 1]), 100);
    QCOMPARE(int(bits[at]), 200);
    for (int y = 0; y < h; ++y)
        for (int pad = w * 3; pad < dibStride24(w); ++pad)
            QCOMPARE(int(bits[std::size_t(y * dibStride24(w) + pad)]), 0);

    Surface dst(w + 2, h + 2, kSentinel);
    Dc dc(dst);
    setDIBitsToDevice24(dc, 1, 1, w, h, bits.data(), header(w, h));
    for (int y = 0; y < h + 2; ++y)
        for (int x = 0; x < w + 2; ++x) {
            const bool inside = x >= 1 && y >= 1 && x <= w && y <= h;
            QCOMPARE(dst.pixel(x, y), inside ? patternColour(x - 1, y - 1) : kSentinel);
        }
}

void TstDib::setBlockClipped()
{
    Surface src(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            src.setPixel(x, y, patternColour(x, y));
    const std::vector<std::uint8_t> bits = getDIBits24(src, header(3, 3));
    Surface dst(3, 3, kSentinel);
    Dc dc(dst);
    setDIBitsToDevice24(dc, -1, 1, 3, 3, bits, header(3, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const bool inside = x <= 1 && y >= 1;
            QCOMPARE(dst.pixel(x, y), inside ? patternColour(x + 1, y - 1) : kSentinel);
        }
}

void TstDib::shortOrBadInputDrawsNothing()
{
    Surface dst(4, 4, kSentinel);
    const QImage before = dst.image().copy();
    Dc dc(dst);
    const std::vector<std::uint8_t> shortBits(dibStride24(4) * 3, 0xAB);
    setDIBitsToDevice24(dc, 0, 0, 4, 4, shortBits, header(4, 4));
    setDIBitsToDevice24(dc, 0, 0, 4, 4, static_cast<const std::uint8_t*>(nullptr), header(4, 4));
    BitmapInfoHeader eight = header(4, 4);
    eight.bitCount = 8;
    const std::vector<std::uint8_t> bits(dibStride24(4) * 4, 0xAB);
    setDIBitsToDevice24(dc, 0, 0, 4, 4, bits, eight);
    setDIBitsToDevice24(dc, 0, 0, 0, 4, bits, header(4, 4));
    QCOMPARE(dst.image(), before);
    QVERIFY(getDIBits24(dst, eight).empty());
    QVERIFY(getDIBits24(dst, header(0, 4)).empty());
}

void TstDib::bitBltClipsBothSides_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("sx");
    QTest::addColumn<int>("sy");
    QTest::newRow("inside") << 1 << 1 << 2 << 2 << 1 << 0;
    QTest::newRow("source left/top") << 0 << 0 << 4 << 4 << -2 << -1;
    QTest::newRow("source right/bottom") << 0 << 0 << 5 << 5 << 2 << 1;
    QTest::newRow("destination left/top") << -2 << -1 << 4 << 4 << 0 << 0;
    QTest::newRow("destination right/bottom") << 3 << 3 << 4 << 4 << 0 << 0;
    QTest::newRow("both") << -1 << 3 << 9 << 9 << -2 << -1;
    QTest::newRow("nothing") << 0 << 0 << 0 << 3 << 0 << 0;
    QTest::newRow("negative size") << 0 << 0 << -3 << 3 << 0 << 0;
}

void TstDib::bitBltClipsBothSides()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, sx);
    QFETCH(int, sy);
    Surface src(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            src.setPixel(x, y, patternColour(x, y));
    Surface dst(5, 5, kSentinel);
    Dc dc(dst);
    dc.bitBlt(dx, dy, w, h, src, sx, sy);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const int u = x - dx + sx, v = y - dy + sy;
            const bool copied =
                x >= dx && x < dx + w && y >= dy && y < dy + h && u >= 0 && v >= 0 && u < 4 && v < 3;
            QCOMPARE(dst.pixel(x, y), copied ? patternColour(u, v) : kSentinel);
        }
}

void TstDib::bitBltWithinOneSurface()
{
    Surface s(4, 1);
    for (int x = 0; x < 4; ++x)
        s.setPixel(x, 0, ColorRef(x + 1));
    Dc dc(s);
    dc.bitBlt(1, 0, 3, 1, s, 0, 0); // overlapping: copies the old pixels
    QCOMPARE(s.pixel(0, 0), ColorRef(1));
    QCOMPARE(s.pixel(1, 0), ColorRef(1));
    QCOMPARE(s.pixel(2, 0), ColorRef(2));
    QCOMPARE(s.pixel(3, 0), ColorRef(3));
}

void TstDib::iconAlpha()
{
    QImage icon(3, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(255, 0, 0, 0));   // outside the mask
    icon.setPixel(1, 0, qRgba(255, 0, 0, 255)); // opaque
    icon.setPixel(2, 0, qRgba(255, 0, 0, 128)); // half: (255 * 128 + 0 * 127 + 127) / 255 = 128
    Surface s(4, 2, 0x00FF00);
    Dc dc(s);
    dc.drawIconEx(1, 1, icon);
    dc.drawIconEx(-2, 0, icon); // only its right column lands, at (0, 0)
    QCOMPARE(s.pixel(1, 1), ColorRef(0x00FF00));
    QCOMPARE(s.pixel(2, 1), ColorRef(0x0000FF));
    // green: (0 * 128 + 255 * 127 + 127) / 255 = 127
    QCOMPARE(s.pixel(3, 1), rgb(128, 127, 0));
    QCOMPARE(s.pixel(0, 0), rgb(128, 127, 0));
    QCOMPARE(s.pixel(1, 0), ColorRef(0x00FF00));
    QCOMPARE(s.pixel(0, 1), ColorRef(0x00FF00));
}

QTEST_MAIN(TstDib)
#include "tst_dib.moc"
