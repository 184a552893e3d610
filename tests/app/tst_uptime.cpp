// The uptime report's formatting of whole seconds and of the tick count.

#include "app/UptimeReport.h"

#include <QTest>

using app::SecondsToTime;
using app::uptimeText;

class TestUptime : public QObject {
    Q_OBJECT
private slots:
    void secondsToTime_data()
    {
        QTest::addColumn<uint>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0u << "00:00:00";
        QTest::newRow("59 s") << 59u << "00:00:59";
        QTest::newRow("one minute") << 60u << "00:01:00";
        QTest::newRow("3661") << 3661u << "01:01:01";
        QTest::newRow("ten hours") << 36000u << "10:00:00";
        QTest::newRow("100 hours") << 360000u << "100:00:00";
        QTest::newRow("largest tick count") << 4294967u << "1193:02:47";
    }
    void secondsToTime()
    {
        QFETCH(uint, seconds);
        QFETCH(QString, expected);
        QCOMPARE(SecondsToTime(seconds), expected);
    }

    void reportText()
    {
        QCOMPARE(uptimeText(3661000u), QStringLiteral("Windows has been running for 01:01:01 seconds"));
        QCOMPARE(uptimeText(999u), QStringLiteral("Windows has been running for 00:00:00 seconds"));
        QCOMPARE(uptimeText(4294967295u), QStringLiteral("Windows has been running for 1193:02:47 seconds"));
        // After the count wraps it starts again from zero.
        const std::uint32_t wrapped = std::uint32_t(4294967295u + 5001u);
        QCOMPARE(uptimeText(wrapped), QStringLiteral("Windows has been running for 00:00:05 seconds"));
    }
};

QTEST_GUILESS_MAIN(TestUptime)
#include "tst_uptime.moc"
