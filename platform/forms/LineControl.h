#pragma once
// A straight line drawn on its window, one pixel wide: the widget covers the
// line's bounding box and lets the mouse through.

#include <QColor>
#include <QLine>
#include <QWidget>

namespace forms {

class LineControl : public QWidget {
    Q_OBJECT
public:
    // `line` in the parent's pixel coordinates.
    LineControl(QLine line, QColor color, QWidget* parent = nullptr);

    [[nodiscard]] QLine line() const { return m_line; }
    [[nodiscard]] QColor color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLine m_line;
    QColor m_color;
};

} // namespace forms
