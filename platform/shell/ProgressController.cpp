#include "platform/shell/ProgressController.h"

#include "platform/shell/ProgressText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

namespace shell {

namespace {

QString display(const std::string& path)
{
    // Names are shown as well as they decode; the copy itself keeps their bytes.
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

ProgressController::ProgressController(const ProgressState& state, CancelToken& cancel,
                                       std::function<qint64()> clock)
    : m_state(state), m_cancel(cancel), m_clock(std::move(clock)), m_start(m_clock())
{
    connect(&m_timer, &QTimer::timeout, this, &ProgressController::tick);
}

ProgressController::~ProgressController() = default;

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
    if (!m_window) {
        m_window = std::make_unique<ProgressWindow>();
        connect(m_window.get(), &ProgressWindow::cancelRequested, this, &ProgressController::cancelRequested);
        if (m_cancel.cancelled())
            m_window->setCancelling();
        m_window->showView(view(snapshot, now));
        m_window->show();
        return;
    }
    m_window->showView(view(snapshot, now));
}

ProgressView ProgressController::view(const ProgressSnapshot& s, qint64 now)
{
    ProgressView v;
    const auto done = static_cast<std::uint64_t>(std::max<std::int64_t>(s.bytesDone, 0));
    if (s.phase == CopyPhase::Preparing) {
        v.title = tr("Preparing to copy...");
        v.item = tr("Counting the items to copy...");
        v.busy = true;
        return v;
    }
    if (s.phase == CopyPhase::Finishing) {
        v.title = tr("Finishing writes...");
        v.item = tr("Finishing writes...");
        v.counts = tr("%1 of %2 items, %3 of %4")
                       .arg(s.itemsDone)
                       .arg(s.itemsTotal)
                       .arg(formatBytes(done), formatBytes(s.bytesTotal));
        v.busy = true;
        return v;
    }

    // Speed over the last few seconds, so a pause for a question does not drag it down for good.
    m_samples.push_back({now, s.bytesDone});
    while (m_samples.size() > 1 && now - m_samples.front().ms > kSpeedWindowMs)
        m_samples.pop_front();
    const Sample& first = m_samples.front();
    const qint64 elapsed = now - first.ms;
    const std::int64_t gained = s.bytesDone - first.bytes;
    const double perSecond = elapsed > 0 && gained > 0 ? gained * 1000.0 / static_cast<double>(elapsed) : 0.0;

    const std::uint64_t percentBase = s.bytesTotal > 0 ? s.bytesTotal : s.itemsTotal;
    const std::uint64_t percentDone = s.bytesTotal > 0 ? done : s.itemsDone;
    v.permille = percentBase == 0
                     ? 0
                     : static_cast<int>(std::min<std::uint64_t>(1000, percentDone * 1000 / percentBase));

    v.title = tr("Copying %1 items (%2)").arg(s.itemsTotal).arg(formatBytes(s.bytesTotal));
    v.item = tr("Copying \"%1\"").arg(display(s.item));
    v.folders = tr("From \"%1\" to \"%2\"").arg(display(s.fromFolder), display(s.toFolder));
    v.counts = tr("%1 of %2 items, %3 of %4")
                   .arg(s.itemsDone)
                   .arg(s.itemsTotal)
                   .arg(formatBytes(done), formatBytes(s.bytesTotal));
    if (perSecond > 0) {
        const std::uint64_t left = s.bytesTotal > done ? s.bytesTotal - done : 0;
        const auto seconds = static_cast<std::uint64_t>(static_cast<double>(left) / perSecond + 0.999);
        v.speed =
            tr("%1/s, %2").arg(formatBytes(static_cast<std::uint64_t>(perSecond)), formatTimeLeft(seconds));
    } else {
        v.speed = tr("Working out the time left...");
    }
    return v;
}

void ProgressController::cancelRequested()
{
    m_cancel.cancel();
    if (m_window)
        m_window->setCancelling();
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

WindowedProgress::WindowedProgress(CancelToken& cancel) : m_controller(m_state, cancel, &monotonicMs)
{
    m_controller.startTicking();
}

} // namespace shell
