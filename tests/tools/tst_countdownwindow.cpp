// The countdown window worked through its boxes, "&START" and its timer, one tick
// at a time.

#include "platform/forms/FormTimer.h"
#include "support/ToolWindowHarness.h"
#include "tools/countdown/frmHitung.h"

#include <QTest>

using tools::frmHitung;

namespace {

QStringList display(const frmHitung& form)
{
    return {tooltest::text(form, "txtMinute"), tooltest::text(form, "txtSecond"),
            tooltest::text(form, "txtMiliSecond")};
}

QString status(const frmHitung& form)
{
    return tooltest::text(form, "Label5");
}

bool counting(const frmHitung& form)
{
    return form.controls().timer("Timer1")->isRunning();
}

void start(frmHitung& form, const QString& minutes, const QString& seconds)
{
    tooltest::typeInto(form, "txtInputMinute", minutes);
    tooltest::typeInto(form, "txtInputSecond", seconds);
    tooltest::click(form, "vbButton1");
}

const QStringList zero{"00", "00", "00"};

} // namespace

class TestCountdownWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tooltest::prepareEnvironment(); }
    void init() { m_form = &tooltest::open<frmHitung>(); }
    void cleanup() { tooltest::close(*m_form); }

    void opensReady()
    {
        QCOMPARE(status(*m_form), QStringLiteral("Ready..."));
        QVERIFY(!counting(*m_form));
        QCOMPARE(m_form->controls().timer("Timer1")->interval(), 10);
        QCOMPARE(display(*m_form), QStringList({"", "", ""}));
        QVERIFY(tooltest::lineEdit(*m_form, "txtMinute")->isReadOnly());
        QVERIFY(tooltest::lineEdit(*m_form, "txtSecond")->isReadOnly());
        QVERIFY(tooltest::lineEdit(*m_form, "txtMiliSecond")->isReadOnly());
        QVERIFY(!tooltest::lineEdit(*m_form, "txtInputMinute")->isReadOnly());
        QCOMPARE(tooltest::text(*m_form, "txtInputMinute"), QStringLiteral("00"));
        QCOMPARE(tooltest::text(*m_form, "txtInputSecond"), QStringLiteral("00"));
    }

    void ninetySecondsTakeNineThousandTicks()
    {
        start(*m_form, "01", "30");
        QCOMPARE(status(*m_form), QStringLiteral("Counting Down..."));
        QVERIFY(counting(*m_form));
        QCOMPARE(display(*m_form), QStringList({"", "", ""})); // untouched until the first tick

        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"01", "29", "99"}));
        tooltest::tick(*m_form, "Timer1", 99);
        QCOMPARE(display(*m_form), QStringList({"01", "29", "00"}));
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"01", "28", "99"}));

        tooltest::tick(*m_form, "Timer1", 9000 - 101 - 1);
        QCOMPARE(display(*m_form), QStringList({"00", "00", "01"}));
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), zero);
        QCOMPARE(status(*m_form), QStringLiteral("Counting Down..."));

        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(status(*m_form), QStringLiteral("Ready..."));
        QVERIFY(!counting(*m_form));
        QCOMPARE(display(*m_form), zero);
    }

    void secondsAboveFiftyNine()
    {
        start(*m_form, "00", "75");
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"00", "74", "99"}));
        tooltest::tick(*m_form, "Timer1", 7499);
        QCOMPARE(display(*m_form), zero);
        QVERIFY(counting(*m_form));
        tooltest::tick(*m_form, "Timer1");
        QVERIFY(!counting(*m_form));
    }

    void firstTickBorrowsAMinute()
    {
        start(*m_form, "02", "00");
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"01", "59", "99"}));
    }

    void zeroStopsOnTheFirstTick()
    {
        start(*m_form, "00", "00");
        QVERIFY(counting(*m_form));
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), zero);
        QCOMPARE(status(*m_form), QStringLiteral("Ready..."));
    }

    void startWhileCountingRestartsFromTheBoxes()
    {
        start(*m_form, "01", "30");
        tooltest::tick(*m_form, "Timer1", 250);
        QCOMPARE(display(*m_form), QStringList({"01", "27", "50"}));
        // Editing the boxes alone changes nothing in the running count.
        tooltest::typeInto(*m_form, "txtInputSecond", "5");
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"01", "27", "49"}));

        start(*m_form, "00", "05");
        QCOMPARE(status(*m_form), QStringLiteral("Counting Down..."));
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"00", "04", "99"}));
    }

    void minutesBoxIsNormalisedWhenLeft_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one digit") << "5"
                                   << "05";
        QTest::newRow("three digits") << "123"
                                      << "123";
        QTest::newRow("fraction, half to even") << "2.5"
                                                << "02";
        QTest::newRow("fraction up") << "3.5"
                                     << "04";
        QTest::newRow("empty") << ""
                               << "00";
        QTest::newRow("letters") << "abc"
                                 << "00";
        QTest::newRow("lone minus") << "-"
                                    << "00";
        QTest::newRow("negative") << "-5"
                                  << "00";
        QTest::newRow("beyond 16 bits") << "99999"
                                        << "32767";
        QTest::newRow("hugely beyond") << "1e400"
                                       << "00";
    }

    void minutesBoxIsNormalisedWhenLeft()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        tooltest::typeInto(*m_form, "txtInputMinute", typed);
        QCOMPARE(tooltest::text(*m_form, "txtInputMinute"), typed); // not while typing
        tooltest::lineEdit(*m_form, "txtInputSecond")->setFocus(Qt::TabFocusReason);
        QCOMPARE(tooltest::text(*m_form, "txtInputMinute"), shown);
    }

    void secondsBoxIsNormalisedOnEveryChange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one digit") << "7"
                                   << "07";
        QTest::newRow("two digits") << "45"
                                    << "45";
        QTest::newRow("three digits") << "123"
                                      << "123";
        QTest::newRow("deleted") << ""
                                 << "00";
        QTest::newRow("letter") << "x"
                                << "00";
        QTest::newRow("minus sign") << "-"
                                    << "00";
        QTest::newRow("negative") << "-7"
                                  << "07"; // the minus is gone at once, then 7
        QTest::newRow("beyond 16 bits") << "99999"
                                        << "32767";
    }

    void secondsBoxIsNormalisedOnEveryChange()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        tooltest::typeInto(*m_form, "txtInputSecond", typed);
        QVERIFY(tooltest::lineEdit(*m_form, "txtInputSecond")->hasFocus());
        QCOMPARE(tooltest::text(*m_form, "txtInputSecond"), shown);
    }

    void unreadableOrNegativeTextCountsAsZero()
    {
        // Text put into the minutes box without it ever losing the focus (pasted by
        // a program): "&START" reads it the same way.
        tooltest::typeInto(*m_form, "txtInputSecond", "2");
        tooltest::lineEdit(*m_form, "txtInputMinute")->setText("-3");
        tooltest::click(*m_form, "vbButton1");
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"00", "01", "99"}));
        tooltest::tick(*m_form, "Timer1", 199);
        QCOMPARE(display(*m_form), zero);
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(status(*m_form), QStringLiteral("Ready..."));

        tooltest::lineEdit(*m_form, "txtInputMinute")->setText("abc");
        tooltest::lineEdit(*m_form, "txtInputSecond")->setText("");
        tooltest::click(*m_form, "vbButton1");
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), zero);
        QCOMPARE(status(*m_form), QStringLiteral("Ready..."));
    }

    void largeInputsCountFromTheTop()
    {
        tooltest::lineEdit(*m_form, "txtInputMinute")->setText("40000");
        tooltest::typeInto(*m_form, "txtInputSecond", "0");
        tooltest::click(*m_form, "vbButton1");
        tooltest::tick(*m_form, "Timer1");
        QCOMPARE(display(*m_form), QStringList({"32766", "59", "99"}));
    }

    void reopeningStartsReady()
    {
        start(*m_form, "01", "30");
        tooltest::tick(*m_form, "Timer1", 10);
        tooltest::close(*m_form);
        m_form = &tooltest::open<frmHitung>();
        QCOMPARE(status(*m_form), QStringLiteral("Ready..."));
        QVERIFY(!counting(*m_form));
        QCOMPARE(display(*m_form), QStringList({"", "", ""}));
        QCOMPARE(tooltest::text(*m_form, "txtInputMinute"), QStringLiteral("00"));
        QCOMPARE(tooltest::text(*m_form, "txtInputSecond"), QStringLiteral("00"));
    }

private:
    frmHitung* m_form = nullptr;
};

QTEST_MAIN(TestCountdownWindow)
#include "tst_countdownwindow.moc"
