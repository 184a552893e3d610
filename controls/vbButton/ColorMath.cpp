// Colour translation and the two shading formulas every look is built from.

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>

namespace vb {

gdi::ColorRef TranslateColor(OleColor color)
{
    // An untranslatable colour leaves the result at its start value: black.
    gdi::ColorRef out = 0;
    gdi::OleTranslateColor(color, &out);
    return out;
}

gdi::ColorRef ShiftColor(const ButtonState& s, gdi::ColorRef color, int amount, bool proportional)
{
    // A soft bevel moves every shade half as far (integer division truncates toward zero).
    if (s.m_SoftBevel)
        amount /= 2;
    int r = gdi::redOf(color) + amount;
    int g = gdi::greenOf(color) + amount;
    int b = gdi::blueOf(color);
    // The proportional form scales only the blue channel with its own value, so bluish
    // faces keep their hue when they are shaded.
    b = proportional ? b + (b * amount) / 192 : b + amount;
    // Channels never wrap. Clamping only in the direction of the shift is the same as
    // clamping to 0..255: a channel cannot leave the range the other way.
    const auto clamp = [](int x) { return std::clamp(x, 0, 255); };
    return gdi::rgb(clamp(r), clamp(g), clamp(b));
}

gdi::ColorRef LightenColor(gdi::ColorRef color, int amount)
{
    // Washes each channel toward white: amount 0 keeps the colour, 255 gives white.
    // Amounts outside 0..255 are not used by the looks; the clamp keeps the channels
    // from spilling into their neighbours if one ever is.
    const auto wash = [amount](int x) { return std::clamp(amount + ((255 - amount) * x) / 255, 0, 255); };
    return gdi::rgb(wash(gdi::redOf(color)), wash(gdi::greenOf(color)), wash(gdi::blueOf(color)));
}

} // namespace vb
