#pragma once
// Value names of the button's enumerated properties and drawing states.

#include <quintaro/vbButtonTypes.h>

#include <cstdint>

namespace vb {

// The property enumerations are the public ones (ButtonType, ColorScheme,
// PicturePosition, SpecialEffect), named here without their namespace.
using quintaro::ButtonType;
using quintaro::ColorScheme;
using quintaro::PicturePosition;
using quintaro::SpecialEffect;
using enum quintaro::ButtonType;
using enum quintaro::ColorScheme;
using enum quintaro::PicturePosition;
using enum quintaro::SpecialEffect;

// The properties whose values a let can change, for the change report. Each
// is one bit of a ChangeSet.
enum class Property : std::uint8_t {
    BackColor,
    BackOver,
    ForeColor,
    ForeOver,
    MaskColor,
    ButtonType,
    Caption,
    Enabled,
    Font,
    ColorScheme,
    ShowFocusRect,
    MousePointer,
    MouseIcon,
    HandPointer,
    SoftBevel,
    PictureNormal,
    PictureOver,
    PicturePosition,
    UseMaskColor,
    UseGreyscale,
    SpecialEffect,
    CheckBoxBehaviour,
    Value,
};
constexpr int kPropertyCount = int(Property::Value) + 1;
using ChangeSet = std::uint32_t;
[[nodiscard]] constexpr ChangeSet bit(Property p)
{
    return ChangeSet(1) << int(p);
}

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
