// Window shapes and the background capture of the transparent look.

#include "support/TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/vbButtonPrivate.h"
#include "platform/gdi/SysColors.h"

#include <QTimer>
#include <QWidget>

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

        // Before the background image exists there is nothing to copy into.
        CaptureBackground(b.s, b.host);
        QVERIFY(!b.s.m_Capturing);

        b.s.m_BackgroundDC.emplace(6, 4, 0);
        CaptureBackground(b.s, b.host);
        QCOMPARE(b.s.m_BackgroundDC->pixel(0, 0), gdi::ColorRef(0x333333));
        QCOMPARE(b.s.m_BackgroundDC->pixel(5, 3), gdi::ColorRef(0x222222));

        b.draw(dsUp);
        QCOMPARE(b.at(0, 0), gdi::ColorRef(0x333333));
        VB_CHECK(checkRect(b.host.surface, {1, 0, 6, 4}, 0x222222));
    }

    // The capture at show asks the parent to paint what lies beneath the button, and
    // nothing else runs meanwhile: a handler that could close the window is never
    // reached inside show, and the button never changes size.
    void transparentCaptureRunsNoEventLoop()
    {
        gdi::setSysColorSource(gdi::SysColorSource::Classic);
        QWidget window;
        window.resize(120, 60);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(0x11, 0x22, 0x33));
        window.setPalette(palette);
        // A panel beneath the button's left half; another one above its right end.
        const auto panel = [&window](QColor colour, QRect where) {
            auto* w = new QWidget(&window);
            w->setAutoFillBackground(true);
            QPalette p = w->palette();
            p.setColor(QPalette::Window, colour);
            w->setPalette(p);
            w->setGeometry(where);
            return w;
        };
        panel(QColor(0x44, 0x55, 0x66), QRect(0, 0, 30, 60));
        auto* widget = new quintaro::vbButton(&window);
        quintaro::vbButtonPrivate* button = quintaro::vbButtonPrivate::get(widget);
        button->initNew();
        button->setCaption(QString());
        button->setButtonType(btTransparent);
        widget->setGeometry(10, 10, 40, 20);
        panel(QColor(0x77, 0x88, 0x99), QRect(45, 0, 20, 60));
        bool timerRan = false;
        QTimer::singleShot(0, &window, [&] { timerRan = true; });
        window.show();
        QVERIFY(!timerRan);
        QCOMPARE(widget->size(), QSize(40, 20));
        const gdi::Surface& face = button->surface();
        QCOMPARE(face.pixel(2, 10), gdi::rgb(0x44, 0x55, 0x66));  // the panel beneath
        QCOMPARE(face.pixel(25, 10), gdi::rgb(0x11, 0x22, 0x33)); // the window
        QCOMPARE(face.pixel(38, 10), gdi::rgb(0x11, 0x22, 0x33)); // not the panel above
        QCoreApplication::processEvents();
        QVERIFY(timerRan);
    }
};

QTEST_MAIN(TestShape)
#include "tst_shape.moc"
