#pragma once
// A picture object as the forms runtime hands it around: a bitmap or an icon,
// with its size in HIMETRIC units (0.01 mm).

#include <QImage>
#include <QString>
#include <memory>

namespace gdi {

struct Picture {
    enum class Type { None = 0, Bitmap = 1, Icon = 3 };

    Type type = Type::None;
    QImage image;     // Bitmap: opaque RGB32; Icon: ARGB32 whose alpha is the icon mask
    int hmWidth = 0;  // HIMETRIC
    int hmHeight = 0;

    // A picture of `image`, sized as 96 dots per inch gives it.
    [[nodiscard]] static std::shared_ptr<const Picture> fromImage(const QImage& image, Type type);
    // PNG and BMP give bitmaps (a PNG with transparency gives an icon), ICO gives an icon.
    // Null when the file cannot be read.
    [[nodiscard]] static std::shared_ptr<const Picture> load(const QString& path);
};

using PicturePtr = std::shared_ptr<const Picture>;

// Pixels to HIMETRIC and back at 96 dots per inch; back rounds half to even.
[[nodiscard]] int pixelsToHimetric(int pixels);
[[nodiscard]] int himetricToPixels(int himetric);

} // namespace gdi
