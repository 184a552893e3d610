#include "platform/forms/FormWindow.h"

#include <QAccessibleWidget>
#include <QCloseEvent>

namespace forms {

namespace {

// Qt describes a plain top-level QWidget as a client area ("filler" to
// AT-SPI); a form is a window with a title, so screen readers announce it as a frame.
QAccessibleInterface* formWindowFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("forms::FormWindow") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

FormWindow::FormWindow(std::function<bool()> requestClose) : m_requestClose(std::move(requestClose))
{
    static const bool installed = [] {
        QAccessible::installFactory(formWindowFactory);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The form decides; if it unloads, it hides and disposes of this widget itself.
    event->ignore();
    if (m_requestClose)
        m_requestClose();
}

} // namespace forms
