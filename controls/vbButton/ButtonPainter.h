#pragma once
// The painting half of the button: palette, redraw, layout of caption and
// picture, window shape and background capture. Each procedure works on the
// button's state and draws through its host.

#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonState.h"
#include "platform/gdi/Region.h"

namespace vb {

// Colour arithmetic.
[[nodiscard]] gdi::ColorRef TranslateColor(OleColor color);
[[nodiscard]] gdi::ColorRef ShiftColor(const ButtonState& s, gdi::ColorRef color, int amount, bool proportional);
[[nodiscard]] gdi::ColorRef LightenColor(gdi::ColorRef color, int amount);

// Rebuild the working palette from ColorScheme, the colour properties and ButtonType.
void LoadColors(ButtonState& s, ButtonHost& host);

// Paint the button in `state` (dsUp or dsDown) unless nothing changed and no force is asked.
void Redraw(ButtonState& s, ButtonHost& host, std::uint8_t state, bool force);

// Layout: picture size, caption rectangle (ends by placing the picture), picture place.
void MeasurePicture(ButtonState& s);
void CalcCaptionRect(ButtonState& s, ButtonHost& host);
void CalcPicturePosition(ButtonState& s);

// The client rectangle moved inwards for the focus rectangle: by 3 pixels for the
// thin-to-oval types, by 5 and then one pixel right and down for btGradient, else by 4.
[[nodiscard]] gdi::Rect FaceRectFor(std::int32_t buttonType, const gdi::Rect& client);

// The window shape for m_ButtonType and the client size; the result goes to m_Region.
void MakeShape(ButtonState& s);

// Copy the parent's pixels behind the control into m_BackgroundDC.
void CaptureBackground(ButtonState& s, ButtonHost& host);

} // namespace vb
