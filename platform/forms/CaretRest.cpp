#include "platform/forms/CaretRest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace forms {

CaretRest::CaretRest(std::chrono::milliseconds after, QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(after);
    connect(&m_timer, &QTimer::timeout, this, &CaretRest::rest);
    qApp->installEventFilter(this);
    m_timer.start();
}

CaretRest::~CaretRest()
{
    wake();
}

bool CaretRest::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
    case QEvent::InputMethod:
        wake();
        m_timer.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The text boxes follow the flash time as it changes (QStyleHints::cursorFlashTimeChanged):
// at 0 their caret timer stops and the caret is drawn shown.
void CaretRest::rest()
{
    if (m_resting)
        return;
    m_flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_flashTime == 0)
        return;
    m_resting = true;
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}

void CaretRest::wake()
{
    if (!m_resting)
        return;
    m_resting = false;
    QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
}

} // namespace forms
