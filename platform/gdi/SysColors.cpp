#include "platform/gdi/SysColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace gdi {

namespace {

SysColorSource g_source = SysColorSource::Palette;

// The "Windows Standard" scheme of Windows 98, as 0x00BBGGRR.
constexpr std::array<ColorRef, COLOR_COUNT> kClassic = {
    0xC0C0C0, // 0 scroll bar
    0x808000, // 1 desktop (teal)
    0x800000, // 2 active caption (navy)
    0x808080, // 3 inactive caption
    0xC0C0C0, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x800000, // 13 highlight (navy)
    0xFFFFFF, // 14 highlight text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x000000, // 21 3D dark shadow
    0xC0C0C0, // 22 3D light
    0x000000, // 23 tooltip text
    0xE1FFFF, // 24 tooltip background (pale yellow)
    0x000000, // 25 unused
    0x800000, // 26 hot-tracking
    0xD08410, // 27 gradient of the active caption
    0xB5B5B5, // 28 gradient of the inactive caption
    0x800000, // 29 menu highlight
    0xC0C0C0, // 30 menu bar
};

struct RoleOf {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The nearest palette role to each system colour; indices Qt has no idea of keep
// the classic value.
std::optional<RoleOf> paletteRole(int index)
{
    using P = QPalette;
    switch (index) {
    case COLOR_SCROLLBAR:
        return RoleOf{P::Active, P::Button};
    case COLOR_BACKGROUND:
        return RoleOf{P::Active, P::Dark};
    case COLOR_ACTIVECAPTION:
        return RoleOf{P::Active, P::Highlight};
    case COLOR_INACTIVECAPTION:
        return RoleOf{P::Inactive, P::Mid};
    case COLOR_MENU:
        return RoleOf{P::Active, P::Window};
    case COLOR_WINDOW:
        return RoleOf{P::Active, P::Base};
    case COLOR_WINDOWFRAME:
        return RoleOf{P::Active, P::Shadow};
    case COLOR_MENUTEXT:
        return RoleOf{P::Active, P::WindowText};
    case COLOR_WINDOWTEXT:
        return RoleOf{P::Active, P::Text};
    case COLOR_CAPTIONTEXT:
        return RoleOf{P::Active, P::HighlightedText};
    case COLOR_ACTIVEBORDER:
        return RoleOf{P::Active, P::Window};
    case COLOR_INACTIVEBORDER:
        return RoleOf{P::Inactive, P::Window};
    case COLOR_APPWORKSPACE:
        return RoleOf{P::Active, P::Mid};
    case COLOR_HIGHLIGHT:
        return RoleOf{P::Active, P::Highlight};
    case COLOR_HIGHLIGHTTEXT:
        return RoleOf{P::Active, P::HighlightedText};
    case COLOR_BTNFACE:
        return RoleOf{P::Active, P::Button};
    case COLOR_BTNSHADOW:
        return RoleOf{P::Active, P::Dark};
    case COLOR_GRAYTEXT:
        return RoleOf{P::Disabled, P::Text};
    case COLOR_BTNTEXT:
        return RoleOf{P::Active, P::ButtonText};
    case COLOR_INACTIVECAPTIONTEXT:
        return RoleOf{P::Disabled, P::WindowText};
    case COLOR_BTNHIGHLIGHT:
        return RoleOf{P::Active, P::Light};
    case COLOR_3DDKSHADOW:
        return RoleOf{P::Active, P::Shadow};
    case COLOR_3DLIGHT:
        return RoleOf{P::Active, P::Midlight};
    case COLOR_INFOTEXT:
        return RoleOf{P::Active, P::ToolTipText};
    case COLOR_INFOBK:
        return RoleOf{P::Active, P::ToolTipBase};
    case 26:
        return RoleOf{P::Active, P::Link};
    case 29:
        return RoleOf{P::Active, P::Highlight};
    case 30:
        return RoleOf{P::Active, P::Window};
    default:
        return std::nullopt;
    }
}

} // namespace

void setSysColorSource(SysColorSource source)
{
    g_source = source;
}
SysColorSource sysColorSource()
{
    return g_source;
}

ColorRef GetSysColor(int index)
{
    if (index < 0 || index >= COLOR_COUNT)
        return 0;
    // The desktop palette exists only inside a GUI application; without one the
    // classic table answers.
    if (g_source == SysColorSource::Palette && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const auto r = paletteRole(index)) {
            const QColor c = QGuiApplication::palette().color(r->group, r->role);
            return rgb(c.red(), c.green(), c.blue());
        }
    }
    return kClassic[std::size_t(index)];
}

bool OleTranslateColor(std::uint32_t oleColor, ColorRef* out)
{
    ColorRef result = 0;
    switch (oleColor >> 24) {
    case 0x00:
        result = oleColor;
        break;
    case 0x80:
        if ((oleColor & 0x00FFFFFFu) >= std::uint32_t(COLOR_COUNT))
            return false;
        result = GetSysColor(int(oleColor & 0xFF));
        break;
    default:
        return false;
    }
    if (out)
        *out = result;
    return true;
}

} // namespace gdi
