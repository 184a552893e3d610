#include "platform/forms/FormWindow.h"

#include <QCloseEvent>

namespace forms {

FormWindow::FormWindow(std::function<bool()> requestClose) : m_requestClose(std::move(requestClose))
{
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
