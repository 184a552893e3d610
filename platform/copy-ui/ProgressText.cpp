#include "platform/copy-ui/ProgressText.h"

namespace shell {

QString formatBytes(std::uint64_t bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 bytes").arg(bytes);
    static const char* const units[] = {"KB", "MB", "GB", "TB", "PB"};
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 4) {
        value /= 1024.0;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

QString formatTimeLeft(std::uint64_t seconds)
{
    auto plural = [](std::uint64_t n, const char* word) {
        return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(word)).arg(n == 1 ? "" : "s");
    };
    if (seconds < 60)
        return QStringLiteral("About %1 left").arg(plural(seconds, "second"));
    std::uint64_t minutes = (seconds + 59) / 60;
    if (minutes < 60)
        return QStringLiteral("About %1 left").arg(plural(minutes, "minute"));
    std::uint64_t hours = minutes / 60;
    minutes %= 60;
    if (minutes == 0)
        return QStringLiteral("About %1 left").arg(plural(hours, "hour"));
    return QStringLiteral("About %1 %2 left").arg(plural(hours, "hour"), plural(minutes, "minute"));
}

QString formatItems(std::uint64_t items)
{
    return items == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(items);
}

} // namespace shell
