#pragma once
// Enabling a window's command button whatever widget shows it: the owner-drawn
// button has an Enabled property of its own (it redraws itself greyed), a plain
// button only the widget's state.

class QObject;

namespace tools {

void setButtonEnabled(QObject* button, bool enabled);

} // namespace tools
