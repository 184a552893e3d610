#include "platform/forms/Form.h"

#include "platform/forms/AccessLabel.h"
#include "platform/forms/FormBuilder.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/FormWindow.h"
#include "platform/forms/WindowDescription.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

namespace forms {

namespace {
int g_modalDepth = 0;
}

int Form::modalDepth()
{
    return g_modalDepth;
}

void centerOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

Form::Form(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
    setObjectName(name);
}

Form::Form(const QString& name, const QJsonObject& description, QObject* parent)
    : QObject(parent), m_name(name), m_description(description), m_hasDescription(true)
{
    setObjectName(name);
}

Form::~Form()
{
    destroyWindow();
}

void Form::load()
{
    if (isLoaded())
        return;
    if (!m_hasDescription) {
        m_description = loadWindowDescription(m_name);
        m_hasDescription = true;
    }
    QPointer<Form> self(this);
    auto* window =
        new FormWindow([self] { return self == nullptr || self->unload(UnloadMode::FormControlMenu); });
    window->setObjectName(m_name);
    m_window = window;
    FormBuilder::build(m_description, window, m_controls);
    connectControls();
    Form_Load();
    Q_EMIT loaded();
}

void Form::show()
{
    load();
    if (!isLoaded()) // Form_Load may unload the window again
        return;
    centerOnScreen(m_window);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    focusFirstControl();
    Q_EMIT shown();
}

void Form::showModal()
{
    load();
    if (!isLoaded())
        return;
    if (m_window->isVisible()) {
        // Already on screen (a second request while it is up): bring it forward.
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    m_window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &Form::unloaded, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    QPointer<Form> self(this);
    ++g_modalDepth;
    show();
    if (self != nullptr && self->isLoaded())
        loop.exec();
    --g_modalDepth;
}

bool Form::unload(UnloadMode mode)
{
    if (!isLoaded() || m_unloading)
        return true;
    m_unloading = true;
    QPointer<Form> self(this);
    const bool accepted = Form_QueryUnload(mode);
    if (self == nullptr)
        return true;
    if (!accepted || !isLoaded()) {
        m_unloading = false;
        return !isLoaded();
    }
    Form_Unload();
    if (self == nullptr)
        return true;
    destroyWindow();
    m_unloading = false;
    Q_EMIT unloaded();
    return true;
}

void Form::destroyWindow()
{
    m_controls.clear();
    if (m_window == nullptr)
        return;
    QWidget* window = m_window;
    m_window = nullptr;
    for (auto* timer : window->findChildren<FormTimer*>())
        timer->setEnabled(false);
    window->hide();
    // The window may be in the middle of one of its own events (the close box,
    // a button's click); it goes once control is back in the event loop.
    window->deleteLater();
}

void Form::focusFirstControl()
{
    for (QWidget* w : controlsInTabOrder(m_window)) {
        if (canTakeFocus(w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace forms
