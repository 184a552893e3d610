#pragma once
// How long the system has been running, from the millisecond tick count.

#include <QString>

#include <cstdint>

namespace app {

// hours:minutes:seconds, each part through FormatTwoDigits; hours are not
// limited to two digits (360000 -> "100:00:00").
[[nodiscard]] QString SecondsToTime(std::uint32_t seconds);

// The report's text for a tick count: "Windows has been running for
// <SecondsToTime(ticks / 1000)> seconds".
[[nodiscard]] QString uptimeText(std::uint32_t tickCount);

inline constexpr const char* UptimeTitle = "Detect how long the current Windows";

// Reads the tick count now and shows the report (information icon, OK).
void showUptimeReport();

} // namespace app
