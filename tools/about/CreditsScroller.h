#pragma once
// The About window's credits scroll, in twips of the text box's top edge, kept in
// single precision like the control's own Top property.

namespace tools {

inline constexpr float CreditsStartTop = 2000.0f; // below the viewport: nothing shows at first
inline constexpr float CreditsWrapTop = 2090.0f;  // where every later pass starts
inline constexpr float CreditsLowestTop = -5800.0f;
inline constexpr float CreditsStep = 20.0f;
inline constexpr int CreditsTickMs = 50;

// One scrolling tick: move up one step; once the top has passed below the lowest top
// (strictly), start over from the wrap position.
[[nodiscard]] float creditsScrollStep(float top);

} // namespace tools
