#pragma once
// The per-pixel picture transfer that gives the button's pictures their
// transparency key, silhouettes, greyscale and blending.

#include "controls/vbButton/ButtonState.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Picture.h"

#include <cstdint>

namespace vb {

// Fill value that asks for the picture itself rather than a one-colour silhouette.
inline constexpr std::int32_t kNoFill = -1;

// Transfers the w x h block of `picture` (a bitmap at its natural size, or an icon
// drawn over m_MaskColorRGB) to (x, y) of `dc`, pixel by pixel:
// - a source pixel equal to `key` leaves the destination alone, while m_UseMaskColor is set;
// - with fill >= 0 every other pixel becomes the fill colour (a silhouette); with
//   darkOnly only pixels whose red + green + blue is at most 384 do;
// - otherwise the pixel is copied, in grey with `greyscale`, or with `blend` mixed two
//   parts picture to one part background.
void BlitPicture(const ButtonState& s, gdi::Dc& dc, int x, int y, int w, int h, const gdi::Picture& picture,
                 gdi::ColorRef key, std::int32_t fill, bool darkOnly, bool greyscale, bool blend);

} // namespace vb
