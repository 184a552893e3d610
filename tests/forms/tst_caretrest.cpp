// The caret rests after a quiet spell and blinks again at the next input: the
// focused text box's caret timer stops (no repaints) and restarts.

#include "platform/forms/CaretRest.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

// Counts the paints of the text boxes.
class PaintCount : public QObject {
public:
    explicit PaintCount(std::initializer_list<QWidget*> boxes)
    {
        for (QWidget* w : boxes)
            w->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestCaretRest : public QObject {
    Q_OBJECT
private slots:
    void restsAndWakes_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("a key") << "key";
        QTest::newRow("a click") << "click";
        QTest::newRow("the focus moved") << "focus";
    }
    void restsAndWakes()
    {
        QFETCH(QString, input);
        QGuiApplication::styleHints()->setCursorFlashTime(100);
        QWidget window;
        auto* box = new QLineEdit(&window);
        auto* other = new QLineEdit(&window);
        other->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->setFocus();
        PaintCount count{box, other};

        forms::CaretRest rest(150ms);
        QTRY_VERIFY(count.paints >= 2); // blinking
        QTRY_VERIFY(rest.isResting());
        QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);
        const int resting = count.paints;
        QTest::qWait(120);
        QCOMPARE(count.paints, resting);

        if (input == QLatin1String("key"))
            QTest::keyClick(box, Qt::Key_A);
        else if (input == QLatin1String("click"))
            QTest::mouseClick(box, Qt::LeftButton);
        else
            other->setFocus();
        QVERIFY(!rest.isResting());
        QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 100);
        const int woken = count.paints;
        QTRY_VERIFY(count.paints >= woken + 2);
        QTRY_VERIFY(rest.isResting());
    }
};

QTEST_MAIN(TestCaretRest)
#include "tst_caretrest.moc"
