// Property procedures and the lifecycle: what each let redraws and notifies,
// DisableRefresh and Refresh, the resize, show and hide handling. Draws are
// counted by the host's clear operation, which starts every real redraw.

#include "support/VbInputDriver.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vbtest;

namespace {

gdi::PicturePtr smallPicture()
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    return gdi::Picture::fromImage(img, gdi::Picture::Type::Bitmap);
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void init() { usePointerSeam(); }

    void valueIsDrawnOnlyInCheckBoxMode()
    {
        ButtonWindow w;
        Button b = w.button;
        const int draws = b->clearCount();
        b->setValue(true);
        QCOMPARE(b->clearCount(), draws);
        QCOMPARE(b->state().m_LastState, vb::dsUp);
        QVERIFY(b->isDirty());
        b->setCheckBoxBehaviour(true);
        QCOMPARE(b->clearCount(), draws + 1);
        QCOMPARE(b->state().m_LastState, vb::dsDown);
        b->setValue(false);
        QCOMPARE(b->state().m_LastState, vb::dsUp);
    }

    void disableRefreshThenRefreshDrawsOnce()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setColorScheme(2);
        b->DisableRefresh();
        const int draws = b->clearCount();
        b->setCaption("&Other");
        b->setBackColor(0x0000FF);
        b->setButtonType(9);
        b->setEnabled(false);
        QCOMPARE(b->clearCount(), draws);
        // Values are stored and the palette follows them; the screen does not.
        QCOMPARE(b->Caption(), QStringLiteral("&Other"));
        QCOMPARE(b->state().m_FaceColor, 0x0000FFu);
        QCOMPARE(b->state().m_LastCaption, QStringLiteral("vbButton1"));
        b->Refresh();
        QCOMPARE(b->clearCount(), draws + 1);
        QCOMPARE(b->state().m_LastCaption, QStringLiteral("&Other"));
        QVERIFY(b->state().m_RedrawEnabled);
    }

    void unchangedStateIsNotRedrawn()
    {
        ButtonWindow w;
        Button b = w.button;
        press(b);
        const int draws = b->clearCount();
        press(b); // same state, same caption, no force
        QCOMPARE(b->clearCount(), draws);
    }

    void fontSizeReadsToNearestEven_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("size");
        QTest::newRow("8.25") << 8.25 << 8;
        QTest::newRow("9.75") << 9.75 << 10;
        QTest::newRow("8.5") << 8.5 << 8;
        QTest::newRow("9.5") << 9.5 << 10;
    }
    void fontSizeReadsToNearestEven()
    {
        QFETCH(double, points);
        QFETCH(int, size);
        ButtonWindow w;
        QFont f = w.button->Font();
        f.setPointSizeF(points);
        w.button->setFont(f);
        QCOMPARE(int(w.button->FontSize()), size);
    }

    void fontSizeZeroOrBelowIsRefused()
    {
        ButtonWindow w;
        Button b = w.button;
        b->setCaption(QStringLiteral("Button"));
        const short size = b->FontSize();
        const gdi::Rect caption = b->state().m_CaptionRect;
        // The host's font grows behind the control's back: a relayout would show it.
        QFont big = b->controlFont();
        big.setPointSizeF(30);
        b->setControlFont(big);
        const int draws = b->clearCount();
        b->clearDirty();
        for (short bad : {short(0), short(-1), short(-32768)}) {
            QVERIFY(!b->setFontSize(bad));
            QCOMPARE(b->state().m_CaptionRect, caption);
            QCOMPARE(b->clearCount(), draws);
            QVERIFY(!b->isDirty());
        }
        QCOMPARE(b->FontSize(), short(30));
        big.setPointSizeF(size);
        b->setControlFont(big);
        QVERIFY(b->setFontSize(12));
        QCOMPARE(b->FontSize(), short(12));
        QVERIFY(b->clearCount() > draws);
    }

    void mousePointerIsSixteenBits()
    {
        ButtonWindow w;
        Button b = w.button;
        b->clearDirty();
        QVERIFY(!b->setMousePointer(70000));
        QVERIFY(!b->setMousePointer(50)); // no such pointer
        QCOMPARE(b->MousePointer(), 0);
        QVERIFY(!b->isDirty());
        QVERIFY(b->setMousePointer(11));
        QCOMPARE(b->MousePointer(), 11);
        QCOMPARE(b.widget()->cursor().shape(), Qt::WaitCursor);
        QVERIFY(b->isDirty());
    }

    void handPointerSetsCustomCursorAndBack()
    {
        ButtonWindow w;
        Button b = w.button;
        QVERIFY(b->setHandPointer(true));
        QCOMPARE(b->MousePointer(), 99);
        QCOMPARE(b.widget()->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(b.widget()->cursor().hotSpot(), QPoint(10, 2)); // the fingertip
        QVERIFY(b->setHandPointer(false));
        QCOMPARE(b->MousePointer(), 1);
        QVERIFY(!b->MouseIcon());
        QCOMPARE(b.widget()->cursor().shape(), Qt::ArrowCursor);
    }

    void pictureOverRedrawsOnlyWhileHot()
    {
        ButtonWindow w;
        Button b = w.button;
        int draws = b->clearCount();
        b->setPictureOver(smallPicture());
        QCOMPARE(b->clearCount(), draws);
        move(b);
        draws = b->clearCount();
        b->setPictureOver(smallPicture());
        QCOMPARE(b->clearCount(), draws + 1);
    }

    void maskAndGreyscaleRedrawOnlyWithAPicture()
    {
        ButtonWindow w;
        Button b = w.button;
        int draws = b->clearCount();
        b->setUseMaskColor(false);
        b->setUseGreyscale(true);
        QCOMPARE(b->clearCount(), draws);
        b->setPictureNormal(smallPicture());
        QCOMPARE(b->state().m_PictureWidth, 8);
        draws = b->clearCount();
        b->setUseMaskColor(true);
        b->setUseGreyscale(false);
        QCOMPARE(b->clearCount(), draws + 2);
    }

    void everyPropertyLetNotifies()
    {
        ButtonWindow w;
        Button b = w.button;
        QSignalSpy spy(quintaro::vbButtonPrivate::get(b),
                       &quintaro::vbButtonPrivate::propertyChangedNotified);
        b->setBackColor(1);
        b->setBackOver(2);
        b->setForeColor(3);
        b->setForeOver(4);
        b->setMaskColor(5);
        b->setButtonType(3);
        b->setCaption("c");
        b->setEnabled(true);
        b->setColorScheme(3);
        b->setShowFocusRect(true);
        b->setMouseIcon(nullptr);
        b->setSoftBevel(true);
        b->setPictureNormal(nullptr);
        b->setPictureOver(nullptr);
        b->setPicturePosition(1);
        b->setUseMaskColor(true);
        b->setUseGreyscale(true);
        b->setSpecialEffect(1);
        b->setCheckBoxBehaviour(true);
        b->setValue(true);
        QStringList names;
        for (const auto& args : spy)
            names << args.at(0).toString();
        QCOMPARE(names, (QStringList{"BackColor",     "BackOver",      "ForeColor",         "ForeOver",
                                     "MaskColor",     "ButtonType",    "Caption",           "Enabled",
                                     "ColorScheme",   "ShowFocusRect", "MouseIcon",         "SoftBevel",
                                     "PictureNormal", "PictureOver",   "PicturePosition",   "UseMaskColor",
                                     "UseGreyscale",  "SpecialEffect", "CheckBoxBehaviour", "Value"}));
    }

    void resizeInsetsTheFaceByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QRect>("face"); // left, top, right, bottom of an 80 x 30 button
        QTest::newRow("standard") << 2 << QRect(QPoint(4, 4), QPoint(76, 26));
        QTest::newRow("round gradient") << 3 << QRect(QPoint(4, 4), QPoint(76, 26));
        QTest::newRow("thin") << 7 << QRect(QPoint(3, 3), QPoint(77, 27));
        QTest::newRow("oval") << 13 << QRect(QPoint(3, 3), QPoint(77, 27));
        QTest::newRow("gradient") << 14 << QRect(QPoint(6, 6), QPoint(76, 26));
        QTest::newRow("unknown") << 0 << QRect(QPoint(4, 4), QPoint(76, 26));
    }
    void resizeInsetsTheFaceByType()
    {
        QFETCH(int, type);
        QFETCH(QRect, face);
        ButtonWindow w;
        Button b = w.button;
        b->setButtonType(type);
        const gdi::Rect r = b->state().m_FaceRect;
        // QRect(QPoint, QPoint) is inclusive; here the second point holds right and bottom.
        QCOMPARE(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)), face);
        QCOMPARE(b->state().m_Width, 80);
        QCOMPARE(b->state().m_Height, 30);
    }

    void zeroHeightDrawsNothing()
    {
        ButtonWindow w;
        Button b = w.button;
        b.widget()->resize(80, 0);
        const int draws = b->clearCount();
        b->setCaption("x");
        b->Refresh();
        QCOMPARE(b->clearCount(), draws);
        QCOMPARE(b->state().m_Height, 0);
    }

    void hideStopsAndShowRestartsRedrawing()
    {
        ButtonWindow w;
        Button b = w.button;
        b.widget()->hide();
        QVERIFY(!b->state().m_RedrawEnabled);
        const int draws = b->clearCount();
        b->setCaption("x");
        QCOMPARE(b->clearCount(), draws);
        b.widget()->show();
        QVERIFY(b->state().m_RedrawEnabled);
        QCOMPARE(b->clearCount(), draws + 1);
        QCOMPARE(b->state().m_LastCaption, QStringLiteral("x"));
    }

    void transparentBackgroundKeepsItsFirstSize()
    {
        ButtonWindow w(false);
        Button b = w.button;
        b->setButtonType(11);
        QCOMPARE(b.widget()->height(), 30); // a capture before the first show leaves the size alone
        QVERIFY(!b->state().m_BackgroundDC);
        w.window.show();
        QVERIFY(b->state().m_BackgroundDC);
        QCOMPARE(b->state().m_BackgroundDC->width(), 80);
        QCOMPARE(b->state().m_BackgroundDC->height(), 30);
        b.widget()->hide();
        b.widget()->resize(120, 50);
        b.widget()->show();
        QCOMPARE(b->state().m_Width, 120);
        QCOMPARE(b->state().m_BackgroundDC->width(), 80);
        QCOMPARE(b->state().m_BackgroundDC->height(), 30);
    }

    void ambientChangeReloadsColoursUnlessCustom()
    {
        ButtonWindow w;
        Button b = w.button;
        int draws = b->clearCount();
        b->setDisplayAsDefault(true);
        QCOMPARE(b->clearCount(), draws + 1);
        b->setColorScheme(2);
        draws = b->clearCount();
        b->setDisplayAsDefault(false);
        QCOMPARE(b->clearCount(), draws);
    }

    void enabledFollowsIntoTheWindow()
    {
        ButtonWindow w;
        Button b = w.button;
        EventLog log(b);
        b->setEnabled(false);
        QVERIFY(!b.widget()->isEnabled());
        press(b); // a disabled window gets no mouse input
        release(b);
        QCOMPARE(log.take(), QStringList{});
        b->setEnabled(true);
        QVERIFY(b.widget()->isEnabled());
    }
};

QTEST_MAIN(TestModel)
#include "tst_model.moc"
