#pragma once
// 24-bit device-independent bitmaps: BITMAPINFOHEADER of 40 bytes, positive
// height (rows bottom-up), pixels as blue, green, red, rows padded to 4 bytes.

#include "platform/gdi/Dc.h"

#include <cstdint>
#include <span>
#include <vector>

namespace gdi {

struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0; // BI_RGB
};

[[nodiscard]] constexpr int dibStride24(int width) { return (width * 3 + 3) & ~3; }

// GetDIBits of a whole bitmap: stride x height bytes, bottom row first (a negative
// header height asks for top-down rows, as in GDI). Empty for a header other than
// 24-bit uncompressed.
[[nodiscard]] std::vector<std::uint8_t> getDIBits24(const Surface& bitmap, const BitmapInfoHeader& header);

// SetDIBitsToDevice(dc, x, y, w, h, 0, 0, 0, h, bits, header): writes the w x h
// block at (x, y), reading rows bottom-up with the header's padded stride.
void setDIBitsToDevice24(Dc& dc, int x, int y, int w, int h, const std::uint8_t* bits,
                         const BitmapInfoHeader& header);
// The same, refusing (drawing nothing) when `bits` is shorter than the h rows it reads.
void setDIBitsToDevice24(Dc& dc, int x, int y, int w, int h, std::span<const std::uint8_t> bits,
                         const BitmapInfoHeader& header);

} // namespace gdi
