#pragma once
// The two readings of "&" in a caption: the access key the button registers,
// and the caption as it reads on screen.

#include <QChar>
#include <QString>
#include <optional>

namespace vb {

// The access key of a caption, in lower case: the character after the first
// single "&". After a doubled "&&" only the next "&" is looked at, and a
// doubled one there gives no key. Captions of one character give none.
[[nodiscard]] std::optional<QChar> AccessKeyFor(const QString& caption);

// The caption without its "&" prefixes: "&&" reads as one "&", a lone "&"
// is dropped.
[[nodiscard]] QString CaptionWithoutPrefixes(const QString& caption);

} // namespace vb
