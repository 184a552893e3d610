#include "controls/vbButton/RegisterVbButton.h"

#include "controls/vbButton/vbButtonPrivate.h"
#include "platform/forms/ControlRegistry.h"

#include <QJsonObject>

namespace vb {

void registerVbButton()
{
    forms::ControlRegistry::instance().registerKind(
        QStringLiteral("vbButton"), [](QWidget* parent, const QJsonObject& description) -> QWidget* {
            auto* button = new quintaro::vbButton(parent);
            QString name = description.value(QStringLiteral("name")).toString();
            if (description.contains(QStringLiteral("index")))
                name += QStringLiteral("(%1)").arg(description.value(QStringLiteral("index")).toInt());
            const QJsonValue properties = description.value(QStringLiteral("properties"));
            if (properties.isObject()) {
                quintaro::vbButtonPrivate::get(button)->setAmbientDisplayName(name);
                button->load(properties.toObject());
            } else {
                button->initNew(name);
            }
            return button;
        });
}

} // namespace vb
