#include "platform/shell/FileOperation.h"

#include "platform/copy-ui/CallerWindowsLock.h"
#include "platform/copy/CopyEngine.h"
#include "platform/copy/CopyNaming.h"
#include "platform/copy-ui/DialogQuestions.h"
#include "platform/shell/FileOperationHooks.h"
#include "platform/copy/fs/PosixFileSystem.h"
#include "platform/copy-ui/ProgressController.h"
#include "platform/copy-ui/SummaryWindow.h"
#include "platform/copy-ui/UiThreadQuestions.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <exception>
#include <thread>

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

// The request in progress, known to abandonFileOperation(). Only the
// user-interface thread touches it.
struct Running {
    CancelToken* cancel = nullptr;
    const CallerWindowsLock* lock = nullptr;
    UiThreadQuestions* questions = nullptr;
    bool abandoned = false;
};
Running* g_running = nullptr;

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

bool abandonFileOperation()
{
    if (g_running == nullptr)
        return false;
    g_running->abandoned = true;
    g_running->cancel->resume(); // a paused copy must come round to see the cancel
    g_running->cancel->cancel();
    if (g_running->questions != nullptr)
        g_running->questions->abandon(); // questions not yet on screen never get there
    // A question on screen holds the worker until it is answered: answer it now.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(w);
        if (dialog != nullptr && dialog->isVisible() && !g_running->lock->locks(dialog))
            dialog->reject();
    }
    return true;
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
    CancelToken cancel;
    Running running{&cancel, &lock, nullptr, false};
    g_running = &running;
    struct Clear {
        ~Clear() { g_running = nullptr; }
    } clear;

    std::unique_ptr<CopyQuestions> answerer =
        h.questions ? h.questions() : std::unique_ptr<CopyQuestions>(new DialogQuestions);
    std::unique_ptr<FileSystem> fs = h.fileSystem ? h.fileSystem() : std::make_unique<PosixFileSystem>();
    std::unique_ptr<CopyProgress> progress =
        h.progress ? h.progress(cancel) : std::make_unique<WindowedProgress>(cancel);

    // The questions are answered on this thread while it waits in the loop below.
    QEventLoop loop;
    UiThreadQuestions questions(*answerer, &loop, dynamic_cast<QuestionWatcher*>(progress.get()));
    running.questions = &questions;
    CopyEngine engine(*fs, questions, *progress, cancel, h.options);

    int result = FileOpFailed;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        try {
            result = resultCode(engine.run(sources, destinations.front()));
        } catch (const std::exception&) {
            result = FileOpFailed; // out of memory or threads: report failure, never success
        }
        finished.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The caller's windows keep painting and its timers keep ticking meanwhile.
    loop.exec();
    if (!finished.load()) {
        // The loop ended before the copy: the application is quitting, and this thread
        // serves no more events. The copy stops, and its questions are answered Cancel
        // here instead of waiting for this thread, which now only waits for the worker.
        abandonFileOperation();
    }
    worker.join();
    progress.reset(); // the progress window goes before the summary comes

    std::vector<LeftOutItem> leftOut = engine.leftOut();
    if (!leftOut.empty()) {
        // What the drive could not hold goes with the list, once; alone it is no reason for one.
        if (const std::string note = engine.notKept(); !note.empty())
            leftOut.push_back({destinations.front(), note});
        if (result == FileOpSuccess)
            result = FileOpFailed; // something the person asked for is not there
        if (!running.abandoned) {
            if (h.summary)
                h.summary(leftOut);
            else if (qobject_cast<QApplication*>(app))
                showLeftOutSummary(leftOut);
        }
    }
    request.fAnyOperationsAborted = result == FileOpCancelled || engine.anyLeftOut();
    return result;
}

} // namespace shell
