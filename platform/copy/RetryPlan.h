#pragma once
// A request run again for just the items it left out: each item goes to the folder
// it was to be copied into, so the items are grouped into one run per folder.

#include "platform/copy/CopySession.h"

#include <string>
#include <vector>

namespace shell {

struct CopyRun {
    std::vector<std::string> sources;
    std::string destination;
};

// The runs that copy again each left-out item of the request (sources into
// destination) that lies in one of its sources; other entries (notes about the
// drive, the destination itself) are no items to copy and are passed over.
[[nodiscard]] std::vector<CopyRun> retryRuns(const std::vector<std::string>& sources,
                                             const std::string& destination,
                                             const std::vector<LeftOutItem>& leftOut);

} // namespace shell
