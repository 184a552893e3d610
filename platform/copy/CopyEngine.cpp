#include "platform/copy/CopyEngine.h"

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyNaming.h"
#include "platform/copy/DriveLimits.h"
#include "platform/copy/IdenticalItems.h"
#include "platform/copy/ItemMetadata.h"
#include "platform/copy/WorkerPool.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace shell {

namespace {

// Duplicates tried beside an original before the copy gives up on a name.
constexpr int kMaxDuplicates = 10000;
// Small files handed to a worker at once.
constexpr size_t kFilesPerBatch = 16;
// Workers for small files when the request starts verified: each file then waits on
// its drive twice more (written out, read back), and more workers overlap the waits.
constexpr unsigned kVerifyingThreads = 16;

std::string shown(const std::string& path)
{
    return "\"" + path + "\"";
}

ItemDetails detailsOf(const std::string& path, const struct stat& st)
{
    return {path, S_ISDIR(st.st_mode), static_cast<std::int64_t>(st.st_size), st.st_mtim};
}

// The reason listed when a worker's batch ended by an exception: its files that were
// not finished are not copied, and the request is not a success.
std::string reasonFor(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "Some items could not be copied: there was not enough memory.";
    } catch (const std::exception& e) {
        return std::string("Some items could not be copied: ") + e.what();
    } catch (...) {
    }
    return "Some items could not be copied.";
}

// Drives whose writes are slow enough that data left in the page cache makes the
// progress lie: sticks and cards, and what is usually on them.
bool slowDrive(const DriveLimits& drive)
{
    static const char* const kinds[] = {"vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk", "fusefat"};
    return drive.removable || drive.fuseOrNetwork
           || std::any_of(std::begin(kinds), std::end(kinds), [&](const char* k) { return drive.kind == k; });
}

bool isDotName(const std::string& name)
{
    return name == "." || name == "..";
}

} // namespace

CopyEngine::CopyEngine(FileSystem& fs, CopyQuestions& questions, CopyProgress& progress, CancelToken& cancel,
                       CopyOptions options)
    : m_session(fs, questions, progress, cancel, options), m_items(m_session)
{
}

CopyEngine::~CopyEngine() = default;

