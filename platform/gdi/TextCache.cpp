#include "platform/gdi/TextCache.h"

#include <QCoreApplication>
#include <QImage>

#include <algorithm>
#include <array>

namespace gdi::detail {

namespace {
constexpr qsizetype kMaxEntries = 256;
// A few fonts at a time: a scaled surface measures in the logical font and draws
// in the device one, and a window's buttons share one or two fonts.
constexpr std::size_t kFonts = 4;
std::array<TextCache*, kFonts>* g_caches = nullptr;
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
// caches are dropped when the application object goes away.
void TextCache::release()
{
    if (g_caches)
        for (TextCache* c : *g_caches)
            delete c;
    delete g_caches;
    g_caches = nullptr;
}

// The caches are kept most recently used first; a new font takes the last one.
// A reference handed out stays valid until kFonts other fonts were asked for.
TextCache& TextCache::forFont(const QFont& font)
{
    if (!g_caches) {
        g_caches = new std::array<TextCache*, kFonts>{};
        qAddPostRoutine(&TextCache::release);
    }
    auto& caches = *g_caches;
    std::size_t i = 0;
    while (i < kFonts && caches[i] && !(caches[i]->m_font == font))
        ++i;
    if (i == kFonts)
        i = kFonts - 1;
    if (!caches[i])
        caches[i] = new TextCache;
    std::rotate(caches.begin(), caches.begin() + std::ptrdiff_t(i), caches.begin() + std::ptrdiff_t(i) + 1);
    TextCache& c = *caches[0];
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
