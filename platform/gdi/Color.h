#pragma once
// Colours as the drawing layer sees them: 0x00BBGGRR (red in the low byte).

#include <QRgb>
#include <cstdint>

namespace gdi {

using ColorRef = std::uint32_t;

[[nodiscard]] constexpr ColorRef rgb(int r, int g, int b)
{
    return ColorRef(r & 0xFF) | (ColorRef(g & 0xFF) << 8) | (ColorRef(b & 0xFF) << 16);
}
[[nodiscard]] constexpr int redOf(ColorRef c) { return int(c & 0xFF); }
[[nodiscard]] constexpr int greenOf(ColorRef c) { return int((c >> 8) & 0xFF); }
[[nodiscard]] constexpr int blueOf(ColorRef c) { return int((c >> 16) & 0xFF); }

// Qt keeps pixels as 0xAARRGGBB; the surface is opaque.
[[nodiscard]] constexpr QRgb toQRgb(ColorRef c)
{
    return 0xFF000000u | (QRgb(redOf(c)) << 16) | (QRgb(greenOf(c)) << 8) | QRgb(blueOf(c));
}
[[nodiscard]] constexpr ColorRef fromQRgb(QRgb q)
{
    return rgb(int((q >> 16) & 0xFF), int((q >> 8) & 0xFF), int(q & 0xFF));
}

} // namespace gdi
