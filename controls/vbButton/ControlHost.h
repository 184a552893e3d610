#pragma once
// What the button's model needs from its user-control host beyond painting:
// ambient properties, the host's font, enabled state, pointer and icon,
// access keys, the property-changed notification, capture, whether the
// pointer is over it, focus moves, hover tracking and the window's size and shape.
// vbButton implements it over forms::UserControl; tests may fake it.

#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonTypes.h"
#include "platform/gdi/Picture.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Region.h"

#include <QFont>
#include <QString>
#include <cstdint>

namespace vb {

class ControlHost : public ButtonHost {
public:
    // Ambient properties of the container.
    [[nodiscard]] virtual bool userMode() const = 0; // false: design mode
    [[nodiscard]] virtual QString ambientDisplayName() const = 0;
    [[nodiscard]] virtual QFont ambientFont() const = 0;

    // The host's own state.
    [[nodiscard]] virtual QFont controlFont() const = 0;
    virtual void setControlFont(const QFont& font) = 0;
    virtual void setControlEnabled(bool enabled) = 0;
    [[nodiscard]] virtual std::int16_t pointerCode() const = 0;
    // False when the host refuses the code or picture (nothing changes then).
    virtual bool setPointerCode(int code) = 0;
    [[nodiscard]] virtual gdi::PicturePtr pointerIcon() const = 0;
    virtual bool setPointerIcon(const gdi::PicturePtr& icon) = 0;
    // The program's hand cursor resource; null when it cannot be loaded.
    [[nodiscard]] virtual gdi::PicturePtr handCursor() const = 0;
    virtual void setAccessKeys(const QString& keys) = 0;
    virtual void propertyChanged(const QString& name) = 0;
    // The change report: the properties whose values a let or a click has just
    // changed, once the change is complete. False when a receiver destroyed the control.
    virtual bool valuesChanged(ChangeSet changed) = 0;

    // The window.
    [[nodiscard]] virtual std::int32_t windowHandle() const = 0;
    [[nodiscard]] virtual gdi::Rect clientRect() const = 0;
    // The region becomes the window's shape; the window is redrawn.
    virtual void setWindowShape(const gdi::Region& region) = 0;
    // Show the surface on the screen at once.
    virtual void refreshWindow() = 0;
    virtual void setCapture() = 0;
    // The pointer is over this control's own window and no other window covers
    // it there, as the pointer's own events last told (no global pointer query).
    [[nodiscard]] virtual bool pointerOverOwnWindow() const = 0;
    // Synthesized Tab (forwards) or Shift+Tab (backwards), not waited for.
    virtual void sendTabKey(bool backwards) = 0;
    // Hover tracking on or off. While it is on, the host runs handleOverTimer
    // whenever the pointer may have gone; nothing polls while the pointer rests.
    virtual void setOverTimerEnabled(bool enabled) = 0;
};

} // namespace vb
