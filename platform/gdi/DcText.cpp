#include "platform/gdi/Dc.h"

#include "platform/gdi/TextCache.h"
#include "platform/gdi/TextPrefix.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace gdi {

namespace {

struct Line {
    qsizetype start = 0;
    qsizetype length = 0;
    int width = 0;
};

// Classic GDI text has no anti-aliasing: every glyph pixel is exactly the text colour.
QFont aliasedFont(const QFont& font)
{
    QFont f = font;
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::NoAntialias));
    return f;
}

// The font text is drawn in on a scaled surface: the layout's own, scaled to the
// device, so glyphs are as sharp as the screen allows and keep their own hinting
// instead of being blocks of logical pixels. Aliased glyphs need hinting to keep
// their stems whole; Qt's default turns it off while the application is scaled for
// a high-density screen, which thins bold strokes and fills counters in, so it is
// asked for by name.
QFont deviceFont(const QFont& font, double scale)
{
    QFont device = font;
    if (device.hintingPreference() == QFont::PreferDefaultHinting)
        device.setHintingPreference(QFont::PreferFullHinting);
    if (font.pixelSize() > 0)
        device.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * scale))));
    else
        device.setPointSizeF(font.pointSizeF() * scale);
    return device;
}

bool isBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Greedy word wrap of text[from, to) into lines no wider than maxWidth. Breaks fall
// only at blanks, and the blanks at a break belong to neither line. The first word
// of a line is always taken, so a word wider than the room overflows unbroken.
void wrapParagraph(const QString& text, qsizetype from, qsizetype to, int maxWidth, detail::TextCache& cache,
                   std::vector<Line>& lines)
{
    auto measure = [&](qsizetype a, qsizetype b) { return cache.advance(text.mid(a, b - a)); };
    qsizetype pos = from;
    do {
        qsizetype end = -1;
        qsizetype i = pos;
        while (i < to) {
            qsizetype j = i;
            while (j < to && text.at(j) == QLatin1Char(' '))
                ++j;
            while (j < to && text.at(j) != QLatin1Char(' '))
                ++j;
            if (end >= 0 && measure(pos, j) > maxWidth)
                break;
            end = i = j;
        }
        if (end < 0)
            end = to;
        // Blanks at the very end of the text stay on the last line; at a break they go.
        qsizetype next = end;
        while (next < to && text.at(next) == QLatin1Char(' '))
            ++next;
        lines.push_back({pos, end - pos, measure(pos, end)});
        pos = next;
    } while (pos < to);
}

std::vector<Line> layoutLines(const QString& text, detail::TextCache& cache, int maxWidth, unsigned format)
{
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back({0, text.size(), cache.advance(text)});
        return lines;
    }
    qsizetype from = 0;
    while (true) {
        qsizetype to = from;
        while (to < text.size() && !isBreak(text.at(to)))
            ++to;
        if (format & DT_WORDBREAK)
            wrapParagraph(text, from, to, maxWidth, cache, lines);
        else
            lines.push_back({from, to - from, cache.advance(text.mid(from, to - from))});
        if (to >= text.size())
            break;
        // CR, LF and CR LF each end a line; a break at the very end opens no new line.
        from = to + 1;
        if (text.at(to) == QLatin1Char('\r') && from < text.size() && text.at(from) == QLatin1Char('\n'))
            ++from;
        if (from >= text.size())
            break;
    }
    return lines;
}

} // namespace

// DrawText. Lines are ascent + descent apart (no external leading). DT_CENTER puts
// each line at (left + right - width) / 2. DT_VCENTER is honoured only together with
// DT_SINGLELINE, as GDI does: the line goes to top + (height - line height) / 2 and the
// result is then the distance from the top to the bottom of the text. Output is
// clipped to the rectangle. An empty string measures as 0 x 0 and draws nothing.
int Dc::drawText(const QString& text, Rect& r, unsigned format)
{
    if (text.isEmpty()) {
        if (format & DT_CALCRECT) {
            r.right = r.left;
            r.bottom = r.top;
        }
        return 0;
    }
    const PrefixedText shown = (format & DT_NOPREFIX) ? PrefixedText{text, -1} : parsePrefix(text);
    const QFont font = aliasedFont(m_font);
    detail::TextCache& cache = detail::TextCache::forFont(font);
    const QFontMetrics& fm = cache.metrics();
    const int lineHeight = fm.ascent() + fm.descent();
    const std::vector<Line> lines = layoutLines(shown.text, cache, r.width(), format);
    const int textHeight = lineHeight * int(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, l.width);
        r.right = r.left + widest;
        r.bottom = r.top + textHeight;
        return textHeight;
    }

    int y = r.top;
    const bool vcentre = (format & DT_VCENTER) && (format & DT_SINGLELINE);
    if (vcentre)
        y = r.top + (r.height() - lineHeight) / 2;
    const int result = vcentre ? y - r.top + textHeight : textHeight;
    if (r.isEmpty() || m_surface->isNull())
        return result;

    // The lines are those of the logical layout, in the same places; on a scaled
    // surface each is drawn at the device's resolution. A centred line is centred on
    // its drawn width; lines start at the device edge of their logical top.
    const Surface& surface = *m_surface;
    const QFont drawn = surface.isScaled() ? deviceFont(font, surface.scale()) : font;
    detail::TextCache& device = surface.isScaled() ? detail::TextCache::forFont(drawn) : cache;
    const QFontMetrics& dm = device.metrics();
    const Rect clip = surface.toDevice(r);
    QPainter painter(&m_surface->image());
    painter.setClipRect(QRect(clip.left, clip.top, clip.width(), clip.height()));
    painter.setFont(drawn);
    const QColor colour(toQRgb(m_textColor));
    painter.setPen(colour);
    const int underlineY = std::max(dm.underlinePos(), 1);
    const int underlineThickness = std::max(dm.lineWidth(), 1);
    for (const Line& line : lines) {
        const QString s = shown.text.mid(line.start, line.length);
        const int width = surface.isScaled() ? device.advance(s) : line.width;
        const int x = (format & DT_CENTER) ? (clip.left + clip.right - width) / 2 : clip.left;
        const int top = surface.toDevice(y);
        painter.drawStaticText(QPoint(x, top), device.prepared(s));
        if (shown.underline >= line.start && shown.underline < line.start + line.length) {
            const qsizetype k = shown.underline - line.start;
            const int ux = x + (k > 0 ? device.advance(s.left(k)) : 0);
            const int uw = device.advance(s.mid(k, 1));
            painter.fillRect(QRect(ux, top + dm.ascent() + underlineY, uw, underlineThickness), colour);
        }
        y += lineHeight;
    }
    return result;
}

} // namespace gdi
