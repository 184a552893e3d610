#pragma once
// The drawing vocabulary the looks are written in, and the looks themselves:
// one up, one down and one disabled recipe per ButtonType.

#include "controls/vbButton/ButtonHost.h"
#include "controls/vbButton/ButtonState.h"

#include <cstdint>

namespace vb {

enum class Face { Up, Down, Disabled };

// Shorthand for the recipes: each call takes the surface's device context afresh
// (a nested font change may have replaced it), and colours are plain RGB values.
class Recipe {
public:
    Recipe(ButtonState& state, ButtonHost& host);

    ButtonState& s;
    ButtonHost& host;
    const int W;
    const int H;

    // Shift(c, n) and Shift*(c, n): additive and proportional shading (halved on a soft bevel).
    [[nodiscard]] gdi::ColorRef shift(gdi::ColorRef c, int n) const;
    [[nodiscard]] gdi::ColorRef shiftP(gdi::ColorRef c, int n) const;

    void fill(int x, int y, int w, int h, gdi::ColorRef c);
    void frame(int x, int y, int w, int h, gdi::ColorRef c);
    void line(int x1, int y1, int x2, int y2, gdi::ColorRef c);
    void pixel(int x, int y, gdi::ColorRef c);
    void bevel(gdi::ColorRef c1, gdi::ColorRef c2, gdi::ColorRef c3, gdi::ColorRef c4, std::int16_t inset,
               bool outerOnly);
    // The four pixels one step inside the client corners.
    void corners(gdi::ColorRef c);
    // Ellipse over the whole client area, 2-pixel outline.
    void oval(gdi::ColorRef pen, gdi::ColorRef fillColor);
    // Horizontal lines over rows 1..H (down) or H-1..0 (up), darkening by k over the height.
    void gradient(gdi::ColorRef base, int k, bool down, bool proportional);

    void caption(std::uint8_t style);
    // The up caption style: hot or normal.
    [[nodiscard]] std::uint8_t upStyle() const;
    void focus();
    // The default-button look: focus rectangles shown and the window marks this button default.
    [[nodiscard]] bool isDefault() const;
};

// Runs the recipe of s.m_ButtonType for `face`; types without a look draw nothing.
void PaintRecipe(ButtonState& s, ButtonHost& host, Face face);

// The families, one unit each.
void PaintBordered(Recipe& r, Face face);
void PaintStandard(Recipe& r, Face face);
void PaintSoft3D(Recipe& r, Face face);
void PaintThin(Recipe& r, Face face); // btThin, btHotThin, btHot3D

void PaintRoundGradient(Recipe& r, Face face);
void PaintRounded(Recipe& r, Face face);
void PaintGradient(Recipe& r, Face face);

void PaintFlat(Recipe& r, Face face);
void PaintHotSelect(Recipe& r, Face face);
void PaintTransparent(Recipe& r, Face face);
void PaintOval(Recipe& r, Face face);

} // namespace vb
