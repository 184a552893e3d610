#include "platform/gdi/Dib.h"

#include <algorithm>

namespace gdi {

namespace {

bool isSupported(const BitmapInfoHeader& header)
{
    return header.size >= 40 && header.planes == 1 && header.bitCount == 24 && header.compression == 0
           && header.width > 0 && header.height != 0;
}

// Row `dibRow` (0 = first row in memory) of a DIB shows image row:
// bottom-up for a positive height, top-down for a negative one.
int imageRowOf(int dibRow, const BitmapInfoHeader& header)
{
    return header.height > 0 ? header.height - 1 - dibRow : dibRow;
}

} // namespace

std::vector<std::uint8_t> getDIBits24(const Surface& bitmap, const BitmapInfoHeader& header)
{
    if (!isSupported(header))
        return {};
    const int rows = header.height > 0 ? header.height : -header.height;
    const std::size_t stride = std::size_t(dibStride24(header.width));
    std::vector<std::uint8_t> bits(stride * std::size_t(rows), 0);
    for (int r = 0; r < rows; ++r) {
        const int y = imageRowOf(r, header);
        std::uint8_t* out = bits.data() + std::size_t(r) * stride;
        if (y < 0 || y >= bitmap.height())
            continue;
        const int w = std::min(header.width, bitmap.width());
        const QRgb* in = reinterpret_cast<const QRgb*>(bitmap.image().constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out[3 * x] = std::uint8_t(qBlue(in[x]));
            out[3 * x + 1] = std::uint8_t(qGreen(in[x]));
            out[3 * x + 2] = std::uint8_t(qRed(in[x]));
        }
    }
    return bits;
}

// The source rectangle starts at DIB origin (0, 0), which for a bottom-up DIB is its
// lower-left corner: the block's top row is the DIB's row h - 1 counted from the start
// of the buffer. The block never reaches past the DIB's own width and height.
void setDIBitsToDevice24(Dc& dc, int x, int y, int w, int h, const std::uint8_t* bits,
                         const BitmapInfoHeader& header)
{
    if (!bits || !isSupported(header))
        return;
    const int rows = header.height > 0 ? header.height : -header.height;
    w = std::min(w, int(header.width));
    h = std::min(h, rows);
    if (w <= 0 || h <= 0)
        return;
    Surface& surface = dc.surface();
    const std::size_t stride = std::size_t(dibStride24(header.width));
    const int x0 = std::max(x, 0), x1 = std::min(x + w, surface.width());
    if (x0 >= x1)
        return;
    for (int j = 0; j < h; ++j) {
        const int py = y + j;
        if (py < 0 || py >= surface.height())
            continue;
        const int dibRow = header.height > 0 ? h - 1 - j : j;
        const std::uint8_t* in = bits + std::size_t(dibRow) * stride;
        QRgb* out = reinterpret_cast<QRgb*>(surface.image().scanLine(py));
        for (int px = x0; px < x1; ++px) {
            const std::uint8_t* p = in + 3 * (px - x);
            out[px] = qRgb(p[2], p[1], p[0]);
        }
    }
}

void setDIBitsToDevice24(Dc& dc, int x, int y, int w, int h, std::span<const std::uint8_t> bits,
                         const BitmapInfoHeader& header)
{
    if (!isSupported(header))
        return;
    const int rows = header.height > 0 ? header.height : -header.height;
    const std::size_t needed =
        std::size_t(dibStride24(header.width)) * std::size_t(std::min(std::max(h, 0), rows));
    if (bits.size() < needed)
        return;
    setDIBitsToDevice24(dc, x, y, w, h, bits.data(), header);
}

} // namespace gdi
