#include "platform/forms/Colors.h"

#include "platform/gdi/SysColors.h"

namespace forms {

QColor oleColor(std::uint32_t value)
{
    gdi::ColorRef rgb = 0;
    if (!gdi::OleTranslateColor(value, &rgb))
        (void)gdi::OleTranslateColor(SysWindowBackground, &rgb);
    return QColor(gdi::toQRgb(rgb));
}

std::optional<std::uint32_t> colorValue(const QJsonValue& value)
{
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (d < 0 || d > 4294967295.0)
            return std::nullopt;
        return std::uint32_t(d);
    }
    if (value.isString()) {
        QString text = value.toString().trimmed();
        int base = 10;
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
            || text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
            text = text.mid(2);
            base = 16;
        }
        if (text.endsWith(u'&'))
            text.chop(1);
        bool ok = false;
        const std::uint32_t parsed = text.toUInt(&ok, base);
        if (ok)
            return parsed;
    }
    return std::nullopt;
}

} // namespace forms
