// DrawText: "&" prefixes, word wrap, centring, DT_CALCRECT measuring, aliased
// transparent text in exactly the text colour, clipped to its rectangle.

#include "platform/gdi/Dc.h"
#include "platform/gdi/TextPrefix.h"
#include "support/PixelMask.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTest>

using namespace gdi;
using gdi::test::kSentinel;

namespace {

constexpr ColorRef kText = 0x102030;

QFont testFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    return f;
}

// The metrics the text is laid out with: the aliased font at 96 dots per inch.
QFontMetrics metrics(const QFont& font)
{
    static QImage device = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(3780);
        i.setDotsPerMeterY(3780);
        return i;
    }();
    QFont f = font;
    f.setStyleStrategy(QFont::NoAntialias);
    return QFontMetrics(f, &device);
}

int lineHeight()
{
    return metrics(testFont()).ascent() + metrics(testFont()).descent();
}
int advance(const QString& s)
{
    return metrics(testFont()).horizontalAdvance(s);
}

struct Drawn {
    Surface surface;
    int result = 0;
};

Drawn draw(const QString& text, Rect r, unsigned format, int w = 80, int h = 40)
{
    Drawn d{Surface(w, h, kSentinel), 0};
    Dc dc(d.surface);
    dc.selectFont(testFont());
    dc.setTextColor(kText);
    d.result = dc.drawText(text, r, format);
    return d;
}

Rect calc(const QString& text, Rect r, unsigned format = DT_CALCRECT | DT_WORDBREAK, int* result = nullptr)
{
    Surface s(1, 1);
    Dc dc(s);
    dc.selectFont(testFont());
    const int h = dc.drawText(text, r, format);
    if (result)
        *result = h;
    return r;
}

} // namespace

class TstText : public QObject {
    Q_OBJECT
private slots:
    void prefixParsing_data();
    void prefixParsing();
    void calcRectEmptyText();
    void calcRectOneLine();
    void calcRectIgnoresPrefixMarks();
    void wordWrap();
    void longWordIsNotBroken();
    void lineBreaks();
    void textIsAliasedTransparentAndClipped();
    void centredLines();
    void verticalCentringNeedsSingleLine();
    void underlineUnderPrefixedCharacter();
    void noPrefixShowsAmpersands();
    void surfaceIs96Dpi();
    void firstLineBaselineIsTopPlusAscent();
};

void TstText::prefixParsing_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("underline");
    QTest::newRow("plain") << "Copy"
                           << "Copy" << -1;
    QTest::newRow("first") << "&Copy File..."
                           << "Copy File..." << 0;
    QTest::newRow("inner") << "Copy &To..."
                           << "Copy To..." << 5;
    QTest::newRow("double") << "Save && Quit"
                            << "Save & Quit" << -1;
    QTest::newRow("double then prefix") << "&&&x"
                                        << "&x" << 1;
    QTest::newRow("prefix then double") << "&a&&"
                                        << "a&" << 0;
    QTest::newRow("trailing") << "Menu&"
                              << "Menu" << -1;
    QTest::newRow("only ampersand") << "&"
                                    << "" << -1;
    QTest::newRow("last prefix wins") << "&a&b"
                                      << "ab" << 1;
    QTest::newRow("prefixed blank") << "a& b"
                                    << "a b" << 1;
    QTest::newRow("empty") << ""
                           << "" << -1;
}

void TstText::prefixParsing()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, underline);
    const PrefixedText p = parsePrefix(caption);
    QCOMPARE(p.text, text);
    QCOMPARE(p.underline, underline);
    QCOMPARE(p.accessKey(), underline >= 0 ? text.at(underline) : QChar());
}

