#include "platform/copy/CopyPlan.h"

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyNaming.h"
#include "platform/copy/IdenticalItems.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unordered_map>

namespace shell {

namespace {

std::string shown(const std::string& path)
{
    return "\"" + path + "\"";
}

bool isDotName(const std::string& name)
{
    return name == "." || name == "..";
}

} // namespace

CopyPlan::CopyPlan(CopySession& session) : m_session(session)
{
}

CopyOutcome CopyPlan::refuse(CopyOutcome outcome, const std::string& message)
{
    m_session.ask([&](CopyQuestions& q) { q.requestFailed(message); });
    return outcome;
}

CopyOutcome CopyPlan::takeSources(const std::vector<std::string>& names)
{
    FileSystem& fs = m_session.fs;
    for (const std::string& raw : names) {
        std::string name = withoutTrailingSlash(raw);
        Source source{name, {}, {}, false};
        const int looked = fs.lstat(name, &source.st);
        if (looked == -ENOENT && m_session.options.patterns && hasWildcard(nameOf(name))) {
            if (CopyOutcome w = expandWildcard(name); w != CopyOutcome::Success)
                return w;
            continue;
        }
        // "sub/.." or "." names no folder of its own: the copy takes the name the folder has.
        // So does "link/", which names the folder the link leads to, not the link.
        CopyError error = CopyError::fromCall(looked);
        const bool throughLink = !error && S_ISLNK(source.st.st_mode) && name != raw;
        if (!error && (isDotName(nameOf(name)) || throughLink))
            error = CopyError::fromCall(fs.realPath(name, source.path));
        if (!error && throughLink) {
            error = CopyError::fromCall(fs.lstat(source.path, &source.st));
            if (!error && !S_ISDIR(source.st.st_mode))
                error = CopyError::system(ENOTDIR);
        }
        if (!error && (source.path == "/" || isDotName(nameOf(source.path))))
            error = Fault::NoName;
        if (error)
            return refuse(CopyOutcome::Refused, "Cannot copy " + shown(name) + ": " + describeError(error));
        m_sources.push_back(std::move(source));
    }
    // One folder cannot take two items of one name: said before anything is written,
    // rather than as a clash the request made with itself.
    std::unordered_map<std::string, const Source*> byName;
    for (const Source& source : m_sources) {
        const auto [first, fresh] = byName.emplace(nameOf(source.path), &source);
        if (!fresh)
            return refuse(CopyOutcome::Refused, "Cannot copy " + shown(source.path)
                                                    + ": another item to copy, " + shown(first->second->path)
                                                    + ", has the same name.");
    }
    for (Source& source : m_sources) {
        // O_PATH: a folder that may be searched but not read still holds copyable items.
        source.parent = UniqueFd(fs, fs.open(parentOf(source.path), O_PATH | O_DIRECTORY));
        struct stat now {};
        CopyError error =
            CopyError::fromCall(source.parent ? fs.statAt(source.parent.get(), nameOf(source.path), &now)
                                              : source.parent.error());
        if (!error && (now.st_dev != source.st.st_dev || now.st_ino != source.st.st_ino))
            error = Fault::Changed;
        if (error)
            return refuse(CopyOutcome::Refused,
                          "Cannot copy " + shown(source.path) + ": " + describeError(error));
    }
    return CopyOutcome::Success;
}

CopyOutcome CopyPlan::expandWildcard(const std::string& name)
{
    const std::string folder = parentOf(name);
    const std::string pattern = nameOf(name);
    std::vector<DirEntry> entries;
    int r = m_session.fs.listDirectory(folder, entries);
    std::vector<std::string> matches;
    for (const DirEntry& e : entries) {
        if (matchesWildcard(pattern, e.name))
            matches.push_back(e.name);
    }
    std::sort(matches.begin(), matches.end());
    size_t before = m_sources.size();
    for (const std::string& match : matches) {
        Source source{name.find('/') == std::string::npos ? match : joinPath(folder, match), {}, {}, false};
        if (m_session.fs.lstat(source.path, &source.st) == 0)
            m_sources.push_back(std::move(source));
    }
    if (m_sources.size() == before) {
        std::string reason = r != 0 ? describeError(CopyError::fromCall(r)) : "No item matches the name.";
        return refuse(CopyOutcome::Refused, "Cannot copy " + shown(name) + ": " + reason);
    }
    return CopyOutcome::Success;
}

CopyOutcome CopyPlan::checkDestination(const std::string& destination)
{
    FileSystem& fs = m_session.fs;
    m_destination = destination;
    const std::string cannot = "Cannot copy to " + shown(destination) + ": ";
    struct stat st {};
    int r = fs.stat(destination, &st);
    if (r == 0 && !S_ISDIR(st.st_mode))
        return refuse(CopyOutcome::Refused, cannot + "it is a file, not a folder.");
    if (r != 0 && r != -ENOENT)
        return refuse(CopyOutcome::Refused, cannot + describeError(CopyError::fromCall(r)));
    // A missing destination is judged by the nearest folder that does exist.
    m_ancestor = destination;
    while (r == -ENOENT && m_ancestor != "/" && m_ancestor != ".") {
        m_ancestor = parentOf(m_ancestor);
        r = fs.stat(m_ancestor, &st);
    }
    if (r != 0 || !S_ISDIR(st.st_mode))
        return refuse(CopyOutcome::Refused,
                      cannot + describeError(r != 0 ? CopyError::fromCall(r) : CopyError::system(ENOTDIR)));
    // A drive that refuses writing is said once, not once for every item.
    if (UniqueFd folder(fs, fs.open(m_ancestor, O_RDONLY | O_DIRECTORY)); folder)
        m_drive = driveLimitsOf(fs, folder.get());
    if (m_drive.readOnly)
        return refuse(CopyOutcome::Refused, cannot + describeError(CopyError::system(EROFS)));
    for (const Source& source : m_sources) {
        if (S_ISDIR(source.st.st_mode) && containsFolder(m_ancestor, source.st))
            return refuse(CopyOutcome::Refused, "Cannot copy " + shown(source.path)
                                                    + ": the destination folder " + shown(destination)
                                                    + " is inside it.");
    }
    return CopyOutcome::Success;
}

// Whether candidate is the folder itself or one of its ancestors, by device and
// inode: links and differently spelled paths to the same folder are caught too.
bool CopyPlan::containsFolder(const std::string& folder, const struct stat& candidate)
{
    std::string current;
    if (m_session.fs.realPath(folder, current) != 0)
        return false;
    for (;;) {
        struct stat st {};
        if (m_session.fs.stat(current, &st) == 0 && st.st_dev == candidate.st_dev
            && st.st_ino == candidate.st_ino)
            return true;
        if (current == "/" || current.empty())
            return false;
        current = parentOf(current);
    }
}

CopyOutcome CopyPlan::count()
{
    FileSystem& fs = m_session.fs;
    struct statvfs volume {};
    std::uint64_t blockSize = fs.statvfs(m_ancestor, &volume) == 0 ? volume.f_frsize : 4096;
    TreeScanner scanner(fs, m_session.cancel, blockSize, [this](const std::string& item, CopyError error) {
        ErrorAnswer answer = m_session.askAboutError(item, error, true);
        if (answer == ErrorAnswer::Skip) {
            ++m_countSkipped;
            m_countSkippedItems.insert(item);
        }
        return answer;
    });
    scanner.leaveOutFilesOver(m_drive.largestFile);
    for (Source& source : m_sources) {
        if (S_ISDIR(source.st.st_mode)) {
            const std::uint64_t before = scanner.totals().items;
            if (!scanner.scan(source.parent.get(), nameOf(source.path), source.path))
                return CopyOutcome::Cancelled;
            source.counted = scanner.totals().items != before;
        } else {
            const size_t before = scanner.tooLarge().size();
            scanner.countSingle(source.st, source.path);
            source.counted = scanner.tooLarge().size() == before;
        }
    }
    m_totals = scanner.totals();
    if (!scanner.tooLarge().empty() && !leaveOutTooLarge(scanner.tooLarge()))
        return CopyOutcome::Cancelled;
    return CopyOutcome::Success;
}

// Files the destination's file system cannot hold are left out before anything is
// written, with one question for all of them (Skip or Cancel): false when cancelled.
bool CopyPlan::leaveOutTooLarge(const std::vector<std::string>& items)
{
    const std::string reason = describeError(Fault::TooLarge);
    std::string asked = reason;
    if (items.size() == 2)
        asked += " One other file is too large for it as well.";
    else if (items.size() > 2)
        asked += " " + std::to_string(items.size() - 1) + " other files are too large for it as well.";
    ErrorAnswer answer =
        m_session.ask([&](CopyQuestions& q) { return q.copyError(items.front(), asked, false); });
    if (answer == ErrorAnswer::Cancel || m_session.cancel.cancelled()) {
        m_session.cancel.cancel();
        return false;
    }
    for (const std::string& item : items) {
        m_session.noteLeftOut(item, reason);
        m_countSkippedItems.insert(item);
    }
    m_countSkipped += items.size();
    return true;
}

CopyOutcome CopyPlan::openTarget()
{
    if (m_ancestor != m_destination) {
        if (!m_session.ask([&](CopyQuestions& q) { return q.createFolder(m_destination); }))
            return CopyOutcome::Cancelled;
        if (CopyOutcome made = makeDestination(); made != CopyOutcome::Success)
            return made;
    }
    m_target = UniqueFd(m_session.fs, m_session.fs.open(m_destination, O_RDONLY | O_DIRECTORY));
    if (!m_target)
        return refuse(CopyOutcome::Failed, "Cannot copy to " + shown(m_destination) + ": "
                                               + describeError(CopyError::fromCall(m_target.error())));
    return CopyOutcome::Success;
}

CopyOutcome CopyPlan::makeDestination()
{
    FileSystem& fs = m_session.fs;
    // Parents first; each one that already exists is fine.
    std::vector<std::string> missing;
    struct stat st {};
    for (std::string p = m_destination; fs.stat(p, &st) == -ENOENT && p != "/" && p != "."; p = parentOf(p))
        missing.push_back(p);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        int r = fs.mkdir(*it, 0777); // the process umask decides, as for any new folder
        if (r != 0 && r != -EEXIST)
            return refuse(CopyOutcome::Failed, "Cannot create the folder " + shown(*it) + ": "
                                                   + describeError(CopyError::fromCall(r)));
    }
    return CopyOutcome::Success;
}

