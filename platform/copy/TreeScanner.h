#pragma once
// Counts a source folder's whole tree before anything is copied, so the request
// knows its totals (for the progress and the free-space check) up front. Only the
// totals are kept, never the tree: the copy walks the tree again, the same way
// (TreeWalk). Links are counted, never followed, so a link loop cannot make it go
// round. An item that cannot be opened, listed or looked at is put to the user
// (Retry, Skip, Cancel): nothing is left out without a word.

#include "platform/copy/TreeWalk.h"
#include "platform/copy/fs/FileSystem.h"
#include "platform/copy/fs/UniqueFd.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace shell {

struct TreeTotals {
    std::uint64_t items = 0;
    std::uint64_t bytes = 0;
    std::uint64_t blocks = 0;  // what the items occupy on the disk, in whole blocks of blockSize
    std::uint64_t largest = 0; // the blocks of the largest file
};

class TreeScanner {
public:
    // Asked when an item cannot be read; Retry tries again, Skip leaves the item
    // (and everything below it) out of the totals, Cancel ends the scan.
    using ErrorHandler = FolderListing::ErrorHandler;

    TreeScanner(FileSystem& fs, CancelToken& cancel, std::uint64_t blockSize, ErrorHandler onError);

    // Counts the folder name of the open folder parent, shown to the user as shown.
    // Folders come before their contents (pre-order), names sorted by their bytes.
    // Returns false when cancelled; nothing is counted when the folder itself was skipped.
    bool scan(int parent, const std::string& name, const std::string& shown);

    [[nodiscard]] const TreeTotals& totals() const { return m_totals; }
    void countSingle(const struct stat& st, const std::string& shown);

    // Files larger than limit bytes are not counted but listed (their shown names):
    // the destination cannot hold them, so they will not be copied.
    void leaveOutFilesOver(std::int64_t limit) { m_largestFile = limit; }
    [[nodiscard]] const std::vector<std::string>& tooLarge() const { return m_tooLarge; }

private:
    void count(EntryKind kind, const struct stat& st, const std::string& shown);
    // Opens the folder name of the folder open as at, lists it and counts it; false
    // when the user skipped it.
    bool enter(TreeWalk<UniqueFd>& walk, int at, const std::string& name, const std::string& shown);

    FileSystem& m_fs;
    CancelToken& m_cancel;
    std::uint64_t m_blockSize;
    ErrorHandler m_onError;
    TreeTotals m_totals;
    std::int64_t m_largestFile = 0; // 0: no limit
    std::vector<std::string> m_tooLarge;
};

} // namespace shell
