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
    s.m_Enabled = true;
    s.m_ShowFocusRect = true;
    s.m_UseMaskColor = true;
    s.m_Caption = m_host.ambientDisplayName();
    m_host.setControlFont(m_host.ambientFont());
    s.m_ButtonType = btStandard;
    s.m_ColorScheme = csSystem;
    LoadColors(s, m_host);
    s.m_BackColor = s.m_FaceColor;
    s.m_BackOver = s.m_FaceColor;
    s.m_ForeColor = s.m_TextColor;
    s.m_ForeOver = s.m_TextColor;
    s.m_MaskColor = kDefaultMaskColor;
    CalcCaptionRect(s, m_host);
}

void ButtonModel::ReadSavedProperties(const forms::PropertyBag& bag)
{
    s.m_ButtonType = bag.readInt(QStringLiteral("BTYPE"), btStandard);
    s.m_Caption = bag.readString(QStringLiteral("TX"), QString());
    s.m_Enabled = bag.readBool(QStringLiteral("ENAB"), true);
    m_host.setControlFont(bag.readFont(QStringLiteral("FONT"), m_host.controlFont()));
    s.m_ColorScheme = bag.readInt(QStringLiteral("COLTYPE"), csSystem);
    s.m_ShowFocusRect = bag.readBool(QStringLiteral("FOCUSR"), true);
    s.m_BackColor =
        OleColor(bag.readInt(QStringLiteral("BCOL"), std::int32_t(gdi::GetSysColor(gdi::COLOR_BTNFACE))));
    s.m_BackOver = OleColor(bag.readInt(QStringLiteral("BCOLO"), std::int32_t(s.m_BackColor)));
    s.m_ForeColor =
        OleColor(bag.readInt(QStringLiteral("FCOL"), std::int32_t(gdi::GetSysColor(gdi::COLOR_BTNTEXT))));
    s.m_ForeOver = OleColor(bag.readInt(QStringLiteral("FCOLO"), std::int32_t(s.m_ForeColor)));
    s.m_MaskColor = OleColor(bag.readInt(QStringLiteral("MCOL"), std::int32_t(kDefaultMaskColor)));
    // A pointer the host cannot show (or a value beyond 16 bits) leaves the
    // default one; the rest of the set still loads.
    const std::int32_t pointer = bag.readInt(QStringLiteral("MPTR"), 0);
    if (pointer >= std::numeric_limits<std::int16_t>::min()
        && pointer <= std::numeric_limits<std::int16_t>::max())
        (void)m_host.setPointerCode(pointer);
    (void)m_host.setPointerIcon(bag.readPicture(QStringLiteral("MICON"), nullptr));
    s.m_PictureNormal = bag.readPicture(QStringLiteral("PICN"), nullptr);
    s.m_PictureOver = bag.readPicture(QStringLiteral("PICH"), nullptr);
    s.m_UseMaskColor = bag.readBool(QStringLiteral("UMCOL"), true);
    s.m_SoftBevel = bag.readBool(QStringLiteral("SOFT"), false);
    s.m_PicturePosition = bag.readInt(QStringLiteral("PICPOS"), ppLeft);
    s.m_UseGreyscale = bag.readBool(QStringLiteral("NGREY"), false);
    s.m_SpecialEffect = bag.readInt(QStringLiteral("FX"), fxNone);
    // Through the let: False resets whatever pointer and icon were just loaded.
    (void)setHandPointer(bag.readBool(QStringLiteral("HAND"), false));
    s.m_CheckBoxBehaviour = bag.readBool(QStringLiteral("CHECK"), false);
    s.m_Value = bag.readBool(QStringLiteral("VALUE"), false);

    m_host.setControlEnabled(s.m_Enabled);
    MeasurePicture(s);
    CalcCaptionRect(s, m_host);
    SetAccessKey();
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
