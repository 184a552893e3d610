#include "platform/forms/SystemClock.h"

#include <time.h>

namespace forms {

namespace {

std::function<std::uint32_t()>& tickSource()
{
    static std::function<std::uint32_t()> source;
    return source;
}

std::function<QDateTime()>& nowSource()
{
    static std::function<QDateTime()> source;
    return source;
}

} // namespace

std::uint32_t systemTickCount()
{
    timespec ts{};
#ifdef CLOCK_BOOTTIME
    // Counts time spent suspended too, like the classic tick count.
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0)
#endif
        clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::uint64_t ms = std::uint64_t(ts.tv_sec) * 1000u + std::uint64_t(ts.tv_nsec) / 1000000u;
    return std::uint32_t(ms); // keeps the low 32 bits: the count wraps
}

std::uint32_t GetTickCount()
{
    const auto& source = tickSource();
    return source ? source() : systemTickCount();
}

QDateTime Now()
{
    const auto& source = nowSource();
    return source ? source() : QDateTime::currentDateTime();
}

void setTickCountSource(std::function<std::uint32_t()> source)
{
    tickSource() = std::move(source);
}

void setNowSource(std::function<QDateTime()> source)
{
    nowSource() = std::move(source);
}

} // namespace forms
