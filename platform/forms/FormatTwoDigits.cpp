#include "platform/forms/FormatTwoDigits.h"

namespace forms {

QString FormatTwoDigits(long long value)
{
    const QString digits = QString::number(value);
    return value < 10 ? QStringLiteral("0") + digits : digits;
}

} // namespace forms
