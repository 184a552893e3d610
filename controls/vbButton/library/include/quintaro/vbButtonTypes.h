#pragma once
// The enumerations of vbButton's properties, as Qt enums (Qt Designer lists
// their names; a .ui file stores them as quintaro::btOval and so on).

#include <quintaro/vbButtonExport.h>

#include <QObject>

namespace quintaro {
Q_NAMESPACE_EXPORT(QUINTARO_VBBUTTON_EXPORT)

// The fourteen looks. Any other value draws the face and the picture only.
enum ButtonType : int {
    btBordered = 1,
    btStandard = 2,
    btRoundGradient = 3,
    btRounded = 4,
    btFlat = 5,
    btSoft3D = 6,
    btThin = 7,
    btHotThin = 8,
    btHotSelect = 9,
    btPictureOnly = 10,
    btTransparent = 11,
    btHot3D = 12,
    btOval = 13,
    btGradient = 14,
};
Q_ENUM_NS(ButtonType)

// Where the palette comes from. Any other value behaves as csSystem.
enum ColorScheme : int { csSystem = 1, csCustom = 2, csClassic = 3, csParent = 4 };
Q_ENUM_NS(ColorScheme)

enum PicturePosition : int { ppLeft = 0, ppRight = 1, ppTop = 2, ppBottom = 3, ppCenter = 4 };
Q_ENUM_NS(PicturePosition)

// Below fxRaised is none, fxShadow and above draw the shadow.
enum SpecialEffect : int { fxNone = 0, fxRaised = 1, fxSunken = 2, fxShadow = 3 };
Q_ENUM_NS(SpecialEffect)

// Pointer shapes; vbCustom shows MouseIcon.
enum MousePointer : int {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbIconPointer = 4,
    vbSizePointer = 5,
    vbSizeNESW = 6,
    vbSizeNS = 7,
    vbSizeNWSE = 8,
    vbSizeWE = 9,
    vbUpArrow = 10,
    vbHourglass = 11,
    vbNoDrop = 12,
    vbArrowHourglass = 13,
    vbArrowQuestion = 14,
    vbSizeAll = 15,
    vbCustom = 99,
};
Q_ENUM_NS(MousePointer)

} // namespace quintaro
