#pragma once
// The text caret rests when nobody types: a blinking caret repaints its text box
// twice a second for as long as the box has the focus, which alone wakes an idle
// program more often than everything else it does. After `after` without a key,
// a click or a change of focus, the caret stops blinking and stays shown, as the
// desktops' own text boxes do; the next key, click or focus change starts it
// blinking again at the flash time it had.

#include <QObject>
#include <QTimer>
#include <chrono>

namespace forms {

class CaretRest : public QObject {
public:
    explicit CaretRest(std::chrono::milliseconds after = std::chrono::seconds(10), QObject* parent = nullptr);
    ~CaretRest() override;

    [[nodiscard]] bool isResting() const { return m_resting; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rest();
    void wake();

    QTimer m_timer;
    int m_flashTime = 0;
    bool m_resting = false;
};

} // namespace forms
