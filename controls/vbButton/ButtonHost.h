#pragma once
// What the painting half of the button needs from the window that hosts it:
// its drawing surface, its font, its ambient properties and its parent. The
// control implements it over its user-control host; tests and renderers
// implement it over a bare surface.

#include "platform/gdi/Color.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Surface.h"

namespace vb {

class ButtonHost {
public:
    virtual ~ButtonHost() = default;

    // Device context of the retained drawing surface, with the control's
    // current font selected. Valid until the next call that changes the size.
    virtual gdi::Dc& surfaceDc() = 0;
    // The host's clear operation: the whole surface in the host's back colour.
    virtual void clearSurface() = 0;

    // Ambient DisplayAsDefault: the window marks this button as its default one.
    // Read at drawing time, never cached.
    [[nodiscard]] virtual bool displayAsDefault() const = 0;

    // The FontBold property, through its let (layout is recomputed, the redraw it
    // asks for is suppressed while redrawing is off, no change notification).
    [[nodiscard]] virtual bool fontBold() const = 0;
    virtual void setFontBold(bool bold) = 0;

    // Current background and text colours of the parent window's device context.
    [[nodiscard]] virtual gdi::ColorRef parentBackColor() const = 0;
    [[nodiscard]] virtual gdi::ColorRef parentTextColor() const = 0;

    // For the transparent style: the control's position on its parent (pixels),
    // and what the parent shows beneath the control, without the control.
    [[nodiscard]] virtual gdi::Point positionOnParent() const = 0;
    // Paints w x h logical pixels of the parent at (x, y), as they lie beneath the
    // control, into dest at (0, 0) at dest's scale. Runs no event loop.
    virtual void copyFromParent(gdi::Surface& dest, int x, int y, int w, int h) = 0;
};

} // namespace vb
