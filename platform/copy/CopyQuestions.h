#pragma once
// What the copy engine asks the person it copies for. The engine calls these from
// its worker threads, one question at a time; an implementation that shows windows
// must hop to the user-interface thread itself (see UiThreadQuestions).

#include <cstdint>
#include <ctime>
#include <string>

namespace shell {

// One side of a name clash, as shown in the replace and merge questions.
struct ItemDetails {
    std::string path;
    bool isFolder = false;
    std::int64_t size = 0;
    std::timespec modified{};
    // On the incoming side of a replace or merge question: the files of the request
    // that are there already with the same size and date, which the question offers
    // to skip (SkipIdentical); 0 when there is no such offer.
    std::uint64_t sameSizeAndDate = 0;
};

// KeepBoth: the incoming item takes a free name beside the one there ("a (2).txt");
// KeepBothToAll does so for every later clash of the same kind (files, folders).
// SkipIdentical: every file of the request that is there already with the same size
// and date is left as it is, counted as done; the others are still asked about.
enum class ClashAnswer { Yes, YesToAll, No, NoToAll, Cancel, KeepBoth, KeepBothToAll, SkipIdentical };
enum class NameAnswer { Rename, RenameAll, Skip, SkipAll, Cancel };
// SkipAll: this item and every later one that fails for the same reason are left
// out (and listed) without asking again.
enum class ErrorAnswer { Retry, Skip, SkipAll, Cancel };

class CopyQuestions {
public:
    virtual ~CopyQuestions() = default;

    // The destination folder does not exist: create it (with its parents)?
    virtual bool createFolder(const std::string& path) = 0;
    // A file (or link) of the same name exists: replace it with the incoming one?
    virtual ClashAnswer replaceItem(const ItemDetails& existing, const ItemDetails& incoming) = 0;
    // A folder of the same name exists: copy into it, merging the two?
    virtual ClashAnswer mergeFolder(const ItemDetails& existing, const ItemDetails& incoming) = 0;
    // An item could not be copied. Retry is offered only when canRetry is true.
    virtual ErrorAnswer copyError(const std::string& item, const std::string& reason, bool canRetry) = 0;
    // The tree needs more room than the destination has: start anyway?
    virtual bool copyWithoutRoom(const std::string& folder, std::uint64_t needed,
                                 std::uint64_t available) = 0;
    // The replaced item cannot go to the trash: delete it for good instead?
    virtual bool deletePermanently(const std::string& path, const std::string& reason) = 0;
    // Asked before anything is written: the new items fit only if the count items
    // they replace in folder are deleted for good rather than kept in the trash.
    virtual bool deleteReplacedToFit(const std::string& folder, std::uint64_t count,
                                     const std::string& reason)
    {
        (void)count;
        return deletePermanently(folder, reason);
    }
    // The request cannot go ahead at all; the message says why.
    virtual void requestFailed(const std::string& message) = 0;
    // The destination drive cannot store the item's name; refused says what in words
    // ("names with ':'"). Rename: copy it as replacement.
    virtual NameAnswer refusedName(const std::string& item, const std::string& refused,
                                   const std::string& replacement)
    {
        (void)item, (void)refused, (void)replacement;
        return NameAnswer::Rename;
    }
    // On a drive that ignores case, an item of the request differs from one already
    // there in case alone: like replaceItem or mergeFolder, with Keep both as the
    // first choice.
    virtual ClashAnswer caseClash(const ItemDetails& existing, const ItemDetails& incoming)
    {
        return incoming.isFolder ? mergeFolder(existing, incoming) : replaceItem(existing, incoming);
    }
    // Closes the question on screen, if any, as its Cancel (or No) would answer it:
    // the copy is being stopped. Called on the thread that asks.
    virtual void closeOpen() {}
};

} // namespace shell
