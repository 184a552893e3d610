#include "platform/forms/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace forms
{

namespace
{

// Which palette entry plays the part of each system colour index.
QColor systemColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0: // scroll bar
        return palette.color(QPalette::Button);
    case 1:  // desktop
    case 12: // application workspace
        return palette.color(QPalette::Dark);
    case 2:  // active caption
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 3: // inactive caption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 4: // menu
        return palette.color(QPalette::Window);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6: // window frame
    case 7: // menu text
        return palette.color(QPalette::WindowText);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return palette.color(QPalette::Button);
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor oleColor(std::uint32_t value)
{
    if ((value & 0x80000000u) != 0)
        return systemColor(int(value & 0xFFu));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
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
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ||
            text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
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
