#pragma once

#include <QString>

namespace forms {

// A value below 10 becomes "0" followed by its decimal text, any other value its
// plain decimal text: 5 -> "05", 59 -> "59", 123 -> "123". Negative values are
// below 10 too, so -5 gives "0-5"; callers that can see negative values decide
// what to do with them.
[[nodiscard]] QString FormatTwoDigits(long long value);

} // namespace forms
