#pragma once
// Qt's input descriptions in the values the button's events carry: mouse
// buttons 1 left / 2 right / 4 middle, Shift bits 1 shift / 2 ctrl / 4 alt,
// key codes as the platform's virtual-key numbers, positions in twips.

#include <Qt>

namespace vb {

[[nodiscard]] short mouseButtonCode(Qt::MouseButton button);
[[nodiscard]] short mouseButtonsCode(Qt::MouseButtons buttons);
[[nodiscard]] short shiftCode(Qt::KeyboardModifiers modifiers);
// The virtual-key number of the key pressed, 0 for keys without one. A shifted
// symbol gives its unshifted key's number (Shift+1 gives the 1 key's 49, on the US
// layout); with the keypad modifier, digits and operators give the keypad's 96-111.
[[nodiscard]] short keyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// 15 twips per pixel.
[[nodiscard]] constexpr float pixelsToTwips(double pixels)
{
    return float(pixels * 15.0);
}

} // namespace vb
