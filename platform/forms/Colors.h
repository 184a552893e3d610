#pragma once
// Colours in window descriptions are OLE colour values: 0x00BBGGRR for a plain
// colour (red in the low byte), or 0x80000000 | index for a system colour
// (0x80000005 window background, 0x80000008 window text, 0x8000000F button face).
// System colours are translated by the drawing layer (gdi::OleTranslateColor):
// from the application palette at the time of the call, or its fixed table.

#include <QColor>
#include <QJsonValue>

#include <cstdint>
#include <optional>

namespace forms {

inline constexpr std::uint32_t SysWindowBackground = 0x80000005u;
inline constexpr std::uint32_t SysWindowText = 0x80000008u;
inline constexpr std::uint32_t SysButtonFace = 0x8000000Fu;

// The colour a value names; a value that names no colour gives the window colour.
[[nodiscard]] QColor oleColor(std::uint32_t value);

// Reads a colour from a description: a number, or a text "0x..." / "&H...".
// Nothing for a missing or unreadable value.
[[nodiscard]] std::optional<std::uint32_t> colorValue(const QJsonValue& value);

// A control's background and text colour, as a description gives them
// (nothing: inherited from the window, which follows the theme). Colours come
// in pairs: a fixed (plain) background with a theme or inherited text colour
// gets black or white text, whichever reads better on it; a fixed text colour
// on a background given as a theme colour gets black or white behind it the
// same way. Otherwise both are taken as given (both fixed, or both theme).
struct ColorPair {
    std::optional<QColor> back, fore;
};
[[nodiscard]] ColorPair pairedColors(std::optional<std::uint32_t> back, std::optional<std::uint32_t> fore);

} // namespace forms
