#pragma once
// Raises a handler when a control loses the keyboard focus (a text box's
// LostFocus event, which Qt's line edit has no signal for).

#include <QObject>

#include <functional>

namespace tools {

class FocusOutWatcher : public QObject {
    Q_OBJECT
public:
    // Watches `control` and lives as long as it does.
    static void watch(QObject* control, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FocusOutWatcher(QObject* control, std::function<void()> handler);
    std::function<void()> m_handler;
};

} // namespace tools
