#include "app/UptimeReport.h"

#include "platform/forms/FormatTwoDigits.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/SystemClock.h"

namespace app {

QString SecondsToTime(std::uint32_t seconds)
{
    const std::uint32_t hours = seconds / 3600;
    const std::uint32_t minutes = (seconds % 3600) / 60;
    const std::uint32_t secs = seconds % 60;
    return forms::FormatTwoDigits(hours) + u':' + forms::FormatTwoDigits(minutes) + u':'
           + forms::FormatTwoDigits(secs);
}

QString uptimeText(std::uint32_t tickCount)
{
    return QStringLiteral("Windows has been running for ") + SecondsToTime(tickCount / 1000)
           + QStringLiteral(" seconds");
}

void showUptimeReport()
{
    forms::MsgBox(uptimeText(forms::GetTickCount()), forms::MsgButtons::OK, forms::MsgIcon::Information,
                  QString::fromLatin1(UptimeTitle));
}

} // namespace app
