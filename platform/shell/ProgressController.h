#pragma once
// Decides when the progress window appears and what it says. A copy that ends
// within half a second shows no window at all. The clock is injected, and tick()
// is public, so the timing is checked step by step without waiting.

#include "platform/shell/CopyProgress.h"
#include "platform/shell/ProgressState.h"
#include "platform/shell/ProgressWindow.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace shell {

class ProgressController : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kShowDelayMs = 500;
    static constexpr qint64 kSpeedWindowMs = 3000;

    // clock: milliseconds from any fixed point. The window is shown no earlier than
    // kShowDelayMs after construction.
    ProgressController(const ProgressState& state, CancelToken& cancel, std::function<qint64()> clock);
    ~ProgressController() override;

    // Starts the real timer that calls tick() a few times a second.
    void startTicking(int intervalMs = 100);
    // Looks at the clock and the engine's progress; shows or updates the window.
    void tick();

    [[nodiscard]] ProgressWindow* window() const { return m_window.get(); }
    [[nodiscard]] ProgressView view(const ProgressSnapshot& s, qint64 now);

private:
    void cancelRequested();

    const ProgressState& m_state;
    CancelToken& m_cancel;
    std::function<qint64()> m_clock;
    qint64 m_start;
    QTimer m_timer;
    std::unique_ptr<ProgressWindow> m_window;
    struct Sample {
        qint64 ms;
        std::int64_t bytes;
    };
    std::deque<Sample> m_samples;
};

// The progress the service uses with a person watching: the engine writes into the
// state, the controller shows it. Made and destroyed on the user-interface thread.
class WindowedProgress : public CopyProgress {
public:
    explicit WindowedProgress(CancelToken& cancel);

    void preparing() override { m_state.preparing(); }
    void started(std::uint64_t items, std::uint64_t bytes) override { m_state.started(items, bytes); }
    void itemStarted(const std::string& name, const std::string& from, const std::string& to) override
    {
        m_state.itemStarted(name, from, to);
    }
    void bytesDone(std::int64_t bytes) override { m_state.bytesDone(bytes); }
    void itemsDone(std::uint64_t items) override { m_state.itemsDone(items); }
    void itemsSkipped(std::uint64_t items) override { m_state.itemsSkipped(items); }
    void finishing() override { m_state.finishing(); }

private:
    ProgressState m_state;
    ProgressController m_controller;
};

} // namespace shell
