// The zodiac table and weekday names, walked over every day of a leap year.

#include "tools/zodiac/ZodiacTable.h"

#include <QDate>
#include <QTest>

class TestZodiacTable : public QObject {
    Q_OBJECT

private slots:
    void signChangesExactlyOnTheFirstDays()
    {
        // Each sign's first day, in calendar order from January.
        const QList<std::pair<QDate, QString>> firsts{
            {{2000, 1, 21}, "AQUARIUS"}, {{2000, 2, 20}, "PISCES"},      {{2000, 3, 21}, "ARIES"},
            {{2000, 4, 21}, "TAURUS"},   {{2000, 5, 22}, "GEMINI"},      {{2000, 6, 22}, "CANCER"},
            {{2000, 7, 23}, "LEO"},      {{2000, 8, 23}, "VIRGO"},       {{2000, 9, 23}, "LIBRA"},
            {{2000, 10, 23}, "SCORPIO"}, {{2000, 11, 22}, "SAGITARIUS"}, {{2000, 12, 22}, "CAPRICORN"},
        };
        QString expected = "CAPRICORN"; // 1 January
        int next = 0;
        for (QDate d(2000, 1, 1); d.year() == 2000; d = d.addDays(1)) {
            if (next < firsts.size() && d == firsts[next].first)
                expected = firsts[next++].second;
            QCOMPARE(tools::zodiacSign(d.day(), d.month()), expected);
        }
        QCOMPARE(next, 12);
    }

    void noSignForImpossibleDays()
    {
        QCOMPARE(tools::zodiacSign(0, 0), QString());
        QCOMPARE(tools::zodiacSign(15, 13), QString());
    }

    void weekdayNamesStartOnSunday()
    {
        QCOMPARE(tools::weekdayName(1), QStringLiteral("Sunday"));
        QCOMPARE(tools::weekdayName(4), QStringLiteral("Wednesday"));
        QCOMPARE(tools::weekdayName(7), QStringLiteral("Saturday"));
        QCOMPARE(tools::weekdayName(0), QString());
        QCOMPARE(tools::weekdayName(8), QString());
    }
};

QTEST_GUILESS_MAIN(TestZodiacTable)
#include "tst_zodiactable.moc"
