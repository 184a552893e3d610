#pragma once
// quintaro-copy's command line:
//   quintaro-copy [--progress] [--answers LIST] [--] SOURCE... DESTFOLDER
//   quintaro-copy --choose-destination [--answers LIST] [--] SOURCE...
//   quintaro-copy [--progress] --undo-last
//   quintaro-copy --help
// Options come before the paths; "--" ends them, so a name may start with a dash.
// --choose-destination is the windowed form that asks for the destination folder
// (what a file manager's action on selected items runs): every path is a source.

#include "copy-command/AnswerList.h"

#include <string>
#include <vector>

namespace copycmd {

struct CommandLine {
    enum class Action { Copy, UndoLast, Help };
    Action action = Action::Copy;
    bool progress = false;          // the windowed form: progress window, questions, summary
    bool chooseDestination = false; // the windowed form, asking for the destination first
    bool verify = false;            // each copy read back from its drive and compared
    AnswerList answers;             // --answers; the rest are asked (windows) or lose nothing (terminal)
    std::string answerText;         // as given, to hand on to the windowed form
    std::vector<std::string> sources;
    std::string destination; // empty with chooseDestination
};

struct ParsedCommandLine {
    bool ok = false;
    CommandLine command; // when ok
    std::string error;   // when not: what is wrong, in one line
};

[[nodiscard]] ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);
// The usage line, and the whole text --help prints (the usage line first).
[[nodiscard]] std::string usageLine();
[[nodiscard]] std::string usageText();

// The same request for the windowed form: --progress dropped, every path after "--".
[[nodiscard]] std::vector<std::string> windowArguments(const CommandLine& command);

} // namespace copycmd
