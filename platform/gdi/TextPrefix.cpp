#include "platform/gdi/TextPrefix.h"

namespace gdi {

PrefixedText parsePrefix(const QString& caption)
{
    PrefixedText out;
    out.text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&')) {
            out.text.append(caption.at(i));
            continue;
        }
        if (i + 1 >= caption.size())
            break; // a trailing "&" prefixes nothing and is not shown
        ++i;
        if (caption.at(i) != QLatin1Char('&'))
            out.underline = int(out.text.size());
        out.text.append(caption.at(i));
    }
    return out;
}

} // namespace gdi
