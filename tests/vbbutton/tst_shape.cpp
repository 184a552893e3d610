// Window shapes and the background capture of the transparent look.

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"

using namespace vb;
using namespace vbtest;

namespace {

// The pixels of a w x h client area that the region leaves out.
QList<QPoint> cutPixels(const gdi::Region& region, int w, int h)
{
    QList<QPoint> cut;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!region.contains(x, y))
                cut.append(QPoint(x, y));
    return cut;
}

} // namespace

class TestShape : public QObject {
    Q_OBJECT

private slots:
    void cornerCuts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<QPoint>>("cut");
        const QList<QPoint> corners{{0, 0}, {9, 0}, {0, 5}, {9, 5}};
        QTest::newRow("btBordered") << int(btBordered) << corners;
        QTest::newRow("btGradient") << int(btGradient) << corners;
        QTest::newRow("btFlat") << int(btFlat) << QList<QPoint>{{9, 0}, {0, 5}};
        const QList<QPoint> round{{0, 0}, {1, 0}, {8, 0}, {9, 0}, {0, 1}, {9, 1},
                                  {0, 4}, {9, 4}, {0, 5}, {1, 5}, {8, 5}, {9, 5}};
        QTest::newRow("btRoundGradient") << int(btRoundGradient) << round;
        QTest::newRow("btRounded") << int(btRounded) << round;
        for (int type : {0, int(btStandard), int(btThin), int(btTransparent), 15})
            QTest::newRow(qPrintable(QString::number(type))) << type << QList<QPoint>{};
    }
    void cornerCuts()
    {
        QFETCH(int, type);
        QFETCH(QList<QPoint>, cut);
        TestButton b(type, 10, 6);
        QCOMPARE(cutPixels(b.s.m_Region, 10, 6), cut);
        QVERIFY(!b.s.m_Region.contains(10, 0));
        QVERIFY(!b.s.m_Region.contains(0, 6));
    }

    void ovalShape()
    {
        TestButton b(btOval, 40, 20);
        const gdi::Region& r = b.s.m_Region;
        QVERIFY(r.contains(20, 10));
        QVERIFY(r.contains(20, 1));
        QVERIFY(r.contains(1, 10));
        // The corners fall outside the ellipse: clicks there reach the parent.
        for (const QPoint p : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 19), QPoint(39, 19), QPoint(3, 2)})
            QVERIFY2(!r.contains(p.x(), p.y()), qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
        QCOMPARE(r.bounds(), (gdi::Rect{0, 0, 40, 20}));
    }

    void shapeFollowsTheSize()
    {
        TestButton b(btFlat, 10, 6);
        b.host.resize(30, 12);
        QCOMPARE(cutPixels(b.s.m_Region, 30, 12), (QList<QPoint>{{29, 0}, {0, 11}}));
    }

    void transparentFaceIsTheCapturedBackground()
    {
        TestButton b(btTransparent, 6, 4);
        b.host.parent = gdi::Surface(20, 10, 0x111111);
        gdi::Dc(b.host.parent).fillRect({5, 3, 11, 7}, 0x222222);
        b.host.parent.setPixel(5, 3, 0x333333);
        b.host.position = {5, 3};

        // Before the background image exists there is nothing to copy into, but the
        // height still goes to 0 and back.
        CaptureBackground(b.s, b.host);
        QCOMPARE(b.host.heightRequests, QList<int>({0, 4}));
        QCOMPARE(b.host.eventPumps, 1);
        QVERIFY(!b.s.m_Capturing);

        b.s.m_BackgroundDC.emplace(6, 4, 0);
        CaptureBackground(b.s, b.host);
        QCOMPARE(b.s.m_BackgroundDC->pixel(0, 0), gdi::ColorRef(0x333333));
        QCOMPARE(b.s.m_BackgroundDC->pixel(5, 3), gdi::ColorRef(0x222222));

        b.draw(dsUp);
        QCOMPARE(b.at(0, 0), gdi::ColorRef(0x333333));
        VB_CHECK(checkRect(b.host.surface, {1, 0, 6, 4}, 0x222222));
    }
};

QTEST_MAIN(TestShape)
#include "tst_shape.moc"
