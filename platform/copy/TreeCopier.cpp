#include "platform/copy/TreeCopier.h"

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyNaming.h"
#include "platform/copy/ItemMetadata.h"
#include "platform/copy/TreeScanner.h"
#include "platform/copy/WorkerPool.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace shell {

namespace {

// Small files handed to a worker at once.
constexpr size_t kFilesPerBatch = 16;

} // namespace

TreeCopier::TreeCopier(CopySession& session, const CopyPlan& plan, ItemCopier& items, ClashPolicy& clash,
                       WorkerPool* pool)
    : m_session(session), m_plan(plan), m_items(items), m_clash(clash), m_pool(pool)
{
}

TreeCopier::~TreeCopier() = default;

void TreeCopier::copy(const CopyPlan::Source& source, const std::shared_ptr<FolderPair>& root)
{
    const std::string name = nameOf(source.path);
    std::optional<std::string> rootTarget = m_clash.targetFor(*root, source.path, source.st);
    if (rootTarget && driveOf(*root).windowsNames)
        rootTarget = m_clash.nameOnDrive(*root, *rootTarget);
    if (!rootTarget) {
        skipItem(root->source(), name, source.st);
        return;
    }
    // The folders being copied, outermost first, each with what is left of its own
    // listing: the tree is walked again, one folder's names at a time, never held whole.
    Walk walk(
        m_session.fs, m_session.cancel,
        [this](const std::string& item, CopyError error) {
            return m_session.askAboutError(item, error, true);
        },
        Walk::Looking::WhenListed);
    walk.passOver([this](const Folder& folder, const std::string& entry) {
        return m_plan.leftOutWhileCounting(joinPath(folder.counted, entry));
    });
    if (S_ISDIR(source.st.st_mode))
        enter(walk, root, name, *rootTarget, false, source.st, source.path, false);
    else
        copyItem(root, false, name, *rootTarget, kindOf(source.st.st_mode), source.st, false);

    Walk::Entry entry;
    for (;;) {
        const Walk::Step step = walk.next(entry);
        if (step == Walk::Step::Done || step == Walk::Step::Cancelled)
            break;
        if (step == Walk::Step::Skipped) {
            m_session.progress.itemsSkipped(1);
            m_session.progress.itemsDone(1);
            continue;
        }
        Folder& top = walk.folder();
        const std::shared_ptr<FolderPair> parent = top.pair;
        bool insideFresh = top.fresh;
        const DriveAbilities drive = driveOf(*parent);
        std::optional<std::string> target = entry.name;
        if (drive.windowsNames)
            target = m_clash.nameOnDrive(*parent, entry.name);
        if (!target) {
            if (m_session.cancel.cancelled())
                break;
            struct stat st {};
            st.st_mode = entry.kind == EntryKind::Folder ? S_IFDIR : S_IFREG;
            st.st_size = entry.kind == EntryKind::File ? entry.st.st_size : 0;
            skipItem(parent->source(), entry.name, st);
            continue;
        }
        bool caseOnly = false;
        if (givenBefore(top, drive, *target, caseOnly)) {
            insideFresh = false;
            waitForWorkers();
        }
        if (entry.kind == EntryKind::Folder) {
            enter(walk, parent, entry.name, *target, insideFresh, entry.st, joinPath(top.counted, entry.name),
                  caseOnly);
            continue;
        }
        if (!copyItem(parent, insideFresh, entry.name, *target, entry.kind, entry.st, caseOnly))
            break;
    }
    handOver();
}

// Two incoming items of one folder meet under one name on drives that change names:
// names that differ in case alone where the drive ignores case, and a refused name
// given the replacement another item has (or is given). The second is asked about
// like a replace, once the first is there to be seen.
bool TreeCopier::givenBefore(Folder& folder, const DriveAbilities& drive, const std::string& target,
                             bool& caseOnly)
{
    if (drive.caseSensitive && !drive.windowsNames)
        return false;
    const auto [given, first] =
        folder.given.emplace(drive.caseSensitive ? target : foldedCase(target), target);
    caseOnly = !first && given->second != target;
    return !first;
}

