#include "tools/ButtonEnable.h"

#include "controls/vbButton/vbButton.h"

#include <QWidget>

namespace tools {

void setButtonEnabled(QObject* button, bool enabled)
{
    if (auto* owner = qobject_cast<vb::vbButton*>(button))
        owner->setEnabled(enabled); // the button's Enabled property: redraws and blocks input
    else if (auto* widget = qobject_cast<QWidget*>(button))
        widget->setEnabled(enabled);
}

} // namespace tools
