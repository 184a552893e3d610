#pragma once
// Undoing the last copy request of the user's history: the items it made go to the
// trash, and each item it replaced comes back from the trash to its place, where
// that place is free again. An item changed since the copy (another size, time or
// inode) is left as it is, and so is whatever depends on it: nothing is forced,
// and what could not be undone is listed with its reason. A copy is undone once.

#include "platform/copy/CopySession.h"

#include <string>
#include <vector>

namespace shell {

enum class UndoOutcome {
    Undone,        // every item as it was before the copy
    Partly,        // some items could not be undone: see notUndone
    NothingToUndo, // no copy is recorded
    AlreadyUndone, // the last copy was undone before: refused
};

struct UndoReport {
    UndoOutcome outcome = UndoOutcome::NothingToUndo;
    std::vector<LeftOutItem> notUndone;
};

[[nodiscard]] UndoReport undoLastCopy(const std::string& historyFolder);

// "already undone", "nothing to undo" and the like, for the command and the windows.
[[nodiscard]] std::string describeUndo(UndoOutcome outcome);

} // namespace shell