CopyOutcome CopyEngine::run(const std::vector<std::string>& names, const std::string& destinationName)
{
    FileSystem& fs = m_session.fs;
    const std::string destination = withoutTrailingSlash(destinationName);
    if (names.empty() || destination.empty())
        return CopyOutcome::Refused;

    std::vector<Source> sources;
    auto closeSources = [&] {
        for (Source& source : sources) {
            if (source.parent >= 0)
                fs.close(source.parent);
            source.parent = -1;
        }
    };
    CopyOutcome result = collectSources(names, sources);
    std::string ancestor;
    if (result == CopyOutcome::Success)
        result = checkDestination(destination, sources, ancestor);
    if (result != CopyOutcome::Success) {
        closeSources();
        return result;
    }

    // syncfs on FUSE and network mounts may never reach the data's real home.
    if (m_drive.fuseOrNetwork)
        m_session.syncEachFileFromNowOn();
    if (m_session.options.writeBehind == WriteBehind::Auto && slowDrive(m_drive))
        m_session.writeBehindFromNowOn();
    m_session.progress.preparing();
    struct statvfs volume {};
    std::uint64_t blockSize = fs.statvfs(ancestor, &volume) == 0 ? volume.f_frsize : 4096;
    TreeScanner scanner(fs, m_session.cancel, blockSize, [this](const std::string& item, int error) {
        ErrorAnswer answer = m_session.askAboutError(item, error, true);
        if (answer == ErrorAnswer::Skip) {
            ++m_countSkipped;
            m_countSkippedItems.insert(item);
        }
        return answer;
    });
    scanner.leaveOutFilesOver(m_drive.largestFile);
    for (Source& source : sources) {
        if (S_ISDIR(source.st.st_mode)) {
            const std::uint64_t before = scanner.totals().items;
            if (!scanner.scan(source.parent, nameOf(source.path), source.path)) {
                closeSources();
                return CopyOutcome::Cancelled;
            }
            source.counted = scanner.totals().items != before;
        } else {
            const size_t before = scanner.tooLarge().size();
            scanner.countSingle(source.st, source.path);
            source.counted = scanner.tooLarge().size() == before;
        }
    }
    if (!scanner.tooLarge().empty() && !leaveOutTooLarge(scanner.tooLarge())) {
        closeSources();
        return CopyOutcome::Cancelled;
    }

    int target = -1;
    if (ancestor != destination) {
        bool create = m_session.ask([&](CopyQuestions& q) { return q.createFolder(destination); });
        result = create ? makeDestination(destination) : CopyOutcome::Cancelled;
    }
    if (result == CopyOutcome::Success) {
        target = fs.open(destination, O_RDONLY | O_DIRECTORY);
        if (target < 0) {
            m_session.ask([&](CopyQuestions& q) {
                q.requestFailed("Cannot copy to " + shown(destination) + ": " + describeError(target));
            });
            result = CopyOutcome::Failed;
        }
    }
    if (result == CopyOutcome::Success)
        result = checkRoom(destination, target, sources, scanner.totals());
    if (result != CopyOutcome::Success) {
        if (target >= 0)
            fs.close(target);
        closeSources();
        return result;
    }

    // What the drive can hold is known before anything is written to it.
    (void)m_session.drives.of(target, m_session.newPartialName("probe"));
    sweepPartials(target);
    m_session.noteFolderWritten(target);
    // Counted before anything is asked, so the first clash question can offer to skip them.
    m_identical = countIdenticalFiles(target, sources);
    m_session.progress.started(scanner.totals().items + m_countSkipped, scanner.totals().bytes);
    if (m_countSkipped != 0) {
        m_session.progress.itemsSkipped(m_countSkipped);
        m_session.progress.itemsDone(m_countSkipped);
    }
    unsigned threads = m_session.options.threads;
    if (struct stat into{}; threads == 0)
        threads = fs.fstat(target, &into) == 0 ? copyThreadsFor(into.st_dev) : 2;
    if (m_session.options.threads == 0 && m_session.verifying())
        threads = std::max(threads, kVerifyingThreads);
    if (threads > 1)
        m_pool = std::make_unique<WorkerPool>(threads);

    for (Source& source : sources) {
        if (!source.counted)
            continue;
        // The pair takes over the source's folder and a descriptor of its own for the destination.
        const int into = fs.openAt(target, ".", O_RDONLY | O_DIRECTORY);
        if (into < 0) {
            m_session.askAboutError(source.path, into, false);
            continue;
        }
        auto root = std::make_shared<FolderPair>(m_session, source.parent, into, parentOf(source.path),
                                                 destination, nullptr);
        source.parent = -1;
        root->noteWritten();
        root->setInherited(inheritedFrom(fs, into));
        if (!m_session.cancel.checkpoint())
            copyTree(source, root);
    }
    // Every folder pair is let go here (the last holders finish their folders).
    if (m_pool) {
        m_pool->drain();
        if (std::exception_ptr failure = m_pool->failure())
            m_session.noteLeftOut(shown(destination), reasonFor(failure));
    }
    closeSources();
    fs.close(target);

    // Whatever was written is flushed, cancelled or not; success waits for the disk.
    // Data written behind, or synced file by file, is on the drive already.
    if (!m_session.writeBehind() && !m_session.syncEachFile())
        m_session.progress.leftToWrite(m_session.bytesWritten());
    m_session.progress.finishing();
    int flushed = m_session.flush();
    // What is there now, cancelled or not, can be undone.
    if (!m_session.options.undoHistory.empty() && !m_session.record.empty())
        (void)m_session.record.save(m_session.options.undoHistory);
    if (m_session.cancel.cancelled())
        return CopyOutcome::Cancelled;
    if (flushed != 0) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("The copied items could not be written to the disk in " + shown(destination)
                            + ". " + describeError(flushed));
        });
        return CopyOutcome::Failed;
    }
    return m_session.failed() ? CopyOutcome::Failed : CopyOutcome::Success;
}

