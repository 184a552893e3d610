#include "platform/gdi/Picture.h"

#include <QImageReader>

namespace gdi {

namespace {

// floor(n / d) for d > 0.
long long floorDiv(long long n, long long d)
{
    const long long q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

bool hasTransparentPixel(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return true;
    }
    return false;
}

} // namespace

// Like MulDiv(px, 2540, 96): nearest, halves away from zero.
int pixelsToHimetric(int pixels)
{
    const long long n = static_cast<long long>(pixels) * 2540;
    const long long q = (n >= 0 ? n + 48 : n - 48) / 96;
    return int(q);
}

// hm * 96 / 2540 to the nearest pixel, a half going to the even neighbour.
int himetricToPixels(int himetric)
{
    const long long n = static_cast<long long>(himetric) * 96;
    const long long d = 2540;
    const long long q = floorDiv(n, d);
    const long long twiceRem = 2 * (n - q * d);
    if (twiceRem > d || (twiceRem == d && (q & 1) != 0))
        return int(q + 1);
    return int(q);
}

std::shared_ptr<const Picture> Picture::fromImage(const QImage& image, Type type)
{
    auto picture = std::make_shared<Picture>();
    picture->type = type;
    if (type == Type::Bitmap)
        picture->image = image.convertToFormat(QImage::Format_RGB32);
    else if (type == Type::Icon)
        picture->image = image.convertToFormat(QImage::Format_ARGB32);
    else
        picture->image = image;
    picture->hmWidth = pixelsToHimetric(image.width());
    picture->hmHeight = pixelsToHimetric(image.height());
    return picture;
}

// A multi-size icon file gives its first image, the one Qt's reader yields first.
std::shared_ptr<const Picture> Picture::load(const QString& path)
{
    QImageReader reader(path);
    const QByteArray format = reader.format().toLower();
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return nullptr;
    if (format == "ico" || format == "cur")
        return fromImage(image, Type::Icon);
    if (format == "png" && hasTransparentPixel(image))
        return fromImage(image, Type::Icon);
    return fromImage(image, Type::Bitmap);
}

} // namespace gdi
