#pragma once
// The birthday window's lookups: weekday names (Sunday is day 1) and the zodiac
// table, tested row by row in a fixed order.

#include <QString>

namespace tools {

// "Sunday" for 1 ... "Saturday" for 7; empty outside 1..7.
[[nodiscard]] QString weekdayName(int weekday);

// The sign of a day (1..31) and month (1..12): the first row whose (first month and
// day >= first day) or (second month and day <= last day) holds. Empty when no row
// matches, which no real date does.
[[nodiscard]] QString zodiacSign(int day, int month);

} // namespace tools
