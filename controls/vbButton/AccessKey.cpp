#include "controls/vbButton/AccessKey.h"

namespace vb {

std::optional<QChar> AccessKeyFor(const QString& caption)
{
    const qsizetype n = caption.size();
    if (n <= 1)
        return std::nullopt;
    const qsizetype p = caption.indexOf(QLatin1Char('&'));
    if (p < 0 || p == n - 1)
        return std::nullopt;
    if (caption[p + 1] != QLatin1Char('&'))
        return caption[p + 1].toLower();
    // A literal ampersand: only the next "&" after the pair can still name a key.
    const qsizetype q = caption.indexOf(QLatin1Char('&'), p + 2);
    if (q < 0 || q == n - 1 || caption[q + 1] == QLatin1Char('&'))
        return std::nullopt;
    return caption[q + 1].toLower();
}

QString CaptionWithoutPrefixes(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) {
            out += caption[i];
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
            out += QLatin1Char('&');
            ++i;
        }
    }
    return out;
}

} // namespace vb