void TstText::calcRectEmptyText()
{
    int result = -1;
    QCOMPARE(calc(QString(), {5, 6, 100, 50}, DT_CALCRECT | DT_WORDBREAK, &result), Rect(5, 6, 5, 6));
    QCOMPARE(result, 0);
    // Drawing it paints nothing.
    const Drawn d = draw(QString(), {0, 0, 80, 40}, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
    QCOMPARE(d.result, 0);
    QCOMPARE(d.surface.image(), Surface(80, 40, kSentinel).image());
}

void TstText::calcRectOneLine()
{
    int result = 0;
    const Rect r = calc(QStringLiteral("Cancel"), {3, 4, 200, 100}, DT_CALCRECT | DT_WORDBREAK, &result);
    QCOMPARE(r, Rect(3, 4, 3 + advance(QStringLiteral("Cancel")), 4 + lineHeight()));
    QCOMPARE(result, lineHeight());
    // A caption that is only an "&" is one empty line.
    QCOMPARE(calc(QStringLiteral("&"), {3, 4, 200, 100}), Rect(3, 4, 3, 4 + lineHeight()));
}

void TstText::calcRectIgnoresPrefixMarks()
{
    const Rect base{0, 0, 300, 100};
    QCOMPARE(calc(QStringLiteral("&Copy"), base).right, advance(QStringLiteral("Copy")));
    QCOMPARE(calc(QStringLiteral("a&&b"), base).right, advance(QStringLiteral("a&b")));
    QCOMPARE(calc(QStringLiteral("&Copy"), base, DT_CALCRECT | DT_NOPREFIX).right,
             advance(QStringLiteral("&Copy")));
    QVERIFY(advance(QStringLiteral("&Copy")) > advance(QStringLiteral("Copy")));
}

void TstText::wordWrap()
{
    const QString text = QStringLiteral("one two three");
    const int both = advance(QStringLiteral("one two"));
    // Room for exactly "one two": the third word wraps, the blank at the break vanishes.
    QCOMPARE(calc(text, {10, 0, 10 + both, 0}),
             Rect(10, 0, 10 + std::max(both, advance(QStringLiteral("three"))), 2 * lineHeight()));
    // One pixel less: "two" goes too, and shares its line with "three" if they fit.
    const int twoThree = advance(QStringLiteral("two three"));
    const Rect narrower = calc(text, {10, 0, 10 + both - 1, 0});
    if (twoThree <= both - 1)
        QCOMPARE(narrower, Rect(10, 0, 10 + twoThree, 2 * lineHeight()));
    else
        QCOMPARE(narrower.bottom, 3 * lineHeight());
    // All on one line when it fits.
    QCOMPARE(calc(text, {0, 0, advance(text), 0}), Rect(0, 0, advance(text), lineHeight()));
    // Without DT_WORDBREAK the width is not a limit.
    QCOMPARE(calc(text, {0, 0, 5, 0}, DT_CALCRECT), Rect(0, 0, advance(text), lineHeight()));
}

void TstText::longWordIsNotBroken()
{
    const QString word = QStringLiteral("Succesfuly!");
    QCOMPARE(calc(word, {0, 0, 5, 0}), Rect(0, 0, advance(word), lineHeight()));
    // Each word on its own line when none fits beside another.
    const Rect r = calc(QStringLiteral("aaaa bbbb cc"), {0, 0, 1, 0});
    QCOMPARE(r.bottom, 3 * lineHeight());
    QCOMPARE(r.right, std::max(advance(QStringLiteral("aaaa")), advance(QStringLiteral("bbbb"))));
}

void TstText::lineBreaks()
{
    QCOMPARE(calc(QStringLiteral("ab\ncd"), {0, 0, 200, 0}).bottom, 2 * lineHeight());
    QCOMPARE(calc(QStringLiteral("ab\r\ncd"), {0, 0, 200, 0}).bottom, 2 * lineHeight());
    QCOMPARE(calc(QStringLiteral("ab\n\ncd"), {0, 0, 200, 0}).bottom, 3 * lineHeight());
    QCOMPARE(calc(QStringLiteral("ab\n"), {0, 0, 200, 0}).bottom, lineHeight());
    QCOMPARE(calc(QStringLiteral("ab\ncd"), {0, 0, 200, 0}, DT_CALCRECT | DT_SINGLELINE).bottom,
             lineHeight());
}

void TstText::textIsAliasedTransparentAndClipped()
{
    const Rect r{4, 3, 30, 13}; // shorter than a line and narrower than the text
    const Drawn d = draw(QStringLiteral("Hgj WWWWWW"), r, DT_WORDBREAK | DT_SINGLELINE);
    int ink = 0;
    for (int y = 0; y < d.surface.height(); ++y)
        for (int x = 0; x < d.surface.width(); ++x) {
            const ColorRef c = d.surface.pixel(x, y);
            if (c == kSentinel)
                continue;
            QCOMPARE(c, kText);
            QVERIFY2(r.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            ++ink;
        }
    QVERIFY(ink > 10);
    QCOMPARE(d.result, lineHeight());
}

void TstText::centredLines()
{
    const QString text = QStringLiteral("Hi there");
    // Two lines "Hi" and "there", each centred on its own: compare with each line drawn
    // left-aligned at (left + right - width) / 2.
    const int width = advance(QStringLiteral("there"));
    const Rect r{3, 2, 3 + width + 9, 2 + 3 * lineHeight()};
    const Drawn centred = draw(text, r, DT_CENTER | DT_WORDBREAK);
    QCOMPARE(centred.result, 2 * lineHeight());

    Surface expected(80, 40, kSentinel);
    Dc dc(expected);
    dc.selectFont(testFont());
    dc.setTextColor(kText);
    const int x1 = (r.left + r.right - advance(QStringLiteral("Hi"))) / 2;
    const int x2 = (r.left + r.right - width) / 2;
    Rect line1{x1, r.top, r.right, r.top + lineHeight()};
    Rect line2{x2, r.top + lineHeight(), r.right, r.top + 2 * lineHeight()};
    dc.drawText(QStringLiteral("Hi"), line1, DT_LEFT);
    dc.drawText(QStringLiteral("there"), line2, DT_LEFT);
    QCOMPARE(centred.surface.image(), expected.image());
}

void TstText::verticalCentringNeedsSingleLine()
{
    const QString text = QStringLiteral("OK");
    const Rect r{0, 0, 60, 31};
    const int offset = (31 - lineHeight()) / 2;
    const Drawn single = draw(text, r, DT_VCENTER | DT_SINGLELINE);
    const Drawn atTop = draw(text, {0, offset, 60, 31}, DT_TOP | DT_SINGLELINE);
    QCOMPARE(single.surface.image(), atTop.surface.image());
    QCOMPARE(single.result, offset + lineHeight());
    // Without DT_SINGLELINE the vertical centring is not applied.
    const Drawn multi = draw(text, r, DT_VCENTER | DT_WORDBREAK);
    const Drawn top = draw(text, r, DT_WORDBREAK);
    QCOMPARE(multi.surface.image(), top.surface.image());
    QCOMPARE(multi.result, lineHeight());
}

void TstText::underlineUnderPrefixedCharacter()
{
    const Rect r{2, 2, 70, 30};
    const Drawn plain = draw(QStringLiteral("xHx"), r, DT_LEFT);
    const Drawn marked = draw(QStringLiteral("x&Hx"), r, DT_LEFT);
    const QFontMetrics fm = metrics(testFont());
    const int left = r.left + advance(QStringLiteral("x")), right = left + advance(QStringLiteral("H"));
    int changed = 0;
    for (int y = 0; y < plain.surface.height(); ++y)
        for (int x = 0; x < plain.surface.width(); ++x) {
            if (plain.surface.pixel(x, y) == marked.surface.pixel(x, y))
                continue;
            ++changed;
            QCOMPARE(marked.surface.pixel(x, y), kText);
            QVERIFY(x >= left && x < right);
            QVERIFY(y > r.top + fm.ascent());
        }
    QVERIFY(changed >= advance(QStringLiteral("H")) - 1);
}

void TstText::noPrefixShowsAmpersands()
{
    const Rect r{0, 0, 80, 20};
    const Drawn raw = draw(QStringLiteral("a&b&&"), r, DT_NOPREFIX);
    const Drawn escaped = draw(QStringLiteral("a&&b&&&&"), r, DT_LEFT);
    QCOMPARE(raw.surface.image(), escaped.surface.image());
}

void TstText::surfaceIs96Dpi()
{
    Surface s(10, 10);
    QCOMPARE(s.image().logicalDpiX(), 96);
    QCOMPARE(s.image().logicalDpiY(), 96);
    // 9 points at 96 dots per inch are 12 pixels: both fonts measure alike.
    QFont points(QStringLiteral("DejaVu Sans"));
    points.setPointSize(9);
    const Rect byPoints = [&] {
        Dc dc(s);
        dc.selectFont(points);
        Rect r{0, 0, 500, 0};
        dc.drawText(QStringLiteral("Quintaro 2.0"), r, DT_CALCRECT);
        return r;
    }();
    QCOMPARE(byPoints, calc(QStringLiteral("Quintaro 2.0"), {0, 0, 500, 0}, DT_CALCRECT));
}

void TstText::firstLineBaselineIsTopPlusAscent()
{
    const Drawn d = draw(QStringLiteral("Copy"), {5, 7, 80, 40}, DT_LEFT);
    Surface expected(80, 40, kSentinel);
    {
        QPainter p(&expected.image());
        QFont f = testFont();
        f.setStyleStrategy(QFont::NoAntialias);
        p.setFont(f);
        p.setPen(QColor(toQRgb(kText)));
        p.drawText(QPoint(5, 7 + metrics(testFont()).ascent()), QStringLiteral("Copy"));
    }
    QCOMPARE(d.surface.image(), expected.image());
}

QTEST_MAIN(TstText)
#include "tst_text.moc"
