// The calendar window worked through its boxes and its "&GENERATE" button.
// Expected start cells are TotalDays mod 7, with TotalDays counted by hand from
// 1 January 1900 (every fourth year 366 days).

#include "platform/forms/MessageBoxRecorder.h"
#include "support/ToolWindowHarness.h"
#include "tools/calendar/frmCal.h"

#include <QTest>

using tools::frmCal;

namespace {

QStringList cells(const frmCal& form)
{
    QStringList list;
    for (int i = 0; i < 35; ++i)
        list << tooltest::text(form, "Label1", i);
    return list;
}

QStringList generate(frmCal& form, const QString& month, const QString& year)
{
    tooltest::typeInto(form, "txtMonth", month);
    tooltest::typeInto(form, "txtYear", year);
    tooltest::click(form, "vbButton1");
    return cells(form);
}

// The grid a month of `days` days starting in `start` leaves: wrapping into the top row.
QStringList layout(int start, int days)
{
    QStringList list;
    for (int i = 0; i < 35; ++i)
        list << QString();
    for (int d = 1; d <= days; ++d)
        list[(start + d - 1) % 35] = QString::number(d);
    return list;
}

} // namespace

class TestCalendarWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tooltest::prepareEnvironment(); }
    void init() { m_form = &tooltest::open<frmCal>(); }
    void cleanup() { tooltest::close(*m_form); }

    void opensWithDesignLayout()
    {
        QCOMPARE(cells(*m_form), layout(0, 0));
        QCOMPARE(tooltest::text(*m_form, "txtMonth"), QString());
        QCOMPARE(tooltest::text(*m_form, "txtYear"), QString());
        QCOMPARE(tooltest::text(*m_form, "Label10"), QStringLiteral("Sunday"));
        QCOMPARE(tooltest::text(*m_form, "Label9"), QStringLiteral("Saturday"));
        // Cell 8 is row 1, column 1: (240 + 1320, 600 + 600) twips; cell 13 is the wide one.
        QCOMPARE(m_form->controls().widget("Label1", 8)->geometry(), QRect(104, 80, 65, 33));
        QCOMPARE(m_form->controls().widget("Label1", 13)->width(), 67);
        QCOMPARE(m_form->controls().widget("Label1", 34)->geometry().topLeft(), QPoint(544, 200));
    }

    void january2011WrapsIntoTheTopRow()
    {
        const QStringList grid = generate(*m_form, "1", "2011");
        QCOMPARE(grid, layout(6, 31));
        QCOMPARE(grid[6], QStringLiteral("1"));
        QCOMPARE(grid[34], QStringLiteral("29"));
        QCOMPARE(grid[0], QStringLiteral("30"));
        QCOMPARE(grid[1], QStringLiteral("31"));
    }

    void monthLengthsAndStarts_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("days");
        // February: 36525 + 31 days to 1 Feb 2000; 73050 + 31 to 1 Feb 2100.
        QTest::newRow("February 2000") << "2"
                                       << "2000" << 36556 % 7 << 29;
        QTest::newRow("February 1900") << "2"
                                       << "1900" << 31 % 7 << 29;
        QTest::newRow("February 2100") << "2"
                                       << "2100" << 73081 % 7 << 29;
        QTest::newRow("February 2011") << "2"
                                       << "2011" << 40574 % 7 << 28;
        QTest::newRow("January 1900") << "1"
                                      << "1900" << 0 << 31;
        QTest::newRow("before 1900") << "3"
                                     << "1850" << 59 % 7 << 31;
        QTest::newRow("month 0") << "0"
                                 << "2011" << 6 << 31;
        QTest::newRow("negative month") << "-4"
                                        << "2011" << 6 << 31;
        QTest::newRow("month 13") << "13"
                                  << "2011" << 40908 % 7 << 28;
        QTest::newRow("month 14") << "14"
                                  << "2011" << (40908 + 28) % 7 << 28;
        // 2011.5: the year bound rounds 2010.5 to 2010, the February test 2011.5 to 2012.
        QTest::newRow("fractional year") << "2"
                                         << "2011.5" << 40574 % 7 << 29;
        // Month 2.5: 1.5 rounds to 2, so January and February are counted and March shows.
        QTest::newRow("fractional month") << "2.5"
                                          << "2011" << 40602 % 7 << 31;
        // 1900..32766: 30867 years, 7717 long ones.
        QTest::newRow("year 32767") << "1"
                                    << "32767" << (30867 * 365 + 7717) % 7 << 31;
    }

    void monthLengthsAndStarts()
    {
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(int, start);
        QFETCH(int, days);
        QCOMPARE(generate(*m_form, month, year), layout(start, days));
    }

    void badInputLeavesTheGridEmptyWithoutAMessage_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::newRow("empty month") << ""
                                     << "2011";
        QTest::newRow("empty year") << "1"
                                    << "";
        QTest::newRow("letters") << "jan"
                                 << "2011";
        QTest::newRow("letters in the year") << "1"
                                             << "20x1";
        QTest::newRow("year 32768: the counter passes 32767") << "1"
                                                              << "32768";
        QTest::newRow("year beyond 16 bits") << "1"
                                             << "99999";
        QTest::newRow("month 32768") << "32768"
                                     << "2011";
    }

    void badInputLeavesTheGridEmptyWithoutAMessage()
    {
        QFETCH(QString, month);
        QFETCH(QString, year);
        forms::MessageBoxRecorder boxes;
        generate(*m_form, "1", "2011");
        QCOMPARE(generate(*m_form, month, year), layout(0, 0));
        QVERIFY(boxes.requests().isEmpty());
        QCOMPARE(tooltest::text(*m_form, "txtMonth"), month);
        QCOMPARE(tooltest::text(*m_form, "txtYear"), year);
    }

    void repeatedAndShorterMonthsLeaveNothingStale()
    {
        const QStringList first = generate(*m_form, "1", "2011");
        QCOMPARE(generate(*m_form, "1", "2011"), first);
        // February 2011 after January: the 30 and 31 in the top row must go.
        QCOMPARE(generate(*m_form, "2", "2011"), layout(2, 28));
    }

    void reopeningStartsFromTheDesignValues()
    {
        generate(*m_form, "1", "2011");
        tooltest::close(*m_form);
        m_form = &tooltest::open<frmCal>();
        QCOMPARE(cells(*m_form), layout(0, 0));
        QCOMPARE(tooltest::text(*m_form, "txtYear"), QString());
    }

private:
    frmCal* m_form = nullptr;
};

QTEST_MAIN(TestCalendarWindow)
#include "tst_calendarwindow.moc"
