#pragma once
// Copies one source item of a request, with its whole tree when it is a folder, into
// the destination folder: the tree is walked again as it was counted (TreeWalk),
// each folder made or merged into before its items, each item past the clash
// policy, and small files handed to the workers in batches from one folder. An item
// not copied counts as done, with its tree, so the progress reaches its end.

#include "platform/copy/ClashPolicy.h"
#include "platform/copy/CopyPlan.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/FolderPair.h"
#include "platform/copy/ItemCopier.h"
#include "platform/copy/TreeWalk.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace shell {

class WorkerPool;

class TreeCopier {
public:
    // pool: the workers for small files, or none to copy everything in order.
    TreeCopier(CopySession& session, const CopyPlan& plan, ItemCopier& items, ClashPolicy& clash,
               WorkerPool* pool);
    ~TreeCopier();
    TreeCopier(const TreeCopier&) = delete;
    TreeCopier& operator=(const TreeCopier&) = delete;

    // Copies source into the destination folder root.
    void copy(const CopyPlan::Source& source, const std::shared_ptr<FolderPair>& root);

private:
    // A folder of the tree being copied, while its entries are walked.
    struct Folder {
        std::shared_ptr<FolderPair> pair;
        // Made by this request, so the entries below cannot clash with what was there
        // (and if something appears there meanwhile, naming the copy refuses to replace it).
        bool fresh = false;
        std::string counted; // the folder as counting showed it, to know the items left out then
        // Names given out here, by how the drive compares them (case folded where it
        // ignores case), each with the name it was given as.
        std::unordered_map<std::string, std::string> given;
    };
    using Walk = TreeWalk<Folder>;

    void enter(Walk& walk, const std::shared_ptr<FolderPair>& parent, const std::string& name,
               const std::string& target, bool insideFresh, const struct stat& st, std::string counted,
               bool caseOnly);
    std::shared_ptr<FolderPair> openFolder(const std::shared_ptr<FolderPair>& parent, const std::string& name,
                                           std::string target, bool insideFresh, bool& fresh, bool caseOnly,
                                           struct stat& st, struct stat& made);
    // Each holds nothing when the user skipped the folder.
    UniqueFd openSourceFolder(const FolderPair& parent, const std::string& name, struct stat& st);
    // made: the copy folder as it is once opened.
    UniqueFd openTargetFolder(const FolderPair& parent, const std::string& target, const struct stat& source,
                              bool merge, struct stat& made);
    // Copies one item that is not a folder; false when the request is cancelled.
    bool copyItem(const std::shared_ptr<FolderPair>& parent, bool insideFresh, const std::string& name,
                  std::string target, EntryKind kind, const struct stat& st, bool caseOnly);
    // Whether target was given out already in folder, to an earlier incoming item:
    // the item is then asked about as a clash, once the earlier one is there to be
    // seen. caseOnly: the two names differ in case alone.
    bool givenBefore(Folder& folder, const DriveAbilities& drive, const std::string& target, bool& caseOnly);
    void skipItem(int folder, const std::string& name, const struct stat& st);
    void handOver();
    void waitForWorkers();
    DriveAbilities driveOf(const FolderPair& folder);

    CopySession& m_session;
    const CopyPlan& m_plan;
    ItemCopier& m_items;
    ClashPolicy& m_clash;
    WorkerPool* m_pool;
    // Small files go to the workers in batches from one folder: one hand-over, and one
    // wake-up of a worker, for a batch rather than for each file.
    std::shared_ptr<FolderPair> m_batchFolder;
    std::vector<ItemCopier::BatchFile> m_batch;
};

} // namespace shell
