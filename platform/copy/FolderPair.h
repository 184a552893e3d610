#pragma once
// One folder of a copy: the source folder and its copy, both held open while the
// entries inside are copied, with the names they are shown by. Every item is
// copied relative to these two, never by a path. Workers copying a file inside
// hold the pair too; when the last holder lets go, the copy gets the source
// folder's mode, owner and times, so nothing written afterwards changes them. A
// pair holds its parent, so a folder is finished only after its subfolders.

#include "platform/copy/CopySession.h"
#include "platform/copy/ItemMetadata.h"
#include "platform/copy/fs/UniqueFd.h"

#include <memory>
#include <string>

namespace shell {

class FolderPair {
public:
    FolderPair(CopySession& session, UniqueFd source, UniqueFd target, std::string shownSource,
               std::string shownTarget, std::shared_ptr<FolderPair> parent);
    // Takes ownership of both descriptors.
    FolderPair(CopySession& session, int source, int target, std::string shownSource, std::string shownTarget,
               std::shared_ptr<FolderPair> parent)
        : FolderPair(session, UniqueFd(session.fs, source), UniqueFd(session.fs, target),
                     std::move(shownSource), std::move(shownTarget), std::move(parent))
    {
    }
    ~FolderPair();
    FolderPair(const FolderPair&) = delete;
    FolderPair& operator=(const FolderPair&) = delete;

    [[nodiscard]] int source() const { return m_source.get(); }
    [[nodiscard]] int target() const { return m_target.get(); }
    // The device the copy is on, looked at once when the pair was made.
    [[nodiscard]] dev_t targetDevice() const { return m_targetDevice; }
    [[nodiscard]] const std::string& shownSource() const { return m_shownSource; }
    [[nodiscard]] const std::string& shownTarget() const { return m_shownTarget; }

    // The copy is to get the metadata of the source folder, as looked at now, at the end.
    void finishLike(const struct stat& source);
    // What the copy hands down to items made in it (looked at once, when it was opened).
    [[nodiscard]] Inherited inherited() const { return m_inherited; }
    void setInherited(Inherited inherited) { m_inherited = inherited; }
    // Entries were written into the copy: with a sync of each file, it is synced at the end.
    void noteWritten() { m_written = true; }

private:
    // Gives the copy its metadata, flushes it where asked and closes both; once.
    void complete();

    CopySession& m_session;
    UniqueFd m_source;
    UniqueFd m_target;
    dev_t m_targetDevice = 0;
    std::string m_shownSource;
    std::string m_shownTarget;
    std::shared_ptr<FolderPair> m_parent;
    struct stat m_sourceStat {};
    Inherited m_inherited;
    bool m_finish = false;
    bool m_written = false;
};

} // namespace shell
