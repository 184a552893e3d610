#include "tools/zodiac/ZodiacTable.h"

#include <array>

namespace tools {

namespace {

struct SignRow {
    const char* name;
    int firstMonth;
    int firstDay;
    int lastMonth;
    int lastDay;
};

// In the order the rows are tested; CAPRICORN spans the turn of the year.
constexpr std::array<SignRow, 12> signRows{{
    {"ARIES", 3, 21, 4, 20},
    {"TAURUS", 4, 21, 5, 21},
    {"GEMINI", 5, 22, 6, 21},
    {"CANCER", 6, 22, 7, 22},
    {"LEO", 7, 23, 8, 22},
    {"VIRGO", 8, 23, 9, 22},
    {"LIBRA", 9, 23, 10, 22},
    {"SCORPIO", 10, 23, 11, 21},
    {"SAGITARIUS", 11, 22, 12, 21},
    {"CAPRICORN", 12, 22, 1, 20},
    {"AQUARIUS", 1, 21, 2, 19},
    {"PISCES", 2, 20, 3, 20},
}};

constexpr std::array<const char*, 7> weekdayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

} // namespace

QString weekdayName(int weekday)
{
    if (weekday < 1 || weekday > 7)
        return {};
    return QString::fromLatin1(weekdayNames[static_cast<std::size_t>(weekday - 1)]);
}

QString zodiacSign(int day, int month)
{
    for (const SignRow& row : signRows) {
        if ((month == row.firstMonth && day >= row.firstDay)
            || (month == row.lastMonth && day <= row.lastDay))
            return QString::fromLatin1(row.name);
    }
    return {};
}

} // namespace tools