// Makes (or merges into) a folder and walks it next; a folder not copied counts as
// done with its subtree.
void TreeCopier::enter(Walk& walk, const std::shared_ptr<FolderPair>& parent, const std::string& name,
                       const std::string& target, bool insideFresh, const struct stat& st,
                       std::string counted, bool caseOnly)
{
    bool fresh = false;
    struct stat opened {};
    struct stat made {};
    std::shared_ptr<FolderPair> pair =
        openFolder(parent, name, target, insideFresh, fresh, caseOnly, opened, made);
    if (!pair) {
        skipItem(parent->source(), name, st);
        return;
    }
    m_session.progress.itemsDone(1);
    const int fd = pair->source();
    std::string shown = pair->shownSource();
    // A folder whose listing is skipped is finished as it is. The copy is named to the
    // walk, so that a source folder that is the copy itself is never copied into it.
    (void)walk.enter(Folder{std::move(pair), fresh || insideFresh, std::move(counted), {}}, fd, opened,
                     std::move(shown), &made);
}

// Makes (or merges into) one folder of the tree. Null: its subtree is not copied.
std::shared_ptr<FolderPair> TreeCopier::openFolder(const std::shared_ptr<FolderPair>& parent,
                                                   const std::string& name, std::string target,
                                                   bool insideFresh, bool& fresh, bool caseOnly,
                                                   struct stat& st, struct stat& made)
{
    const ClashPolicy::Clash clash =
        insideFresh ? ClashPolicy::Clash::None : m_clash.settle(*parent, name, target, true, caseOnly);
    if (clash == ClashPolicy::Clash::Skip || clash == ClashPolicy::Clash::Cancel)
        return nullptr;
    const bool merge = clash == ClashPolicy::Clash::Merge;
    m_session.progress.itemStarted(name, parent->shownSource(), parent->shownTarget());
    UniqueFd source = openSourceFolder(*parent, name, st);
    if (!source)
        return nullptr;
    UniqueFd copy = openTargetFolder(*parent, target, st, merge, made);
    if (!copy)
        return nullptr;
    const int into = copy.get();
    fresh = !merge;
    if (fresh && !m_session.options.undoHistory.empty())
        m_session.record.made(joinPath(parent->shownTarget(), target));
    auto pair = std::make_shared<FolderPair>(m_session, std::move(source), std::move(copy),
                                             joinPath(parent->shownSource(), name),
                                             joinPath(parent->shownTarget(), target), parent);
    // Merged or made, the copy ends with the source folder's mode, owner and times.
    pair->finishLike(st);
    pair->setInherited(inheritedFrom(m_session.fs, into));
    if (!fresh) {
        m_session.noteFolderWritten(into);
        m_session.temporaries.sweep(into);
    }
    return pair;
}

