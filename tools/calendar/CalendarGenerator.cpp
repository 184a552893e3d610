#include "tools/calendar/CalendarGenerator.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace tools {

CalendarGenerator::CalendarGenerator(CalendarConversions conversions) : m_conv(std::move(conversions))
{
}

// A counted loop over the one 16-bit Counter: the counter keeps its value after the
// loop (start value when no pass ran, last value + 1 otherwise), and stepping past
// 32767 after the last pass is an overflow, as in any 16-bit counted loop.
template <class Body> void CalendarGenerator::countLoop(std::int16_t from, std::int16_t to, Body body)
{
    Counter = from;
    while (Counter <= to) {
        body();
        if (Counter == std::numeric_limits<std::int16_t>::max()) {
            m_conv.raiseOverflow();
            throw std::overflow_error("loop counter overflow");
        }
        ++Counter;
    }
}

// value - 1, rounded into 16 bits; the year and the month bound are read alike.
std::int16_t CalendarGenerator::monthBound(const QString& text) const
{
    return m_conv.toInteger(m_conv.toDouble(text) - 1.0);
}

std::int16_t CalendarGenerator::monthLength(std::int16_t month, const QString& yearText) const
{
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default: {
        // The year text is read afresh here (rounded on its own), whatever the month:
        // both sides of the test are always evaluated.
        const bool divisibleBy4 = m_conv.toLong(yearText) % 4 == 0;
        return (divisibleBy4 && month == 2) ? 29 : 28;
    }
    }
}

void CalendarGenerator::generate(const QString& monthText, const QString& yearText,
                                 const CalendarCellWriter& setCell)
{
    TotalDays = 0;
    Counter = 0;
    countLoop(0, CalendarCellCount - 1, [&] { setCell(Counter, QString()); });

    const std::int16_t lastYear = monthBound(yearText);
    countLoop(1900, lastYear, [&] { TotalDays += (Counter % 4 == 0) ? 366 : 365; });

    const std::int16_t lastMonth = monthBound(monthText);
    countLoop(1, lastMonth, [&] { TotalDays += monthLength(Counter, yearText); });

    // The counter now names the chosen month (or 1 when the bound was below 1).
    std::int16_t days = monthLength(Counter, yearText);
    FillDays(days, setCell);
}

void CalendarGenerator::FillDays(const std::int16_t& N, const CalendarCellWriter& setCell) const
{
    int p = TotalDays % 7;
    for (int d = 1; d <= N; ++d) {
        setCell(p, QString::number(d));
        ++p;
        if (p == CalendarCellCount)
            p = 0;
    }
}

} // namespace tools
