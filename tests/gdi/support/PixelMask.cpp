#include "support/PixelMask.h"

namespace gdi::test {

Legend withDefaults(Legend legend)
{
    if (!legend.contains(QLatin1Char('.')))
        legend.insert(QLatin1Char('.'), kSentinel);
    if (!legend.contains(QLatin1Char('#')))
        legend.insert(QLatin1Char('#'), kInk);
    return legend;
}

QStringList render(const Surface& s, const Legend& legend)
{
    const Legend l = withDefaults(legend);
    QStringList rows;
    for (int y = 0; y < s.height(); ++y) {
        QString row;
        for (int x = 0; x < s.width(); ++x) {
            const QChar c = l.key(s.pixel(x, y), QLatin1Char('?'));
            row.append(c);
        }
        rows.append(row);
    }
    return rows;
}

QString compareMask(const Surface& s, const QStringList& rows, const Legend& legend)
{
    const Legend l = withDefaults(legend);
    bool same = rows.size() == s.height();
    for (int y = 0; same && y < s.height(); ++y) {
        if (rows.at(y).size() != s.width()) {
            same = false;
            break;
        }
        for (int x = 0; x < s.width(); ++x) {
            const QChar c = rows.at(y).at(x);
            if (!l.contains(c) || l.value(c) != s.pixel(x, y)) {
                same = false;
                break;
            }
        }
    }
    if (same)
        return {};
    return QStringLiteral("\nexpected:\n  %1\nactual:\n  %2")
        .arg(rows.join(QStringLiteral("\n  ")), render(s, legend).join(QStringLiteral("\n  ")));
}

} // namespace gdi::test
