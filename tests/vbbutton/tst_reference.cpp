// Every render in reference/ is GDI's own drawing of a button face; our face must
// equal it pixel for pixel. A render with the focus rectangle may equal either of
// the two ways GDI's focus rectangle was captured (see reference/README.md).

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

using namespace vb;
using namespace vbtest;

namespace {

const QString kReferenceDir = QStringLiteral(QUINTARO_REFERENCE_DIR);

// Differing pixels between the surface and an image of the same size, with the
// first one described; a size mismatch counts every pixel.
struct Difference {
    int pixels = 0;
    QString first;
};

Difference compare(const gdi::Surface& surface, const QImage& expected)
{
    Difference d;
    if (expected.width() != surface.width() || expected.height() != surface.height()) {
        d.pixels = surface.width() * surface.height();
        d.first = QStringLiteral("size %1x%2").arg(expected.width()).arg(expected.height());
        return d;
    }
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb e = expected.pixel(x, y);
            const gdi::ColorRef want = gdi::rgb(qRed(e), qGreen(e), qBlue(e));
            const gdi::ColorRef got = surface.pixel(x, y);
            if (got == want)
                continue;
            if (d.pixels++ == 0)
                d.first = QStringLiteral("(%1, %2) is %3, GDI has %4").arg(x).arg(y).arg(hex(got), hex(want));
        }
    return d;
}

} // namespace

class TstReference : public QObject {
    Q_OBJECT
private slots:
    void equalsGdi_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("name");
        int rows = 0;
        for (const char* group : {"oval", "tiny"}) {
            const QDir dir(kReferenceDir + QLatin1Char('/') + QLatin1String(group) + QLatin1String("/wine"));
            for (const QString& name : dir.entryList({QStringLiteral("*.ppm")}, QDir::Files, QDir::Name)) {
                QTest::newRow(qPrintable(name)) << QString::fromLatin1(group) << name;
                ++rows;
            }
        }
        // A missing folder must not pass as an empty table.
        QCOMPARE(rows, 72 + 288);
    }

    void equalsGdi()
    {
        QFETCH(QString, group);
        QFETCH(QString, name);
        static const QRegularExpression pattern(QStringLiteral(
            "^t(\\d+)_(\\d+)x(\\d+)_(up|down|disabled)_h([01])_f([01])_d([01])_s(\\d)_soft([01])\\.ppm$"));
        const QRegularExpressionMatch m = pattern.match(name);
        QVERIFY2(m.hasMatch(), qPrintable(name));
        const int type = m.captured(1).toInt();
        const QString state = m.captured(4);

        TestButton b(type, m.captured(2).toInt(), m.captured(3).toInt());
        b.s.m_ColorScheme = m.captured(8).toInt();
        b.s.m_BackColor = 0xC0C0C0;
        b.s.m_BackOver = group == QLatin1String("oval") ? 0x0000FF : 0xC0C0C0;
        b.s.m_ForeColor = 0;
        b.s.m_ForeOver = 0xFF0000;
        b.s.m_SoftBevel = m.captured(9) == QLatin1String("1");
        b.s.m_IsHot = m.captured(5) == QLatin1String("1");
        b.s.m_HasFocus = m.captured(6) == QLatin1String("1");
        b.host.isDefault = m.captured(7) == QLatin1String("1");
        b.s.m_Enabled = state != QLatin1String("disabled");
        if (type == btTransparent) {
            b.host.parent = gdi::Surface(b.s.m_Width, b.s.m_Height, 0);
            b.s.m_BackgroundDC.emplace(b.s.m_Width, b.s.m_Height, 0);
            CaptureBackground(b.s, b.host);
        }
        b.host.show();
        b.draw(state == QLatin1String("down") ? dsDown : dsUp);

        QString why;
        bool equal = false;
        for (const char* model : {"wine", "patinvert"}) {
            const QString path = kReferenceDir + QLatin1Char('/') + group + QLatin1Char('/')
                                 + QLatin1String(model) + QLatin1Char('/') + name;
            if (!QFile::exists(path))
                continue; // this render's two captures are the same image
            const QImage expected(path);
            QVERIFY2(!expected.isNull(), qPrintable(path));
            const Difference d = compare(b.host.surface, expected);
            equal = equal || d.pixels == 0;
            why += QStringLiteral(" %1: %2 pixels differ, first %3.")
                       .arg(QLatin1String(model))
                       .arg(d.pixels)
                       .arg(d.first);
        }
        QVERIFY2(equal, qPrintable(name + why));
    }
};

QTEST_MAIN(TstReference)
#include "tst_reference.moc"
