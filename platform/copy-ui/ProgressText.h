#pragma once
// The words and numbers the progress window shows, apart from the window so they
// can be checked on their own.

#include <QString>
#include <cstdint>

namespace shell {

// 1023 gives "1023 bytes", 1536 "1.5 KB", 1048576 "1.0 MB" (powers of 1024, one decimal).
[[nodiscard]] QString formatBytes(std::uint64_t bytes);
// Whole seconds, rounded up to something a person reads at a glance:
// "About 5 seconds left", "About 2 minutes left", "About 1 hour 5 minutes left".
[[nodiscard]] QString formatTimeLeft(std::uint64_t seconds);
// "1 item", "0 items", "12 items".
[[nodiscard]] QString formatItems(std::uint64_t items);

} // namespace shell