// What the items the copy replaces occupy now: they stay on the drive, in its trash.
TreeTotals CopyPlan::replacedTotals(std::uint64_t blockSize, std::string& shownReplaced, std::uint64_t& count)
{
    FileSystem& fs = m_session.fs;
    TreeScanner counter(fs, m_session.cancel, blockSize,
                        [](const std::string&, CopyError) { return ErrorAnswer::Skip; });
    count = 0;
    for (const Source& source : m_sources) {
        const std::string name = nameOf(source.path);
        struct stat st {};
        if (!source.counted || fs.statAt(target(), name, &st) != 0
            || (st.st_dev == source.st.st_dev && st.st_ino == source.st.st_ino)
            || S_ISDIR(st.st_mode) != S_ISDIR(source.st.st_mode))
            continue; // nothing replaced, or a copy beside itself, or a clash the copy refuses
        ++count;
        shownReplaced = joinPath(m_destination, name);
        if (S_ISDIR(st.st_mode))
            counter.scan(target(), name, name);
        else
            counter.countSingle(st, name);
    }
    if (count > 1)
        shownReplaced = m_destination;
    return counter.totals();
}

CopyOutcome CopyPlan::checkRoom()
{
    struct statvfs volume {};
    if (m_session.fs.statvfs(m_destination, &volume) != 0)
        return CopyOutcome::Success; // nothing known; the copy itself will tell
    if (volume.f_blocks == 0)
        return CopyOutcome::Success; // a FUSE drive that reports no sizes at all (fusefat): just as little
                                     // known
    const std::uint64_t available = static_cast<std::uint64_t>(volume.f_bavail) * volume.f_frsize;
    if (m_totals.blocks <= available)
        return CopyOutcome::Success;
    // The new items fit once the replaced ones are gone for good: each is replaced
    // after its new copy is complete, so the largest new file needs room beside it.
    std::string shownReplaced;
    std::uint64_t replacedItems = 0;
    const TreeTotals replaced = replacedTotals(volume.f_frsize, shownReplaced, replacedItems);
    if (replaced.blocks != 0
        && m_totals.blocks - std::min(m_totals.blocks, replaced.blocks) + m_totals.largest <= available) {
        const std::string reason = describeError(Fault::NoRoomToKeep);
        if (!m_session.ask([&](CopyQuestions& q) {
                return q.deleteReplacedToFit(shownReplaced, replacedItems, reason);
            }))
            return CopyOutcome::Cancelled;
        m_session.deleteReplacedFromNowOn();
        return CopyOutcome::Success;
    }
    bool go = m_session.ask(
        [&](CopyQuestions& q) { return q.copyWithoutRoom(m_destination, m_totals.blocks, available); });
    return go ? CopyOutcome::Success : CopyOutcome::Cancelled;
}

std::uint64_t CopyPlan::countIdenticalFiles()
{
    std::uint64_t count = 0;
    for (const Source& source : m_sources) {
        const std::string name = nameOf(source.path);
        struct stat there {};
        // Nothing there (a fresh copy costs nothing here), or the item itself (copied beside itself).
        if (!source.counted || m_session.fs.statAt(target(), name, &there) != 0
            || (there.st_dev == source.st.st_dev && there.st_ino == source.st.st_ino))
            continue;
        count += countIdentical(m_session.fs, source.parent.get(), name, target(), name, coarseTimes(m_drive),
                                m_session.cancel);
    }
    return count;
}

} // namespace shell
