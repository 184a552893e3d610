#pragma once
// Everything one button knows, as plain data: the property values, the working
// palette, the layout and the redraw bookkeeping. The model (properties, input)
// writes the property fields; the painter fills the palette and layout fields.

#include "controls/vbButton/ButtonTypes.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/Picture.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace vb {

struct ButtonState {
    // Property values.
    std::int32_t m_ButtonType = 0;
    std::int32_t m_ColorScheme = 0;
    std::int32_t m_PicturePosition = 0;
    std::int32_t m_SpecialEffect = 0;
    OleColor m_BackColor = 0;
    OleColor m_BackOver = 0;
    OleColor m_ForeColor = 0;
    OleColor m_ForeOver = 0;
    OleColor m_MaskColor = 0;
    bool m_UseMaskColor = false;
    bool m_UseGreyscale = false;
    bool m_HandPointer = false;
    gdi::PicturePtr m_PictureNormal;
    gdi::PicturePtr m_PictureOver;
    QString m_Caption;
    bool m_Enabled = false;
    bool m_SoftBevel = false;
    bool m_ShowFocusRect = false;
    bool m_CheckBoxBehaviour = false;
    bool m_Value = false;

    // Client size at the last resize; a height of 0 suppresses every redraw.
    std::int32_t m_Height = 0;
    std::int32_t m_Width = 0;

    // Working palette (RGB), filled by LoadColors.
    gdi::ColorRef m_FaceColor = 0;
    gdi::ColorRef m_LightColor = 0;
    gdi::ColorRef m_HighlightColor = 0;
    gdi::ColorRef m_ShadowColor = 0;
    gdi::ColorRef m_DarkShadowColor = 0;
    gdi::ColorRef m_TextColor = 0;
    gdi::ColorRef m_TextOverColor = 0;
    gdi::ColorRef m_MaskColorRGB = 0;
    gdi::ColorRef m_FaceTintColor = 0;
    gdi::ColorRef m_AccentColor = 0;
    gdi::ColorRef m_AccentSoftColor = 0;

    // Layout, computed outside Redraw.
    gdi::Rect m_CaptionRect;
    gdi::Rect m_TextArea;
    gdi::Rect m_FaceRect;
    std::int32_t m_CaptionWidth = 0;
    std::int32_t m_CaptionHeight = 0;
    std::int32_t m_PictureX = 0;
    std::int32_t m_PictureY = 0;
    std::int32_t m_PictureWidth = 0;
    std::int32_t m_PictureHeight = 0;

    // Window shape built by MakeShape; handed to the window at each resize.
    gdi::Region m_Region;

    // Off-screen copy of the parent's pixels behind a transparent button
    // (the background device context and its bitmap); made once, at the first show.
    std::optional<gdi::Surface> m_BackgroundDC;

    // Input bookkeeping.
    std::uint8_t m_LastButton = 0; // 1 left, 2 right, 4 middle
    std::uint8_t m_LastKey = 0;
    bool m_HasFocus = false;
    bool m_IsHot = false;
    bool m_Capturing = false;

    // Redraw bookkeeping.
    std::uint8_t m_LastState = dsUp;
    QString m_LastCaption;
    bool m_RedrawEnabled = false;
    std::uint8_t m_TextState = tsNormal;
};

} // namespace vb
