#pragma once
// Whether every text of a window can be read: the contrast ratio of each
// text-bearing control's text colour against the colour behind it, under a
// dark theme such as desktops offer.

#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>
#include <cmath>

namespace formstest {

// White text on near-black, as a dark desktop theme gives it.
inline QPalette darkPalette()
{
    QPalette p;
    const QColor window(53, 53, 53), base(42, 42, 42), text(Qt::white);
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
        p.setColor(role, window);
    p.setColor(QPalette::Base, base);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        p.setColor(role, text);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

// WCAG's contrast ratio: 1 for equal colours, 21 for black on white.
inline double contrastRatio(const QColor& a, const QColor& b)
{
    auto lum = [](const QColor& c) {
        auto ch = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
    };
    const double la = lum(a), lb = lum(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The controls of a shown window whose text reads worse than `minimum`
// (4.5, the ratio for body text), each as "name: text on back".
inline QStringList unreadableTexts(const QWidget* window, double minimum = 4.5)
{
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        w->ensurePolished();
        QColor text, back;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractScrollArea*>(w)) {
            text = w->palette().color(QPalette::Text);
            back = w->palette().color(QPalette::Base);
        } else if ((qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->text().isEmpty())
                   || qobject_cast<QRadioButton*>(w) || qobject_cast<QGroupBox*>(w)
                   || (qobject_cast<QLabel*>(w) && w->autoFillBackground())) {
            text = w->palette().color(QPalette::WindowText);
            // The colour behind it: its own fill, or the nearest filled ancestor's.
            const QWidget* filled = w;
            while (filled != window && !filled->autoFillBackground())
                filled = filled->parentWidget();
            back = filled->palette().color(filled->backgroundRole());
        } else {
            continue;
        }
        if (contrastRatio(text, back) < minimum)
            out << QStringLiteral("%1: %2 on %3").arg(w->objectName(), text.name(), back.name());
    }
    return out;
}

} // namespace formstest
