#pragma once
// Text-to-number conversions with the classic runtime's rules.
//
// All conversions read numbers the way the user writes them in their locale
// (QLocale(), i.e. the default locale): the locale's decimal separator, its group
// separator between groups of three digits, an optional leading sign, an optional
// exponent ("1,5E3" in German, "1.5e3" in English), and blanks around the number.
// Anything else - an empty text, a lone sign, letters, a second decimal separator,
// badly placed group separators - raises RuntimeError 13 (type mismatch).
//
// The integer conversions round to the nearest whole number, ties to even
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2), and raise RuntimeError 6 (overflow)
// when the rounded value does not fit.

#include <QString>

#include <cstdint>

namespace forms {

// Parses a number; throws RuntimeError(13) if the text is not one, RuntimeError(6)
// if its magnitude is beyond a double.
[[nodiscard]] double CDbl(const QString& text);

// Round to nearest, ties to even. Non-finite values come back unchanged.
[[nodiscard]] double roundHalfEven(double value);

// 16-bit: -32768 .. 32767.
[[nodiscard]] std::int16_t CInt(double value);
[[nodiscard]] std::int16_t CInt(const QString& text);

// 32-bit: -2147483648 .. 2147483647.
[[nodiscard]] std::int32_t CLng(double value);
[[nodiscard]] std::int32_t CLng(const QString& text);

// True when CDbl would accept the text.
[[nodiscard]] bool IsNumeric(const QString& text);

} // namespace forms
