#pragma once
// What a child window's parent shows beneath it, painted without the child and
// without running the event loop: the parent's background and its own painting,
// then the siblings stacked below the child, each as it renders itself now.

#include "platform/gdi/Surface.h"

#include <QRect>

class QWidget;

namespace forms {

// Paints the rectangle `area` of `widget`'s parent (parent coordinates, logical
// pixels) into `dest` at (0, 0), at dest's scale. The widget itself and the
// siblings above it are left out. Without a parent nothing is painted.
void renderBehind(const QWidget& widget, const QRect& area, gdi::Surface& dest);

} // namespace forms
