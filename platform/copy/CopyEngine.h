#pragma once
// The copy engine: one request copies source items (files, folders with their whole
// tree, or the matches of a wildcard) into one destination folder. It runs on the
// caller's thread from start to end and talks to the world only through the file
// system, the questions and the progress it is given, so it needs no window.
//
// A request goes through its states in order: it is made a plan (CopyPlan: sources,
// destination, totals and the checks before anything is written), the destination
// is prepared (its temporaries swept), each source is copied (TreeCopier, past the
// ClashPolicy), and what was written is flushed before the request says how it ended.
// Trees are walked and made relative to open folders (FolderPair), never by path:
// a tree of any depth copies completely, and nothing is ever made outside the
// destination folder, whatever is renamed or swapped for a link meanwhile.

#include "platform/copy/CopyOutcome.h"
#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/ItemCopier.h"
#include "platform/copy/fs/FileSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace shell {

class ClashPolicy;
class CopyPlan;
class WorkerPool;

class CopyEngine {
public:
    CopyEngine(FileSystem& fs, CopyQuestions& questions, CopyProgress& progress, CancelToken& cancel,
               CopyOptions options = {});
    ~CopyEngine();

    CopyOutcome run(const std::vector<std::string>& sources, const std::string& destination);
    // Whether some item was left out, by the user's choice or after an error.
    [[nodiscard]] bool anyLeftOut() const { return m_session.failed() || m_session.declined(); }
    // Items left out after errors (not those the user declined), for the summary.
    [[nodiscard]] std::vector<LeftOutItem> leftOut() const { return m_session.leftOut(); }
    // What the destination drive could not hold, in one sentence, or an empty text.
    [[nodiscard]] std::string notKept() const { return m_session.notKept(); }
    // Whether the request saved a record of its own that can be undone (it made or
    // replaced something, and a history folder was given).
    [[nodiscard]] bool recordSaved() const { return m_recordSaved; }
    // File data written by the request: no holes, nothing skipped, nothing linked.
    [[nodiscard]] std::int64_t bytesWritten() const { return m_session.bytesWritten(); }

private:
    CopyOutcome makePlan(CopyPlan& plan, const std::vector<std::string>& names,
                         const std::string& destination);
    void chooseDurability(const CopyPlan& plan);
    // The destination made ready: its drive probed, what killed copies left there
    // swept, the progress told the totals, the workers started.
    void prepareTarget(CopyPlan& plan, ClashPolicy& clash);
    void copySources(CopyPlan& plan, ClashPolicy& clash);
    CopyOutcome finish(const CopyPlan& plan);

    CopySession m_session;
    ItemCopier m_items;
    std::unique_ptr<WorkerPool> m_pool;
    bool m_recordSaved = false;
};

} // namespace shell
