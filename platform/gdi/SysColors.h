#pragma once
// System colours by index and OLE colour translation.

#include "platform/gdi/Color.h"

#include <cstdint>

namespace gdi {

enum SysColorIndex : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
    COLOR_COUNT = 31
};

// Where system colours come from: the running desktop's palette, or the fixed
// Windows-classic table (tests, and renderings that must not depend on the desktop).
enum class SysColorSource { Palette, Classic };
void setSysColorSource(SysColorSource source);
[[nodiscard]] SysColorSource sysColorSource();

// GetSysColor; an index outside the table gives 0.
[[nodiscard]] ColorRef GetSysColor(int index);

// OleTranslateColor: a plain RGB value (top byte 0) passes through; 0x80000000 | index
// names a system colour. Returns false, leaving *out untouched, for anything else.
bool OleTranslateColor(std::uint32_t oleColor, ColorRef* out);

} // namespace gdi
