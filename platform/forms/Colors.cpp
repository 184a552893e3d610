#include "platform/forms/Colors.h"

#include "platform/gdi/SysColors.h"

#include <cmath>

namespace forms {

QColor oleColor(std::uint32_t value)
{
    gdi::ColorRef rgb = 0;
    if (!gdi::OleTranslateColor(value, &rgb))
        (void)gdi::OleTranslateColor(SysWindowBackground, &rgb);
    return QColor(gdi::toQRgb(rgb));
}

namespace {

bool isSystemColor(std::uint32_t value)
{
    return (value & 0x80000000u) != 0;
}

// Relative luminance as contrast ratios measure it (sRGB, linearised).
double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor readableOn(const QColor& c)
{
    const double l = luminance(c);
    // Contrast with black is (l + 0.05) / 0.05, with white 1.05 / (l + 0.05).
    return (l + 0.05) * (l + 0.05) > 0.05 * 1.05 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

ColorPair pairedColors(std::optional<std::uint32_t> back, std::optional<std::uint32_t> fore)
{
    ColorPair pair;
    if (back)
        pair.back = oleColor(*back);
    if (fore)
        pair.fore = oleColor(*fore);
    const bool fixedBack = back && !isSystemColor(*back);
    const bool fixedFore = fore && !isSystemColor(*fore);
    if (fixedBack && !fixedFore)
        pair.fore = readableOn(*pair.back);
    else if (fixedFore && back && !fixedBack)
        pair.back = readableOn(*pair.fore);
    return pair;
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
