#pragma once
// quintaro-copy's exit status, the same in its terminal and its windowed form.
//
//   0  copied: every item asked for is there, and on the disk
//   1  failed: the request could not be carried out as asked (a missing source, the
//      destination inside a source, a read-only drive: nothing was copied), or the
//      copy could not be made durable, or it could not run at all
//   2  bad usage: the command line was wrong; nothing was looked at
//   4  finished with items left out after errors (each one listed)
//   5  cancelled: by an answer (error=cancel, the window's Cancel) or by SIGINT or SIGTERM
//
// Items declined by an answer (replace=no) are the caller's choice, not left out.
//
// --undo-last: 0 undone, 4 undone in part (what was not is listed), 1 nothing to
// undo or the last copy undone already.

#include "platform/copy/CopyOutcome.h"
#include "platform/copy/UndoCopy.h"

namespace copycmd {

enum ExitCode : int {
    kExitCopied = 0,
    kExitFailed = 1,
    kExitUsage = 2,
    kExitLeftOut = 4,
    kExitCancelled = 5,
};

// anyLeftOut: the engine listed items left out (its leftOut() is not empty).
[[nodiscard]] ExitCode exitCodeFor(shell::CopyOutcome outcome, bool anyLeftOut);
[[nodiscard]] ExitCode exitCodeForUndo(shell::UndoOutcome outcome);

} // namespace copycmd
