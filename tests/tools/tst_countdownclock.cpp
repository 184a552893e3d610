// The countdown's count on its own: how many ticks a start takes to reach zero, the
// minute borrow, and how box values are read.

#include "tools/countdown/CountdownClock.h"

#include <QTest>

#include <cmath>

using tools::CountdownClock;

namespace {

// Ticks until the tick that reports zero, that tick excluded.
long ticksToZero(std::int16_t minutes, std::int16_t seconds)
{
    CountdownClock clock;
    clock.load(minutes, seconds);
    long n = 0;
    while (clock.tick() == CountdownClock::Tick::Counted) {
        ++n;
        if (n > 100L * 60 * 40000)
            return -1;
    }
    return n;
}

std::int16_t roundEven(double v)
{
    return static_cast<std::int16_t>(std::nearbyint(v));
}

} // namespace

class TestCountdownClock : public QObject {
    Q_OBJECT

private slots:
    void firstTicks()
    {
        CountdownClock clock;
        clock.load(1, 30);
        QCOMPARE(clock.tick(), CountdownClock::Tick::Counted);
        QCOMPARE(clock.minutes(), std::int16_t(1));
        QCOMPARE(clock.seconds(), std::int16_t(29));
        QCOMPARE(clock.hundredths(), std::int16_t(99));

        clock.load(2, 0);
        clock.tick();
        QCOMPARE(clock.minutes(), std::int16_t(1));
        QCOMPARE(clock.seconds(), std::int16_t(59));
        QCOMPARE(clock.hundredths(), std::int16_t(99));

        clock.load(0, 75);
        clock.tick();
        QCOMPARE(clock.seconds(), std::int16_t(74));
    }

    void reachesZeroAfterAHundredTicksPerSecond_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<long>("ticks");
        QTest::newRow("0:00") << 0 << 0 << 0L;
        QTest::newRow("0:01") << 0 << 1 << 100L;
        QTest::newRow("1:30") << 1 << 30 << 9000L;
        QTest::newRow("0:75") << 0 << 75 << 7500L;
        QTest::newRow("2:00") << 2 << 0 << 12000L;
        QTest::newRow("largest") << 32767 << 32767 << 100L * (60 * 32767 + 32767);
    }

    void reachesZeroAfterAHundredTicksPerSecond()
    {
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(long, ticks);
        QCOMPARE(ticksToZero(static_cast<std::int16_t>(minutes), static_cast<std::int16_t>(seconds)), ticks);
    }

    void zeroIsReportedOnEveryLaterTick()
    {
        CountdownClock clock;
        clock.load(0, 0);
        QCOMPARE(clock.tick(), CountdownClock::Tick::ReachedZero);
        QCOMPARE(clock.tick(), CountdownClock::Tick::ReachedZero);
        QCOMPARE(clock.minutes() + clock.seconds() + clock.hundredths(), 0);
    }

    void boxValues_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("value");
        QTest::newRow("unreadable") << false << 0.0 << 0;
        QTest::newRow("plain") << true << 5.0 << 5;
        QTest::newRow("half to even, down") << true << 2.5 << 2;
        QTest::newRow("half to even, up") << true << 3.5 << 4;
        QTest::newRow("negative") << true << -7.0 << 0;
        QTest::newRow("small negative") << true << -0.4 << 0;
        QTest::newRow("top of range") << true << 32767.0 << 32767;
        QTest::newRow("above range") << true << 40000.0 << 32767;
        QTest::newRow("rounds above range") << true << 32767.5 << 32767;
        QTest::newRow("huge") << true << 1e300 << 32767;
        QTest::newRow("nan") << true << std::nan("") << 0;
    }

    void boxValues()
    {
        QFETCH(bool, readable);
        QFETCH(double, number);
        QFETCH(int, value);
        const std::optional<double> read = readable ? std::optional<double>(number) : std::nullopt;
        QCOMPARE(int(tools::countdownInputValue(read, roundEven)), value);
    }
};

QTEST_GUILESS_MAIN(TestCountdownClock)
#include "tst_countdownclock.moc"
