#include "platform/forms/Fonts.h"

#include <QHash>

namespace forms {

QStringList fontFamiliesFor(const QString& name)
{
    static const QHash<QString, QStringList> standIns = {
        {QStringLiteral("ms sans serif"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("microsoft sans serif"),
         {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("tahoma"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("times new roman"),
         {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")}},
        // Rockwell is a wide slab serif: the condensed DejaVu Serif keeps its look
        // within the same widths; Liberation Serif where that is not installed.
        {QStringLiteral("rockwell"),
         {QStringLiteral("DejaVu Serif Condensed"), QStringLiteral("Liberation Serif"),
          QStringLiteral("DejaVu Serif")}},
        {QStringLiteral("courier new"),
         {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")}},
    };
    QStringList families{name};
    families += standIns.value(name.toLower());
    return families;
}

bool jsonBool(const QJsonValue& value, bool fallback)
{
    if (value.isBool())
        return value.toBool();
    if (value.isDouble())
        return value.toDouble() != 0.0;
    return fallback;
}

QFont fontFromDescription(const QJsonObject& description, const QFont& base)
{
    QFont font = base;
    const QString name = description.value(QStringLiteral("name")).toString();
    if (!name.isEmpty())
        font.setFamilies(fontFamiliesFor(name));
    const double size = description.value(QStringLiteral("size")).toDouble(0.0);
    if (size > 0)
        font.setPointSizeF(size);
    font.setBold(jsonBool(description.value(QStringLiteral("bold"))));
    font.setItalic(jsonBool(description.value(QStringLiteral("italic"))));
    font.setUnderline(jsonBool(description.value(QStringLiteral("underline"))));
    font.setStrikeOut(jsonBool(description.value(QStringLiteral("strikethrough"))));
    return font;
}

} // namespace forms
