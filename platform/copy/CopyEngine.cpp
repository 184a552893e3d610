#include "platform/copy/CopyEngine.h"

#include "platform/copy/ClashPolicy.h"
#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyPlan.h"
#include "platform/copy/ItemMetadata.h"
#include "platform/copy/TreeCopier.h"
#include "platform/copy/WorkerPool.h"

#include <algorithm>
#include <exception>
#include <fcntl.h>
#include <new>

namespace shell {

namespace {

// Workers for small files when the request starts verified: each file then waits on
// its drive twice more (written out, read back), and more workers overlap the waits.
constexpr unsigned kVerifyingThreads = 16;

std::string shown(const std::string& path)
{
    return "\"" + path + "\"";
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

} // namespace

CopyEngine::CopyEngine(FileSystem& fs, CopyQuestions& questions, CopyProgress& progress, CancelToken& cancel,
                       CopyOptions options)
    : m_session(fs, questions, progress, cancel, options), m_items(m_session)
{
}

CopyEngine::~CopyEngine() = default;

CopyOutcome CopyEngine::run(const std::vector<std::string>& names, const std::string& destinationName)
{
    const std::string destination = withoutTrailingSlash(destinationName);
    if (names.empty() || destination.empty())
        return CopyOutcome::Refused;
    CopyPlan plan(m_session);
    if (CopyOutcome planned = makePlan(plan, names, destination); planned != CopyOutcome::Success)
        return planned;
    ClashPolicy clash(m_session, coarseTimes(plan.drive()));
    prepareTarget(plan, clash);
    copySources(plan, clash);
    return finish(plan);
}

// Everything decided before anything is written: what is copied, where to, how
// much, and whether it fits.
CopyOutcome CopyEngine::makePlan(CopyPlan& plan, const std::vector<std::string>& names,
                                 const std::string& destination)
{
    CopyOutcome result = plan.takeSources(names);
    if (result == CopyOutcome::Success)
        result = plan.checkDestination(destination);
    if (result != CopyOutcome::Success)
        return result;
    chooseDurability(plan);
    m_session.progress.preparing();
    result = plan.count();
    if (result == CopyOutcome::Success)
        result = plan.openTarget();
    if (result == CopyOutcome::Success)
        result = plan.checkRoom();
    return result;
}

void CopyEngine::chooseDurability(const CopyPlan& plan)
{
    // syncfs on FUSE and network mounts may never reach the data's real home.
    if (plan.drive().fuseOrNetwork)
        m_session.syncEachFileFromNowOn();
    if (m_session.options.writeBehind == WriteBehind::Auto && slowDrive(plan.drive()))
        m_session.writeBehindFromNowOn();
}

void CopyEngine::prepareTarget(CopyPlan& plan, ClashPolicy& clash)
{
    FileSystem& fs = m_session.fs;
    const int target = plan.target();
    // What the drive can hold is known before anything is written to it.
    (void)m_session.drives.of(target, m_session.temporaries.newName("probe"));
    m_session.temporaries.sweep(target);
    m_session.noteFolderWritten(target);
    // Counted before anything is asked, so the first clash question can offer to skip them.
    clash.expectIdentical(plan.countIdenticalFiles());
    m_session.progress.started(plan.totals().items + plan.leftOutWhileCounting(), plan.totals().bytes);
    if (plan.leftOutWhileCounting() != 0) {
        m_session.progress.itemsSkipped(plan.leftOutWhileCounting());
        m_session.progress.itemsDone(plan.leftOutWhileCounting());
    }
    unsigned threads = m_session.options.threads;
    if (struct stat into{}; threads == 0)
        threads = fs.fstat(target, &into) == 0 ? copyThreadsFor(into.st_dev) : 2;
    if (m_session.options.threads == 0 && m_session.verifying())
        threads = std::max(threads, kVerifyingThreads);
    if (threads > 1)
        m_pool = std::make_unique<WorkerPool>(threads);
}

void CopyEngine::copySources(CopyPlan& plan, ClashPolicy& clash)
{
    FileSystem& fs = m_session.fs;
    TreeCopier copier(m_session, plan, m_items, clash, m_pool.get());
    for (CopyPlan::Source& source : plan.sources()) {
        if (!source.counted)
            continue;
        // The pair takes over the source's folder and a descriptor of its own for the destination.
        UniqueFd into(fs, fs.openAt(plan.target(), ".", O_RDONLY | O_DIRECTORY));
        if (!into) {
            m_session.askAboutError(source.path, CopyError::fromCall(into.error()), false);
            continue;
        }
        const Inherited inherited = inheritedFrom(fs, into.get());
        auto root = std::make_shared<FolderPair>(m_session, std::move(source.parent), std::move(into),
                                                 parentOf(source.path), plan.destination(), nullptr);
        root->noteWritten();
        root->setInherited(inherited);
        if (!m_session.cancel.checkpoint())
            copier.copy(source, root);
    }
    // Every folder pair is let go here (the last holders finish their folders).
    if (m_pool) {
        m_pool->drain();
        if (std::exception_ptr failure = m_pool->failure())
            m_session.noteLeftOut(shown(plan.destination()), reasonFor(failure));
    }
}

// Whatever was written is flushed, cancelled or not; success waits for the disk.
CopyOutcome CopyEngine::finish(const CopyPlan& plan)
{
    // Data written behind, or synced file by file, is on the drive already.
    if (!m_session.writeBehind() && !m_session.syncEachFile())
        m_session.progress.leftToWrite(m_session.bytesWritten());
    m_session.progress.finishing();
    // A cancel that comes only while the finished copy is flushed stops nothing: every
    // item is there, and the flush decides how the request ended.
    const bool cancelled = m_session.cancel.cancelled();
    const CopyError flushed = m_session.flush();
    // What is there now, cancelled or not, can be undone.
    if (!m_session.options.undoHistory.empty() && !m_session.record.empty())
        m_recordSaved = m_session.record.save(m_session.options.undoHistory) == 0;
    if (cancelled)
        return CopyOutcome::Cancelled;
    if (flushed) {
        m_session.ask([&](CopyQuestions& q) {
            q.requestFailed("The copied items could not be written to the disk in "
                            + shown(plan.destination()) + ". " + describeError(flushed));
        });
        return CopyOutcome::Failed;
    }
    return m_session.failed() ? CopyOutcome::Failed : CopyOutcome::Success;
}

} // namespace shell
