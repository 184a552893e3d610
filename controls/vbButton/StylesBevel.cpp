// The bevelled looks: btBordered, btStandard, btSoft3D, and the thin and hot
// frames of btThin, btHotThin and btHot3D.

#include "controls/vbButton/Styles.h"

namespace vb {

void PaintBordered(Recipe& r, Face face)
{
    const ButtonState& s = r.s;
    const auto hi = s.m_HighlightColor, sh = s.m_ShadowColor, ds = s.m_DarkShadowColor;
    switch (face) {
    case Face::Up:
        r.caption(r.upStyle());
        r.bevel(hi, sh, hi, sh, -1, false);
        r.frame(0, 0, r.W, r.H, ds);
        r.focus();
        break;
    case Face::Down:
        r.caption(tsPressed);
        r.bevel(sh, hi, sh, hi, -1, false);
        r.frame(0, 0, r.W, r.H, ds);
        r.focus();
        break;
    case Face::Disabled:
        r.caption(tsEngraved);
        r.bevel(hi, sh, hi, sh, -1, false);
        r.frame(0, 0, r.W, r.H, ds);
        break;
    }
}

void PaintStandard(Recipe& r, Face face)
{
    const ButtonState& s = r.s;
    const auto hi = s.m_HighlightColor, sh = s.m_ShadowColor, ds = s.m_DarkShadowColor, l = s.m_LightColor;
    switch (face) {
    case Face::Up:
        r.caption(r.upStyle());
        if (r.isDefault()) {
            // The default button keeps its outer pixel for a dark border.
            r.bevel(hi, ds, l, sh, -1, false);
            r.focus();
            r.frame(0, 0, r.W, r.H, ds);
        } else {
            r.bevel(hi, ds, l, sh, 0, false);
        }
        break;
    case Face::Down:
        r.caption(tsPressed);
        if (r.isDefault()) {
            r.frame(0, 0, r.W, r.H, ds);
            r.frame(1, 1, r.W - 2, r.H - 2, sh);
            r.focus();
        } else {
            r.bevel(ds, hi, sh, l, 0, false);
        }
        break;
    case Face::Disabled:
        r.caption(tsEngraved);
        r.bevel(hi, ds, l, sh, 0, false);
        break;
    }
}

void PaintSoft3D(Recipe& r, Face face)
{
    const ButtonState& s = r.s;
    const auto sh = s.m_ShadowColor;
    // The highlight is the light colour lifted a little, for a softer edge.
    const auto s8 = r.shift(s.m_LightColor, +8);
    switch (face) {
    case Face::Up:
        r.caption(r.upStyle());
        r.bevel(s8, sh, s8, sh, 0, false);
        r.focus();
        break;
    case Face::Down:
        r.caption(tsPressed);
        r.bevel(sh, s8, sh, s8, 0, false);
        r.focus();
        break;
    case Face::Disabled:
        r.caption(tsGrey);
        r.bevel(s8, sh, s8, sh, 0, false);
        break;
    }
}

void PaintThin(Recipe& r, Face face)
{
    const ButtonState& s = r.s;
    const auto hi = s.m_HighlightColor, sh = s.m_ShadowColor, ds = s.m_DarkShadowColor, l = s.m_LightColor;
    const std::int32_t type = s.m_ButtonType;
    switch (face) {
    case Face::Up:
        r.caption(r.upStyle());
        if (type == btThin || (type == btHotThin && s.m_IsHot))
            r.bevel(hi, sh, 0, 0, 0, true);
        else if (type == btHot3D && s.m_IsHot)
            r.bevel(hi, ds, l, sh, 0, false);
        r.focus();
        break;
    case Face::Down:
        r.caption(tsPressed);
        if (type == btHot3D)
            r.bevel(ds, hi, sh, l, 0, false);
        else
            r.bevel(sh, hi, 0, 0, 0, true);
        r.focus();
        break;
    case Face::Disabled:
        r.caption(tsEngraved);
        if (type == btThin)
            r.bevel(hi, sh, 0, 0, 0, true);
        break;
    }
}

} // namespace vb
