#pragma once
// What a copy does where an incoming item meets something in its way: an item of
// the same name at the destination (replace, merge, keep both, skip, or leave the
// earlier copies of the same size and date), a name the destination drive refuses
// (rename it to a name the drive takes, or skip it), and an item copied onto itself
// (its copy goes beside it under a new name). It asks the questions and owns the
// request's answers "to all", so each is asked once, not once per item.

#include "platform/copy/CopySession.h"
#include "platform/copy/FolderPair.h"

#include <cstdint>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace shell {

class ClashPolicy {
public:
    enum class Clash {
        None,      // nothing in the way: the item is copied under its target name
        Replace,   // a file there goes to the trash once its replacement is complete
        Merge,     // the incoming folder's items go into the folder there
        Skip,      // not copied
        Identical, // its earlier copy, of the same size and date, stays as it is
        Cancel,    // the request is cancelled
    };

    // coarseTimes: the destination keeps times to two seconds only (FAT).
    ClashPolicy(CopySession& session, bool coarseTimes);

    // How many files of the request are at the destination already with the same
    // size and date: the first clash question offers to leave them all.
    void expectIdentical(std::uint64_t files) { m_identical = files; }

    // What is done with the incoming item name of folder, to be copied there as
    // target (incomingFolder: it is a folder). caseOnly: the item in its way differs
    // from target in case alone (a drive that ignores case). Keep both gives target
    // a free name beside the item there ("a (2).txt") and answers None.
    Clash settle(const FolderPair& folder, const std::string& name, std::string& target, bool incomingFolder,
                 bool caseOnly = false);

    // The name an item takes on the drive of folder: its own, or one the user agreed
    // to where the drive refuses it; nothing when it is not to be copied.
    std::optional<std::string> nameOnDrive(const FolderPair& folder, const std::string& name);

    // The name a source item (looked at as st, in source) takes in the destination
    // folder root: its own, or where it is that very item (copied onto itself), a new
    // one beside it ("a - Copy.txt"); nothing when none can be formed.
    std::optional<std::string> targetFor(const FolderPair& root, const std::string& source,
                                         const struct stat& st);

private:
    Clash resolve(const FolderPair& folder, const std::string& name, const std::string& target,
                  bool incomingFolder, bool caseOnly, bool& keepBoth);
    // A name beside target that is free in folder, for an item kept beside another.
    std::optional<std::string> freeName(const FolderPair& folder, const std::string& target, bool isFolder);

    CopySession& m_session;
    const bool m_coarseTimes;
    std::optional<ClashAnswer> m_replaceAll; // Yes, No or KeepBoth, for every file clash
    std::optional<ClashAnswer> m_mergeAll;   // the same for folders
    std::uint64_t m_identical = 0;           // files of the request there already, same size and date
    bool m_skipIdentical = false;            // those are left as they are
    std::optional<bool> m_renameAll;         // refused names: Rename all (true) or Skip all (false)
};

} // namespace shell
