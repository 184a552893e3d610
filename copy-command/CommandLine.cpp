#include "copy-command/CommandLine.h"

namespace copycmd {

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    ParsedCommandLine parsed;
    CommandLine& command = parsed.command;
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            paths.push_back(a); // "-" alone is a name too
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--progress") {
            command.progress = true;
        } else if (a == "--choose-destination") {
            command.chooseDestination = true;
            command.progress = true;
        } else if (a == "--verify") {
            command.verify = true;
        } else if (a == "--undo-last") {
            command.action = CommandLine::Action::UndoLast;
        } else if (a == "--help" || a == "-h") {
            command.action = CommandLine::Action::Help;
        } else if (a == "--answers") {
            if (i + 1 == arguments.size()) {
                parsed.error = "--answers needs a list: " + std::string(kAnswerListSyntax);
                return parsed;
            }
            command.answerText = arguments[++i];
            const std::optional<AnswerList> answers = parseAnswerList(command.answerText);
            if (!answers) {
                parsed.error = "unknown answer in " + command.answerText
                               + " (known: " + std::string(kAnswerListSyntax) + ")";
                return parsed;
            }
            command.answers = *answers;
        } else {
            parsed.error = "unknown option " + a;
            return parsed;
        }
    }
    if (command.action == CommandLine::Action::Help) {
        parsed.ok = true;
        return parsed;
    }
    if (command.action == CommandLine::Action::UndoLast) {
        if (!paths.empty() || command.chooseDestination || !command.answerText.empty() || command.verify) {
            parsed.error = "--undo-last takes no paths and no other options but --progress";
            return parsed;
        }
        parsed.ok = true;
        return parsed;
    }
    if (command.chooseDestination) {
        if (paths.empty()) {
            parsed.error = "no source";
            return parsed;
        }
    } else {
        if (paths.size() < 2) {
            parsed.error = paths.empty() ? "no source and no destination folder" : "no destination folder";
            return parsed;
        }
        command.destination = paths.back();
        paths.pop_back();
    }
    command.sources = std::move(paths);
    for (const std::string& path : command.sources) {
        if (path.empty()) {
            parsed.error = "an empty source name";
            return parsed;
        }
    }
    if (command.destination.empty() && !command.chooseDestination) {
        parsed.error = "an empty destination folder name";
        return parsed;
    }
    parsed.ok = true;
    return parsed;
}

std::string usageLine()
{
    return "usage: quintaro-copy [--progress] [--verify] [--answers LIST] [--] SOURCE... DESTFOLDER\n"
           "       quintaro-copy --choose-destination [--verify] [--answers LIST] [--] SOURCE...\n"
           "       quintaro-copy [--progress] --undo-last\n";
}

std::string usageText()
{
    return usageLine()
           + "Copies every SOURCE into DESTFOLDER (made if missing) and exits with\n"
             "0 copied, 1 failed, 2 bad usage, 4 finished with items left out, 5 cancelled.\n"
             "  --progress      show the progress window, ask in windows, end with a summary\n"
             "  --choose-destination\n"
             "                  as --progress, asking for DESTFOLDER in a folder window first\n"
             "  --verify        read each copy back from its drive and compare it with its source\n"
             "  --undo-last     undo the last copy: what it made goes to the trash, what it\n"
             "                  replaced comes back, where nothing changed since (0 undone,\n"
             "                  4 undone in part, 1 nothing to undo or already undone)\n"
             "  --answers LIST  answers chosen beforehand, as kind=answer pairs:\n"
             "                  "
           + std::string(kAnswerListSyntax)
           + "\n"
             "                  the others are asked in windows, or without them answered so that\n"
             "                  nothing is lost: replace (the old item to the trash), merge folders,\n"
             "                  rename what the drive cannot name, skip what cannot be copied\n";
}

std::vector<std::string> windowArguments(const CommandLine& command)
{
    std::vector<std::string> arguments;
    if (command.action == CommandLine::Action::UndoLast)
        return {"--undo-last"};
    if (command.chooseDestination)
        arguments.emplace_back("--choose-destination");
    if (!command.answerText.empty())
        arguments.insert(arguments.end(), {"--answers", command.answerText});
    if (command.verify)
        arguments.emplace_back("--verify");
    arguments.emplace_back("--");
    arguments.insert(arguments.end(), command.sources.begin(), command.sources.end());
    if (!command.chooseDestination)
        arguments.push_back(command.destination);
    return arguments;
}

} // namespace copycmd
