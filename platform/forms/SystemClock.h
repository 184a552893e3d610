#pragma once
// The two clocks that windows read: the wall-clock time and the tick count.
// Both go through a replaceable source so tests can pin them to a value.

#include <QDateTime>

#include <cstdint>
#include <functional>

namespace forms {

// Milliseconds since the system started, as an unsigned 32-bit value: it wraps to
// zero after about 49.7 days, as the classic tick count did.
[[nodiscard]] std::uint32_t GetTickCount();

// The current local date and time.
[[nodiscard]] QDateTime Now();

// Replace the sources; an empty function restores the system's own.
void setTickCountSource(std::function<std::uint32_t()> source);
void setNowSource(std::function<QDateTime()> source);

// The system's tick count, whatever source is installed.
[[nodiscard]] std::uint32_t systemTickCount();

} // namespace forms
