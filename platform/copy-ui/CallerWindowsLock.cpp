#include "platform/copy-ui/CallerWindowsLock.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWindow>

namespace shell {

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

CallerWindowsLock::CallerWindowsLock()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        m_windows.append(w);
    qApp->installEventFilter(this);
}

CallerWindowsLock::~CallerWindowsLock()
{
    qApp->removeEventFilter(this);
}

bool CallerWindowsLock::locks(const QWidget* window) const
{
    for (const QPointer<QWidget>& w : m_windows) {
        if (w == window)
            return true;
    }
    return false;
}

bool CallerWindowsLock::isLocked(QObject* target) const
{
    // Widgets, the native windows behind them, and objects (shortcuts, actions)
    // that belong to a widget of a locked window.
    for (QObject* o = target; o != nullptr; o = o->parent()) {
        if (auto* widget = qobject_cast<QWidget*>(o))
            return locks(widget->window());
        if (auto* window = qobject_cast<QWindow*>(o)) {
            for (const QPointer<QWidget>& w : m_windows) {
                if (w != nullptr && w->windowHandle() == window)
                    return true;
            }
            return false;
        }
    }
    return false;
}

bool CallerWindowsLock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed here, a key cannot trigger the locked window's shortcuts or its
        // menu's; the key press that follows is then dropped below.
        if (isLocked(watched)) {
            event->accept();
            return true;
        }
        return false;
    }
    return isInput(event->type()) && isLocked(watched);
}

} // namespace shell
