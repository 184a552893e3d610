#pragma once
// Lists a source folder's whole tree before anything is copied, so the request
// knows its totals (for the progress and the free-space check) up front. Links
// are listed, never followed, so a link loop cannot make the walk go round.

#include "platform/shell/CopyProgress.h"
#include "platform/shell/FileSystem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace shell {

enum class EntryKind : std::uint8_t { Folder, File, Link, Fifo, Special, Loop };

struct TreeEntry {
    std::string relative;  // path below the listed folder; empty for the folder itself
    std::uint32_t end = 0; // folders: index one past the last entry of their subtree
    EntryKind kind = EntryKind::File;
    int listError = 0;     // folders: minus errno when their contents could not be listed
    std::int64_t size = 0; // files: bytes
};

struct TreeTotals {
    std::uint64_t items = 0;
    std::uint64_t bytes = 0;
    std::uint64_t blocks = 0; // bytes rounded up to whole blocks of blockSize
};

class TreeScanner {
public:
    TreeScanner(FileSystem& fs, CancelToken& cancel, std::uint64_t blockSize);

    // Folders come before their contents (pre-order), names sorted by their bytes.
    // Returns false when cancelled.
    bool scan(const std::string& folder, const struct stat& folderStat, std::vector<TreeEntry>& entries);

    [[nodiscard]] const TreeTotals& totals() const { return m_totals; }
    void countSingle(const struct stat& st);

private:
    void count(EntryKind kind, std::int64_t size);

    FileSystem& m_fs;
    CancelToken& m_cancel;
    std::uint64_t m_blockSize;
    TreeTotals m_totals;
};

[[nodiscard]] EntryKind kindOf(mode_t mode);

} // namespace shell
