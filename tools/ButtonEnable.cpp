#include "tools/ButtonEnable.h"

#include <QWidget>

namespace tools {

void setButtonEnabled(QObject* button, bool enabled)
{
    if (auto* widget = qobject_cast<QWidget*>(button))
        widget->setEnabled(enabled);
}

} // namespace tools
