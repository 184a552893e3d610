#pragma once
// Lists a source folder's whole tree before anything is copied, so the request
// knows its totals (for the progress and the free-space check) up front. The walk
// goes from open folder to open folder (never by path), so a tree of any depth is
// listed completely; links are listed, never followed, so a link loop cannot make
// it go round. An item that cannot be opened, listed or looked at is put to the
// user (Retry, Skip, Cancel): nothing is left out without a word.

#include "platform/shell/CopyProgress.h"
#include "platform/shell/CopyQuestions.h"
#include "platform/shell/FileSystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace shell {

enum class EntryKind : std::uint8_t { Folder, File, Link, Fifo, Special, Loop };

struct TreeEntry {
    std::string name;      // the entry's own name in its folder (the first entry: the listed folder's)
    std::uint32_t end = 0; // folders: index one past the last entry of their subtree
    EntryKind kind = EntryKind::File;
    bool linked = false;   // files: more than one name, so links within the tree can be kept
    std::int64_t size = 0; // files: bytes
};

struct TreeTotals {
    std::uint64_t items = 0;
    std::uint64_t bytes = 0;
    std::uint64_t blocks = 0; // what the items occupy on the disk, in whole blocks of blockSize
};

class TreeScanner {
public:
    // Asked when an item cannot be read; Retry tries again, Skip leaves the item
    // (and everything below it) out of the tree, Cancel ends the scan.
    using ErrorHandler = std::function<ErrorAnswer(const std::string& item, int error)>;

    TreeScanner(FileSystem& fs, CancelToken& cancel, std::uint64_t blockSize, ErrorHandler onError);

    // Lists the folder name of the open folder parent, shown to the user as shown.
    // Folders come before their contents (pre-order), names sorted by their bytes.
    // Returns false when cancelled; an empty tree when the folder itself was skipped.
    bool scan(int parent, const std::string& name, const std::string& shown, std::vector<TreeEntry>& entries);

    [[nodiscard]] const TreeTotals& totals() const { return m_totals; }
    void countSingle(const struct stat& st);

private:
    void count(EntryKind kind, const struct stat& st);
    // Runs call until it succeeds or the user gives up; false when skipped or cancelled.
    template <typename F> bool retrying(const std::string& item, F call);

    FileSystem& m_fs;
    CancelToken& m_cancel;
    std::uint64_t m_blockSize;
    ErrorHandler m_onError;
    TreeTotals m_totals;
};

[[nodiscard]] EntryKind kindOf(mode_t mode);

} // namespace shell
