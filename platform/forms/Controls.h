#pragma once
// The named controls of one loaded window.
//
// Every control, timer, menu and menu item of a description is registered under
// its name; members of a control array also under their index (a control that
// is not in an array has index -1). The objects belong to the window: the
// collection only points at them and is emptied when the window unloads.
//
// Handlers are connected by the event's signal signature, so a window need not
// know which widget class shows a control (the plain fallback button and the
// owner-drawn button both raise "Click()"):
//
//     forms::onEvent(controls.object("vbButton1"), "Click()", [this] { showMenu(); });
//     controls.onArrayEvent("btn", "Click()", [this](int index) { btnClick(index); });
//     forms::onEvent(controls.object("Timer1"), "Timer()", [this] { Timer1Timer(); });
//     forms::onEvent(controls.object("mnuCal"), "triggered()", [this] { mnuCalClick(); });

#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;

namespace forms {

class FormTimer;

class Controls {
public:
    void add(const QString& name, int index, QObject* control);
    void clear() { m_controls.clear(); }

    [[nodiscard]] bool contains(const QString& name, int index = -1) const;
    // The control, or nullptr if there is none by that name and index.
    [[nodiscard]] QObject* object(const QString& name, int index = -1) const;
    template <class T> [[nodiscard]] T* get(const QString& name, int index = -1) const
    {
        return qobject_cast<T*>(object(name, index));
    }
    [[nodiscard]] QWidget* widget(const QString& name, int index = -1) const
    {
        return get<QWidget>(name, index);
    }
    [[nodiscard]] FormTimer* timer(const QString& name) const;
    [[nodiscard]] QMenu* menu(const QString& name) const;
    [[nodiscard]] QAction* action(const QString& name) const;

    // The indexes of a control array's members, ascending ({-1} for a single control).
    [[nodiscard]] QList<int> indexes(const QString& name) const;
    [[nodiscard]] QStringList names() const { return m_controls.keys(); }

    // Connects one handler to the event of every member of an array; the handler
    // receives the member's index. Returns the number of members connected.
    int onArrayEvent(const QString& name, const char* signal, std::function<void(int)> handler) const;

private:
    QMap<QString, QMap<int, QPointer<QObject>>> m_controls;
};

// Connects a handler to a control's event, given as a signal signature such as
// "Click()" or "textChanged(QString)" (arguments are not passed on). The
// connection ends with the control. Returns false if the control has no such signal.
bool onEvent(QObject* control, const char* signal, std::function<void()> handler);

} // namespace forms
