#pragma once
// Factories for the control kinds the forms runtime itself provides.

#include <QJsonObject>

class QWidget;

namespace forms {

class ControlRegistry;

void registerBuiltinControls(ControlRegistry& registry);

// Horizontal alignment from a description's "alignment": "left" (default),
// "center" or "right".
[[nodiscard]] Qt::Alignment horizontalAlignment(const QJsonObject& description);

} // namespace forms
