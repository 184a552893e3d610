// quintaro-copy: the copy service for other programs and scripts. See CommandLine.h
// for the command line, ExitCode.h for the exit status, TerminalReport.h for what
// it says. Without --progress it copies here, with the answers that lose nothing
// (or those --answers chose) and no windows; with it, the windowed form takes over.

#include "copy-command/ChosenAnswers.h"
#include "copy-command/CommandLine.h"
#include "copy-command/ExitCode.h"
#include "copy-command/SignalCancel.h"
#include "copy-command/TerminalReport.h"
#include "copy-command/WindowForm.h"
#include "platform/copy/CopyEngine.h"
#include "platform/copy/DescriptorLimit.h"
#include "platform/copy/LoseNothingQuestions.h"
#include "platform/copy/ProgressState.h"
#include "platform/copy/UndoCopy.h"
#include "platform/copy/fs/PosixFileSystem.h"

#include <cstring>
#include <exception>

namespace {

using namespace copycmd;

int startWindowForm(const CommandLine& command)
{
    const std::optional<std::string> window = findWindowForm();
    if (!window) {
        report(std::string("cannot show the progress window: ") + kWindowFormName + " is not installed");
        return kExitFailed;
    }
    const int error = execWindowForm(*window, windowArguments(command));
    report("cannot show the progress window: " + *window + ": " + std::strerror(error));
    return kExitFailed;
}

int copy(const CommandLine& command)
{
    // Each item left out is listed once, at the end, from the engine's own list; the
    // other messages (why a request cannot go ahead, a short room) come as they happen.
    AnswerList answers = command.answers;
    if (!answers.error)
        answers.error = shell::ErrorAnswer::Skip;
    const auto say = [](const std::string& message) { report(message); };
    ChosenAnswers questions(answers, std::make_unique<shell::LoseNothingQuestions>(say), say);
    shell::PosixFileSystem fs;
    shell::ProgressState progress;
    shell::CancelToken cancel;
    SignalCancel stopSignals([&cancel] { cancel.cancel(); });
    shell::CopyOutcome outcome = shell::CopyOutcome::Failed;
    std::vector<shell::LeftOutItem> leftOut;
    std::string notKept;
    shell::CopyOptions options;
    options.undoHistory = shell::copyHistoryFolder();
    options.patterns = false; // the caller's shell has expanded any pattern
    if (command.verify)
        options.verify = std::make_shared<std::atomic<bool>>(true);
    try {
        shell::CopyEngine engine(fs, questions, progress, cancel, options);
        outcome = engine.run(command.sources, command.destination);
        leftOut = engine.leftOut();
        notKept = engine.notKept();
    } catch (const std::exception& e) {
        report(std::string("the copy stopped: ") + e.what()); // out of memory or threads: never success
        outcome = shell::CopyOutcome::Failed;
    }
    reportLeftOut(leftOut, notKept);
    if (outcome == shell::CopyOutcome::Cancelled && stopSignals.signalled())
        report("cancelled");
    return exitCodeFor(outcome, !leftOut.empty());
}

int undoLast()
{
    const shell::UndoReport undone = shell::undoLastCopy(shell::copyHistoryFolder());
    for (const shell::LeftOutItem& item : undone.notUndone)
        report("not undone: " + item.item + ": " + item.reason);
    if (undone.outcome != shell::UndoOutcome::Undone)
        report(shell::describeUndo(undone.outcome));
    return exitCodeForUndo(undone.outcome);
}

} // namespace

int main(int argc, char** argv)
{
    const ParsedCommandLine parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok) {
        report(parsed.error);
        std::fputs(usageLine().c_str(), stderr);
        return kExitUsage;
    }
    const CommandLine& command = parsed.command;
    if (command.action == CommandLine::Action::Help) {
        std::fputs(usageText().c_str(), stdout);
        return kExitCopied;
    }
    if (command.progress)
        return startWindowForm(command);
    if (command.action == CommandLine::Action::UndoLast)
        return undoLast();
    shell::raiseDescriptorLimit();
    return copy(command);
}
