#pragma once
// Painting the button's picture by state, with the SpecialEffect layers.

#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonState.h"

#include <cstdint>

namespace vb {

// Paints PictureNormal (or PictureOver where the state calls for it) for the
// picture state `pictureState` (a PictureState); nothing without PictureNormal.
// With the picture centred, the caption is painted again on top of it.
void DrawPicture(ButtonState& s, ButtonHost& host, std::uint8_t pictureState);

// The SpecialEffect layers of `picture`: silhouettes shifted by `offset` pixels.
void DrawPictureEffect(const ButtonState& s, ButtonHost& host, int offset, const gdi::Picture& picture);

} // namespace vb
