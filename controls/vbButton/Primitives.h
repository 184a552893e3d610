#pragma once
// The pixel-level drawing operations of the button's looks. Each draws into the
// given device context and leaves it as it found it: a pen or brush it needs is
// selected for the one call and the previous one selected again before returning.

#include "controls/vbButton/ButtonState.h"
#include "platform/gdi/Dc.h"

#include <cstdint>

namespace vb {

// Filled rectangle (x, y)-(x + w, y + h), right and bottom excluded; or, with
// frameOnly, the one-pixel border just inside it.
void DrawRect(gdi::Dc& dc, int x, int y, int w, int h, gdi::ColorRef color, bool frameOnly);

// One-pixel line from (x1, y1) toward (x2, y2); the end point is not drawn.
void DrawLine(gdi::Dc& dc, int x1, int y1, int x2, int y2, gdi::ColorRef color);

// Ellipse in the box (x, y, x + w, y + h): a 2-pixel outline in penColor, filled with fillColor.
void DrawEllipse(gdi::Dc& dc, int x, int y, int w, int h, gdi::ColorRef penColor, gdi::ColorRef fillColor);

void PutPixel(gdi::Dc& dc, int x, int y, gdi::ColorRef color);

// Bevel on the client edge (m_Width x m_Height): outer ring top/left c1, bottom/right c2;
// inner ring top/left c3, bottom/right c4. Inset 0 puts the outer ring on the edge,
// -1 one pixel inside; outerOnly leaves the inner ring out.
void DrawFrame3D(const ButtonState& s, gdi::Dc& dc, gdi::ColorRef c1, gdi::ColorRef c2, gdi::ColorRef c3,
                 gdi::ColorRef c4, std::int16_t inset, bool outerOnly);

} // namespace vb
