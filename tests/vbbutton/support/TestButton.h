#pragma once
// A button with no window: its state and a host over a bare surface, laid out as
// the control's resize and show handling would, plus pixel-checking helpers.

#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonState.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Picture.h"
#include "platform/gdi/Surface.h"

#include <QFont>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QtTest/QTest>

namespace vbtest {

// Surfaces start in this colour, so any pixel a drawing misses is visible.
inline constexpr gdi::ColorRef kSentinel = 0x3A5C7E;
// The host's own back colour, used by its clear operation.
inline constexpr gdi::ColorRef kHostBack = 0x00FF00;

// The Windows-classic system colours the tests run with.
inline constexpr gdi::ColorRef kClassicFace = 0xC0C0C0;      // COLOR_BTNFACE
inline constexpr gdi::ColorRef kClassicHighlight = 0x800000; // COLOR_HIGHLIGHT (navy)

class TestHost : public vb::ButtonHost {
public:
    explicit TestHost(vb::ButtonState& state);

    gdi::Dc& surfaceDc() override;
    void clearSurface() override;
    [[nodiscard]] bool displayAsDefault() const override { return isDefault; }
    [[nodiscard]] bool fontBold() const override { return font.bold(); }
    // As the control's FontBold let does it: store, lay out again, ask for a redraw.
    void setFontBold(bool bold) override;
    [[nodiscard]] gdi::ColorRef parentBackColor() const override { return parentBack; }
    [[nodiscard]] gdi::ColorRef parentTextColor() const override { return parentText; }
    [[nodiscard]] gdi::Point positionOnParent() const override { return position; }
    void copyFromParent(gdi::Surface& dest, int x, int y, int w, int h) override;

    // Resizes the surface (sentinel-filled, drawn at `scale` device pixels per
    // pixel) and runs the resize steps: face rectangle, caption layout, window shape.
    void resize(int w, int h, double scale = 1.0);
    // The show steps: redrawing on, palette loaded.
    void show();

    vb::ButtonState& s;
    gdi::Surface surface;
    gdi::Dc dc{surface};
    QFont font;

    bool isDefault = false;
    gdi::ColorRef parentBack = 0;
    gdi::ColorRef parentText = 0;
    gdi::Point position;
    gdi::Surface parent;
    QList<bool> boldRequests;
    QList<bool> boldWhileRedrawEnabled;
    int clears = 0;
};

// A button of `type`, w x h, csSystem, enabled, shown, with the given caption.
struct TestButton {
    TestButton(std::int32_t type, int w, int h, const QString& caption = QString());
    // Redraw(state, force True).
    void draw(std::uint8_t state = vb::dsUp);
    [[nodiscard]] gdi::ColorRef at(int x, int y) const { return host.surface.pixel(x, y); }

    vb::ButtonState s;
    TestHost host{s};
};

// A solid w x h bitmap picture.
[[nodiscard]] gdi::PicturePtr solidBitmap(int w, int h, gdi::ColorRef color);
// A bitmap picture from rows of characters, each mapped to a colour.
[[nodiscard]] gdi::PicturePtr bitmapFromMask(const QStringList& rows,
                                             const QMap<QChar, gdi::ColorRef>& colors);

// Each returns an empty string when the surface matches, else a description of
// the first difference.
[[nodiscard]] QString checkRect(const gdi::Surface& surface, const gdi::Rect& r, gdi::ColorRef color);
[[nodiscard]] QString checkMask(const gdi::Surface& surface, int x0, int y0, const QStringList& rows,
                                const QMap<QChar, gdi::ColorRef>& colors);
// Pixels of exactly `color` inside r.
[[nodiscard]] QList<QPoint> pixelsOf(const gdi::Surface& surface, const gdi::Rect& r, gdi::ColorRef color);
[[nodiscard]] QString hex(gdi::ColorRef c);

} // namespace vbtest

#define VB_CHECK(expr)                                                                                       \
    do {                                                                                                     \
        const QString vbCheckResult = (expr);                                                                \
        QVERIFY2(vbCheckResult.isEmpty(), qPrintable(vbCheckResult));                                        \
    } while (false)
