#include "platform/shell/CopyEngine.h"

#include "platform/shell/CopyErrors.h"
#include "platform/shell/CopyNaming.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/WorkerPool.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace shell {

namespace {

std::string shown(const std::string& path)
{
    return "\"" + path + "\"";
}

ItemDetails detailsOf(const std::string& path, const struct stat& st)
{
    return {path, S_ISDIR(st.st_mode), static_cast<std::int64_t>(st.st_size), st.st_mtim};
}

} // namespace

CopyEngine::CopyEngine(FileSystem& fs, CopyQuestions& questions, CopyProgress& progress, CancelToken& cancel,
                       CopyOptions options)
    : m_session(fs, questions, progress, cancel, options), m_items(m_session)
{
}

CopyEngine::~CopyEngine() = default;

int CopyEngine::run(const std::vector<std::string>& names, const std::string& destinationName)
{
    FileSystem& fs = m_session.fs;
    const std::string destination = withoutTrailingSlash(destinationName);
    if (names.empty() || destination.empty())
        return FileOpRefused;

    std::vector<Source> sources;
    if (int r = collectSources(names, sources); r != 0)
        return r;
    std::string ancestor;
    if (int r = checkDestination(destination, sources, ancestor); r != 0)
        return r;

    m_session.progress.preparing();
    struct statvfs volume {};
    std::uint64_t blockSize = fs.statvfs(ancestor, &volume) == 0 ? volume.f_frsize : 4096;
    TreeScanner scanner(fs, m_session.cancel, blockSize);
    for (Source& source : sources) {
        if (S_ISDIR(source.st.st_mode)) {
            if (!scanner.scan(source.path, source.st, source.tree))
                return FileOpCancelled;
        } else {
            scanner.countSingle(source.st);
            source.tree.push_back({{}, 1, kindOf(source.st.st_mode), 0, source.st.st_size});
        }
    }

    if (ancestor != destination) {
        bool create = m_session.ask([&](CopyQuestions& q) { return q.createFolder(destination); });
        if (!create)
            return FileOpCancelled;
        if (int r = makeDestination(destination); r != 0)
            return r;
    }
    if (int r = checkRoom(destination, scanner.totals()); r != 0)
        return r;

    sweepPartials(destination);
    m_session.noteFolderWritten(destination);
    m_session.progress.started(scanner.totals().items, scanner.totals().bytes);
    if (m_session.options.threads > 1)
        m_pool = std::make_unique<WorkerPool>(m_session.options.threads);

    for (const Source& source : sources) {
        if (m_session.cancel.checkpoint())
            break;
        copyTree(source, targetFor(source, destination));
    }
    if (m_pool)
        m_pool->drain();
    finishFolders();

    // Whatever was written is flushed, cancelled or not; success waits for the disk.
    m_session.progress.finishing();
    int flushed = m_session.flush();
    if (m_session.cancel.cancelled())
        return FileOpCancelled;
    if (flushed != 0) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("The copied items could not be written to the disk in " + shown(destination)
                            + ". " + describeError(flushed));
        });
        return FileOpFailed;
    }
    return m_session.failed() ? FileOpFailed : FileOpSuccess;
}

int CopyEngine::collectSources(const std::vector<std::string>& names, std::vector<Source>& sources)
{
    for (const std::string& raw : names) {
        const std::string name = withoutTrailingSlash(raw);
        Source source{name, {}, {}};
        int r = m_session.fs.lstat(name, &source.st);
        if (r == -ENOENT && hasWildcard(nameOf(name))) {
            if (int w = expandWildcard(name, sources); w != 0)
                return w;
            continue;
        }
        if (r != 0) {
            m_session.ask([&](CopyQuestions& q) {
                q.requestFailed("Cannot copy " + shown(name) + ": " + describeError(r));
            });
            return FileOpRefused;
        }
        sources.push_back(std::move(source));
    }
    return 0;
}

int CopyEngine::expandWildcard(const std::string& name, std::vector<Source>& sources)
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
    size_t before = sources.size();
    for (const std::string& match : matches) {
        Source source{name.find('/') == std::string::npos ? match : joinPath(folder, match), {}, {}};
        if (m_session.fs.lstat(source.path, &source.st) == 0)
            sources.push_back(std::move(source));
    }
    if (sources.size() == before) {
        std::string reason = r != 0 ? describeError(r) : "No item matches the name.";
        m_session.ask(
            [&](CopyQuestions& q) { q.requestFailed("Cannot copy " + shown(name) + ": " + reason); });
        return FileOpRefused;
    }
    return 0;
}

