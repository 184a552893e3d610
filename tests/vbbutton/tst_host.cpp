// The user-control host: a retained surface that painting only shows, the
// window shape, pointer codes, ambient properties and the changed mark.

#include "platform/forms/UserControl.h"
#include "platform/gdi/SysColors.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A control that records the notifications its host gives it.
class Recorder : public forms::UserControl {
public:
    using UserControl::UserControl;
    QStringList log;

protected:
    void InitProperties() override { log << "InitProperties"; }
    void ReadProperties(const forms::PropertyBag& bag) override
    {
        log << QStringLiteral("ReadProperties(%1)").arg(bag.readInt("n", -1));
        propertyChanged("n"); // what a let would do while loading
    }
    void WriteProperties(forms::PropertyBag& bag) override { bag.writeInt("N", 7); }
    void Resize() override { log << QStringLiteral("Resize(%1x%2)").arg(width()).arg(height()); }
    void Show() override { log << "Show"; }
    void Hide() override { log << "Hide"; }
    void AmbientChanged(const QString& name) override { log << "AmbientChanged(" + name + ")"; }
};

} // namespace

class TestHost : public QObject {
    Q_OBJECT
private slots:
    void init() { gdi::setSysColorSource(gdi::SysColorSource::Classic); }

    void paintingShowsTheRetainedSurface()
    {
        QWidget window;
        auto* c = new Recorder(&window);
        c->setGeometry(0, 0, 6, 4);
        window.show();
        c->cls();
        c->surfaceDc().fillRect({1, 1, 3, 2}, 0x0000FF); // red
        const QImage shot = c->grab().toImage();
        QCOMPARE(shot.pixel(0, 0), gdi::toQRgb(0xC0C0C0)); // cleared to the classic button face
        QCOMPARE(shot.pixel(1, 1), gdi::toQRgb(0x0000FF));
        QCOMPARE(shot.pixel(2, 1), gdi::toQRgb(0x0000FF));
        QCOMPARE(shot.pixel(3, 1), gdi::toQRgb(0xC0C0C0));
        // Covering and uncovering repaints from the surface: the same pixels again.
        QCOMPARE(c->grab().toImage(), shot);
        QCOMPARE(c->clearCount(), 1);
    }

    void drawingReachesTheScreenWithoutAnotherRepaint()
    {
        QWidget window;
        auto* c = new Recorder(&window);
        c->setGeometry(0, 0, 6, 4);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();

        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        c->installEventFilter(&counter);
        c->cls();
        c->surfaceDc().fillRect({0, 0, 6, 4}, 0x0000FF);
        QTRY_VERIFY(counter.paints > 0);
    }

    void lifecycleReachesTheControl()
    {
        QWidget window;
        auto* c = new Recorder(&window);
        c->initNew();
        c->setGeometry(0, 0, 20, 10);
        window.show();
        c->hide();
        QCOMPARE(c->log, (QStringList{"InitProperties", "Resize(20x10)", "Show", "Hide"}));
        c->log.clear();
        c->load(QJsonObject{{"N", 5}});
        QCOMPARE(c->log, QStringList{"ReadProperties(5)"});
        QVERIFY(!c->isDirty()); // the loaded state is the saved state
    }

    void saveWritesExtentsThenTheControlsKeys()
    {
        QWidget window;
        auto* c = new Recorder(&window);
        c->setGeometry(0, 0, 96, 48); // one inch by half an inch
        c->propertyChanged("x");
        QVERIFY(c->isDirty());
        const forms::PropertyBag bag = c->saveBag();
        QCOMPARE(bag.entries().size(), 3);
        QCOMPARE(bag.entries()[0].first, QStringLiteral("_extentx"));
        QCOMPARE(bag.entries()[0].second.toInt(), 2540);
        QCOMPARE(bag.entries()[1].first, QStringLiteral("_extenty"));
        QCOMPARE(bag.entries()[1].second.toInt(), 1270);
        QCOMPARE(bag.entries()[2].first, QStringLiteral("n"));
        QVERIFY(!c->isDirty());
    }