CopyOutcome CopyEngine::collectSources(const std::vector<std::string>& names, std::vector<Source>& sources)
{
    FileSystem& fs = m_session.fs;
    for (const std::string& raw : names) {
        std::string name = withoutTrailingSlash(raw);
        Source source{name, {}, -1, false};
        int r = fs.lstat(name, &source.st);
        if (r == -ENOENT && hasWildcard(nameOf(name))) {
            if (CopyOutcome w = expandWildcard(name, sources); w != CopyOutcome::Success)
                return w;
            continue;
        }
        // "sub/.." or "." names no folder of its own: the copy takes the name the folder has.
        if (r == 0 && isDotName(nameOf(name)))
            r = fs.realPath(name, source.path);
        if (r == 0 && (source.path == "/" || isDotName(nameOf(source.path))))
            r = kErrorNoName;
        if (r != 0) {
            m_session.ask([&](CopyQuestions& q) {
                q.requestFailed("Cannot copy " + shown(name) + ": " + describeError(r));
            });
            return CopyOutcome::Refused;
        }
        sources.push_back(std::move(source));
    }
    for (Source& source : sources) {
        // O_PATH: a folder that may be searched but not read still holds copyable items.
        source.parent = fs.open(parentOf(source.path), O_PATH | O_DIRECTORY);
        struct stat now {};
        int r = source.parent < 0 ? source.parent : fs.statAt(source.parent, nameOf(source.path), &now);
        if (r == 0 && (now.st_dev != source.st.st_dev || now.st_ino != source.st.st_ino))
            r = kErrorChanged;
        if (r != 0) {
            m_session.ask([&](CopyQuestions& q) {
                q.requestFailed("Cannot copy " + shown(source.path) + ": " + describeError(r));
            });
            return CopyOutcome::Refused;
        }
    }
    return CopyOutcome::Success;
}

CopyOutcome CopyEngine::expandWildcard(const std::string& name, std::vector<Source>& sources)
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
        Source source{name.find('/') == std::string::npos ? match : joinPath(folder, match), {}, -1, false};
        if (m_session.fs.lstat(source.path, &source.st) == 0)
            sources.push_back(std::move(source));
    }
    if (sources.size() == before) {
        std::string reason = r != 0 ? describeError(r) : "No item matches the name.";
        m_session.ask(
            [&](CopyQuestions& q) { q.requestFailed("Cannot copy " + shown(name) + ": " + reason); });
        return CopyOutcome::Refused;
    }
    return CopyOutcome::Success;
}

CopyOutcome CopyEngine::checkDestination(const std::string& destination, const std::vector<Source>& sources,
                                 std::string& ancestor)
{
    FileSystem& fs = m_session.fs;
    struct stat st {};
    int r = fs.stat(destination, &st);
    if (r == 0 && !S_ISDIR(st.st_mode)) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("Cannot copy to " + shown(destination) + ": it is a file, not a folder.");
        });
        return CopyOutcome::Refused;
    }
    if (r != 0 && r != -ENOENT) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("Cannot copy to " + shown(destination) + ": " + describeError(r));
        });
        return CopyOutcome::Refused;
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
        return CopyOutcome::Refused;
    }
    // A drive that refuses writing is said once, not once for every item.
    if (int folder = fs.open(ancestor, O_RDONLY | O_DIRECTORY); folder >= 0) {
        m_drive = driveLimitsOf(fs, folder);
        fs.close(folder);
    }
    if (m_drive.readOnly) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("Cannot copy to " + shown(destination) + ": " + describeError(-EROFS));
        });
        return CopyOutcome::Refused;
    }
    for (const Source& source : sources) {
        if (S_ISDIR(source.st.st_mode) && containsFolder(ancestor, source.st)) {
            m_session.ask([&](CopyQuestions& q) {
                q.requestFailed("Cannot copy " + shown(source.path) + ": the destination folder "
                                + shown(destination) + " is inside it.");
            });
            return CopyOutcome::Refused;
        }
    }
    return CopyOutcome::Success;
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

CopyOutcome CopyEngine::makeDestination(const std::string& destination)
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
            return CopyOutcome::Failed;
        }
    }
    return CopyOutcome::Success;
}

