#pragma once
// Measured widths and prepared glyph runs of the texts drawn last, for one font at
// a time. A button redraws the same caption in the same font over and over, and
// shaping it anew each time would cost more than the rest of the redraw together.
// User-interface thread only.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <optional>

namespace gdi::detail {

class TextCache {
public:
    // The cache for `font` (already aliased); the least recently used of a few
    // fonts gives its place to a new one.
    static TextCache& forFont(const QFont& font);

    [[nodiscard]] const QFontMetrics& metrics() const { return *m_metrics; }
    [[nodiscard]] int advance(const QString& text);
    [[nodiscard]] const QStaticText& prepared(const QString& text);

private:
    struct Entry {
        int advance = -1;
        std::optional<QStaticText> prepared;
    };
    Entry& entry(const QString& text);
    static void release();

    QFont m_font;
    std::optional<QFontMetrics> m_metrics;
    QHash<QString, Entry> m_entries;
};

// 96 dots per inch, the resolution of every surface.
[[nodiscard]] QPaintDevice* measuringDevice();

} // namespace gdi::detail
