#pragma once
// Exact pixel checks against ASCII pictures: one string per row, one character per
// pixel, each character standing for a colour of the legend.

#include "platform/gdi/Surface.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace gdi::test {

inline constexpr ColorRef kSentinel = 0x3C5A78; // never drawn by the tests
inline constexpr ColorRef kInk = 0x0000FF;

using Legend = QHash<QChar, ColorRef>;

// '.' is the sentinel and '#' the ink unless the legend says otherwise.
Legend withDefaults(Legend legend);

// Empty when every pixel of `s` matches `rows` (which must cover the whole surface);
// otherwise a message with the expected and the actual picture.
QString compareMask(const Surface& s, const QStringList& rows, const Legend& legend = {});

// The surface as a picture in the legend's characters ('?' for other colours).
QStringList render(const Surface& s, const Legend& legend = {});

} // namespace gdi::test

#define GDI_COMPARE_MASK(surface, ...)                                                                       \
    do {                                                                                                     \
        const QString gdiMaskDiff_ = gdi::test::compareMask(surface, __VA_ARGS__);                           \
        QVERIFY2(gdiMaskDiff_.isEmpty(), qPrintable(gdiMaskDiff_));                                          \
    } while (false)
