#pragma once
// The caption or text of any built control, whatever widget shows it: labels,
// buttons, option buttons and frames have a caption, text boxes a text.

#include <QString>

class QObject;

namespace forms {

[[nodiscard]] QString controlText(const QObject* control);
void setControlText(QObject* control, const QString& text);

} // namespace forms
