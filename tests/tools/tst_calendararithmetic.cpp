// The Generate arithmetic on its own, with point-locale conversions standing in for
// the platform's: day counting against the real calendar, the wrap into the top row,
// and the errors that end a click.

#include "tools/calendar/CalendarGenerator.h"

#include <QDate>
#include <QLocale>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>

using tools::CalendarCellCount;
using tools::CalendarGenerator;

namespace {

struct ConversionError {
    int number;
};

double toDouble(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw ConversionError{13};
    return v;
}

double roundEven(double v, double lo, double hi)
{
    const double r = std::nearbyint(v); // default rounding mode: ties to even
    if (r < lo || r > hi)
        throw ConversionError{6};
    return r;
}

tools::CalendarConversions conversions()
{
    return {toDouble, [](double v) { return static_cast<std::int16_t>(roundEven(v, -32768, 32767)); },
            [](const QString& t) {
                return static_cast<std::int32_t>(roundEven(toDouble(t), -2147483648.0, 2147483647.0));
            },
            [] { throw ConversionError{6}; }};
}

using Grid = std::array<QString, CalendarCellCount>;

struct Run {
    Grid cells;
    int writes = 0;
    int errorNumber = 0;
};

Run generate(CalendarGenerator& gen, const QString& month, const QString& year, Grid start = {})
{
    Run run{start, 0, 0};
    try {
        gen.generate(month, year, [&](int i, const QString& s) {
            QVERIFY(i >= 0 && i < CalendarCellCount);
            run.cells[static_cast<std::size_t>(i)] = s;
            ++run.writes;
        });
    } catch (const ConversionError& e) {
        run.errorNumber = e.number;
    }
    return run;
}

Grid filledGrid()
{
    Grid g;
    g.fill(QStringLiteral("x"));
    return g;
}

} // namespace

class TestCalendarArithmetic : public QObject {
    Q_OBJECT

private slots:
    void everyMonthOf1901To2099MatchesTheRealCalendar()
    {
        CalendarGenerator gen(conversions());
        for (int year = 1901; year <= 2099; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const QDate first(year, month, 1);
                const int startCell = first.dayOfWeek() % 7; // Qt: Monday 1 .. Sunday 7
                const Run run = generate(gen, QString::number(month), QString::number(year), filledGrid());
                QCOMPARE(run.errorNumber, 0);
                for (int i = 0; i < CalendarCellCount; ++i) {
                    // Day d sits in cell (start + d - 1) mod 35.
                    const int day = (i - startCell + CalendarCellCount) % CalendarCellCount + 1;
                    const QString expected = day <= first.daysInMonth() ? QString::number(day) : QString();
                    if (run.cells[static_cast<std::size_t>(i)] != expected)
                        QFAIL(qPrintable(QStringLiteral("%1-%2 cell %3: got '%4', want '%5'")
                                             .arg(year)
                                             .arg(month)
                                             .arg(i)
                                             .arg(run.cells[static_cast<std::size_t>(i)], expected)));
                }
            }
        }
    }

    void january2011CountsFrom1900()
    {
        CalendarGenerator gen(conversions());
        generate(gen, "1", "2011");
        QCOMPARE(gen.totalDays(), 40543);
        QCOMPARE(gen.counter(), std::int16_t(1)); // the month loop never ran
    }

    void monthLoopLeavesCounterOnTheChosenMonth()
    {
        CalendarGenerator gen(conversions());
        generate(gen, "13", "2011");
        QCOMPARE(gen.counter(), std::int16_t(13));
        QCOMPARE(gen.totalDays(), 40543 + 365);
    }

    void everyCellIsWrittenOnceAfterTheClear()
    {
        CalendarGenerator gen(conversions());
        const Run run = generate(gen, "1", "2011"); // 31 days from cell 6
        QCOMPARE(run.writes, 35 + 31);
    }

    void errorsEndTheClickWithTheGridCleared_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("error");
        QTest::newRow("year loop steps past 32767") << "1"
                                                    << "32768" << 6;
        QTest::newRow("month loop steps past 32767") << "32768"
                                                     << "2011" << 6;
        QTest::newRow("year bound out of range") << "1"
                                                 << "32769" << 6;
        QTest::newRow("year bound below range") << "1"
                                                << "-32768" << 6;
        QTest::newRow("month bound out of range") << "40000"
                                                  << "2011" << 6;
        QTest::newRow("empty year") << "1"
                                    << "" << 13;
        QTest::newRow("letters in month") << "jan"
                                          << "2011" << 13;
    }

    void errorsEndTheClickWithTheGridCleared()
    {
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(int, error);
        CalendarGenerator gen(conversions());
        const Run run = generate(gen, month, year, filledGrid());
        QCOMPARE(run.errorNumber, error);
        for (const QString& cell : run.cells)
            QVERIFY(cell.isEmpty());
        QCOMPARE(run.writes, 35);
    }

    void largestWorkingBounds()
    {
        CalendarGenerator gen(conversions());
        Run run = generate(gen, "1", "32767");
        QCOMPARE(run.errorNumber, 0);
        // 1900..32766: 30867 years, 7717 of them divisible by 4.
        QCOMPARE(gen.totalDays(), 30867 * 365 + 7717);

        run = generate(gen, "32767", "2011");
        QCOMPARE(run.errorNumber, 0);
        QCOMPARE(gen.counter(), std::int16_t(32767));
        QCOMPARE(
            std::count_if(run.cells.begin(), run.cells.end(), [](const QString& c) { return !c.isEmpty(); }),
            28L); // month 32767 is no month of 30 or 31 days

        run = generate(gen, "-32767", "-32767"); // bounds of exactly -32768
        QCOMPARE(run.errorNumber, 0);
        QCOMPARE(gen.totalDays(), 0);
        QCOMPARE(run.cells[0], QStringLiteral("1"));
        QCOMPARE(run.cells[30], QStringLiteral("31"));
    }
};

QTEST_GUILESS_MAIN(TestCalendarArithmetic)
#include "tst_calendararithmetic.moc"
