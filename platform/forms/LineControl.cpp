#include "platform/forms/LineControl.h"

#include <QPainter>

namespace forms {

LineControl::LineControl(QLine line, QColor color, QWidget* parent)
    : QWidget(parent), m_line(line), m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // Corner to corner, both end points inside.
    const QPoint topLeft(qMin(line.x1(), line.x2()), qMin(line.y1(), line.y2()));
    const QPoint bottomRight(qMax(line.x1(), line.x2()), qMax(line.y1(), line.y2()));
    setGeometry(QRect(topLeft, bottomRight));
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, 0));
    painter.drawLine(m_line.translated(-pos()));
}

} // namespace forms
