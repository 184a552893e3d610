#include "platform/copy/FolderPair.h"

#include "platform/copy/CopyErrors.h"

namespace shell {

FolderPair::FolderPair(CopySession& session, UniqueFd source, UniqueFd target, std::string shownSource,
                       std::string shownTarget, std::shared_ptr<FolderPair> parent)
    : m_session(session), m_source(std::move(source)), m_target(std::move(target)),
      m_shownSource(std::move(shownSource)), m_shownTarget(std::move(shownTarget)),
      m_parent(std::move(parent))
{
    struct stat st {};
    if (m_target && m_session.fs.fstat(m_target.get(), &st) == 0)
        m_targetDevice = st.st_dev;
}

FolderPair::~FolderPair()
{
    complete();
    // The ancestors this pair was the last to hold are let go here, one after another:
    // letting each go from its child's destructor would take stack frames for every
    // level, and a tree can be far deeper than a worker thread's stack allows. Only
    // holders can copy a holder, so a pair held once stays held once.
    std::shared_ptr<FolderPair> parent = std::move(m_parent);
    while (parent && parent.use_count() == 1) {
        parent->complete();
        std::shared_ptr<FolderPair> next = std::move(parent->m_parent);
        parent.reset();
        parent = std::move(next);
    }
}

void FolderPair::complete()
{
    FileSystem& fs = m_session.fs;
    if (m_finish && m_source && m_target) {
        // Applied from the descriptors opened at the start: a source folder swapped for
        // a link since then cannot lend the copy its mode.
        // Nobody is left to ask at this point (the folder's last item is done), so a
        // failure goes to the list the user sees before the request returns.
        if (CopyError r = copyMetadata(m_session, m_source.get(), m_target.get(), m_sourceStat, false,
                                       m_parent ? m_parent->inherited() : Inherited{})) {
            m_session.noteLeftOut(m_shownTarget, kFolderMetadataNotKept + describeError(r));
        }
    }
    if (m_written && m_target && m_session.syncEachFile()) {
        if (int r = fs.fsync(m_target.get()); r != 0)
            m_session.noteFlushError(CopyError::fromCall(r));
    }
    m_source.reset();
    m_target.reset();
    m_finish = m_written = false;
}

void FolderPair::finishLike(const struct stat& source)
{
    m_sourceStat = source;
    m_finish = true;
    m_written = true;
}

} // namespace shell
