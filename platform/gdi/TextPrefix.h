#pragma once
// The "&" prefix convention of captions, parsed once: "&x" shows x underlined,
// "&&" shows one "&", and a lone "&" at the very end shows nothing.

#include <QChar>
#include <QString>

namespace gdi {

struct PrefixedText {
    QString text;       // what is shown
    int underline = -1; // index into `text` of the underlined character, or -1
    // The access key: the underlined character, or a null QChar.
    [[nodiscard]] QChar accessKey() const { return underline >= 0 ? text.at(underline) : QChar(); }
};

// When several characters carry a prefix, the last one is underlined, as DrawText does.
[[nodiscard]] PrefixedText parsePrefix(const QString& caption);

} // namespace gdi
