#include "platform/forms/LineControl.h"

#include <QPainter>

namespace forms
{

LineControl::LineControl(QLine line, QColor color, QWidget* parent)
    : QWidget(parent), m_line(line), m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // Corner to corner, both end points inside.
    setGeometry(QRect(line.p1(), line.p2()).normalized());
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, 0));
    painter.drawLine(m_line.translated(-pos()));
}

} // namespace forms
