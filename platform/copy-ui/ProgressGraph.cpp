#include "platform/copy-ui/ProgressGraph.h"

#include "platform/copy-ui/ProgressText.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace shell {

ProgressGraph::ProgressGraph(QWidget* parent) : QWidget(parent)
{
    setMinimumHeight(60);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressGraph::setSamples(std::vector<double> bytesPerSecond)
{
    if (bytesPerSecond == m_samples)
        return;
    m_samples = std::move(bytesPerSecond);
    update();
}

void ProgressGraph::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().mid().color());
    p.drawRect(area);
    if (m_samples.empty())
        return;
    const double top = *std::max_element(m_samples.begin(), m_samples.end());
    if (top <= 0)
        return;
    // The highest speed reaches 85% of the height, leaving room for its label.
    const double scale = area.height() * 0.85 / top;
    const double step = m_samples.size() > 1 ? area.width() / static_cast<double>(m_samples.size() - 1) : 0;
    QPainterPath curve;
    curve.moveTo(area.left(), area.bottom());
    for (size_t i = 0; i < m_samples.size(); ++i)
        curve.lineTo(area.left() + step * static_cast<double>(i), area.bottom() - m_samples[i] * scale);
    if (m_samples.size() == 1)
        curve.lineTo(area.right(), area.bottom() - m_samples.front() * scale);
    curve.lineTo(curve.currentPosition().x(), area.bottom());
    curve.closeSubpath();
    QColor fill = palette().highlight().color();
    fill.setAlpha(90);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(curve, fill);
    p.setPen(QPen(palette().highlight().color(), 1.5));
    p.drawPath(curve);
    p.setPen(palette().text().color());
    p.drawText(area.adjusted(4, 2, -4, -2), Qt::AlignRight | Qt::AlignTop,
               tr("Top: %1/s").arg(formatBytes(static_cast<std::uint64_t>(top))));
}

} // namespace shell
