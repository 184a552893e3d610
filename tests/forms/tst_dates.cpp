// Text-to-date conversion: locale day/month order, ISO, month names and the
// two-digit year window.

#include "platform/forms/DateConversion.h"
#include "platform/forms/RuntimeError.h"

#include <QLocale>
#include <QTest>

using namespace forms;

class TestDates : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void readsDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        const QString us = QStringLiteral("en_US");
        const QString de = QStringLiteral("de_DE");
        // The locale decides which number is the month.
        QTest::newRow("us month first") << us << "03/04/2000" << QDate(2000, 3, 4);
        QTest::newRow("de day first") << de << "03.04.2000" << QDate(2000, 4, 3);
        QTest::newRow("de slashes keep day first") << de << "03/04/2000" << QDate(2000, 4, 3);
        QTest::newRow("us dashes") << us << "12-25-1990" << QDate(1990, 12, 25);
        QTest::newRow("same either way") << us << "01/01/2000" << QDate(2000, 1, 1);
        QTest::newRow("same either way de") << de << "01/01/2000" << QDate(2000, 1, 1);
        // Not a date in the locale's order, but one with day and month swapped.
        QTest::newRow("us swapped") << us << "13/01/2000" << QDate(2000, 1, 13);
        QTest::newRow("de swapped") << de << "01.13.2000" << QDate(2000, 1, 13);
        // A year-first locale still reads a long number at the end as the year, the
        // other two in its own month and day order.
        QTest::newRow("ja year last") << "ja_JP"
                                      << "01/01/2000" << QDate(2000, 1, 1);
        QTest::newRow("ja year last month first") << "ja_JP"
                                                  << "03/04/2000" << QDate(2000, 3, 4);
        QTest::newRow("sv year last swapped") << "sv_SE"
                                              << "24/12/2000" << QDate(2000, 12, 24);
        // ISO order whatever the locale.
        QTest::newRow("iso us") << us << "2000-12-31" << QDate(2000, 12, 31);
        QTest::newRow("iso de") << de << "2000-02-29" << QDate(2000, 2, 29);
        QTest::newRow("iso blanks") << us << "  1999 - 1 - 2 " << QDate(1999, 1, 2);
        // Two-digit years: 00-29 are this century, 30-99 the last one.
        QTest::newRow("yy 00") << us << "1/2/00" << QDate(2000, 1, 2);
        QTest::newRow("yy 29") << us << "1/2/29" << QDate(2029, 1, 2);
        QTest::newRow("yy 30") << us << "1/2/30" << QDate(1930, 1, 2);
        QTest::newRow("yy 99") << us << "1/2/99" << QDate(1999, 1, 2);
        QTest::newRow("single digit year") << de << "1.2.5" << QDate(2005, 2, 1);
        // Month names, English everywhere and the locale's own.
        QTest::newRow("day month year") << us << "25 December 1990" << QDate(1990, 12, 25);
        QTest::newRow("month day, year") << us << "December 25, 1990" << QDate(1990, 12, 25);
        QTest::newRow("short name") << us << "25-Dec-90" << QDate(1990, 12, 25);
        QTest::newRow("case") << us << "25 dEC 1990" << QDate(1990, 12, 25);
        QTest::newRow("year first") << us << "1990 Dec 25" << QDate(1990, 12, 25);
        QTest::newRow("german name") << de << "3. März 2001" << QDate(2001, 3, 3);
        QTest::newRow("english in german") << de << "3 March 2001" << QDate(2001, 3, 3);
        QTest::newRow("leap day") << de << "29.02.2004" << QDate(2004, 2, 29);
        QTest::newRow("year 100") << us << "1/1/100" << QDate(100, 1, 1);
        QTest::newRow("year 9999") << us << "12/31/9999" << QDate(9999, 12, 31);
    }
    void readsDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(toDate(text), std::optional<QDate>(expected));
        QCOMPARE(CDate(text), expected);
        QVERIFY(IsDate(text));
    }

    void notDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        const QString us = QStringLiteral("en_US");
        const QString de = QStringLiteral("de_DE");
        QTest::newRow("empty") << us << "";
        QTest::newRow("blanks") << us << "   ";
        QTest::newRow("word") << us << "hello";
        QTest::newRow("number") << us << "12";
        QTest::newRow("two parts") << us << "1/2";
        QTest::newRow("incomplete") << us << "01/01/";
        QTest::newRow("four parts") << us << "1/2/3/4";
        QTest::newRow("no such day") << us << "02/30/2001";
        QTest::newRow("not a leap year") << de << "29.02.2001";
        QTest::newRow("neither order") << us << "13/13/2000";
        QTest::newRow("month zero") << us << "0/10/2000";
        QTest::newRow("five digit year") << us << "1/1/20000";
        QTest::newRow("year below 100") << us << "0099-01-01";
        QTest::newRow("unknown month") << us << "25 Foo 1990";
        QTest::newRow("two month names") << us << "May June 1990";
        QTest::newRow("day too long") << us << "December 125 1990";
        QTest::newRow("stray character") << us << "1/2/2000!";
        QTest::newRow("time only") << us << "10:30";
    }
    void notDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(toDate(text), std::nullopt);
        QVERIFY(!IsDate(text));
        int error = 0;
        try {
            (void)CDate(text);
        } catch (const RuntimeError& e) {
            error = e.number();
        }
        QCOMPARE(error, int(ErrTypeMismatch));
    }

    void yearWindow()
    {
        QCOMPARE(expandTwoDigitYear(0), 2000);
        QCOMPARE(expandTwoDigitYear(29), 2029);
        QCOMPARE(expandTwoDigitYear(30), 1930);
        QCOMPARE(expandTwoDigitYear(99), 1999);
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "tst_dates.moc"
