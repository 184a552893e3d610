#pragma once
// Test helpers for the button's model and input: a window with buttons, a
// pointer that is wherever the test says, synthetic Qt events sent straight
// to a widget (no platform, no real time), and a log of the nine events.

#include "controls/vbButton/vbButtonPrivate.h"
#include "platform/forms/UserControl.h"
#include "platform/gdi/SysColors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QStringList>
#include <functional>

namespace vbtest {

// The widget the pointer is over, as IsMouseOver sees it.
inline QWidget*& pointerOver()
{
    static QWidget* w = nullptr;
    return w;
}

inline void usePointerSeam()
{
    gdi::setSysColorSource(gdi::SysColorSource::Classic);
    pointerOver() = nullptr;
    forms::UserControl::setPointerProbe([] { return pointerOver(); });
}

// The button as the tests drive it: -> reaches its private part (the model's
// lets and the host's state, as the program's own code sees them), and it
// stands for the widget wherever a widget is taken.
class Button {
public:
    Button(quintaro::vbButton* widget = nullptr) // NOLINT: stands for the widget
        : m_widget(widget), m_d(widget ? quintaro::vbButtonPrivate::get(widget) : nullptr)
    {
    }
    quintaro::vbButtonPrivate* operator->() const { return m_d; }
    operator quintaro::vbButton*() const { return m_widget; } // NOLINT
    [[nodiscard]] quintaro::vbButton* widget() const { return m_widget; }

private:
    quintaro::vbButton* m_widget;
    quintaro::vbButtonPrivate* m_d;
};

// A shown window holding one new button named vbButton1 at (10, 10), 80 x 30.
struct ButtonWindow {
    QWidget window;
    Button button;
    explicit ButtonWindow(bool show = true)
    {
        window.resize(200, 100);
        button = new quintaro::vbButton(&window);
        button->setAmbientDisplayName(QStringLiteral("vbButton1"));
        button->initNew();
        button.widget()->setGeometry(10, 10, 80, 30);
        if (show)
            window.show();
    }
};

inline void sendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}
inline void press(QWidget* w, Qt::MouseButton b = Qt::LeftButton, QPoint p = {20, 15},
                  Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    sendMouse(w, QEvent::MouseButtonPress, p, b, b, mods);
}
inline void release(QWidget* w, Qt::MouseButton b = Qt::LeftButton, QPoint p = {20, 15})
{
    sendMouse(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}
inline void doubleClick(QWidget* w, Qt::MouseButton b = Qt::LeftButton, QPoint p = {20, 15},
                        Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    sendMouse(w, QEvent::MouseButtonDblClick, p, b, b, mods);
}
// A move with `held` buttons; the pointer seam follows: over `w` when `over`.
inline void move(QWidget* w, Qt::MouseButtons held = Qt::NoButton, QPoint p = {20, 15}, bool over = true)
{
    pointerOver() = over ? w : nullptr;
    sendMouse(w, QEvent::MouseMove, p, Qt::NoButton, held);
}
inline void keyDown(QWidget* w, int key, const QString& text = {},
                    Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &e);
}
inline void keyUp(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &e);
}

// Every event of one button, in order, as "Name" or "Name(args)".
class EventLog : public QObject {
public:
    explicit EventLog(quintaro::vbButton* b)
    {
        using quintaro::vbButton;
        auto mouse = [this](const char* name) {
            return [this, name](short& Button, short& Shift, float& X, float& Y) {
                events << QStringLiteral("%1(%2,%3,%4,%5)")
                              .arg(QLatin1String(name))
                              .arg(Button)
                              .arg(Shift)
                              .arg(X)
                              .arg(Y);
                if (onMouse)
                    onMouse(name, Button);
            };
        };
        connect(b, &vbButton::Click, this, [this] {
            events << QStringLiteral("Click");
            if (onClick)
                onClick();
        });
        connect(b, &vbButton::MouseDown, this, mouse("MouseDown"));
        connect(b, &vbButton::MouseMove, this, mouse("MouseMove"));
        connect(b, &vbButton::MouseUp, this, mouse("MouseUp"));
        connect(b, &vbButton::KeyPress, this,
                [this](short& a) { events << QStringLiteral("KeyPress(%1)").arg(a); });
        connect(b, &vbButton::KeyDown, this, [this](short& code, short& shift) {
            events << QStringLiteral("KeyDown(%1,%2)").arg(code).arg(shift);
            if (onKeyDown)
                onKeyDown(code);
        });
        connect(b, &vbButton::KeyUp, this, [this](short& code, short& shift) {
            events << QStringLiteral("KeyUp(%1,%2)").arg(code).arg(shift);
        });
        connect(b, &vbButton::MouseOver, this, [this] { events << QStringLiteral("MouseOver"); });
        connect(b, &vbButton::MouseOut, this, [this] { events << QStringLiteral("MouseOut"); });
    }
    // Events other than MouseMove, which most tests need not list.
    [[nodiscard]] QStringList withoutMoves() const
    {
        QStringList out;
        for (const QString& e : events)
            if (!e.startsWith(QLatin1String("MouseMove")))
                out << e;
        return out;
    }
    QStringList take()
    {
        QStringList out = withoutMoves();
        events.clear();
        return out;
    }

    QStringList events;
    std::function<void(const char*, short&)> onMouse;
    std::function<void(short&)> onKeyDown;
    std::function<void()> onClick;
};

} // namespace vbtest
