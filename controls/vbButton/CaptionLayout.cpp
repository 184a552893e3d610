// Where the caption and the picture go. Computed when caption, font, picture or
// size change, never while drawing.

#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/Dc.h"

namespace vb {

namespace {

// Blanks around the caption do not count as text when deciding whether the
// picture sits beside the caption or in the middle.
bool isBlankCaption(const QString& caption)
{
    for (const QChar c : caption)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

} // namespace

void MeasurePicture(ButtonState& s)
{
    // Only the normal picture is measured; the hover picture is drawn in its size.
    if (!s.m_PictureNormal) {
        s.m_PictureWidth = 0;
        s.m_PictureHeight = 0;
        return;
    }
    s.m_PictureWidth = gdi::himetricToPixels(s.m_PictureNormal->hmWidth);
    s.m_PictureHeight = gdi::himetricToPixels(s.m_PictureNormal->hmHeight);
}

void CalcCaptionRect(ButtonState& s, ButtonHost& host)
{
    const int w = s.m_Width;
    const int h = s.m_Height;
    const int pw = s.m_PictureWidth;
    const int ph = s.m_PictureHeight;

    // The room left to the caption once the picture has its side.
    switch (s.m_PicturePosition) {
    case ppLeft:
        s.m_TextArea = {pw + 1, 1, w - 2, h - 2};
        break;
    case ppRight:
        s.m_TextArea = {1, 1, w - 2 - pw, h - 2};
        break;
    case ppTop:
        s.m_TextArea = {1, ph + 1, w - 2, h - 2};
        break;
    case ppBottom:
        s.m_TextArea = {1, 1, w - 2, h - 2 - ph};
        break;
    case ppCenter:
        s.m_TextArea = {1, 1, w - 2, h - 2};
        break;
    default:
        break; // unknown positions keep the previous room
    }

    // The width of the room is the wrapping width; right and bottom come back as
    // the extent of the wrapped text.
    gdi::Rect measured = s.m_TextArea;
    host.surfaceDc().drawText(s.m_Caption, measured, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    s.m_CaptionWidth = measured.width();
    s.m_CaptionHeight = measured.height();

    // Centre in the client area; beside a right or bottom picture, in what the
    // picture and its 4-pixel gap leave.
    const int r = measured.right;
    const int b = measured.bottom;
    int dx = 0, dy = 0;
    switch (s.m_PicturePosition) {
    case ppLeft:
    case ppTop:
    case ppCenter:
        dx = (w - r) / 2;
        dy = (h - b) / 2;
        break;
    case ppRight:
        dx = (w - r - pw - 4) / 2;
        dy = (h - b) / 2;
        break;
    case ppBottom:
        dx = (w - r) / 2;
        dy = (h - b - ph - 4) / 2;
        break;
    default:
        break;
    }
    s.m_CaptionRect = measured.offset(dx, dy);
    // The pressed caption sits one pixel right and down.
    s.m_TextArea = s.m_CaptionRect.offset(1, 1);

    CalcPicturePosition(s);
}

void CalcPicturePosition(ButtonState& s)
{
    if (!s.m_PictureNormal && !s.m_PictureOver)
        return;
    const int w = s.m_Width;
    const int h = s.m_Height;
    const int pw = s.m_PictureWidth;
    const int ph = s.m_PictureHeight;

    if (isBlankCaption(s.m_Caption) || s.m_PicturePosition == ppCenter) {
        s.m_PictureX = (w - pw) / 2;
        s.m_PictureY = (h - ph) / 2;
        return;
    }
    const gdi::Rect& c = s.m_CaptionRect;
    switch (s.m_PicturePosition) {
    case ppLeft:
        s.m_PictureX = c.left - pw - 4;
        s.m_PictureY = (h - ph) / 2;
        break;
    case ppRight:
        s.m_PictureX = c.right + 4;
        s.m_PictureY = (h - ph) / 2;
        break;
    case ppTop:
        s.m_PictureX = (w - pw) / 2;
        s.m_PictureY = c.top - ph - 2;
        break;
    case ppBottom:
        s.m_PictureX = (w - pw) / 2;
        s.m_PictureY = c.bottom + 2;
        break;
    default:
        break;
    }
}

} // namespace vb
