#include "platform/copy/RetryPlan.h"

#include "platform/copy/CopyNaming.h"

#include <algorithm>

namespace shell {

std::vector<CopyRun> retryRuns(const std::vector<std::string>& sources, const std::string& destination,
                               const std::vector<LeftOutItem>& leftOut)
{
    std::vector<CopyRun> runs;
    for (const LeftOutItem& left : leftOut) {
        for (const std::string& given : sources) {
            // A source is copied as its last name into destination: so is what lies inside it.
            const std::string source = withoutTrailingSlash(given);
            const bool wildcard = hasWildcard(nameOf(source));
            const bool inside = left.item.size() > source.size() && left.item.compare(0, source.size(), source) == 0
                                && left.item[source.size()] == '/';
            const std::string holder = parentOf(source);
            const bool matched = wildcard ? parentOf(left.item) == holder
                                                && matchesWildcard(nameOf(source), nameOf(left.item))
                                          : left.item == source;
            if (!inside && !matched)
                continue;
            // The item's folder below the source's holder, made again below destination.
            std::string within = parentOf(left.item);
            if (holder == ".")
                within = within == "." ? "" : within;
            else
                within.erase(0, holder == "/" ? 1 : holder.size() + 1);
            const std::string into = within.empty() ? destination : joinPath(destination, within);
            auto run = std::find_if(runs.begin(), runs.end(), [&](const CopyRun& r) { return r.destination == into; });
            if (run == runs.end())
                runs.push_back({{left.item}, into});
            else
                run->sources.push_back(left.item);
            break;
        }
    }
    return runs;
}

} // namespace shell
