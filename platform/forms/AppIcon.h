#pragma once

#include <QIcon>

namespace forms {

// The application icon every window carries: all the sizes found under
// ":/icons/quintaro-<size>.png" (16, 24, 32, 48, 64, 96, 256) in one icon.
[[nodiscard]] QIcon applicationIcon();

} // namespace forms
