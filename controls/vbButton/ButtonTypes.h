#pragma once
// Value names of the button's enumerated properties and drawing states.

#include <cstdint>

namespace vb {

// ButtonType: the fourteen looks. Any other value paints the face and the picture only.
enum ButtonType : std::int32_t {
    btBordered = 1,
    btStandard = 2,
    btRoundGradient = 3,
    btRounded = 4,
    btFlat = 5,
    btSoft3D = 6,
    btThin = 7,
    btHotThin = 8,
    btHotSelect = 9,
    btPictureOnly = 10,
    btTransparent = 11,
    btHot3D = 12,
    btOval = 13,
    btGradient = 14,
};

// ColorScheme: where the palette comes from. Any other value behaves as csSystem.
enum ColorScheme : std::int32_t { csSystem = 1, csCustom = 2, csClassic = 3, csParent = 4 };

// PicturePosition
enum PicturePosition : std::int32_t { ppLeft = 0, ppRight = 1, ppTop = 2, ppBottom = 3, ppCenter = 4 };

// SpecialEffect: below 1 is none, 3 and above is the shadow.
enum SpecialEffect : std::int32_t { fxNone = 0, fxRaised = 1, fxSunken = 2, fxShadow = 3 };

// Text styles of the caption painter.
enum TextStyle : std::uint8_t {
    tsNormal = 0,
    tsHot = 1,
    tsPressed = 2,
    tsEngraved = 3,
    tsGrey = 4,
    tsTintGrey = 5,
    tsEngravedFace = 6,
    tsShadowed = 7,
};

// Draw states handed to Redraw.
enum DrawState : std::uint8_t { dsUp = 0, dsDown = 2 };

// Picture states handed to DrawPicture.
enum PictureState : std::uint8_t { psUp = 0, psDown = 1, psDisabled = 2 };

// OLE colours: a plain RGB value, or 0x80000000 | system colour index.
using OleColor = std::uint32_t;

} // namespace vb