int CopyEngine::checkDestination(const std::string& destination, const std::vector<Source>& sources,
                                 std::string& ancestor)
{
    FileSystem& fs = m_session.fs;
    struct stat st {};
    int r = fs.stat(destination, &st);
    if (r == 0 && !S_ISDIR(st.st_mode)) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("Cannot copy to " + shown(destination) + ": it is a file, not a folder.");
        });
        return FileOpRefused;
    }
    if (r != 0 && r != -ENOENT) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("Cannot copy to " + shown(destination) + ": " + describeError(r));
        });
        return FileOpRefused;
    }
    // A missing destination is judged by the nearest folder that does exist.
    ancestor = destination;
    while (r == -ENOENT && ancestor != "/" && ancestor != ".") {
        ancestor = parentOf(ancestor);
        r = fs.stat(ancestor, &st);
    }
    if (r != 0 || !S_ISDIR(st.st_mode)) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("Cannot copy to " + shown(destination) + ": "
                            + describeError(r != 0 ? r : -ENOTDIR));
        });
        return FileOpRefused;
    }
    for (const Source& source : sources) {
        if (S_ISDIR(source.st.st_mode) && containsFolder(ancestor, source.st)) {
            m_session.ask([&](CopyQuestions& q) {
                q.requestFailed("Cannot copy " + shown(source.path) + ": the destination folder "
                                + shown(destination) + " is inside it.");
            });
            return FileOpRefused;
        }
    }
    return 0;
}

// Whether candidate is the folder itself or one of its ancestors, by device and
// inode: links and differently spelled paths to the same folder are caught too.
bool CopyEngine::containsFolder(const std::string& folder, const struct stat& candidate)
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

int CopyEngine::makeDestination(const std::string& destination)
{
    FileSystem& fs = m_session.fs;
    // Parents first; each one that already exists is fine.
    std::vector<std::string> missing;
    struct stat st {};
    for (std::string p = destination; fs.stat(p, &st) == -ENOENT && p != "/" && p != "."; p = parentOf(p))
        missing.push_back(p);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        int r = fs.mkdir(*it, 0777); // the process umask decides, as for any new folder
        if (r != 0 && r != -EEXIST) {
            m_session.ask([&](CopyQuestions& q) {
                q.requestFailed("Cannot create the folder " + shown(*it) + ": " + describeError(r));
            });
            return FileOpFailed;
        }
    }
    return 0;
}

int CopyEngine::checkRoom(const std::string& destination, const TreeTotals& totals)
{
    struct statvfs volume {};
    if (m_session.fs.statvfs(destination, &volume) != 0)
        return 0; // nothing known; the copy itself will tell
    const std::uint64_t available = static_cast<std::uint64_t>(volume.f_bavail) * volume.f_frsize;
    if (totals.blocks <= available)
        return 0;
    bool go = m_session.ask(
        [&](CopyQuestions& q) { return q.copyWithoutRoom(destination, totals.blocks, available); });
    return go ? 0 : FileOpCancelled;
}

std::string CopyEngine::targetFor(const Source& source, const std::string& destination)
{
    const std::string name = nameOf(source.path);
    std::string target = joinPath(destination, name);
    struct stat st {};
    if (m_session.fs.lstat(target, &st) != 0 || st.st_dev != source.st.st_dev
        || st.st_ino != source.st.st_ino)
        return target;
    // Copied onto itself: the copy goes beside the original under a new name.
    const bool folder = S_ISDIR(source.st.st_mode);
    for (int n = 1;; ++n) {
        target = joinPath(destination, duplicateName(name, folder, n));
        if (m_session.fs.lstat(target, &st) == -ENOENT)
            return target;
    }
}

void CopyEngine::copyTree(const Source& source, const std::string& targetRoot)
{
    const std::vector<TreeEntry>& tree = source.tree;
    // Entries below a folder this request made cannot clash with anything (and if
    // something appears there meanwhile, naming the copy refuses to replace it).
    size_t freshUntil = 0;
    size_t i = 0;
    while (i < tree.size() && !m_session.cancel.checkpoint()) {
        const TreeEntry& entry = tree[i];
        const std::string from = joinPath(source.path, entry.relative);
        const std::string to = joinPath(targetRoot, entry.relative);
        if (entry.kind == EntryKind::Folder) {
            bool created = false;
            if (copyFolderEntry(from, to, entry, i < freshUntil, created)) {
                m_session.progress.itemsDone(1);
                if (created && i >= freshUntil)
                    freshUntil = entry.end;
                ++i;
            } else {
                skipEntries(tree, i, entry.end);
                i = entry.end;
            }
            continue;
        }
        ++i;
        if (entry.kind == EntryKind::Special || entry.kind == EntryKind::Loop) {
            m_session.progress.itemStarted(nameOf(from), parentOf(from), parentOf(to));
            m_session.askAboutError(from, entry.kind == EntryKind::Loop ? kErrorLoop : kErrorSpecial, false);
            m_session.progress.itemsDone(1);
            continue;
        }
        Clash clash = i <= freshUntil ? Clash::None : resolveClash(from, to, false);
        if (clash == Clash::Cancel)
            break;
        if (clash == Clash::Skip) {
            m_session.progress.bytesDone(entry.size);
            m_session.progress.itemsDone(1);
            continue;
        }
        const bool replace = clash == Clash::Replace;
        if (m_pool && entry.kind == EntryKind::File && entry.size < m_session.options.smallFile) {
            m_pool->submit([this, from, to, size = entry.size, replace] {
                m_items.copy(from, to, size, replace, true);
            });
        } else {
            m_items.copy(from, to, entry.size, replace, entry.kind == EntryKind::File);
        }
    }
}

