// New-instance setup and the saved property set: 23 keys, always all of them,
// always in this order, read back in the same order with a default for each
// missing key.

#include "controls/vbButton/ButtonModel.h"
#include "controls/vbButton/ButtonPainter.h"
#include "platform/gdi/SysColors.h"

#include <limits>

namespace vb {

namespace {

constexpr OleColor kDefaultMaskColor = 0xC0C0C0;

} // namespace

void ButtonModel::InitNewInstance()
{
    ChangeSet changed = 0;
    store(s.m_Enabled, true, Property::Enabled, changed);
    store(s.m_ShowFocusRect, true, Property::ShowFocusRect, changed);
    store(s.m_UseMaskColor, true, Property::UseMaskColor, changed);
    store(s.m_Caption, m_host.ambientDisplayName(), Property::Caption, changed);
    storeFont(m_host.ambientFont(), changed);
    store(s.m_ButtonType, std::int32_t(btStandard), Property::ButtonType, changed);
    store(s.m_ColorScheme, std::int32_t(csSystem), Property::ColorScheme, changed);
    LoadColors(s, m_host);
    store(s.m_BackColor, s.m_FaceColor, Property::BackColor, changed);
    store(s.m_BackOver, s.m_FaceColor, Property::BackOver, changed);
    store(s.m_ForeColor, s.m_TextColor, Property::ForeColor, changed);
    store(s.m_ForeOver, s.m_TextColor, Property::ForeOver, changed);
    store(s.m_MaskColor, kDefaultMaskColor, Property::MaskColor, changed);
    CalcCaptionRect(s, m_host);
    report(changed);
}

void ButtonModel::ReadSavedProperties(const forms::PropertyBag& bag)
{
    ChangeSet changed = 0;
    store(s.m_ButtonType, bag.readInt(QStringLiteral("BTYPE"), btStandard), Property::ButtonType, changed);
    store(s.m_Caption, bag.readString(QStringLiteral("TX"), QString()), Property::Caption, changed);
    store(s.m_Enabled, bag.readBool(QStringLiteral("ENAB"), true), Property::Enabled, changed);
    storeFont(bag.readFont(QStringLiteral("FONT"), m_host.controlFont()), changed);
    store(s.m_ColorScheme, bag.readInt(QStringLiteral("COLTYPE"), csSystem), Property::ColorScheme, changed);
    store(s.m_ShowFocusRect, bag.readBool(QStringLiteral("FOCUSR"), true), Property::ShowFocusRect, changed);
    store(s.m_BackColor,
          OleColor(bag.readInt(QStringLiteral("BCOL"), std::int32_t(gdi::GetSysColor(gdi::COLOR_BTNFACE)))),
          Property::BackColor, changed);
    store(s.m_BackOver, OleColor(bag.readInt(QStringLiteral("BCOLO"), std::int32_t(s.m_BackColor))),
          Property::BackOver, changed);
    store(s.m_ForeColor,
          OleColor(bag.readInt(QStringLiteral("FCOL"), std::int32_t(gdi::GetSysColor(gdi::COLOR_BTNTEXT)))),
          Property::ForeColor, changed);
    store(s.m_ForeOver, OleColor(bag.readInt(QStringLiteral("FCOLO"), std::int32_t(s.m_ForeColor))),
          Property::ForeOver, changed);
    store(s.m_MaskColor, OleColor(bag.readInt(QStringLiteral("MCOL"), std::int32_t(kDefaultMaskColor))),
          Property::MaskColor, changed);
    // A pointer the host cannot show (or a value beyond 16 bits) leaves the
    // default one; the rest of the set still loads.
    const std::int32_t pointer = bag.readInt(QStringLiteral("MPTR"), 0);
    if (pointer >= std::numeric_limits<std::int16_t>::min()
        && pointer <= std::numeric_limits<std::int16_t>::max())
        (void)storePointerCode(pointer, changed);
    (void)storePointerIcon(bag.readPicture(QStringLiteral("MICON"), nullptr), changed);
    storePicture(s.m_PictureNormal, bag.readPicture(QStringLiteral("PICN"), nullptr), Property::PictureNormal,
                 changed);
    storePicture(s.m_PictureOver, bag.readPicture(QStringLiteral("PICH"), nullptr), Property::PictureOver,
                 changed);
    store(s.m_UseMaskColor, bag.readBool(QStringLiteral("UMCOL"), true), Property::UseMaskColor, changed);
    store(s.m_SoftBevel, bag.readBool(QStringLiteral("SOFT"), false), Property::SoftBevel, changed);
    store(s.m_PicturePosition, bag.readInt(QStringLiteral("PICPOS"), ppLeft), Property::PicturePosition,
          changed);
    store(s.m_UseGreyscale, bag.readBool(QStringLiteral("NGREY"), false), Property::UseGreyscale, changed);
    store(s.m_SpecialEffect, bag.readInt(QStringLiteral("FX"), fxNone), Property::SpecialEffect, changed);
    // As the let does it: False resets whatever pointer and icon were just loaded.
    if (handPointer(bag.readBool(QStringLiteral("HAND"), false), changed))
        notify("HandPointer");
    store(s.m_CheckBoxBehaviour, bag.readBool(QStringLiteral("CHECK"), false), Property::CheckBoxBehaviour,
          changed);
    store(s.m_Value, bag.readBool(QStringLiteral("VALUE"), false), Property::Value, changed);

    m_host.setControlEnabled(s.m_Enabled);
    MeasurePicture(s);
    CalcCaptionRect(s, m_host);
    SetAccessKey();
    report(changed);
}

void ButtonModel::WriteSavedProperties(forms::PropertyBag& bag) const
{
    bag.writeInt(QStringLiteral("BTYPE"), s.m_ButtonType);
    bag.writeString(QStringLiteral("TX"), s.m_Caption);
    bag.writeBool(QStringLiteral("ENAB"), s.m_Enabled);
    bag.writeFont(QStringLiteral("FONT"), m_host.controlFont());
    bag.writeInt(QStringLiteral("COLTYPE"), s.m_ColorScheme);
    bag.writeBool(QStringLiteral("FOCUSR"), s.m_ShowFocusRect);
    bag.writeInt(QStringLiteral("BCOL"), std::int32_t(s.m_BackColor));
    bag.writeInt(QStringLiteral("BCOLO"), std::int32_t(s.m_BackOver));
    bag.writeInt(QStringLiteral("FCOL"), std::int32_t(s.m_ForeColor));
    bag.writeInt(QStringLiteral("FCOLO"), std::int32_t(s.m_ForeOver));
    bag.writeInt(QStringLiteral("MCOL"), std::int32_t(s.m_MaskColor));
    bag.writeInt(QStringLiteral("MPTR"), m_host.pointerCode());
    // A picture that is none has no entry.
    bag.writePicture(QStringLiteral("MICON"), m_host.pointerIcon());
    bag.writePicture(QStringLiteral("PICN"), s.m_PictureNormal);
    bag.writePicture(QStringLiteral("PICH"), s.m_PictureOver);
    bag.writeBool(QStringLiteral("UMCOL"), s.m_UseMaskColor);
    bag.writeBool(QStringLiteral("SOFT"), s.m_SoftBevel);
    bag.writeInt(QStringLiteral("PICPOS"), s.m_PicturePosition);
    bag.writeBool(QStringLiteral("NGREY"), s.m_UseGreyscale);
    bag.writeInt(QStringLiteral("FX"), s.m_SpecialEffect);
    bag.writeBool(QStringLiteral("HAND"), s.m_HandPointer);
    bag.writeBool(QStringLiteral("CHECK"), s.m_CheckBoxBehaviour);
    bag.writeBool(QStringLiteral("VALUE"), s.m_Value);
}

} // namespace vb
