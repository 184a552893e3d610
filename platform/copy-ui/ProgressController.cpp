#include "platform/copy-ui/ProgressController.h"

#include "platform/copy-ui/CopySettings.h"
#include "platform/copy-ui/ProgressText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

namespace shell {

namespace {

QString display(const std::string& path)
{
    // Names are shown as well as they decode; the copy itself keeps their bytes.
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Data in the page cache that no drive holds yet, all drives together (Dirty and
// Writeback in /proc/meminfo); unknown counts as nothing left.
std::int64_t dataNotYetWritten()
{
    std::FILE* info = std::fopen("/proc/meminfo", "re");
    if (!info)
        return 0;
    std::int64_t total = 0;
    char line[128];
    while (std::fgets(line, sizeof line, info)) {
        long long kib = 0;
        if (std::sscanf(line, "Dirty: %lld kB", &kib) == 1
            || std::sscanf(line, "Writeback: %lld kB", &kib) == 1)
            total += kib * 1024;
    }
    std::fclose(info);
    return total;
}

} // namespace

ProgressController::ProgressController(const ProgressState& state, CancelToken& cancel,
                                       std::function<qint64()> clock)
    : m_state(state), m_cancel(cancel), m_clock(std::move(clock)), m_start(m_clock())
{
    connect(&m_timer, &QTimer::timeout, this, &ProgressController::tick);
}

ProgressController::~ProgressController() = default;

void ProgressController::followVerify(std::shared_ptr<std::atomic<bool>> verify)
{
    m_verify = std::move(verify);
    if (m_window && m_verify)
        m_window->setVerify(m_verify->load());
}

void ProgressController::verifyToggled(bool verify)
{
    if (m_verify)
        m_verify->store(verify);
    saveVerifyChoice(verify);
}

void ProgressController::startTicking(int intervalMs)
{
    m_timer.start(intervalMs);
}

void ProgressController::tick()
{
    const qint64 now = m_clock();
    if (!m_window && now - m_start < kShowDelayMs)
        return;
    const ProgressSnapshot snapshot = m_state.snapshot();
    // A question already on screen keeps the window back until it is answered: come
    // up later, the window would cover it and take its keys.
    if (!m_window && snapshot.asking)
        return;
    if (!m_window) {
        m_window = std::make_unique<ProgressWindow>();
        connect(m_window.get(), &ProgressWindow::cancelRequested, this, &ProgressController::cancelRequested);
        connect(m_window.get(), &ProgressWindow::pauseToggled, this, &ProgressController::pauseToggled);
        connect(m_window.get(), &ProgressWindow::verifyToggled, this, &ProgressController::verifyToggled);
        m_window->setVerify(m_verify ? m_verify->load() : savedVerifyChoice());
        if (m_cancel.cancelled())
            m_window->setCancelling();
        m_window->setPaused(m_cancel.paused());
        m_window->showView(view(snapshot, now));
        m_window->show();
        return;
    }
    m_window->showView(view(snapshot, now));
}

qint64 ProgressController::activeTime(const ProgressSnapshot& s, qint64 now)
{
    // Whatever the copy was doing since the last look is taken to have lasted the
    // whole interval; the window looks often enough for that to blur nothing.
    if (m_lastNow >= 0 && now > m_lastNow && !s.asking && !m_cancel.paused())
        m_active += now - m_lastNow;
    m_lastNow = now;
    return m_active;
}

void ProgressController::recordHistory(qint64 active, double perSecond)
{
    if (active < m_nextHistoryAt)
        return;
    m_nextHistoryAt = active + kHistoryStepMs;
    m_history.push_back(perSecond);
    if (m_history.size() > kHistoryPoints) {
        // Keep the whole copy in view: neighbours merge, the spacing stays even.
        std::vector<double> merged;
        for (size_t i = 0; i + 1 < m_history.size(); i += 2)
            merged.push_back((m_history[i] + m_history[i + 1]) / 2);
        if (m_history.size() % 2 != 0)
            merged.push_back(m_history.back());
        m_history = std::move(merged);
        // Points are now twice as far apart in time.
        m_nextHistoryAt = active + kHistoryStepMs * static_cast<qint64>(2);
    }
}

ProgressView ProgressController::view(const ProgressSnapshot& s, qint64 now)
{
    ProgressView v;
    const auto done = static_cast<std::uint64_t>(std::max<std::int64_t>(s.bytesDone, 0));
    const qint64 active = activeTime(s, now);
    const QString counts = tr("%1 of %2, %3 of %4")
                               .arg(s.itemsDone)
                               .arg(formatItems(s.itemsTotal), formatBytes(done), formatBytes(s.bytesTotal));
    // The engine counts a skipped item as done too: it is behind the copy either way.
    v.itemsFigure = tr("Items: %1 done, %2 skipped, %3 left")
                        .arg(s.itemsDone)
                        .arg(s.itemsSkipped)
                        .arg(s.itemsTotal > s.itemsDone ? s.itemsTotal - s.itemsDone : 0);
    v.dataFigure = tr("Data: %1 of %2").arg(formatBytes(done), formatBytes(s.bytesTotal));
    v.speedHistory = m_history;
    if (s.phase == CopyPhase::Preparing) {
        v.title = tr("Preparing to copy...");
        v.item = tr("Counting the items to copy...");
        v.busy = true;
        v.itemsFigure.clear();
        v.dataFigure.clear();
        return v;
    }
    if (s.phase == CopyPhase::Finishing && s.leftToWrite > 0) {
        // The kernel knows no more than what all drives still have to write: the
        // smaller of the two is what is left of this copy's data.
        const std::int64_t left = std::min(s.leftToWrite, dataNotYetWritten());
        v.title = tr("Finishing writing to the drive...");
        v.item = tr("Finishing writing to the drive...");
        v.speed = tr("%1 left to write")
                      .arg(formatBytes(static_cast<std::uint64_t>(std::max<std::int64_t>(left, 0))));
        v.counts = counts;
        v.busy = true;
        return v;
    }
    if (s.phase == CopyPhase::Finishing) {
        v.title = tr("Finishing writes...");
        v.item = tr("Finishing writes...");
        v.counts = counts;
        v.busy = true;
        return v;
    }

    // Speed over the last few seconds of copying, so a slow patch does not drag it
    // down for good; waits (paused, a question on screen) are not copying time.
    m_samples.push_back({active, s.bytesDone});
    while (m_samples.size() > 1 && active - m_samples.front().ms > kSpeedWindowMs)
        m_samples.pop_front();
    const Sample& first = m_samples.front();
    const qint64 elapsed = active - first.ms;
    const std::int64_t gained = s.bytesDone - first.bytes;
    const double perSecond = elapsed > 0 && gained > 0 ? gained * 1000.0 / static_cast<double>(elapsed) : 0.0;
    recordHistory(active, perSecond);
    v.speedHistory = m_history;
    v.speedHistory.push_back(perSecond); // the graph ends at the speed shown now

    const std::uint64_t percentBase = s.bytesTotal > 0 ? s.bytesTotal : s.itemsTotal;
    const std::uint64_t percentDone = s.bytesTotal > 0 ? done : s.itemsDone;
    v.permille = percentBase == 0
                     ? 0
                     : static_cast<int>(std::min<std::uint64_t>(1000, percentDone * 1000 / percentBase));

    const QString what = tr("Copying %1 (%2)").arg(formatItems(s.itemsTotal), formatBytes(s.bytesTotal));
    v.title = tr("%1% - %2").arg(v.permille / 10).arg(what);
    if (m_cancel.paused())
        v.title = tr("Paused - %1").arg(v.title);
    v.counts = counts;
    if (s.asking) {
        v.item = tr("Waiting for your answer about \"%1\"").arg(display(s.item));
        v.folders = s.fromFolder.empty() ? QString() : tr("In \"%1\"").arg(display(s.fromFolder));
    } else if (s.item.empty()) {
        // No item has started yet: the engine is getting the first one ready.
        v.item = tr("Preparing to copy %1...").arg(formatItems(s.itemsTotal));
    } else {
        v.item = tr("Copying \"%1\"").arg(display(s.item));
        v.folders = tr("From \"%1\" to \"%2\"").arg(display(s.fromFolder), display(s.toFolder));
    }

    QString timeLeft;
    if (perSecond > 0) {
        const std::uint64_t left = s.bytesTotal > done ? s.bytesTotal - done : 0;
        const auto seconds = static_cast<std::uint64_t>(static_cast<double>(left) / perSecond + 0.999);
        timeLeft = formatTimeLeft(seconds);
        v.speedFigure = tr("Speed: %1/s").arg(formatBytes(static_cast<std::uint64_t>(perSecond)));
        v.timeFigure = timeLeft;
    } else {
        v.speedFigure = tr("Speed: -");
        v.timeFigure = tr("Working out the time left...");
    }
    if (m_cancel.paused())
        v.speed = tr("Paused");
    else if (s.asking)
        v.speed = tr("Waiting for your answer...");
    else if (perSecond > 0)
        v.speed = tr("%1/s, %2").arg(formatBytes(static_cast<std::uint64_t>(perSecond)), timeLeft);
    else
        v.speed = tr("Working out the time left...");
    return v;
}

void ProgressController::cancelRequested()
{
    m_cancel.cancel();
    m_cancel.resume(); // a paused copy winds down too, and is no longer said to be paused
    if (m_window)
        m_window->setCancelling();
}

void ProgressController::pauseToggled()
{
    if (m_cancel.paused())
        m_cancel.resume();
    else
        m_cancel.pause();
    if (m_window) {
        m_window->setPaused(m_cancel.paused());
        m_window->showView(view(m_state.snapshot(), m_clock()));
    }
}

namespace {

qint64 monotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

} // namespace

WindowedProgress::WindowedProgress(CancelToken& cancel) : WindowedProgress(cancel, &monotonicMs)
{
}

WindowedProgress::WindowedProgress(CancelToken& cancel, std::function<qint64()> clock)
    : m_controller(m_state, cancel, std::move(clock))
{
    m_controller.startTicking();
}

} // namespace shell
