#include "tools/countdown/CountdownClock.h"

#include <cmath>
#include <limits>

namespace tools {

void CountdownClock::load(std::int16_t minutes, std::int16_t seconds)
{
    Minutes = minutes;
    Seconds = seconds;
    Hundredths = 0;
}

CountdownClock::Tick CountdownClock::tick()
{
    if (Minutes == 0 && Seconds == 0 && Hundredths == 0)
        return Tick::ReachedZero;

    if (Hundredths > 0) {
        --Hundredths;
    } else {
        if (Seconds > 0) {
            --Seconds;
        } else {
            // Borrow a minute; a count that ran out of minutes still ends its seconds.
            if (Minutes > 0)
                --Minutes;
            Seconds = 59;
        }
        Hundredths = 99;
    }
    return Tick::Counted;
}

std::int16_t countdownInputValue(std::optional<double> number,
                                 const std::function<std::int16_t(double)>& toInteger)
{
    constexpr std::int16_t largest = std::numeric_limits<std::int16_t>::max();
    if (!number || std::isnan(*number) || *number <= 0.0)
        return 0;
    if (*number >= largest)
        return largest;
    return toInteger(*number);
}

} // namespace tools
