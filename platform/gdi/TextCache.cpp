#include "platform/gdi/TextCache.h"

#include <QCoreApplication>
#include <QImage>

namespace gdi::detail {

namespace {
constexpr qsizetype kMaxEntries = 256;
TextCache* g_cache = nullptr;
} // namespace

QPaintDevice* measuringDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

// Fonts and glyph runs must not outlive the application's font database, so the
// cache is dropped when the application object goes away.
void TextCache::release()
{
    delete g_cache;
    g_cache = nullptr;
}

TextCache& TextCache::forFont(const QFont& font)
{
    if (!g_cache) {
        g_cache = new TextCache;
        qAddPostRoutine(&TextCache::release);
    }
    TextCache& c = *g_cache;
    if (!c.m_metrics || !(c.m_font == font) || c.m_entries.size() > kMaxEntries) {
        c.m_font = font;
        c.m_metrics.emplace(font, measuringDevice());
        c.m_entries.clear();
    }
    return c;
}

TextCache::Entry& TextCache::entry(const QString& text)
{
    auto it = m_entries.find(text);
    if (it == m_entries.end())
        it = m_entries.insert(text, Entry{});
    return *it;
}

int TextCache::advance(const QString& text)
{
    Entry& e = entry(text);
    if (e.advance < 0)
        e.advance = m_metrics->horizontalAdvance(text);
    return e.advance;
}

const QStaticText& TextCache::prepared(const QString& text)
{
    Entry& e = entry(text);
    if (!e.prepared) {
        e.prepared.emplace(text);
        e.prepared->setTextFormat(Qt::PlainText);
        e.prepared->setPerformanceHint(QStaticText::AggressiveCaching);
        e.prepared->prepare(QTransform(), m_font);
    }
    return *e.prepared;
}

} // namespace gdi::detail
