#include "platform/copy/ClashPolicy.h"

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyNaming.h"
#include "platform/copy/IdenticalItems.h"

#include <cerrno>

namespace shell {

namespace {

// Names tried beside an original before the copy gives up on a name.
constexpr int kMaxDuplicates = 10000;

ItemDetails detailsOf(const std::string& path, const struct stat& st)
{
    return {path, S_ISDIR(st.st_mode), static_cast<std::int64_t>(st.st_size), st.st_mtim};
}

} // namespace

ClashPolicy::ClashPolicy(CopySession& session, bool coarseTimes)
    : m_session(session), m_coarseTimes(coarseTimes)
{
}

ClashPolicy::Clash ClashPolicy::settle(const FolderPair& folder, const std::string& name, std::string& target,
                                       bool incomingFolder, bool caseOnly)
{
    bool keepBoth = false;
    const Clash clash = resolve(folder, name, target, incomingFolder, caseOnly, keepBoth);
    if (!keepBoth)
        return clash;
    std::optional<std::string> free = freeName(folder, target, incomingFolder);
    if (!free)
        return Clash::Skip;
    target = std::move(*free);
    return Clash::None;
}

ClashPolicy::Clash ClashPolicy::resolve(const FolderPair& folder, const std::string& name,
                                        const std::string& target, bool incomingFolder, bool caseOnly,
                                        bool& keepBoth)
{
    FileSystem& fs = m_session.fs;
    const std::string from = joinPath(folder.shownSource(), name);
    const std::string to = joinPath(folder.shownTarget(), target);
    for (;;) {
        if (m_session.cancel.cancelled())
            return Clash::Cancel;
        struct stat existing {};
        const int r = fs.statAt(folder.target(), target, &existing);
        if (r == -ENOENT)
            return Clash::None;
        CopyError error = CopyError::fromCall(r);
        if (r == 0 && S_ISDIR(existing.st_mode) != incomingFolder)
            error = incomingFolder ? Fault::FileClash : Fault::FolderClash;
        if (error) {
            ErrorAnswer answer = m_session.askAboutError(to, error, true);
            if (answer == ErrorAnswer::Retry)
                continue;
            return answer == ErrorAnswer::Skip ? Clash::Skip : Clash::Cancel;
        }
        struct stat incoming {};
        const bool incomingKnown = fs.statAt(folder.source(), name, &incoming) == 0;
        // Once asked for, the earlier copies of files stay as they are: nothing replaced, nothing trashed.
        if (m_skipIdentical && !incomingFolder && incomingKnown
            && sameSizeAndDate(existing, incoming, m_coarseTimes))
            return Clash::Identical;
        if (m_skipIdentical && incomingFolder && !caseOnly)
            return Clash::Merge; // the earlier copies are looked for inside, file by file
        std::optional<ClashAnswer>& all = incomingFolder ? m_mergeAll : m_replaceAll;
        ClashAnswer answer = ClashAnswer::No;
        if (all) {
            answer = *all;
        } else {
            ItemDetails theirs = detailsOf(to, existing);
            ItemDetails ours = detailsOf(from, incoming);
            ours.sameSizeAndDate = m_skipIdentical ? 0 : m_identical;
            answer = m_session.ask([&](CopyQuestions& q) {
                if (caseOnly)
                    return q.caseClash(theirs, ours);
                return incomingFolder ? q.mergeFolder(theirs, ours) : q.replaceItem(theirs, ours);
            });
        }
        switch (answer) {
        case ClashAnswer::SkipIdentical:
            m_skipIdentical = true;
            continue; // this item too, where it is one of them; else it is asked about again
        case ClashAnswer::KeepBothToAll:
            all = ClashAnswer::KeepBoth;
            [[fallthrough]];
        case ClashAnswer::KeepBoth: // the incoming item takes a free name beside it
            keepBoth = true;
            return Clash::None;
        case ClashAnswer::YesToAll:
            all = ClashAnswer::Yes;
            [[fallthrough]];
        case ClashAnswer::Yes:
            return incomingFolder ? Clash::Merge : Clash::Replace;
        case ClashAnswer::NoToAll:
            all = ClashAnswer::No;
            [[fallthrough]];
        case ClashAnswer::No:
            m_session.markDeclined();
            return Clash::Skip;
        case ClashAnswer::Cancel:
            m_session.cancel.cancel();
            return Clash::Cancel;
        }
        return Clash::Cancel;
    }
}

std::optional<std::string> ClashPolicy::nameOnDrive(const FolderPair& folder, const std::string& name)
{
    const std::string refused = refusedByWindowsDrives(name);
    if (refused.empty())
        return name;
    const std::string safe = windowsSafeName(name);
    const std::string item = joinPath(folder.shownSource(), name);
    NameAnswer answer = NameAnswer::Rename;
    if (m_renameAll)
        answer = *m_renameAll ? NameAnswer::Rename : NameAnswer::Skip;
    else
        answer = m_session.ask([&](CopyQuestions& q) { return q.refusedName(item, refused, safe); });
    switch (answer) {
    case NameAnswer::RenameAll:
        m_renameAll = true;
        [[fallthrough]];
    case NameAnswer::Rename:
        return safe;
    case NameAnswer::SkipAll:
        m_renameAll = false;
        [[fallthrough]];
    case NameAnswer::Skip:
        // Nothing of it is on the drive: the list says so.
        m_session.noteLeftOut(item, "This drive cannot store " + refused + ".");
        return std::nullopt;
    case NameAnswer::Cancel:
        break;
    }
    m_session.cancel.cancel();
    return std::nullopt;
}

std::optional<std::string> ClashPolicy::targetFor(const FolderPair& root, const std::string& source,
                                                  const struct stat& st)
{
    const std::string name = nameOf(source);
    struct stat there {};
    if (m_session.fs.statAt(root.target(), name, &there) != 0 || there.st_dev != st.st_dev
        || there.st_ino != st.st_ino)
        return name;
    // Copied onto itself: the copy goes beside the original under a new name.
    const bool folder = S_ISDIR(st.st_mode);
    for (int n = 1; n <= kMaxDuplicates && !m_session.cancel.cancelled(); ++n) {
        const std::string candidate = duplicateName(name, folder, n);
        int r = m_session.fs.statAt(root.target(), candidate, &there);
        if (r == -ENOENT)
            return candidate;
        if (r != 0) {
            m_session.askAboutError(joinPath(root.shownTarget(), candidate), CopyError::fromCall(r), false);
            return std::nullopt;
        }
    }
    if (!m_session.cancel.cancelled())
        m_session.askAboutError(source, Fault::NoName, false);
    return std::nullopt;
}

std::optional<std::string> ClashPolicy::freeName(const FolderPair& folder, const std::string& target,
                                                 bool isFolder)
{
    for (int n = 1; n <= kMaxDuplicates && !m_session.cancel.cancelled(); ++n) {
        const std::string candidate = keptBothName(target, isFolder, n);
        struct stat st {};
        int r = m_session.fs.statAt(folder.target(), candidate, &st);
        if (r == -ENOENT)
            return candidate;
        if (r != 0)
            break;
    }
    if (!m_session.cancel.cancelled())
        m_session.askAboutError(joinPath(folder.shownTarget(), target), Fault::NoName, false);
    return std::nullopt;
}

} // namespace shell
