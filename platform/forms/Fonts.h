#pragma once
// Fonts named in window descriptions, mapped onto what a Linux desktop has.

#include <QFont>
#include <QJsonObject>
#include <QStringList>

namespace forms {

// The family to ask for first, then stand-ins with similar metrics:
// "MS Sans Serif" and "Tahoma" -> Liberation Sans, DejaVu Sans; "Times New Roman"
// -> Liberation Serif; "Rockwell" (a slab serif) -> DejaVu Serif Condensed,
// Liberation Serif, DejaVu Serif.
[[nodiscard]] QStringList fontFamiliesFor(const QString& name);

// A font from a description object {name, size, bold, italic, underline,
// strikethrough}; booleans may be JSON booleans or -1/0 and default to false (a
// description names the whole font). A missing name or size keeps `base`'s.
[[nodiscard]] QFont fontFromDescription(const QJsonObject& description, const QFont& base = QFont());

// Reads a boolean stored either as true/false or as -1/0 (any non-zero is true).
[[nodiscard]] bool jsonBool(const QJsonValue& value, bool fallback = false);

} // namespace forms
