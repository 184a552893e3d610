#include "platform/forms/RenderBehind.h"

#include <QPainter>
#include <QWidget>

namespace forms {

namespace {

// QWidget::render puts the top-left of the painted region at the target offset;
// the region is first cut to the widget, so the offset follows the cut.
void renderPart(QWidget& source, QPainter& painter, const QRect& area, const QRect& sourceRect,
                QWidget::RenderFlags flags)
{
    const QRect part = area & sourceRect;
    if (part.isEmpty())
        return;
    const QPoint at = part.topLeft() - area.topLeft();
    source.render(&painter, at, QRegion(part.translated(-sourceRect.topLeft())), flags);
}

} // namespace

void renderBehind(const QWidget& widget, const QRect& area, gdi::Surface& dest)
{
    QWidget* parent = widget.parentWidget();
    if (!parent || area.isEmpty() || dest.isNull())
        return;
    QPainter painter(&dest.image());
    // Logical pixels onto the surface's device pixels; the parent's text and
    // lines come out at the device's resolution.
    painter.scale(dest.scale(), dest.scale());
    // A parent that paints no background of its own shows its palette's.
    painter.fillRect(QRect(QPoint(0, 0), area.size()), parent->palette().color(parent->backgroundRole()));
    renderPart(*parent, painter, area, parent->rect(), QWidget::DrawWindowBackground);
    // Children are stacked in creation order (raise and lower reorder the list):
    // those before the widget lie beneath it.
    for (QObject* child : parent->children()) {
        if (child == &widget)
            break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent))
            continue;
        renderPart(*sibling, painter, area, sibling->geometry(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

} // namespace forms
