// Picture transfer through two 24-bit pixel buffers: one holding the destination
// area, one the picture; the destination buffer is rewritten and put back in one go.

#include "controls/vbButton/BlitPicture.h"
#include "platform/gdi/Dib.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vb {

namespace {

// The part (sx, sy, w, h) of the picture's area as an image of its own: a bitmap as
// it is (beyond its edges black); an icon (or anything that is not a bitmap) drawn
// at its natural size over the mask colour, so that the pixels outside the icon's
// own mask carry the key colour.
gdi::Surface pictureCut(const ButtonState& s, const gdi::Picture& picture, int sx, int sy, int w, int h)
{
    if (picture.type == gdi::Picture::Type::Bitmap) {
        gdi::Surface source;
        source.image() = picture.image.convertToFormat(QImage::Format_RGB32);
        gdi::Surface cut(w, h, 0);
        gdi::Dc(cut).bitBlt(0, 0, w, h, source, sx, sy);
        return cut;
    }
    gdi::Surface cut(w, h, s.m_MaskColorRGB);
    if (!picture.image.isNull())
        gdi::Dc(cut).drawIconEx(-sx, -sy, picture.image);
    return cut;
}

// Luminance in whole steps. The red share is rounded on its own first; both
// roundings go half to even (std::nearbyint in the default rounding mode), which
// is what makes white come out at 254.
int greyOf(int red, int green, int blue)
{
    const double g1 = std::nearbyint(0.3 * red);
    return int(std::nearbyint(g1 + 0.59 * green + 0.11 * blue));
}

// The picture's pixels spread over the device block of (x, y, w, h) on `target`:
// each device pixel takes the picture pixel of the logical pixel it lies in. The
// block starts where x falls, so at a fractional scale its pattern of wider and
// narrower columns is the destination's own, not one counted from 0.
gdi::Surface overBlock(const gdi::Surface& picture, const gdi::Surface& target, const gdi::Rect& block, int x,
                       int y)
{
    gdi::Surface spread(block.width(), block.height(), 0);
    std::vector<int> columns(std::size_t(block.width()));
    for (int i = 0; i < block.width(); ++i)
        columns[std::size_t(i)] = target.toLogical(block.left + i) - x;
    for (int j = 0; j < block.height(); ++j) {
        const int row = target.toLogical(block.top + j) - y;
        for (int i = 0; i < block.width(); ++i)
            spread.setPixel(i, j, picture.pixel(columns[std::size_t(i)], row));
    }
    return spread;
}

} // namespace

void BlitPicture(const ButtonState& s, gdi::Dc& dc, int x, int y, int w, int h, const gdi::Picture& picture,
                 gdi::ColorRef key, std::int32_t fill, bool darkOnly, bool greyscale, bool blend)
{
    if (w <= 0 || h <= 0)
        return;
    // Only the part of the area that lies on the surface is read and written, so an
    // area far larger than the button (a picture size from a damaged saved set)
    // costs no more than the button. (sx, sy): where that part starts in the picture.
    const gdi::Surface& target = dc.surface();
    const int left = std::max(x, 0), top = std::max(y, 0);
    const auto right = int(std::min<long long>(static_cast<long long>(x) + w, target.logicalWidth()));
    const auto bottom = int(std::min<long long>(static_cast<long long>(y) + h, target.logicalHeight()));
    if (right <= left || bottom <= top)
        return;
    const int sx = left - x, sy = top - y;
    x = left;
    y = top;
    w = right - left;
    h = bottom - top;

    // Work images: the destination area as it stands, and the picture cut to w x h
    // (a smaller bitmap leaves the rest of its work image black). They hold the
    // destination's device pixels: on a scaled surface the picture is laid over its
    // w x h logical block, each of its pixels a block of device pixels, and every
    // rule below applies per device pixel, so the result is the unscaled one
    // enlarged exactly.
    const gdi::Rect block = target.toDevice(gdi::Rect::fromXYWH(x, y, w, h));
    const int dw = block.width(), dh = block.height();
    if (dw <= 0 || dh <= 0)
        return;
    gdi::Surface destWork(dw, dh, 0);
    gdi::Dc(destWork).bitBlt(0, 0, dw, dh, target.deviceView(), block.left, block.top);
    const gdi::Surface cut = pictureCut(s, picture, sx, sy, w, h);
    const gdi::Surface sourceWork = target.isScaled() ? overBlock(cut, target, block, x, y) : cut;

    gdi::BitmapInfoHeader header;
    header.width = dw;
    header.height = dh;
    std::vector<std::uint8_t> d = gdi::getDIBits24(destWork, header);
    const std::vector<std::uint8_t> src = gdi::getDIBits24(sourceWork, header);

    // Buffer bytes are blue, green, red.
    std::uint8_t fillB = 0, fillG = 0, fillR = 0;
    if (fill > 0) {
        fillB = std::uint8_t(gdi::blueOf(gdi::ColorRef(fill)));
        fillG = std::uint8_t(gdi::greenOf(gdi::ColorRef(fill)));
        fillR = std::uint8_t(gdi::redOf(gdi::ColorRef(fill)));
    }
    const bool useKey = s.m_UseMaskColor;

    const int stride = gdi::dibStride24(dw);
    for (int row = 0; row < dh; ++row) {
        const std::size_t rowStart = std::size_t(row) * std::size_t(stride);
        for (int col = 0; col < dw; ++col) {
            const std::size_t i = rowStart + std::size_t(col) * 3;
            const int sb = src[i], sg = src[i + 1], sr = src[i + 2];
            if (useKey && gdi::rgb(sr, sg, sb) == key)
                continue;
            if (fill >= 0) {
                if (darkOnly && sr + sg + sb > 384)
                    continue;
                d[i] = fillB;
                d[i + 1] = fillG;
                d[i + 2] = fillR;
            } else if (greyscale) {
                const auto g = std::uint8_t(greyOf(sr, sg, sb));
                d[i] = d[i + 1] = d[i + 2] = g;
            } else if (blend) {
                d[i] = std::uint8_t((2 * sb + d[i]) / 3);
                d[i + 1] = std::uint8_t((2 * sg + d[i + 1]) / 3);
                d[i + 2] = std::uint8_t((2 * sr + d[i + 2]) / 3);
            } else {
                d[i] = std::uint8_t(sb);
                d[i + 1] = std::uint8_t(sg);
                d[i + 2] = std::uint8_t(sr);
            }
        }
    }

    gdi::setDIBitsToDevice24(dc, block.left, block.top, dw, dh, d.data(), header);
}

} // namespace vb
