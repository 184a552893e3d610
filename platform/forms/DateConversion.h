#pragma once
// Text-to-date conversion with the user's locale (QLocale()).
//
// Accepted forms, with blanks allowed around and between the parts:
//  - Three numbers separated by "/", "-", "." or the locale's own date separator.
//    A first number of three or four digits is the year and the order is
//    year-month-day (ISO 2000-12-31). Otherwise the numbers are read in the order
//    of the locale's short date format: month/day/year for en_US, day.month.year
//    for de_DE. When that reading is not a real date but the one with day and
//    month swapped is, the swapped reading is taken (13/01/2000 in en_US is
//    13 January 2000), as the classic runtime did.
//  - A month name, full or abbreviated, in the locale's language or in English,
//    with a day and a year: "25 December 1990", "December 25, 1990", "25-Dec-90",
//    "1990 Dec 25". The first number is the day unless it has three or more digits.
// Years written with one or two digits are placed by a fixed window:
// 0-29 are 2000-2029, 30-99 are 1930-1999. Years run from 100 to 9999.
// A time of day is not accepted, nor a date without a year.

#include <QDate>
#include <QString>

#include <optional>

namespace forms {

// The date the text names, or nothing ("not a date").
[[nodiscard]] std::optional<QDate> toDate(const QString& text);

// As toDate, but a text that is not a date raises RuntimeError 13 (type mismatch).
[[nodiscard]] QDate CDate(const QString& text);

[[nodiscard]] bool IsDate(const QString& text);

// The year that a one- or two-digit year stands for (see above).
[[nodiscard]] int expandTwoDigitYear(int year);

} // namespace forms