    void shapeMasksTheWindow()
    {
        QWidget window;
        auto* c = new Recorder(&window);
        c->setGeometry(0, 0, 10, 10);
        c->setShape(gdi::Region::rect(0, 0, 10, 10).subtracted(gdi::Region::rect(0, 0, 1, 1)));
        QVERIFY(!c->mask().contains(QPoint(0, 0)));
        QVERIFY(c->mask().contains(QPoint(1, 0)));
        QVERIFY(!c->shapeContains({0, 0}));
        QVERIFY(c->shapeContains({9, 9}));
        QVERIFY(!c->shapeContains({10, 9}));
        c->setShape(gdi::Region());
        QVERIFY(c->mask().isEmpty());
        QVERIFY(c->shapeContains({0, 0}));
    }

    void pointerCodesGiveCursors_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shape");
        QTest::newRow("arrow") << 1 << int(Qt::ArrowCursor);
        QTest::newRow("cross") << 2 << int(Qt::CrossCursor);
        QTest::newRow("I-beam") << 3 << int(Qt::IBeamCursor);
        QTest::newRow("size N-S") << 7 << int(Qt::SizeVerCursor);
        QTest::newRow("size W-E") << 9 << int(Qt::SizeHorCursor);
        QTest::newRow("hourglass") << 11 << int(Qt::WaitCursor);
        QTest::newRow("no drop") << 12 << int(Qt::ForbiddenCursor);
        QTest::newRow("size all") << 15 << int(Qt::SizeAllCursor);
    }
    void pointerCodesGiveCursors()
    {
        QFETCH(int, code);
        QFETCH(int, shape);
        Recorder c;
        QVERIFY(c.setPointerCode(code));
        QCOMPARE(c.pointerCode(), code);
        QCOMPARE(int(c.cursor().shape()), shape);
    }

    void pointerDefaultsAndRefusals()
    {
        QWidget window;
        Recorder& c = *new Recorder(&window);
        QVERIFY(c.setPointerCode(2));
        QVERIFY(c.setPointerCode(0));
        QVERIFY(!c.testAttribute(Qt::WA_SetCursor)); // the default: the parent's pointer
        QVERIFY(!c.setPointerCode(16));
        QVERIFY(!c.setPointerCode(-1));
        QCOMPARE(c.pointerCode(), 0);
        // A custom pointer without an icon is the default one.
        QVERIFY(c.setPointerCode(99));
        QVERIFY(!c.testAttribute(Qt::WA_SetCursor));
        QImage img(16, 8, QImage::Format_ARGB32);
        img.fill(Qt::black);
        QVERIFY(c.setPointerIcon(gdi::Picture::fromImage(img, gdi::Picture::Type::Icon)));
        QCOMPARE(c.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(c.cursor().hotSpot(), QPoint(8, 4)); // an icon's hot spot is its centre
        auto broken = std::make_shared<gdi::Picture>();
        broken->type = gdi::Picture::Type::Icon;
        QVERIFY(!c.setPointerIcon(broken));
    }

    void ambientChangesAreReported()
    {
        QWidget window;
        window.setFont(QFont("Tahoma", 13));
        auto* c = new Recorder(&window);
        QCOMPARE(c->ambientFont().family(), QStringLiteral("Tahoma"));
        QVERIFY(c->userMode());
        c->setUserMode(false);
        c->setDisplayAsDefault(true);
        c->setAmbientDisplayName("btn");
        QVERIFY(!c->userMode());
        QVERIFY(c->displayAsDefault());
        QCOMPARE(c->ambientDisplayName(), QStringLiteral("btn"));
        QCOMPARE(c->log, (QStringList{"AmbientChanged(UserMode)", "AmbientChanged(DisplayAsDefault)",
                                      "AmbientChanged(DisplayName)"}));
    }

    void propertyChangedIsObservable()
    {
        Recorder c;
        QSignalSpy spy(&c, &forms::UserControl::propertyChangedNotified);
        QVERIFY(!c.isDirty());
        c.propertyChanged("Caption");
        QVERIFY(c.isDirty());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("Caption"));
    }

    void windowHandlesAreDistinctAndStable()
    {
        Recorder a, b;
        QVERIFY(a.hWnd() != 0);
        QVERIFY(a.hWnd() != b.hWnd());
        QCOMPARE(a.hWnd(), a.hWnd());
    }

    void fontIsSelectedIntoTheSurface()
    {
        Recorder c;
        QFont f("Tahoma", 17);
        c.setControlFont(f);
        QCOMPARE(c.controlFont(), f);
        QCOMPARE(c.surfaceDc().font(), f);
    }
};

QTEST_MAIN(TestHost)
#include "tst_host.moc"
