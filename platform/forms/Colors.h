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

} // namespace forms