// Files the destination's file system cannot hold are left out before anything is
// written, with one question for all of them (Skip or Cancel): false when cancelled.
bool CopyEngine::leaveOutTooLarge(const std::vector<std::string>& items)
{
    const std::string reason = describeError(kErrorTooLarge);
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

// What the items the copy replaces occupy now: they stay on the drive, in its trash.
TreeTotals CopyEngine::replacedTotals(int target, const std::vector<Source>& sources, std::uint64_t blockSize,
                                      std::string& shownReplaced, const std::string& destination)
{
    FileSystem& fs = m_session.fs;
    TreeScanner counter(fs, m_session.cancel, blockSize,
                        [](const std::string&, int) { return ErrorAnswer::Skip; });
    TreeTotals replaced;
    size_t count = 0;
    for (const Source& source : sources) {
        const std::string name = nameOf(source.path);
        struct stat st {};
        if (!source.counted || fs.statAt(target, name, &st) != 0
            || (st.st_dev == source.st.st_dev && st.st_ino == source.st.st_ino)
            || S_ISDIR(st.st_mode) != S_ISDIR(source.st.st_mode))
            continue; // nothing replaced, or a copy beside itself, or a clash the copy refuses
        ++count;
        shownReplaced = joinPath(destination, name);
        if (S_ISDIR(st.st_mode))
            counter.scan(target, name, name);
        else
            counter.countSingle(st, name);
    }
    if (count > 1)
        shownReplaced = destination;
    replaced = counter.totals();
    return replaced;
}

CopyOutcome CopyEngine::checkRoom(const std::string& destination, int target, const std::vector<Source>& sources,
                          const TreeTotals& totals)
{
    struct statvfs volume {};
    if (m_session.fs.statvfs(destination, &volume) != 0)
        return CopyOutcome::Success; // nothing known; the copy itself will tell
    if (volume.f_blocks == 0)
        return CopyOutcome::Success; // a FUSE drive that reports no sizes at all (fusefat): just as little known
    const std::uint64_t available = static_cast<std::uint64_t>(volume.f_bavail) * volume.f_frsize;
    if (totals.blocks <= available)
        return CopyOutcome::Success;
    // The new items fit once the replaced ones are gone for good: each is replaced
    // after its new copy is complete, so the largest new file needs room beside it.
    std::string shownReplaced;
    const TreeTotals replaced = replacedTotals(target, sources, volume.f_frsize, shownReplaced, destination);
    if (replaced.blocks != 0
        && totals.blocks - std::min(totals.blocks, replaced.blocks) + totals.largest <= available) {
        const std::string reason = describeError(kErrorNoRoomToKeep);
        if (!m_session.ask([&](CopyQuestions& q) { return q.deletePermanently(shownReplaced, reason); }))
            return CopyOutcome::Cancelled;
        m_session.deleteReplacedFromNowOn();
        return CopyOutcome::Success;
    }
    bool go = m_session.ask(
        [&](CopyQuestions& q) { return q.copyWithoutRoom(destination, totals.blocks, available); });
    return go ? CopyOutcome::Success : CopyOutcome::Cancelled;
}

std::optional<std::string> CopyEngine::targetFor(const FolderPair& root, const Source& source)
{
    const std::string name = nameOf(source.path);
    struct stat st {};
    if (m_session.fs.statAt(root.target(), name, &st) != 0 || st.st_dev != source.st.st_dev
        || st.st_ino != source.st.st_ino)
        return name;
    // Copied onto itself: the copy goes beside the original under a new name.
    const bool folder = S_ISDIR(source.st.st_mode);
    for (int n = 1; n <= kMaxDuplicates && !m_session.cancel.cancelled(); ++n) {
        const std::string candidate = duplicateName(name, folder, n);
        int r = m_session.fs.statAt(root.target(), candidate, &st);
        if (r == -ENOENT)
            return candidate;
        if (r != 0) {
            m_session.askAboutError(joinPath(root.shownTarget(), candidate), r, false);
            return std::nullopt;
        }
    }
    if (!m_session.cancel.cancelled())
        m_session.askAboutError(source.path, kErrorNoName, false);
    return std::nullopt;
}

void CopyEngine::copyTree(const Source& source, const std::shared_ptr<FolderPair>& root)
{
    const std::string name = nameOf(source.path);
    std::optional<std::string> rootTarget = targetFor(*root, source);
    if (rootTarget && driveOf(*root).windowsNames)
        rootTarget = nameOnDrive(*root, *rootTarget);
    if (!rootTarget) {
        skipItem(root->source(), name, source.st);
        return;
    }
    // The folders being copied, outermost first, each with what is left of its own
    // listing: the tree is walked again, one folder's names at a time, never held whole.
    // fresh: made by this request, so the entries below cannot clash with anything (and
    // if something appears there meanwhile, naming the copy refuses to replace it).
    // counted: the folder as counting showed it, to know the items left out then.
    struct Level {
        std::shared_ptr<FolderPair> pair;
        std::vector<Listed> children;
        size_t next;
        bool fresh;
        dev_t device;
        ino_t inode;
        std::string counted;
        std::unordered_set<std::string> used; // names given out, case folded, on drives that ignore case
    };
    std::vector<Level> levels;
    // Small files go to the workers in batches from one folder: one hand-over, and one
    // wake-up of a worker, for a batch rather than for each file.
    std::shared_ptr<FolderPair> batchFolder;
    std::vector<ItemCopier::BatchFile> batch;
    auto handOver = [&] {
        if (batch.empty())
            return;
        m_pool->submit([this, folder = std::move(batchFolder), files = std::move(batch)] {
            m_items.copyBatch(*folder, files);
        });
        batch.clear();
        batchFolder.reset();
    };
    // Makes (or merges into) a folder and lists it; a folder not copied counts as done with its subtree.
    auto enter = [&](const std::shared_ptr<FolderPair>& parent, const std::string& entry,
                     const std::string& target, bool insideFresh, const struct stat& st, std::string counted,
                     bool caseOnly) {
        bool fresh = false;
        std::shared_ptr<FolderPair> pair = openFolder(parent, entry, target, insideFresh, fresh, caseOnly);
        if (!pair) {
            skipItem(parent->source(), entry, st);
            return;
        }
        m_session.progress.itemsDone(1);
        std::vector<Listed> children;
        listFolder(*pair, counted, children);
        levels.push_back({std::move(pair),
                          std::move(children),
                          0,
                          fresh || insideFresh,
                          st.st_dev,
                          st.st_ino,
                          std::move(counted),
                          {}});
    };
    // Copies one item that is not a folder; false when the request is cancelled.
    auto copyItem = [&](const std::shared_ptr<FolderPair>& parent, bool insideFresh, const std::string& entry,
                        std::string target, EntryKind kind, std::int64_t size, bool linked, bool caseOnly) {
        if (kind == EntryKind::Special || kind == EntryKind::Loop) {
            m_session.progress.itemStarted(entry, parent->shownSource(), parent->shownTarget());
            m_session.askAboutError(joinPath(parent->shownSource(), entry),
                                    kind == EntryKind::Loop ? kErrorLoop : kErrorSpecial, false);
            m_session.progress.itemsSkipped(1);
            m_session.progress.itemsDone(1);
            return true;
        }
        Clash clash = insideFresh ? Clash::None : resolveClash(*parent, entry, target, false, caseOnly);
        if (clash == Clash::KeepBoth) {
            std::optional<std::string> free = freeName(*parent, target, false);
            clash = free ? Clash::None : Clash::Skip;
            target = free.value_or(target);
        }
        if (clash == Clash::Cancel)
            return false;
        if (clash == Clash::Skip || clash == Clash::Identical) {
            m_session.progress.bytesDone(size);
            if (clash == Clash::Skip)
                m_session.progress.itemsSkipped(1); // an earlier copy left as it is counts as done
            m_session.progress.itemsDone(1);
            return true;
        }
        const bool replace = clash == Clash::Replace;
        // Files with several names are copied in order, so the first copy is there to link to.
        if (m_pool && kind == EntryKind::File && !linked && size < m_session.options.smallFile) {
            if (batchFolder != parent)
                handOver();
            batchFolder = parent;
            batch.push_back({entry, target, size, replace});
            if (batch.size() >= kFilesPerBatch)
                handOver();
        } else {
            m_items.copy(*parent, entry, target, size, replace, kind == EntryKind::File);
        }
        return true;
    };

    if (S_ISDIR(source.st.st_mode))
        enter(root, name, *rootTarget, false, source.st, source.path, false);
    else
        copyItem(root, false, name, *rootTarget, kindOf(source.st.st_mode),
                 S_ISREG(source.st.st_mode) ? source.st.st_size : 0,
                 S_ISREG(source.st.st_mode) && source.st.st_nlink > 1, false);
    while (!levels.empty() && !m_session.cancel.checkpoint()) {
        Level& top = levels.back();
        if (top.next == top.children.size()) {
            levels.pop_back();
            continue;
        }
        Listed child = std::move(top.children[top.next++]);
        const std::shared_ptr<FolderPair> parent = top.pair;
        bool insideFresh = top.fresh;
        const DriveAbilities drive = driveOf(*parent);
        std::optional<std::string> target = child.name;
        if (drive.windowsNames)
            target = nameOnDrive(*parent, child.name);
        if (!target) {
            if (m_session.cancel.cancelled())
                break;
            struct stat st {};
            st.st_mode = child.kind == EntryKind::Folder ? S_IFDIR : S_IFREG;
            st.st_size = child.size;
            skipItem(parent->source(), child.name, st);
            continue;
        }
        // Two names of one folder that differ in case alone meet on such a drive: the
        // second is asked about like a replace, once the first is there to be seen.
        bool caseOnly = false;
        if (!drive.caseSensitive && !top.used.insert(foldedCase(*target)).second) {
            caseOnly = true;
            insideFresh = false;
            handOver();
            if (m_pool)
                m_pool->drain();
        }
        if (child.kind == EntryKind::Folder) {
            // Only a bind mount can bring a folder back inside itself.
            const bool loop = std::any_of(levels.begin(), levels.end(), [&](const Level& l) {
                return l.device == child.device && l.inode == child.inode;
            });
            if (!loop) {
                struct stat st {};
                st.st_mode = S_IFDIR;
                st.st_dev = child.device;
                st.st_ino = child.inode;
                enter(parent, child.name, *target, insideFresh, st, joinPath(top.counted, child.name),
                      caseOnly);
                continue;
            }
            child.kind = EntryKind::Loop;
        }
        if (!copyItem(parent, insideFresh, child.name, *target, child.kind, child.size, child.linked,
                      caseOnly))
            break;
    }
    handOver();
}

// Lists a folder being copied and looks at each entry, names sorted by their bytes.
// An entry that cannot be looked at is asked about; one removed since counting is
// not there to copy, one made since is copied too. False when the listing is skipped.
bool CopyEngine::listFolder(const FolderPair& folder, const std::string& counted,
                            std::vector<Listed>& children)
{
    std::vector<DirEntry> names;
    for (;;) {
        int r = m_session.fs.listDirectoryAt(folder.source(), names);
        if (r == 0)
            break;
        names.clear();
        if (m_session.askAboutError(folder.shownSource(), r, true) != ErrorAnswer::Retry)
            return false;
    }
    std::sort(names.begin(), names.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    children.reserve(names.size());
    for (DirEntry& entry : names) {
        // Left out, after a question, while the tree was counted.
        if (m_countSkippedItems.count(joinPath(counted, entry.name)) != 0)
            continue;
        struct stat st {};
        bool gone = false;
        if (!lookAt(folder, entry.name, st, gone)) {
            if (m_session.cancel.cancelled())
                return true;
            m_session.progress.itemsSkipped(1);
            m_session.progress.itemsDone(1);
            continue;
        }
        if (gone) // removed since it was listed: nothing to copy, nothing to report
            continue;
        const EntryKind kind = kindOf(st.st_mode);
        children.push_back({std::move(entry.name), kind, kind == EntryKind::File && st.st_nlink > 1,
                            kind == EntryKind::File ? st.st_size : 0, st.st_dev, st.st_ino});
    }
    return true;
}

// Looks at an entry of a folder being copied as it is now; gone: removed since it was listed.
bool CopyEngine::lookAt(const FolderPair& folder, const std::string& name, struct stat& st, bool& gone)
{
    for (;;) {
        int r = m_session.fs.statAt(folder.source(), name, &st);
        gone = r == -ENOENT;
        if (r == 0 || gone)
            return true;
        if (m_session.askAboutError(joinPath(folder.shownSource(), name), r, true) != ErrorAnswer::Retry)
            return false;
    }
}

// Makes (or merges into) one folder of the tree. Null: its subtree is not copied.
std::shared_ptr<FolderPair> CopyEngine::openFolder(const std::shared_ptr<FolderPair>& parent,
                                                   const std::string& name, std::string target,
                                                   bool insideFresh, bool& fresh, bool caseOnly)
{
    Clash clash = insideFresh ? Clash::None : resolveClash(*parent, name, target, true, caseOnly);
    if (clash == Clash::KeepBoth) {
        std::optional<std::string> free = freeName(*parent, target, true);
        clash = free ? Clash::None : Clash::Skip;
        target = free.value_or(target);
    }
    if (clash == Clash::Skip || clash == Clash::Cancel)
        return nullptr;
    m_session.progress.itemStarted(name, parent->shownSource(), parent->shownTarget());
    struct stat st {};
    const int source = openSourceFolder(*parent, name, st);
    if (source < 0)
        return nullptr;
    const int copy = openTargetFolder(*parent, target, st, clash == Clash::Merge);
    if (copy < 0) {
        m_session.fs.close(source);
        return nullptr;
    }
    fresh = clash != Clash::Merge;
    if (fresh && !m_session.options.undoHistory.empty())
        m_session.record.made(joinPath(parent->shownTarget(), target));
    auto pair = std::make_shared<FolderPair>(m_session, source, copy, joinPath(parent->shownSource(), name),
                                             joinPath(parent->shownTarget(), target), parent);
    // Merged or made, the copy ends with the source folder's mode, owner and times.
    pair->finishLike(st);
    pair->setInherited(inheritedFrom(m_session.fs, copy));
    if (!fresh) {
        m_session.noteFolderWritten(copy);
        sweepPartials(copy);
    }
    return pair;
}

// Opens a source folder as it is now; a link that took its place is refused, never followed.
int CopyEngine::openSourceFolder(const FolderPair& parent, const std::string& name, struct stat& st)
{
    FileSystem& fs = m_session.fs;
    for (;;) {
        int fd = fs.openAt(parent.source(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        int r = fd;
        if (fd == -ELOOP || fd == -ENOTDIR)
            r = kErrorChanged;
        if (fd >= 0) {
            r = fs.fstat(fd, &st);
            if (r == 0)
                return fd;
            fs.close(fd);
        }
        if (m_session.askAboutError(joinPath(parent.shownSource(), name), r, true) != ErrorAnswer::Retry)
            return -1;
    }
}

int CopyEngine::openTargetFolder(const FolderPair& parent, const std::string& target,
                                 const struct stat& source, bool merge)
{
    FileSystem& fs = m_session.fs;
    const mode_t working = workingFolderMode(source.st_mode);
    for (;;) {
        int r = merge ? 0 : fs.mkdirAt(parent.target(), target, working);
        int fd = -1;
        if (r == 0) {
            fd = fs.openAt(parent.target(), target, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
            r = fd < 0 ? fd : 0;
        }
        struct stat st {};
        if (r == 0)
            r = fs.fstat(fd, &st);
        // A new folder was made with the umask applied; an existing one may not let its
        // owner write into it (a copy of a read-only folder, say) until it is finished.
        // Where the drive holds no modes, the folder is as writable as it will get.
        if (r == 0 && !merge && (st.st_mode & 0777) != working && m_session.drives.known(st.st_dev).modes)
            r = fs.fchmod(fd, working);
        if (r == 0 && merge && (st.st_mode & S_IRWXU) != S_IRWXU && st.st_uid == m_session.user())
            r = fs.fchmod(fd, (st.st_mode & 07777) | S_IRWXU);
        if (r == 0)
            return fd;
        if (fd >= 0)
            fs.close(fd);
        if (r == -ELOOP || r == -ENOTDIR)
            r = kErrorFileClash;
        else if (r == -EEXIST)
            r = kErrorAppeared;
        if (m_session.askAboutError(joinPath(parent.shownTarget(), target), r, true) != ErrorAnswer::Retry)
            return -1;
    }
}

CopyEngine::Clash CopyEngine::resolveClash(const FolderPair& folder, const std::string& name,
                                           const std::string& target, bool incomingFolder, bool caseOnly)
{
    FileSystem& fs = m_session.fs;
    const std::string from = joinPath(folder.shownSource(), name);
    const std::string to = joinPath(folder.shownTarget(), target);
    for (;;) {
        if (m_session.cancel.cancelled())
            return Clash::Cancel;
        struct stat existing {};
        int r = fs.statAt(folder.target(), target, &existing);
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
        struct stat incoming {};
        const bool incomingKnown = fs.statAt(folder.source(), name, &incoming) == 0;
        // Once asked for, the earlier copies of files stay as they are: nothing replaced, nothing trashed.
        if (m_skipIdentical && !incomingFolder && incomingKnown && sameSizeAndDate(existing, incoming, coarseTimes()))
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
            return Clash::KeepBoth;
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

std::uint64_t CopyEngine::countIdenticalFiles(int target, const std::vector<Source>& sources)
{
    std::uint64_t count = 0;
    for (const Source& source : sources) {
        const std::string name = nameOf(source.path);
        struct stat there {};
        // Nothing there (a fresh copy costs nothing here), or the item itself (copied beside itself).
        if (!source.counted || m_session.fs.statAt(target, name, &there) != 0
            || (there.st_dev == source.st.st_dev && there.st_ino == source.st.st_ino))
            continue;
        count += countIdentical(m_session.fs, source.parent, name, target, name, coarseTimes(), m_session.cancel);
    }
    return count;
}

bool CopyEngine::coarseTimes() const
{
    return m_drive.kind.find("fat") != std::string::npos; // FAT keeps times to two seconds
}

DriveAbilities CopyEngine::driveOf(const FolderPair& folder)
{
    return m_session.drives.known(folder.targetDevice());
}

std::optional<std::string> CopyEngine::nameOnDrive(const FolderPair& folder, const std::string& name)
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

std::optional<std::string> CopyEngine::freeName(const FolderPair& folder, const std::string& target,
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
        m_session.askAboutError(joinPath(folder.shownTarget(), target), kErrorNoName, false);
    return std::nullopt;
}

// Counts an item that will not be copied, with its whole tree, as done, so the
// progress still reaches its end. The tree is counted again, silently: whatever
// cannot be read now was asked about already.
void CopyEngine::skipItem(int folder, const std::string& name, const struct stat& st)
{
    std::uint64_t items = 1;
    std::int64_t bytes = S_ISREG(st.st_mode) ? st.st_size : 0;
    if (S_ISDIR(st.st_mode)) {
        TreeScanner counter(m_session.fs, m_session.cancel, 1,
                            [](const std::string&, int) { return ErrorAnswer::Skip; });
        counter.scan(folder, name, name);
        items = std::max<std::uint64_t>(counter.totals().items, 1);
        bytes = static_cast<std::int64_t>(counter.totals().bytes);
    }
    m_session.progress.bytesDone(bytes);
    m_session.progress.itemsSkipped(items);
    m_session.progress.itemsDone(items);
}

// Removes temporary files that copies which were killed left here. Only what is
// proven abandoned goes: a temporary name, a regular file of this user that carries
// the program's mark, and whose lock no live copy holds (whatever its pid namespace).
// Where the drive cannot store the mark (FAT, exFAT, sshfs), the name's pattern and
// the lock are the proof.
void CopyEngine::sweepPartials(int folder)
{
    FileSystem& fs = m_session.fs;
    std::vector<DirEntry> entries;
    if (fs.listDirectoryAt(folder, entries) != 0)
        return;
    struct stat here {};
    const bool marked = fs.fstat(folder, &here) != 0 || m_session.drives.known(here.st_dev).xattrs;
    std::string mark;
    for (const DirEntry& e : entries) {
        if (!partialOwner(e.name))
            continue;
        int fd = fs.openAt(folder, e.name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat held {};
        struct stat named {};
        if (fs.fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == m_session.user()
            && (!marked || fs.getXattr(fd, kPartialMark, mark) == 0) && fs.lockFile(fd, false) == 0
            && fs.statAt(folder, e.name, &named) == 0 && named.st_ino == held.st_ino
            && named.st_dev == held.st_dev)
            fs.unlinkAt(folder, e.name, 0);
        fs.close(fd);
    }
}

} // namespace shell
