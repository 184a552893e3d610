#pragma once
// The copy engine: one request copies source items (files, folders with their whole
// tree, or the matches of a wildcard) into one destination folder. It runs on the
// caller's thread from start to end and talks to the world only through the file
// system, the questions and the progress it is given, so it needs no window.

#include "platform/shell/CopyProgress.h"
#include "platform/shell/CopyQuestions.h"
#include "platform/shell/CopySession.h"
#include "platform/shell/FileSystem.h"
#include "platform/shell/ItemCopier.h"
#include "platform/shell/TreeScanner.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace shell {

class WorkerPool;

class CopyEngine {
public:
    CopyEngine(FileSystem& fs, CopyQuestions& questions, CopyProgress& progress, CancelToken& cancel,
               CopyOptions options = {});
    ~CopyEngine();

    // Returns one of the FileOpResult codes (zero for success).
    int run(const std::vector<std::string>& sources, const std::string& destination);
    // Whether some item was left out, by the user's choice or after an error.
    [[nodiscard]] bool anyLeftOut() const { return m_session.failed() || m_session.declined(); }
    // Items left out after errors (not those the user declined), for the summary.
    [[nodiscard]] std::vector<LeftOutItem> leftOut() const { return m_session.leftOut(); }

private:
    struct Source {
        std::string path;
        struct stat st {};
        std::vector<TreeEntry> tree;
    };
    enum class Clash { None, Replace, Merge, Skip, Cancel };

    int collectSources(const std::vector<std::string>& names, std::vector<Source>& sources);
    int expandWildcard(const std::string& name, std::vector<Source>& sources);
    int checkDestination(const std::string& destination, const std::vector<Source>& sources,
                         std::string& existingAncestor);
    bool containsFolder(const std::string& folder, const struct stat& candidate);
    int makeDestination(const std::string& destination);
    int checkRoom(const std::string& destination, const TreeTotals& totals);

    std::string targetFor(const Source& source, const std::string& destination);
    void copyTree(const Source& source, const std::string& targetRoot);
    bool copyFolderEntry(const std::string& source, const std::string& target, const TreeEntry& entry,
                         bool insideFresh, bool& created);
    Clash resolveClash(const std::string& source, const std::string& target, bool incomingFolder);
    void skipEntries(const std::vector<TreeEntry>& tree, size_t from, size_t to);
    void sweepPartials(const std::string& folder);
    void finishFolders();

    CopySession m_session;
    ItemCopier m_items;
    std::unique_ptr<WorkerPool> m_pool;
    std::optional<bool> m_replaceAll;
    std::optional<bool> m_mergeAll;
    std::vector<std::pair<std::string, std::string>> m_createdFolders; // (source, target), in tree order
};

} // namespace shell
