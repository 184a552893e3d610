#pragma once
// One walk through a folder's tree, shared by counting and copying. Folders are
// listed relative to their open descriptors (never by path), names sorted by their
// bytes, and gone through from a stack of their own rather than by recursion, so a
// tree of any depth is walked completely. Each entry is looked at, never through a
// link (when is the caller's choice): one removed since the listing is passed over,
// one made since is there. A folder that is one of the folders open above it, or one of
// the folders their entries go into (only a bind mount can bring a folder back inside
// itself, or the destination inside the source), is given as a Loop, never entered.
// What cannot be listed or looked at is put to the caller's question (Retry, Skip,
// Cancel): nothing is left out without a word.

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyProgress.h"
#include "platform/copy/CopyQuestions.h"
#include "platform/copy/fs/FileSystem.h"
#include "platform/copy/fs/Paths.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace shell {

enum class EntryKind : std::uint8_t { Folder, File, Link, Fifo, Special, Loop };

[[nodiscard]] EntryKind kindOf(mode_t mode);

// The part of the walk that knows nothing of what the caller keeps for a folder.
class FolderListing {
public:
    // Asked when a folder cannot be listed or an entry looked at: Retry tries again,
    // Skip leaves it out, Cancel ends the walk.
    using ErrorHandler = std::function<ErrorAnswer(const std::string& item, CopyError error)>;

    FolderListing(FileSystem& fs, CancelToken& cancel, ErrorHandler onError);

    // The names in the folder open as fd, sorted; false when skipped or cancelled.
    bool list(int fd, const std::string& shown, std::vector<std::string>& names);

    enum class Look { Found, Gone, Skipped };
    // Looks at the entry name of the folder open as fd.
    Look look(int fd, const std::string& name, const std::string& shown, struct stat& st);

    // Runs call (0 or minus errno) until it succeeds or the user gives up; false when
    // skipped or cancelled.
    bool retrying(const std::string& item, const std::function<int()>& call);

    [[nodiscard]] CancelToken& cancel() const { return m_cancel; }

private:
    FileSystem& m_fs;
    CancelToken& m_cancel;
    ErrorHandler m_onError;
};

// Folder: what the caller keeps for each folder open in the walk (the counting keeps
// its descriptor, the copy its pair of source and copy); it is let go once the
// folder's last entry has been walked.
template <typename Folder> class TreeWalk {
public:
    // When the entries of a folder are looked at: as their turn comes (counting), or
    // all of them as the folder is listed, before any is copied (copying: what a
    // folder's entries were when it was entered is what is copied, and a folder
    // swapped for a link meanwhile is refused when it is opened, never followed).
    enum class Looking { WhenReached, WhenListed };
    struct Entry {
        std::string name;
        std::string shown; // the path the user is shown
        struct stat st {};
        EntryKind kind = EntryKind::File;
    };
    enum class Step {
        Entry,     // the next entry, in the innermost folder
        Skipped,   // an entry that could not be looked at was skipped by the user
        Done,      // every folder is walked
        Cancelled, // the request is cancelled
    };

    TreeWalk(FileSystem& fs, CancelToken& cancel, FolderListing::ErrorHandler onError, Looking looking)
        : m_listing(fs, cancel, std::move(onError)), m_looking(looking)
    {
    }

    // Entries the walk passes over without looking at them (those left out while
    // the tree was counted).
    void passOver(std::function<bool(const Folder&, const std::string& name)> unseen)
    {
        m_unseen = std::move(unseen);
    }

    // Lists the folder open as fd (looked at as st) and walks it next, inside the
    // innermost one; into: the folder its entries go into, if any. False, and nothing
    // kept, when its listing was skipped or cancelled.
    bool enter(Folder folder, int fd, const struct stat& st, std::string shown,
               const struct stat* into = nullptr)
    {
        std::vector<std::string> names;
        if (!m_listing.list(fd, shown, names))
            return false;
        Level level{
            std::move(folder), fd, {st.st_dev, st.st_ino}, {}, std::move(shown), std::move(names), {}, 0};
        if (into != nullptr)
            level.into = {into->st_dev, into->st_ino};
        if (m_looking == Looking::WhenListed)
            lookAtAll(level);
        m_levels.push_back(std::move(level));
        return true;
    }

    Step next(Entry& entry)
    {
        for (;;) {
            if (m_listing.cancel().checkpoint())
                return Step::Cancelled;
            if (m_levels.empty())
                return Step::Done;
            Level& top = m_levels.back();
            if (top.next == top.names.size()) {
                m_levels.pop_back();
                continue;
            }
            const size_t at = top.next++;
            entry.name = std::move(top.names[at]);
            entry.shown = joinPath(top.shown, entry.name);
            if (m_looking == Looking::WhenListed) {
                if (top.looked[at].skipped)
                    return Step::Skipped;
                entry.st = top.looked[at].st;
            } else {
                if (m_unseen && m_unseen(top.folder, entry.name))
                    continue;
                const FolderListing::Look look = m_listing.look(top.fd, entry.name, entry.shown, entry.st);
                if (look == FolderListing::Look::Gone)
                    continue;
                if (look == FolderListing::Look::Skipped)
                    return m_listing.cancel().cancelled() ? Step::Cancelled : Step::Skipped;
            }
            entry.kind = kindOf(entry.st.st_mode);
            if (entry.kind == EntryKind::Folder && encloses(entry.st))
                entry.kind = EntryKind::Loop;
            return Step::Entry;
        }
    }

    // The innermost folder: the one holding the entry next() gave last.
    [[nodiscard]] Folder& folder() { return m_levels.back().folder; }
    [[nodiscard]] int descriptor() const { return m_levels.back().fd; }

    FolderListing& listing() { return m_listing; }

private:
    struct Looked {
        struct stat st;
        bool skipped; // could not be looked at, and the user skipped it
    };
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0; // 0: none
        [[nodiscard]] bool is(const struct stat& st) const
        {
            return inode != 0 && device == st.st_dev && inode == st.st_ino;
        }
    };
    struct Level {
        Folder folder;
        int fd; // held open by the caller's folder
        Identity self;
        Identity into;
        std::string shown;
        std::vector<std::string> names;
        std::vector<Looked> looked; // one for each name, when looked at as listed
        size_t next;
    };

    // Looks at every entry of a folder just listed. Entries gone since the listing,
    // and those passed over, are dropped; once cancelled, the rest are.
    void lookAtAll(Level& level)
    {
        size_t kept = 0;
        level.looked.reserve(level.names.size());
        for (size_t i = 0; i < level.names.size(); ++i) {
            const std::string& name = level.names[i];
            if (m_unseen && m_unseen(level.folder, name))
                continue;
            Looked looked{};
            const FolderListing::Look look =
                m_listing.look(level.fd, name, joinPath(level.shown, name), looked.st);
            if (look == FolderListing::Look::Skipped && m_listing.cancel().cancelled())
                break;
            if (look == FolderListing::Look::Gone)
                continue;
            looked.skipped = look == FolderListing::Look::Skipped;
            level.looked.push_back(looked);
            if (kept != i)
                level.names[kept] = std::move(level.names[i]);
            ++kept;
        }
        level.names.resize(kept);
    }

    [[nodiscard]] bool encloses(const struct stat& st) const
    {
        return std::any_of(m_levels.begin(), m_levels.end(),
                           [&](const Level& l) { return l.self.is(st) || l.into.is(st); });
    }

    FolderListing m_listing;
    const Looking m_looking;
    std::function<bool(const Folder&, const std::string&)> m_unseen;
    std::vector<Level> m_levels;
};

} // namespace shell
