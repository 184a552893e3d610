#pragma once
// Counts a source folder's whole tree before anything is copied, so the request
// knows its totals (for the progress and the free-space check) up front. Only the
// totals are kept, never the tree: the copy walks the tree again. The walk
// goes from open folder to open folder (never by path), so a tree of any depth is
// listed completely; links are listed, never followed, so a link loop cannot make
// it go round. An item that cannot be opened, listed or looked at is put to the
// user (Retry, Skip, Cancel): nothing is left out without a word.

#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/fs/FileSystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace shell {

enum class EntryKind : std::uint8_t { Folder, File, Link, Fifo, Special, Loop };

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
    using ErrorHandler = std::function<ErrorAnswer(const std::string& item, int error)>;

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
    // Runs call until it succeeds or the user gives up; false when skipped or cancelled.
    template <typename F> bool retrying(const std::string& item, F call);

    FileSystem& m_fs;
    CancelToken& m_cancel;
    std::uint64_t m_blockSize;
    ErrorHandler m_onError;
    TreeTotals m_totals;
    std::int64_t m_largestFile = 0; // 0: no limit
    std::vector<std::string> m_tooLarge;
};

[[nodiscard]] EntryKind kindOf(mode_t mode);

} // namespace shell
