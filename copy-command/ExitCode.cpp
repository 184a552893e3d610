#include "copy-command/ExitCode.h"

namespace copycmd {

ExitCode exitCodeFor(shell::CopyOutcome outcome, bool anyLeftOut)
{
    switch (outcome) {
    case shell::CopyOutcome::Cancelled:
        return kExitCancelled;
    case shell::CopyOutcome::Refused:
        return kExitFailed;
    case shell::CopyOutcome::Success:
    case shell::CopyOutcome::Failed:
        break;
    }
    // An item kept where the trash refused it is listed although the rest succeeded:
    // something asked for is not there either way.
    if (anyLeftOut)
        return kExitLeftOut;
    return outcome == shell::CopyOutcome::Success ? kExitCopied : kExitFailed;
}

ExitCode exitCodeForUndo(shell::UndoOutcome outcome)
{
    switch (outcome) {
    case shell::UndoOutcome::Undone:
        return kExitCopied;
    case shell::UndoOutcome::Partly:
        return kExitLeftOut;
    case shell::UndoOutcome::NothingToUndo:
    case shell::UndoOutcome::AlreadyUndone:
        break;
    }
    return kExitFailed;
}

} // namespace copycmd