// Makes (or merges into) one folder of the tree. False: its subtree is not copied.
bool CopyEngine::copyFolderEntry(const std::string& from, const std::string& to, const TreeEntry& entry,
                                 bool insideFresh, bool& created)
{
    Clash clash = insideFresh ? Clash::None : resolveClash(from, to, true);
    if (clash == Clash::Skip || clash == Clash::Cancel)
        return false;
    m_session.progress.itemStarted(nameOf(from), parentOf(from), parentOf(to));
    if (clash == Clash::Merge) {
        sweepPartials(to);
    } else {
        for (;;) {
            // Owner-only until its contents are in; its own mode and times come last.
            int r = m_session.fs.mkdir(to, 0700);
            if (r == 0)
                break;
            if (m_session.askAboutError(to, r, true) != ErrorAnswer::Retry)
                return false;
        }
        m_createdFolders.emplace_back(from, to);
        created = true;
    }
    m_session.noteFolderWritten(to);
    if (entry.listError != 0) {
        m_session.askAboutError(from, entry.listError, false);
        return false;
    }
    return true;
}

CopyEngine::Clash CopyEngine::resolveClash(const std::string& from, const std::string& to,
                                           bool incomingFolder)
{
    FileSystem& fs = m_session.fs;
    for (;;) {
        if (m_session.cancel.cancelled())
            return Clash::Cancel;
        struct stat existing {};
        int r = fs.lstat(to, &existing);
        if (r == -ENOENT)
            return Clash::None;
        if (r == 0 && S_ISDIR(existing.st_mode) != incomingFolder)
            r = incomingFolder ? kErrorFileClash : kErrorFolderClash;
        if (r != 0) {
            ErrorAnswer answer = m_session.askAboutError(to, r, true);
            if (answer == ErrorAnswer::Retry)
                continue;
            return answer == ErrorAnswer::Skip ? Clash::Skip : Clash::Cancel;
        }
        std::optional<bool>& all = incomingFolder ? m_mergeAll : m_replaceAll;
        ClashAnswer answer = ClashAnswer::No;
        if (all) {
            answer = *all ? ClashAnswer::Yes : ClashAnswer::No;
        } else {
            struct stat incoming {};
            fs.lstat(from, &incoming);
            ItemDetails theirs = detailsOf(to, existing);
            ItemDetails ours = detailsOf(from, incoming);
            answer = m_session.ask([&](CopyQuestions& q) {
                return incomingFolder ? q.mergeFolder(theirs, ours) : q.replaceItem(theirs, ours);
            });
        }
        switch (answer) {
        case ClashAnswer::YesToAll:
            all = true;
            [[fallthrough]];
        case ClashAnswer::Yes:
            return incomingFolder ? Clash::Merge : Clash::Replace;
        case ClashAnswer::NoToAll:
            all = false;
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

// Counts a subtree that will not be copied as done, so the progress still reaches its end.
void CopyEngine::skipEntries(const std::vector<TreeEntry>& tree, size_t from, size_t to)
{
    std::int64_t bytes = 0;
    std::uint64_t items = 0;
    for (size_t i = from; i < to && i < tree.size(); ++i) {
        bytes += tree[i].size;
        ++items;
    }
    m_session.progress.bytesDone(bytes);
    m_session.progress.itemsDone(items);
}

// Removes temporary files that a copy killed before it could clean up left here.
void CopyEngine::sweepPartials(const std::string& folder)
{
    FileSystem& fs = m_session.fs;
    std::vector<DirEntry> entries;
    if (fs.listDirectory(folder, entries) != 0)
        return;
    const pid_t self = ::getpid();
    for (const DirEntry& e : entries) {
        std::optional<pid_t> owner = partialOwner(e.name);
        if (owner && *owner != self && !fs.processAlive(*owner))
            fs.unlink(joinPath(folder, e.name));
    }
}

void CopyEngine::finishFolders()
{
    // Deepest first, so setting a folder's time is not undone by writing into it.
    for (auto it = m_createdFolders.rbegin(); it != m_createdFolders.rend(); ++it) {
        struct stat st {};
        if (m_session.fs.lstat(it->first, &st) != 0)
            continue;
        m_session.fs.chmod(it->second, st.st_mode & 07777);
        const timespec times[2] = {st.st_atim, st.st_mtim};
        m_session.fs.setTimes(it->second, times);
    }
}

} // namespace shell
