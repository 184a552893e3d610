// The picture by state: plain, greyscale, blended, lifted over a shadow, or
// embossed when disabled.

#include "controls/vbButton/PicturePaint.h"
#include "controls/vbButton/BlitPicture.h"
#include "controls/vbButton/ButtonPainter.h"
#include "controls/vbButton/CaptionPaint.h"

namespace vb {

namespace {

struct PictureBlit {
    const ButtonState& s;
    ButtonHost& host;

    void plain(const gdi::Picture& p, int x, int y, bool greyscale = false, bool blend = false) const
    {
        BlitPicture(s, host.surfaceDc(), x, y, s.m_PictureWidth, s.m_PictureHeight, p, s.m_MaskColorRGB,
                    kNoFill, false, greyscale, blend);
    }
    void silhouette(const gdi::Picture& p, int x, int y, gdi::ColorRef color, bool darkOnly = false) const
    {
        BlitPicture(s, host.surfaceDc(), x, y, s.m_PictureWidth, s.m_PictureHeight, p, s.m_MaskColorRGB,
                    std::int32_t(color), darkOnly, false, false);
    }
};

} // namespace

void DrawPicture(ButtonState& s, ButtonHost& host, std::uint8_t pictureState)
{
    // The hover picture is only ever an alternative to the normal one.
    if (!s.m_PictureNormal)
        return;
    const gdi::Picture& normal = *s.m_PictureNormal;
    const gdi::Picture* over = s.m_PictureOver.get();
    const int x = s.m_PictureX;
    const int y = s.m_PictureY;
    const bool hotSelect = s.m_ButtonType == btHotSelect;
    const PictureBlit blit{s, host};

    switch (pictureState) {
    case psUp:
        if (!s.m_IsHot) {
            DrawPictureEffect(s, host, 0, normal);
            blit.plain(normal, x, y, s.m_UseGreyscale, hotSelect);
        } else if (hotSelect) {
            // Lifted one pixel up-left over its own shadow.
            DrawPictureEffect(s, host, -1, normal);
            blit.silhouette(normal, x + 1, y + 1, s.m_ShadowColor);
            blit.plain(normal, x - 1, y - 1);
        } else if (over) {
            DrawPictureEffect(s, host, 0, *over);
            blit.plain(*over, x, y);
        } else {
            // Hot shows the picture in colour even on a greyscale button.
            DrawPictureEffect(s, host, 0, normal);
            blit.plain(normal, x, y);
        }
        break;
    case psDown:
        if (over && !hotSelect) {
            const int d = s.m_ButtonType == btFlat ? 0 : 1;
            blit.plain(*over, x + d, y + d);
        } else if (s.m_ButtonType == btFlat || hotSelect) {
            DrawPictureEffect(s, host, 0, normal);
            blit.plain(normal, x, y);
        } else {
            DrawPictureEffect(s, host, 1, normal);
            blit.plain(normal, x + 1, y + 1);
        }
        break;
    case psDisabled:
        if (s.m_ButtonType == btRoundGradient) {
            blit.plain(normal, x + 1, y + 1, true);
        } else if (s.m_ButtonType == btFlat || s.m_ButtonType == btSoft3D || hotSelect) {
            const gdi::ColorRef c = hotSelect ? ShiftColor(s, s.m_ShadowColor, +13, false) : s.m_ShadowColor;
            blit.silhouette(normal, x, y, c, true);
        } else {
            // Embossed: a light copy of the dark pixels down-right, the shadow copy on top.
            blit.silhouette(normal, x + 1, y + 1, s.m_HighlightColor, true);
            blit.silhouette(normal, x, y, s.m_ShadowColor, true);
        }
        break;
    default:
        break;
    }

    if (s.m_PicturePosition == ppCenter)
        DrawCaption(s, host, s.m_TextState);
}

void DrawPictureEffect(const ButtonState& s, ButtonHost& host, int offset, const gdi::Picture& picture)
{
    if (s.m_SpecialEffect < fxRaised)
        return;

    gdi::ColorRef base = s.m_FaceColor;
    if (s.m_ButtonType == btRoundGradient)
        base = s.m_FaceTintColor;
    else if (offset == -1 && s.m_ColorScheme != csCustom)
        base = s.m_AccentSoftColor; // the face of a hot btHotSelect button
    const gdi::ColorRef lighter = ShiftColor(s, base, +40, false);
    const gdi::ColorRef darker = ShiftColor(s, base, -40, false);

    const PictureBlit blit{s, host};
    const bool sunken = s.m_SpecialEffect == fxSunken;
    const int x = s.m_PictureX + offset;
    const int y = s.m_PictureY + offset;
    blit.silhouette(picture, x + 1, y + 1, sunken ? lighter : darker);
    if (s.m_SpecialEffect == fxRaised || sunken)
        blit.silhouette(picture, x - 1, y - 1, sunken ? darker : lighter);
}

} // namespace vb
