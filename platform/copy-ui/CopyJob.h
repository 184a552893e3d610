#pragma once
// One copy request as an object: start() hands it to a worker thread the job owns
// and returns at once; the job tells how far it has come and, on the thread that
// made it, that it has finished. The service's own windows (progress, questions,
// the closing summary) are used unless the caller brings its own parts.
//
// kill() stops the copy (finished items stay, temporaries go, nothing more is
// asked, no summary) and finished() follows once the worker has stopped. A job
// destroyed while running is killed and waited for; since a killed job asks
// nothing, that wait never depends on this thread serving events.

#include "platform/copy/CopyOutcome.h"
#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/ProgressState.h"
#include "platform/copy/RetryPlan.h"
#include "platform/copy/fs/FileSystem.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace shell {

class ProgressTee;
class UiThreadQuestions;

// What a job is made of. An empty member means the real one: message boxes, the
// progress window, the POSIX file system, the summary window.
struct CopyJobParts {
    // Made on the job's thread and answered there (the engine's questions hop to it).
    std::function<std::unique_ptr<CopyQuestions>()> questions;
    std::function<std::unique_ptr<FileSystem>()> fileSystem;
    // Must be thread-safe: the engine reports from its workers.
    std::function<std::unique_ptr<CopyProgress>(CancelToken&)> progress;
    // Shows the items left out before finished() is sent; returns whether to run the
    // request again for just those items (SummaryWindow's "Retry These").
    std::function<bool(const std::vector<LeftOutItem>&)> summary;
    CopyOptions options;
};

class CopyJob : public QObject {
    Q_OBJECT
public:
    CopyJob(std::vector<std::string> sources, std::string destination, CopyJobParts parts = {},
            QObject* parent = nullptr);
    ~CopyJob() override;

    void start();
    void kill();
    void suspend();
    void resume();

    [[nodiscard]] bool isRunning() const { return m_running; }
    [[nodiscard]] bool isSuspended() const { return m_cancel.paused(); }
    // Whether kill() ended it (no summary was shown).
    [[nodiscard]] bool wasKilled() const { return m_killed; }
    // Whether some item was left out, by the person's choice or after an error.
    [[nodiscard]] bool anyLeftOut() const { return m_anyLeftOut; }
    // Ends a killed job here and now, without waiting for the event loop: the
    // worker is joined and finished() is sent. For callers whose event loop is over.
    void finishNow();

signals:
    void progressed(const shell::ProgressSnapshot& progress);
    // leftOut: the items left out after errors, with the note on what the drive
    // could not hold; never empty when outcome is Failed for that reason.
    void finished(shell::CopyOutcome outcome, const std::vector<shell::LeftOutItem>& leftOut);

private:
    void run(std::vector<CopyRun> runs);
    void workerDone();
    void reportProgress();

    std::vector<CopyRun> m_runs; // one for the request; one per folder when left-out items are retried
    CopyJobParts m_parts;
    CancelToken m_cancel;
    std::unique_ptr<CopyQuestions> m_answerer;
    std::unique_ptr<FileSystem> m_fs;
    std::unique_ptr<CopyProgress> m_progress;
    std::unique_ptr<ProgressTee> m_tee;
    std::unique_ptr<UiThreadQuestions> m_questions;
    std::thread m_worker;
    QTimer m_progressTimer;
    CopyOutcome m_outcome = CopyOutcome::Failed;
    std::vector<LeftOutItem> m_leftOut;
    std::string m_notKept;
    bool m_running = false;
    bool m_killed = false;
    bool m_anyLeftOut = false;
    bool m_recordSaved = false; // a run of this job saved a record: Undo is for this copy
};

} // namespace shell
