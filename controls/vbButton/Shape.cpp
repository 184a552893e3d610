// The window shape of each look, and the copy of the parent's pixels that a
// transparent button paints as its face.

#include "controls/vbButton/ButtonPainter.h"

#include <initializer_list>
#include <utility>

namespace vb {

gdi::Rect FaceRectFor(std::int32_t buttonType, const gdi::Rect& client)
{
    if (buttonType >= btThin && buttonType <= btOval)
        return client.inflate(-3, -3);
    if (buttonType == btGradient)
        return client.inflate(-5, -5).offset(1, 1);
    return client.inflate(-4, -4);
}

namespace {

gdi::Region withoutPixels(gdi::Region region, std::initializer_list<std::pair<int, int>> pixels)
{
    for (const auto& [x, y] : pixels)
        region = region.subtracted(gdi::Region::rect(x, y, x + 1, y + 1));
    return region;
}

} // namespace

void MakeShape(ButtonState& s)
{
    const int w = s.m_Width;
    const int h = s.m_Height;
    const gdi::Region whole = gdi::Region::rect(0, 0, w, h);

    switch (s.m_ButtonType) {
    case btBordered:
    case btGradient:
        s.m_Region = withoutPixels(whole, {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}});
        break;
    case btFlat:
        s.m_Region = withoutPixels(whole, {{w - 1, 0}, {0, h - 1}});
        break;
    case btRoundGradient:
    case btRounded:
        // Three pixels off each corner; with the inner corner pixels drawn in a
        // softer colour than the frame, the corners read as round.
        // clang-format off
        s.m_Region = withoutPixels(whole, {{0, 0}, {1, 0}, {0, 1},
                                           {w - 2, 0}, {w - 1, 0}, {w - 1, 1},
                                           {0, h - 1}, {1, h - 1}, {0, h - 2},
                                           {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}});
        // clang-format on
        break;
    case btOval:
        s.m_Region = gdi::Region::ellipse(0, 0, w, h);
        break;
    default:
        s.m_Region = whole;
        break;
    }
}

// The parent is asked to paint what lies beneath the control, the control left
// out, rather than the control stepping aside and letting the event loop repaint
// the parent: nothing else runs during the capture, so no handler can close the
// window under it, and the control never changes size.
void CaptureBackground(ButtonState& s, ButtonHost& host)
{
    s.m_Capturing = true;
    // The background image exists from the first show on; before that there is
    // nowhere to copy to, and the capture has nothing to do.
    if (s.m_BackgroundDC) {
        // It keeps the size of the first show, at the scale the face is drawn in.
        gdi::Surface& background = *s.m_BackgroundDC;
        const double scale = host.surfaceDc().surface().scale();
        if (background.scale() != scale)
            background.resize(background.logicalWidth(), background.logicalHeight(), 0, scale);
        const gdi::Point at = host.positionOnParent();
        host.copyFromParent(background, at.x, at.y, s.m_Width, s.m_Height);
    }
    s.m_Capturing = false;
}

} // namespace vb
