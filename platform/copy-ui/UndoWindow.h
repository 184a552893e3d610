#pragma once
// The service's word on an undo: done, done in part (with every item that could
// not be undone and why, as text to select and copy), nothing to undo, or refused
// because the copy was undone already.

#include "platform/copy/UndoCopy.h"

namespace shell {

// Shows the report modally, without an owner window.
void showUndoReport(const UndoReport& report);

} // namespace shell
