#pragma once
// Decides when the progress window appears and what it says. A copy that ends
// within half a second shows no window at all. The clock is injected, and tick()
// is public, so the timing is checked step by step without waiting. Time spent
// paused or waiting on a question counts for neither the speed nor the time left.

#include "platform/copy/CopyProgress.h"
#include "platform/copy/ProgressState.h"
#include "platform/copy-ui/ProgressWindow.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace shell {

class ProgressController : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kShowDelayMs = 500;
    static constexpr qint64 kSpeedWindowMs = 3000;
    // One point of the speed graph per second of copying; the oldest points are
    // merged in pairs when there are more than the graph keeps.
    static constexpr qint64 kHistoryStepMs = 1000;
    static constexpr size_t kHistoryPoints = 240;

    // clock: milliseconds from any fixed point. The window is shown no earlier than
    // kShowDelayMs after construction.
    ProgressController(const ProgressState& state, CancelToken& cancel, std::function<qint64()> clock);
    ~ProgressController() override;

    // The verify choice of the request shown (CopyOptions::verify): the window's
    // "Verify copies" shows it, and turning that saves the choice in the user's
    // settings and applies it to the files the request starts after it. Without one
    // the window shows the saved choice.
    void followVerify(std::shared_ptr<std::atomic<bool>> verify);

    // Starts the real timer that calls tick() a few times a second.
    void startTicking(int intervalMs = 100);
    // Looks at the clock and the engine's progress; shows or updates the window.
    void tick();

    [[nodiscard]] ProgressWindow* window() const { return m_window.get(); }
    [[nodiscard]] ProgressView view(const ProgressSnapshot& s, qint64 now);

private:
    void cancelRequested();
    void pauseToggled();
    void verifyToggled(bool verify);
    // Milliseconds of copying so far: the clock minus the time spent waiting.
    qint64 activeTime(const ProgressSnapshot& s, qint64 now);
    void recordHistory(qint64 active, double perSecond);

    const ProgressState& m_state;
    CancelToken& m_cancel;
    std::function<qint64()> m_clock;
    qint64 m_start;
    QTimer m_timer;
    std::unique_ptr<ProgressWindow> m_window;
    std::shared_ptr<std::atomic<bool>> m_verify;
    struct Sample {
        qint64 ms;
        std::int64_t bytes;
    };
    std::deque<Sample> m_samples;
    qint64 m_lastNow = -1;
    qint64 m_active = 0;
    qint64 m_nextHistoryAt = kHistoryStepMs;
    std::vector<double> m_history;
};

// The progress the service uses with a person watching: the engine writes into the
// state, the controller shows it. Made and destroyed on the user-interface thread.
class WindowedProgress : public CopyProgress, public QuestionWatcher {
public:
    explicit WindowedProgress(CancelToken& cancel);
    // With another clock (tests).
    WindowedProgress(CancelToken& cancel, std::function<qint64()> clock);

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
    void leftToWrite(std::int64_t bytes) override { m_state.leftToWrite(bytes); }
    void questionAsked(const std::string& item) override { m_state.questionAsked(item); }
    void questionAnswered() override { m_state.questionAnswered(); }

    [[nodiscard]] const ProgressState& state() const { return m_state; }
    [[nodiscard]] ProgressController& controller() { return m_controller; }

private:
    ProgressState m_state;
    ProgressController m_controller;
};

} // namespace shell
