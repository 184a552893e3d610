#include "platform/shell/FileOperation.h"

#include "platform/shell/CopyEngine.h"
#include "platform/shell/CopyNaming.h"
#include "platform/shell/DialogQuestions.h"
#include "platform/shell/FileOperationHooks.h"
#include "platform/shell/PosixFileSystem.h"
#include "platform/shell/ProgressController.h"
#include "platform/shell/UiThreadQuestions.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <exception>
#include <thread>

namespace shell {

namespace {

FileOperationHooks& hooks()
{
    static FileOperationHooks current;
    return current;
}

} // namespace

FileOperationHooks setFileOperationHooks(FileOperationHooks replacement)
{
    FileOperationHooks previous = std::move(hooks());
    hooks() = std::move(replacement);
    return previous;
}

int SHFileOperationA(SHFILEOPSTRUCTA& request)
{
    request.fAnyOperationsAborted = false;
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

    std::unique_ptr<CopyQuestions> answerer =
        h.questions ? h.questions() : std::unique_ptr<CopyQuestions>(new DialogQuestions);
    std::unique_ptr<FileSystem> fs = h.fileSystem ? h.fileSystem() : std::make_unique<PosixFileSystem>();
    CancelToken cancel;
    std::unique_ptr<CopyProgress> progress =
        h.progress ? h.progress(cancel) : std::make_unique<WindowedProgress>(cancel);

    // The questions are answered on this thread while it waits in the loop below.
    QEventLoop loop;
    UiThreadQuestions questions(*answerer, &loop);
    CopyEngine engine(*fs, questions, *progress, cancel, h.options);

    int result = FileOpFailed;
    std::thread worker([&] {
        try {
            result = engine.run(sources, destinations.front());
        } catch (const std::exception&) {
            result = FileOpFailed; // out of memory or threads: report failure, never success
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The caller's windows keep painting and its timers keep ticking meanwhile.
    loop.exec();
    worker.join();

    request.fAnyOperationsAborted = result == FileOpCancelled || engine.anyLeftOut();
    return result;
}

} // namespace shell
