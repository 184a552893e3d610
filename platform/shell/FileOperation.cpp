#include "platform/shell/FileOperation.h"

#include "platform/copy-ui/CallerWindowsLock.h"
#include "platform/copy-ui/CopyJob.h"
#include "platform/copy/CopyNaming.h"
#include "platform/shell/FileOperationHooks.h"

#include <QApplication>
#include <QEventLoop>
#include <optional>

namespace shell {

namespace {

int resultCode(CopyOutcome outcome)
{
    switch (outcome) {
    case CopyOutcome::Success: return FileOpSuccess;
    case CopyOutcome::Cancelled: return FileOpCancelled;
    case CopyOutcome::Refused: return FileOpRefused;
    case CopyOutcome::Failed: break;
    }
    return FileOpFailed;
}

FileOperationHooks& hooks()
{
    static FileOperationHooks current;
    return current;
}

// The request running on the user-interface thread: one at a time.
CopyJob* g_running = nullptr;

} // namespace

FileOperationHooks setFileOperationHooks(FileOperationHooks replacement)
{
    FileOperationHooks previous = std::move(hooks());
    hooks() = std::move(replacement);
    return previous;
}

bool fileOperationRunning()
{
    return g_running != nullptr;
}

CopyJob* runningFileOperation()
{
    return g_running;
}

int SHFileOperationA(SHFILEOPSTRUCTA& request)
{
    request.fAnyOperationsAborted = false;
    if (g_running != nullptr)
        return FileOpBusy; // nested inside the running request's event loop: start nothing
    if (request.wFunc != FO_COPY)
        return FileOpRefused;
    const std::vector<std::string> sources = splitNameList(request.pFrom.constData(), request.pFrom.size());
    const std::vector<std::string> destinations = splitNameList(request.pTo.constData(), request.pTo.size());
    if (sources.empty() || destinations.size() != 1)
        return FileOpRefused;

    const FileOperationHooks& h = hooks();
    QCoreApplication* app = QCoreApplication::instance();
    // Real message boxes and the progress window need a running widget application.
    const bool windows = !h.questions || !h.progress;
    if (!app || (windows && !qobject_cast<QApplication*>(app)))
        return FileOpRefused;

    // Taken before any of the service's windows exist, so those stay usable.
    CallerWindowsLock lock;
    CopyJobParts parts = h;
    // Undo allowed: the request is recorded in the user's history of copies.
    if ((request.fFlags & FOF_ALLOWUNDO) != 0 && parts.options.undoHistory.empty())
        parts.options.undoHistory = copyHistoryFolder();
    CopyJob job(sources, destinations.front(), std::move(parts));
    g_running = &job;
    struct Clear {
        ~Clear() { g_running = nullptr; }
    } clear;
    std::optional<CopyOutcome> outcome;
    QEventLoop loop;
    QObject::connect(&job, &CopyJob::finished, &loop, [&](CopyOutcome result, const std::vector<LeftOutItem>&) {
        outcome = result;
        loop.quit();
    });
    job.start();
    // The caller's windows keep painting and its timers keep ticking meanwhile.
    if (!outcome)
        loop.exec();
    if (!outcome) {
        // The loop ended before the copy: the application is quitting, and this thread
        // serves no more events. The job is killed, so its worker asks nothing more of
        // this thread, and ends here.
        job.finishNow();
    }
    request.fAnyOperationsAborted = *outcome == CopyOutcome::Cancelled || job.anyLeftOut();
    return resultCode(*outcome);
}

} // namespace shell
