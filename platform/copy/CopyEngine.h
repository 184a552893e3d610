#pragma once
// The copy engine: one request copies source items (files, folders with their whole
// tree, or the matches of a wildcard) into one destination folder. It runs on the
// caller's thread from start to end and talks to the world only through the file
// system, the questions and the progress it is given, so it needs no window.
//
// Trees are walked and made relative to open folders (FolderPair), never by path:
// a tree of any depth copies completely, and nothing is ever made outside the
// destination folder, whatever is renamed or swapped for a link meanwhile.

#include "platform/copy/CopyOutcome.h"
#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/DriveLimits.h"
#include "platform/copy/fs/FileSystem.h"
#include "platform/copy/FolderPair.h"
#include "platform/copy/ItemCopier.h"
#include "platform/copy/TreeScanner.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace shell {

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
    // File data written by the request: no holes, nothing skipped, nothing linked.
    [[nodiscard]] std::int64_t bytesWritten() const { return m_session.bytesWritten(); }

private:
    struct Source {
        std::string path; // "." and ".." resolved: its last part is the item's own name
        struct stat st {};
        int parent = -1;      // the folder holding it, open
        bool counted = false; // false: left out while the trees were counted
    };
    enum class Clash { None, Replace, Merge, Skip, Cancel, KeepBoth, Identical };
    // An entry of a folder being copied, as it was when the folder was listed.
    struct Listed {
        std::string name;
        EntryKind kind = EntryKind::File;
        bool linked = false;   // files: more than one name, so links within the tree can be kept
        std::int64_t size = 0; // files: bytes
        dev_t device = 0;
        ino_t inode = 0;
    };

    CopyOutcome collectSources(const std::vector<std::string>& names, std::vector<Source>& sources);
    CopyOutcome expandWildcard(const std::string& name, std::vector<Source>& sources);
    CopyOutcome checkDestination(const std::string& destination, const std::vector<Source>& sources,
                         std::string& existingAncestor);
    bool containsFolder(const std::string& folder, const struct stat& candidate);
    CopyOutcome makeDestination(const std::string& destination);
    bool leaveOutTooLarge(const std::vector<std::string>& items);
    TreeTotals replacedTotals(int target, const std::vector<Source>& sources, std::uint64_t blockSize,
                              std::string& shownReplaced, const std::string& destination);
    CopyOutcome checkRoom(const std::string& destination, int target, const std::vector<Source>& sources,
                  const TreeTotals& totals);

    std::optional<std::string> targetFor(const FolderPair& root, const Source& source);
    void copyTree(const Source& source, const std::shared_ptr<FolderPair>& root);
    std::shared_ptr<FolderPair> openFolder(const std::shared_ptr<FolderPair>& parent, const std::string& name,
                                           std::string target, bool insideFresh, bool& fresh, bool caseOnly);
    int openSourceFolder(const FolderPair& parent, const std::string& name, struct stat& st);
    int openTargetFolder(const FolderPair& parent, const std::string& target, const struct stat& source,
                         bool merge);
    // caseOnly: the item there differs from the incoming one's name in case alone.
    Clash resolveClash(const FolderPair& folder, const std::string& name, const std::string& target,
                       bool incomingFolder, bool caseOnly = false);
    // The name an item takes on the drive of folder: its own, or one the user agreed
    // to where the drive refuses it; nothing when it is not to be copied.
    std::optional<std::string> nameOnDrive(const FolderPair& folder, const std::string& name);
    // A name beside target that is free in folder, for an item kept beside another ("a (2).txt").
    std::optional<std::string> freeName(const FolderPair& folder, const std::string& target, bool isFolder);
    [[nodiscard]] bool coarseTimes() const;
    // How many files of the request are there already with the same size and date.
    std::uint64_t countIdenticalFiles(int target, const std::vector<Source>& sources);
    DriveAbilities driveOf(const FolderPair& folder);
    bool listFolder(const FolderPair& folder, const std::string& counted, std::vector<Listed>& children);
    bool lookAt(const FolderPair& folder, const std::string& name, struct stat& st, bool& gone);
    void skipItem(int folder, const std::string& name, const struct stat& st);
    void sweepPartials(int folder);

    CopySession m_session;
    DriveLimits m_drive; // of the destination (or of its nearest existing ancestor)
    ItemCopier m_items;
    std::unique_ptr<WorkerPool> m_pool;
    std::optional<ClashAnswer> m_replaceAll; // Yes, No or KeepBoth, for every file clash
    std::optional<ClashAnswer> m_mergeAll;   // the same for folders
    std::uint64_t m_identical = 0;           // files of the request there already, same size and date
    bool m_skipIdentical = false;            // those are left as they are
    std::optional<bool> m_renameAll;  // refused names: Rename all (true) or Skip all (false)
    std::uint64_t m_countSkipped = 0; // items left out while the trees were counted
    // Those items as counting showed them: the copy leaves them out without asking again.
    std::unordered_set<std::string> m_countSkippedItems;
};

} // namespace shell
