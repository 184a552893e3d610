#pragma once
// The countdown window's count, free of widgets and timers: minutes, seconds and
// hundredths as 16-bit values, lowered one hundredth per tick. The window feeds it
// one tick per timer event and shows the three values after every tick.

#include <cstdint>
#include <functional>
#include <optional>

namespace tools {

class CountdownClock {
public:
    enum class Tick { Counted, ReachedZero };

    // Loads the count as "&START" does: minutes and seconds as given, hundredths 0.
    void load(std::int16_t minutes, std::int16_t seconds);

    // One timer tick. ReachedZero means this tick found the count at zero and the
    // caller stops the timer; the values are shown after either result.
    Tick tick();

    [[nodiscard]] std::int16_t minutes() const { return Minutes; }
    [[nodiscard]] std::int16_t seconds() const { return Seconds; }
    [[nodiscard]] std::int16_t hundredths() const { return Hundredths; }

private:
    std::int16_t Minutes = 0;
    std::int16_t Seconds = 0;
    std::int16_t Hundredths = 0;
};

// The value of a minutes or seconds box. `number` is the box's text as the platform
// reads it (nullopt when it cannot: empty, letters, a lone sign, out of double range);
// `toInteger` rounds to 16 bits with ties to even. A count must never start negative
// or fail to reach zero, so unreadable text counts as 0, negatives as 0 and anything
// above 32767 as 32767.
[[nodiscard]] std::int16_t countdownInputValue(std::optional<double> number,
                                               const std::function<std::int16_t(double)>& toInteger);

} // namespace tools
