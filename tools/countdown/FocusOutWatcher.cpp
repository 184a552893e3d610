#include "tools/countdown/FocusOutWatcher.h"

#include <QFocusEvent>

namespace tools {

FocusOutWatcher::FocusOutWatcher(QObject* control, std::function<void()> handler)
    : QObject(control), m_handler(std::move(handler))
{
    control->installEventFilter(this);
}

void FocusOutWatcher::watch(QObject* control, std::function<void()> handler)
{
    if (control != nullptr)
        new FocusOutWatcher(control, std::move(handler));
}

bool FocusOutWatcher::eventFilter(QObject* watched, QEvent* event)
{
    // Focus leaving the window (another window activated, a pop-up opened) is not the
    // control losing it within its window.
    if (event->type() == QEvent::FocusOut && m_handler) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_handler();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tools