// Opens a source folder as it is now; a link that took its place is refused, never followed.
UniqueFd TreeCopier::openSourceFolder(const FolderPair& parent, const std::string& name, struct stat& st)
{
    FileSystem& fs = m_session.fs;
    for (;;) {
        UniqueFd fd(fs, fs.openAt(parent.source(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW));
        CopyError error = CopyError::fromCall(fd.error());
        if (error.is(ELOOP) || error.is(ENOTDIR))
            error = Fault::Changed;
        if (fd && !(error = CopyError::fromCall(fs.fstat(fd.get(), &st))))
            return fd;
        if (m_session.askAboutError(joinPath(parent.shownSource(), name), error, true) != ErrorAnswer::Retry)
            return {};
    }
}

UniqueFd TreeCopier::openTargetFolder(const FolderPair& parent, const std::string& target,
                                      const struct stat& source, bool merge, struct stat& st)
{
    FileSystem& fs = m_session.fs;
    const mode_t working = workingFolderMode(source.st_mode);
    for (;;) {
        int r = merge ? 0 : fs.mkdirAt(parent.target(), target, working);
        UniqueFd fd;
        if (r == 0) {
            fd = UniqueFd(fs, fs.openAt(parent.target(), target, O_RDONLY | O_DIRECTORY | O_NOFOLLOW));
            r = fd.error();
        }
        st = {};
        if (r == 0)
            r = fs.fstat(fd.get(), &st);
        // A new folder was made with the umask applied; an existing one may not let its
        // owner write into it (a copy of a read-only folder, say) until it is finished.
        // Where the drive holds no modes, the folder is as writable as it will get.
        if (r == 0 && !merge && (st.st_mode & 0777) != working && m_session.drives.known(st.st_dev).modes)
            r = fs.fchmod(fd.get(), working);
        if (r == 0 && merge && (st.st_mode & S_IRWXU) != S_IRWXU && st.st_uid == m_session.user())
            r = fs.fchmod(fd.get(), (st.st_mode & 07777) | S_IRWXU);
        if (r == 0)
            return fd;
        CopyError error = CopyError::fromCall(r);
        if (r == -ELOOP || r == -ENOTDIR)
            error = Fault::FileClash;
        else if (r == -EEXIST)
            error = Fault::Appeared;
        if (m_session.askAboutError(joinPath(parent.shownTarget(), target), error, true)
            != ErrorAnswer::Retry)
            return {};
    }
}

bool TreeCopier::copyItem(const std::shared_ptr<FolderPair>& parent, bool insideFresh,
                          const std::string& name, std::string target, EntryKind kind, const struct stat& st,
                          bool caseOnly)
{
    if (kind == EntryKind::Special || kind == EntryKind::Loop) {
        m_session.progress.itemStarted(name, parent->shownSource(), parent->shownTarget());
        m_session.askAboutError(joinPath(parent->shownSource(), name),
                                kind == EntryKind::Loop ? Fault::Loop : Fault::Special, false);
        m_session.progress.itemsSkipped(1);
        m_session.progress.itemsDone(1);
        return true;
    }
    const ClashPolicy::Clash clash =
        insideFresh ? ClashPolicy::Clash::None : m_clash.settle(*parent, name, target, false, caseOnly);
    if (clash == ClashPolicy::Clash::Cancel)
        return false;
    const std::int64_t size = kind == EntryKind::File ? st.st_size : 0;
    if (clash == ClashPolicy::Clash::Skip || clash == ClashPolicy::Clash::Identical) {
        m_session.progress.bytesDone(size);
        if (clash == ClashPolicy::Clash::Skip)
            m_session.progress.itemsSkipped(1); // an earlier copy left as it is counts as done
        m_session.progress.itemsDone(1);
        return true;
    }
    const bool replace = clash == ClashPolicy::Clash::Replace;
    // Files with several names are copied in order, so the first copy is there to link to.
    const bool linked = kind == EntryKind::File && st.st_nlink > 1;
    if (m_pool && kind == EntryKind::File && !linked && size < m_session.options.smallFile) {
        if (m_batchFolder != parent)
            handOver();
        m_batchFolder = parent;
        m_batch.push_back({name, target, size, replace});
        if (m_batch.size() >= kFilesPerBatch)
            handOver();
    } else {
        m_items.copy(*parent, name, target, size, replace, kind == EntryKind::File);
    }
    return true;
}

void TreeCopier::handOver()
{
    if (m_batch.empty())
        return;
    m_pool->submit([this, folder = std::move(m_batchFolder), files = std::move(m_batch)] {
        m_items.copyBatch(*folder, files);
    });
    m_batch.clear();
    m_batchFolder.reset();
}

void TreeCopier::waitForWorkers()
{
    handOver();
    if (m_pool)
        m_pool->drain();
}

// Counts an item that will not be copied, with its whole tree, as done, so the
// progress still reaches its end. The tree is counted again, silently: whatever
// cannot be read now was asked about already.
void TreeCopier::skipItem(int folder, const std::string& name, const struct stat& st)
{
    std::uint64_t items = 1;
    std::int64_t bytes = S_ISREG(st.st_mode) ? st.st_size : 0;
    if (S_ISDIR(st.st_mode)) {
        TreeScanner counter(m_session.fs, m_session.cancel, 1,
                            [](const std::string&, CopyError) { return ErrorAnswer::Skip; });
        counter.scan(folder, name, name);
        items = std::max<std::uint64_t>(counter.totals().items, 1);
        bytes = static_cast<std::int64_t>(counter.totals().bytes);
    }
    m_session.progress.bytesDone(bytes);
    m_session.progress.itemsSkipped(items);
    m_session.progress.itemsDone(items);
}

DriveAbilities TreeCopier::driveOf(const FolderPair& folder)
{
    return m_session.drives.known(folder.targetDevice());
}

} // namespace shell
