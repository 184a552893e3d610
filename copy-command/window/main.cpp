// quintaro-copy-window: the windowed form of quintaro-copy, which starts it for
// --progress and --choose-destination with the same request. It shows the
// service's own progress window, asks its questions in the service's boxes (but
// for the kinds --answers chose), ends with the summary of what was left out, and
// exits as the terminal form does (ExitCode.h). SIGINT and SIGTERM cancel it like
// the window's Cancel, also while it waits for the destination to be chosen.

#include "copy-command/ChosenAnswers.h"
#include "copy-command/CommandLine.h"
#include "copy-command/ExitCode.h"
#include "copy-command/SignalCancel.h"
#include "copy-command/TerminalReport.h"
#include "platform/copy-ui/CopyJob.h"
#include "platform/copy-ui/DialogQuestions.h"
#include "platform/copy-ui/UndoWindow.h"
#include "platform/copy/DescriptorLimit.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <cstdlib>
#include <optional>

using namespace copycmd;

namespace {

// Without a display Qt would end the process with an abort, which says nothing.
bool displayKnown()
{
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

// What a signal stops, on the user-interface thread: the folder window while the
// destination is chosen, then the copy.
struct Stoppable {
    bool stopped = false;
    QPointer<QFileDialog> chooser;
    shell::CopyJob* job = nullptr;

    void stop()
    {
        stopped = true;
        if (chooser)
            chooser->reject();
        if (job == nullptr)
            return;
        job->kill(); // a question on screen is answered Cancel
    }
};

// The destination folder, asked for in the folder window, which opens where the
// first source is; nothing when the window is closed without a choice.
std::optional<std::string> chooseDestination(const CommandLine& command, Stoppable& stoppable)
{
    QFileDialog chooser(nullptr, QStringLiteral("Copy to Folder"),
                        QFileInfo(QString::fromStdString(command.sources.front())).absolutePath());
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setLabelText(QFileDialog::Accept, QStringLiteral("Copy Here"));
    stoppable.chooser = &chooser;
    const bool chosen = chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty();
    stoppable.chooser = nullptr;
    if (!chosen || stoppable.stopped)
        return std::nullopt;
    return chooser.selectedFiles().front().toStdString();
}

} // namespace

int main(int argc, char** argv)
{
    const ParsedCommandLine parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok || parsed.command.action == CommandLine::Action::Help) {
        report(parsed.ok ? "the windowed form copies or undoes; see quintaro-copy --help" : parsed.error);
        std::fputs(usageLine().c_str(), stderr);
        return kExitUsage;
    }
    CommandLine command = parsed.command;
    if (!displayKnown()) {
        report("cannot show the progress window: no display");
        return kExitFailed;
    }
    shell::raiseDescriptorLimit();

    // Before Qt starts any thread, so none of them takes the signals. A signal that
    // comes before the application is there is remembered.
    std::atomic<bool> stopAsked{false};
    std::atomic<QObject*> ui{nullptr};
    Stoppable stoppable;
    std::optional<SignalCancel> stopSignals;
    stopSignals.emplace([&] {
        stopAsked.store(true);
        if (QObject* target = ui.load())
            QMetaObject::invokeMethod(
                target, [&stoppable] { stoppable.stop(); }, Qt::QueuedConnection);
    });

    QApplication app(argc, argv);
    // Gone before the application, on every way out: no signal reaches it from then on.
    struct SignalsFirst {
        std::optional<SignalCancel>& waiter;
        ~SignalsFirst() { waiter.reset(); }
    } signalsFirst{stopSignals};
    QApplication::setApplicationName(QStringLiteral("quintaro-copy"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quintaro")));
    // The windows come and go (a question before the progress window shows): the
    // job's end ends the program, not its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    ui.store(&app);
    if (stopAsked.load())
        return kExitCancelled; // nothing was started

    if (command.action == CommandLine::Action::UndoLast) {
        const shell::UndoReport undone = shell::undoLastCopy(shell::copyHistoryFolder());
        shell::showUndoReport(undone);
        return exitCodeForUndo(undone.outcome);
    }

    if (command.chooseDestination) {
        const std::optional<std::string> folder = chooseDestination(command, stoppable);
        if (!folder)
            return kExitCancelled;
        command.destination = *folder;
    }

    shell::CopyJobParts parts; // the service's own windows
    parts.options.undoHistory = shell::copyHistoryFolder();
    parts.options.patterns = false; // the caller's shell has expanded any pattern
    if (command.verify)             // else the choice saved in the service's settings holds
        parts.options.verify = std::make_shared<std::atomic<bool>>(true);
    if (command.answers.any()) {
        const AnswerList answers = command.answers;
        parts.questions = [answers] {
            return std::make_unique<ChosenAnswers>(answers, std::make_unique<shell::DialogQuestions>());
        };
    }
    shell::CopyJob job(command.sources, command.destination, std::move(parts));
    QObject::connect(&job, &shell::CopyJob::finished, &app,
                     [](shell::CopyOutcome outcome, const std::vector<shell::LeftOutItem>& leftOut) {
                         QApplication::exit(exitCodeFor(outcome, !leftOut.empty()));
                     });
    stoppable.job = &job;
    if (stoppable.stopped)
        return kExitCancelled;
    job.start();
    const int code = QApplication::exec();
    stopSignals.reset(); // no signal reaches the job from here on
    stoppable.job = nullptr;
    return code;
}
