#pragma once
// One copy request with the service's windows, run as a job: start() puts the
// engine on a worker thread, the progress window and the questions are served by
// the event loop, and finished() comes once the worker is done and the summary (if
// any items were left out) has been closed. kill() stops it as the window's Cancel
// does, and also answers a question that is on screen.
//
// The shape of the service's CopyJob, over the parts that exist here, so the
// windowed form moves to that job by changing one type.

#include "platform/copy/CopyEngine.h"
#include "platform/copy/CopyOutcome.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/fs/PosixFileSystem.h"

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace shell {
class UiThreadQuestions;
class WindowedProgress;
} // namespace shell

namespace copycmd {

class WindowedCopy : public QObject {
    Q_OBJECT
public:
    // questions: the answerer on the user-interface thread (the service's boxes).
    WindowedCopy(std::vector<std::string> sources, std::string destination,
                 std::function<std::unique_ptr<shell::CopyQuestions>()> questions, QObject* parent = nullptr);
    ~WindowedCopy() override;

    void start();
    void kill();
    [[nodiscard]] bool isRunning() const { return m_worker.joinable(); }

signals:
    // leftOut: with the note of what the drive could not hold, when there are items.
    void finished(shell::CopyOutcome outcome, const std::vector<shell::LeftOutItem>& leftOut);

private:
    void workerEnded();

    std::vector<std::string> m_sources;
    std::string m_destination;
    std::function<std::unique_ptr<shell::CopyQuestions>()> m_makeQuestions;
    shell::CancelToken m_cancel;
    shell::PosixFileSystem m_fs;
    std::unique_ptr<shell::CopyQuestions> m_answerer;
    std::unique_ptr<shell::WindowedProgress> m_progress;
    std::unique_ptr<shell::UiThreadQuestions> m_questions;
    std::unique_ptr<shell::CopyEngine> m_engine;
    shell::CopyOutcome m_outcome = shell::CopyOutcome::Failed;
    bool m_killed = false;
    std::thread m_worker;
};

} // namespace copycmd
