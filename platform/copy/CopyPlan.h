#pragma once
// A copy request made ready before anything is written: its sources looked at,
// each with its folder open; the destination checked (a folder, writable, not
// inside a source) and, where it is missing, made once the user agrees; the trees
// counted, with what was left out then (items the user skipped, files too large for
// the drive); and the room the copy needs checked against what the drive has.
// Every step that ends the request says why, to the user, before it returns.

#include "platform/copy/CopyOutcome.h"
#include "platform/copy/CopySession.h"
#include "platform/copy/DriveLimits.h"
#include "platform/copy/TreeScanner.h"
#include "platform/copy/fs/UniqueFd.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace shell {

class CopyPlan {
public:
    struct Source {
        std::string path; // "." and ".." resolved: its last part is the item's own name
        struct stat st {};
        UniqueFd parent;      // the folder holding it, open
        bool counted = false; // false: left out while the trees were counted
    };

    explicit CopyPlan(CopySession& session);

    // The steps, in order; each gives Success or how the request ends.
    // The sources as named (a wildcard in the last part of a name matches items).
    CopyOutcome takeSources(const std::vector<std::string>& names);
    // The destination folder, or its nearest existing ancestor where it is missing.
    CopyOutcome checkDestination(const std::string& destination);
    // The trees' totals; the files too large for the drive are left out, asked once.
    CopyOutcome count();
    // The destination made where it is missing (the user is asked), and opened.
    CopyOutcome openTarget();
    // Whether the copy fits, with the items it replaces kept in the trash.
    CopyOutcome checkRoom();

    [[nodiscard]] const std::string& destination() const { return m_destination; }
    [[nodiscard]] const DriveLimits& drive() const { return m_drive; }
    [[nodiscard]] int target() const { return m_target.get(); }
    [[nodiscard]] std::vector<Source>& sources() { return m_sources; }
    [[nodiscard]] const TreeTotals& totals() const { return m_totals; }
    // Items left out while the trees were counted (each counted as done).
    [[nodiscard]] std::uint64_t leftOutWhileCounting() const { return m_countSkipped; }
    // Whether the item (its shown path) was one of them: the copy leaves it out unasked.
    [[nodiscard]] bool leftOutWhileCounting(const std::string& item) const
    {
        return m_countSkippedItems.count(item) != 0;
    }
    // How many files of the request are at the destination already, with the same
    // size and date.
    std::uint64_t countIdenticalFiles();

private:
    CopyOutcome expandWildcard(const std::string& name);
    bool containsFolder(const std::string& folder, const struct stat& candidate);
    CopyOutcome makeDestination();
    bool leaveOutTooLarge(const std::vector<std::string>& items);
    // shownReplaced: the one item replaced, or the destination when there are more
    // (count of them).
    TreeTotals replacedTotals(std::uint64_t blockSize, std::string& shownReplaced, std::uint64_t& count);
    // Ends the request with a sentence to the user.
    CopyOutcome refuse(CopyOutcome outcome, const std::string& message);

    CopySession& m_session;
    std::vector<Source> m_sources;
    std::string m_destination;
    std::string m_ancestor; // the destination, or its nearest existing ancestor
    DriveLimits m_drive;    // of the destination (or of that ancestor)
    UniqueFd m_target;
    TreeTotals m_totals;
    std::uint64_t m_countSkipped = 0; // items left out while the trees were counted
    // Those items as counting showed them: the copy leaves them out without asking again.
    std::unordered_set<std::string> m_countSkippedItems;
};

} // namespace shell
