#include "platform/copy-ui/CopyJob.h"

#include "platform/copy-ui/CopySettings.h"
#include "platform/copy-ui/DialogQuestions.h"
#include "platform/copy-ui/ProgressController.h"
#include "platform/copy-ui/SummaryWindow.h"
#include "platform/copy-ui/UiThreadQuestions.h"
#include "platform/copy-ui/UndoWindow.h"
#include "platform/copy/CopyEngine.h"
#include "platform/copy/ProgressTee.h"
#include "platform/copy/fs/PosixFileSystem.h"

#include <QApplication>
#include <exception>

namespace shell {

namespace {

constexpr int kProgressIntervalMs = 250;

} // namespace

CopyJob::CopyJob(std::vector<std::string> sources, std::string destination, CopyJobParts parts,
                 QObject* parent)
    : QObject(parent), m_runs{{std::move(sources), std::move(destination)}}, m_parts(std::move(parts))
{
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &CopyJob::reportProgress);
}

CopyJob::~CopyJob()
{
    if (m_running)
        kill();
    if (m_worker.joinable())
        m_worker.join();
    // The windows go before the answerer they were asked through.
    m_questions.reset();
    m_progress.reset();
}

void CopyJob::start()
{
    if (m_running || m_worker.joinable() || m_tee)
        return; // a job runs once
    run(m_runs);
}

void CopyJob::run(std::vector<CopyRun> runs)
{
    m_runs = std::move(runs);
    m_answerer = m_parts.questions ? m_parts.questions() : std::make_unique<DialogQuestions>();
    m_fs = m_parts.fileSystem ? m_parts.fileSystem() : std::make_unique<PosixFileSystem>();
    m_progress = m_parts.progress ? m_parts.progress(m_cancel) : std::make_unique<WindowedProgress>(m_cancel);
    // Verify as the person last chose, unless the caller chose; the window can change it.
    if (!m_parts.options.verify)
        m_parts.options.verify = std::make_shared<std::atomic<bool>>(savedVerifyChoice());
    if (auto* windowed = dynamic_cast<WindowedProgress*>(m_progress.get()))
        windowed->controller().followVerify(m_parts.options.verify);
    m_tee = std::make_unique<ProgressTee>(*m_progress);
    m_questions = std::make_unique<UiThreadQuestions>(*m_answerer, this, m_tee.get());
    m_leftOut.clear();
    m_notKept.clear();
    m_anyLeftOut = false;
    m_recordSaved = false;
    m_running = true;
    m_progressTimer.start();
    m_worker = std::thread([this] {
        CopyOutcome outcome = CopyOutcome::Success;
        try {
            for (const CopyRun& run : m_runs) {
                CopyEngine engine(*m_fs, *m_questions, *m_tee, m_cancel, m_parts.options);
                const CopyOutcome ended = engine.run(run.sources, run.destination);
                const std::vector<LeftOutItem> left = engine.leftOut();
                m_leftOut.insert(m_leftOut.end(), left.begin(), left.end());
                if (std::string note = engine.notKept(); !note.empty())
                    m_notKept = std::move(note);
                m_anyLeftOut = m_anyLeftOut || engine.anyLeftOut();
                m_recordSaved = m_recordSaved || engine.recordSaved();
                if (m_runs.size() == 1 || ended == CopyOutcome::Cancelled)
                    outcome = ended;
                else if (ended != CopyOutcome::Success)
                    outcome = CopyOutcome::Failed;
                if (ended == CopyOutcome::Cancelled)
                    break;
            }
        } catch (const std::exception&) {
            outcome = CopyOutcome::Failed; // out of memory or threads: report failure, never success
        }
        m_outcome = outcome;
        QMetaObject::invokeMethod(
            this, [this] { workerDone(); }, Qt::QueuedConnection);
    });
}

void CopyJob::kill()
{
    if (!m_running)
        return;
    m_killed = true;
    m_cancel.resume(); // a suspended copy must come round to see the cancel
    m_cancel.cancel();
    m_questions->abandon();  // questions not yet on screen never get there
    m_answerer->closeOpen(); // one on screen is answered Cancel
}

void CopyJob::suspend()
{
    if (m_running)
        m_cancel.pause();
}

void CopyJob::resume()
{
    m_cancel.resume();
}

void CopyJob::finishNow()
{
    kill();
    workerDone();
}

void CopyJob::reportProgress()
{
    if (m_tee)
        emit progressed(m_tee->state().snapshot());
}

void CopyJob::workerDone()
{
    if (!m_running)
        return; // finished already (finishNow), or never started
    if (m_worker.joinable())
        m_worker.join();
    m_running = false;
    m_progressTimer.stop();
    reportProgress();
    m_questions.reset();
    m_progress.reset(); // the progress window goes before the summary comes

    CopyOutcome outcome = m_outcome;
    std::vector<LeftOutItem> leftOut = m_leftOut;
    if (!leftOut.empty()) {
        std::vector<CopyRun> again;
        for (const CopyRun& run : m_runs) {
            std::vector<CopyRun> more = retryRuns(run.sources, run.destination, m_leftOut);
            again.insert(again.end(), more.begin(), more.end());
        }
        // What the drive could not hold goes with the list, once; alone it is no reason for one.
        if (!m_notKept.empty())
            leftOut.push_back({m_runs.front().destination, m_notKept});
        if (outcome == CopyOutcome::Success)
            outcome = CopyOutcome::Failed; // something the person asked for is not there
        bool retry = false;
        if (!m_killed) {
            // Undo takes back the newest record: offered only when it is this copy's.
            const std::string& history = m_parts.options.undoHistory;
            const bool canUndo = !history.empty() && m_recordSaved;
            if (m_parts.summary) {
                retry = m_parts.summary(leftOut);
            } else if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
                const SummaryChoice choice = showLeftOutSummary(leftOut, !again.empty(), canUndo);
                retry = choice == SummaryChoice::Retry;
                if (choice == SummaryChoice::Undo)
                    showUndoReport(undoLastCopy(history));
            }
        }
        if (retry && !again.empty() && !m_killed) {
            m_tee.reset();
            m_answerer.reset();
            m_cancel.reset();      // a Cancel that ended the first run is not the retry's
            run(std::move(again)); // the same job, for just those items
            return;
        }
    }
    emit finished(outcome, leftOut);
}

} // namespace shell
