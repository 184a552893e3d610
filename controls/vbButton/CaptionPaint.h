#pragma once
// Painting the caption in its text styles, with the SpecialEffect layers, and
// the focus rectangle.

#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonState.h"

#include <cstdint>

namespace vb {

// Paints m_Caption in `style` (a TextStyle) and records the style in m_TextState.
void DrawCaption(ButtonState& s, ButtonHost& host, std::uint8_t style);

// The SpecialEffect layers of the caption laid out in `rect`: one shadow copy
// down-right, and for raised and sunken looks a second copy up-left.
void DrawCaptionEffect(const ButtonState& s, ButtonHost& host, const gdi::Rect& rect);

// The dotted focus rectangle on m_FaceRect, while the button has the focus and shows it.
void DrawFocus(const ButtonState& s, ButtonHost& host);

// The text format every caption layer is drawn with.
inline constexpr unsigned kCaptionFormat = gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_WORDBREAK;

} // namespace vb
