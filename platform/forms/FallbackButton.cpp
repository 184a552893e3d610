#include "platform/forms/FallbackButton.h"

#include "platform/forms/Fonts.h"

namespace forms {

FallbackButton::FallbackButton(QWidget* parent, const QJsonObject& description) : QPushButton(parent)
{
    const QJsonObject bag = description.value(QStringLiteral("properties")).toObject();
    QString caption = bag.value(QStringLiteral("tx")).toString();
    if (caption.isEmpty())
        caption = description.value(QStringLiteral("caption")).toString();
    setText(caption);
    setEnabled(jsonBool(bag.value(QStringLiteral("enab")), true));
    if (bag.contains(QStringLiteral("font")))
        setFont(fontFromDescription(bag.value(QStringLiteral("font")).toObject(), font()));
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &FallbackButton::Click);
}

} // namespace forms
