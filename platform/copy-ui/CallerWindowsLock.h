#pragma once
// While a request runs, the caller's windows take no input: no clicks, keys,
// shortcuts, wheel or pointer moves reach them, so nothing there can start a second
// request or open another window. They still paint, their timers still tick, and
// their close boxes still work (the caller decides what closing means mid-copy).
// Windows that appear after the lock is taken (the service's progress window, its
// questions, its summary, a box the caller shows in answer to a close) stay usable.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace shell {

class CallerWindowsLock : public QObject {
public:
    // Locks every top-level window that exists now.
    CallerWindowsLock();
    ~CallerWindowsLock() override;

    [[nodiscard]] bool locks(const QWidget* window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] bool isLocked(QObject* target) const;

    QList<QPointer<QWidget>> m_windows;
};

} // namespace shell
