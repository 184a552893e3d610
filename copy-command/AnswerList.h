#pragma once
// The answers a command line chooses for the copy's questions, as kind=answer pairs
// separated by commas: replace=yes|no|keep-both for an existing file or folder (and
// for a name that differs in case alone), name=rename|skip for a name the destination
// drive cannot store, error=skip|cancel for an item that cannot be copied,
// same=skip to leave every file that is there already with the same size and date
// as it is (the other clashes are answered as replace= says, or asked). A kind not
// chosen is left to whoever asks otherwise.

#include "platform/copy/CopyQuestions.h"

#include <optional>
#include <string>

namespace copycmd {

struct AnswerList {
    std::optional<shell::ClashAnswer> clash; // YesToAll, NoToAll or KeepBoth
    std::optional<shell::NameAnswer> name;   // RenameAll or SkipAll
    std::optional<shell::ErrorAnswer> error; // Skip or Cancel
    bool skipSame = false;                   // SkipIdentical, where the question offers it

    [[nodiscard]] bool any() const { return clash || name || error || skipSame; }
};

// "replace=no,error=cancel"; nothing on a pair it does not know (an empty list too).
// A kind given twice takes its last answer.
[[nodiscard]] std::optional<AnswerList> parseAnswerList(const std::string& list);

// The words parseAnswerList takes, for usage texts.
inline constexpr const char* kAnswerListSyntax =
    "replace=yes|no|keep-both,name=rename|skip,error=skip|cancel,same=skip";

} // namespace copycmd
