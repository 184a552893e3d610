#include "TestButton.h"

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

namespace vbtest {

TestHost::TestHost(vb::ButtonState& state) : s(state)
{
    gdi::setSysColorSource(gdi::SysColorSource::Classic);
    font = QFont(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.25);
    dc.selectFont(font);
}

gdi::Dc& TestHost::surfaceDc()
{
    return dc;
}

void TestHost::clearSurface()
{
    ++clears;
    surface.fill(kHostBack);
}

void TestHost::setFontBold(bool bold)
{
    boldRequests.append(bold);
    boldWhileRedrawEnabled.append(s.m_RedrawEnabled);
    font.setBold(bold);
    dc.selectFont(font);
    vb::CalcCaptionRect(s, *this);
    vb::Redraw(s, *this, vb::dsUp, true);
}

void TestHost::copyFromParent(gdi::Surface& dest, int x, int y, int w, int h)
{
    gdi::Dc(dest).bitBlt(0, 0, w, h, parent, x, y);
}

void TestHost::resize(int w, int h, double scale)
{
    surface.resize(w, h, kSentinel, scale);
    dc.selectFont(font);
    s.m_Width = w;
    s.m_Height = h;
    s.m_FaceRect = vb::FaceRectFor(s.m_ButtonType, {0, 0, w, h});
    vb::CalcCaptionRect(s, *this);
    vb::MakeShape(s);
}

void TestHost::show()
{
    s.m_RedrawEnabled = true;
    vb::LoadColors(s, *this);
}

TestButton::TestButton(std::int32_t type, int w, int h, const QString& caption)
{
    s.m_ButtonType = type;
    s.m_ColorScheme = vb::csSystem;
    s.m_Enabled = true;
    s.m_ShowFocusRect = true;
    s.m_UseMaskColor = true;
    s.m_MaskColor = 0xC0C0C0;
    s.m_Caption = caption;
    host.resize(w, h);
    host.show();
}

void TestButton::draw(std::uint8_t state)
{
    host.surface.fill(kSentinel);
    vb::Redraw(s, host, state, true);
}

gdi::PicturePtr solidBitmap(int w, int h, gdi::ColorRef color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(gdi::toQRgb(color));
    return gdi::Picture::fromImage(image, gdi::Picture::Type::Bitmap);
}

gdi::PicturePtr bitmapFromMask(const QStringList& rows, const QMap<QChar, gdi::ColorRef>& colors)
{
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            image.setPixel(x, y, gdi::toQRgb(colors.value(rows[y][x])));
    return gdi::Picture::fromImage(image, gdi::Picture::Type::Bitmap);
}

QString hex(gdi::ColorRef c)
{
    return QStringLiteral("&H%1").arg(c, 6, 16, QLatin1Char('0')).toUpper();
}

QString checkRect(const gdi::Surface& surface, const gdi::Rect& r, gdi::ColorRef color)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (surface.pixel(x, y) != color)
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(hex(surface.pixel(x, y)), hex(color));
    return {};
}

QString checkMask(const gdi::Surface& surface, int x0, int y0, const QStringList& rows,
                  const QMap<QChar, gdi::ColorRef>& colors)
{
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x) {
            const QChar key = rows[y][x];
            if (!colors.contains(key))
                continue; // not checked
            const gdi::ColorRef got = surface.pixel(x0 + x, y0 + y);
            if (got != colors[key])
                return QStringLiteral("pixel (%1, %2) is %3, expected '%4' = %5")
                    .arg(x0 + x)
                    .arg(y0 + y)
                    .arg(hex(got))
                    .arg(key)
                    .arg(hex(colors[key]));
        }
    return {};
}

QList<QPoint> pixelsOf(const gdi::Surface& surface, const gdi::Rect& r, gdi::ColorRef color)
{
    QList<QPoint> found;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (surface.pixel(x, y) == color)
                found.append(QPoint(x, y));
    return found;
}

} // namespace vbtest
