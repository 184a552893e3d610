#pragma once
// A button host over a bare surface: what the control's window would give the
// painter, without a window.

#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonState.h"

#include <QFont>
#include <optional>

namespace buttonshot {

class ShotHost : public vb::ButtonHost {
public:
    // `parentColor` is the form's back colour (an OLE colour); unset, the button face.
    ShotHost(vb::ButtonState& state, const QFont& font, bool isDefault,
             std::optional<vb::OleColor> parentColor = std::nullopt);

    gdi::Dc& surfaceDc() override { return m_dc; }
    void clearSurface() override;
    [[nodiscard]] bool displayAsDefault() const override { return m_isDefault; }
    [[nodiscard]] bool fontBold() const override { return m_font.bold(); }
    // As the FontBold property does: store, lay the caption out again, ask for a redraw.
    void setFontBold(bool bold) override;
    // The parent is a form in the given back colour (else the button face) with
    // button-text coloured text.
    [[nodiscard]] gdi::ColorRef parentBackColor() const override;
    [[nodiscard]] gdi::ColorRef parentTextColor() const override;
    [[nodiscard]] gdi::Point positionOnParent() const override { return {}; }
    void copyFromParent(gdi::Surface& dest, int x, int y, int w, int h) override;

    // The control's resize and show handling: size, face rectangle, layout, shape,
    // background of a transparent button, palette; redrawing on.
    // The surface is drawn at `scale` device pixels per pixel.
    void resizeAndShow(int width, int height, double scale = 1.0);

    [[nodiscard]] const gdi::Surface& surface() const { return m_surface; }

private:
    vb::ButtonState& m_state;
    gdi::Surface m_surface;
    gdi::Dc m_dc{m_surface};
    QFont m_font;
    bool m_isDefault;
    std::optional<vb::OleColor> m_parentColor;
};

} // namespace buttonshot
