#pragma once
// How a copy request ended.

namespace shell {

enum class CopyOutcome {
    Success,   // every item asked for is there, and on the disk
    Cancelled, // the user cancelled (or answered No to a needed folder)
    Refused,   // the request cannot be carried out as asked: nothing was written
    Failed,    // an item could not be copied, or the copy could not be made durable
};

} // namespace shell
