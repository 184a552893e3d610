#include "copy-command/AnswerList.h"

namespace copycmd {

namespace {

bool choose(AnswerList& answers, const std::string& pair)
{
    using shell::ClashAnswer;
    const size_t equals = pair.find('=');
    if (equals == std::string::npos)
        return false;
    const std::string kind = pair.substr(0, equals);
    const std::string answer = pair.substr(equals + 1);
    if (kind == "replace" && (answer == "yes" || answer == "no" || answer == "keep-both")) {
        answers.clash = answer == "yes"  ? ClashAnswer::YesToAll
                        : answer == "no" ? ClashAnswer::NoToAll
                                         : ClashAnswer::KeepBoth;
    } else if (kind == "name" && (answer == "rename" || answer == "skip")) {
        answers.name = answer == "rename" ? shell::NameAnswer::RenameAll : shell::NameAnswer::SkipAll;
    } else if (kind == "same" && answer == "skip") {
        answers.skipSame = true;
    } else if (kind == "error" && (answer == "skip" || answer == "cancel")) {
        answers.error = answer == "skip" ? shell::ErrorAnswer::Skip : shell::ErrorAnswer::Cancel;
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<AnswerList> parseAnswerList(const std::string& list)
{
    AnswerList answers;
    size_t start = 0;
    for (;;) {
        const size_t end = list.find(',', start);
        if (!choose(answers, list.substr(start, end == std::string::npos ? std::string::npos : end - start)))
            return std::nullopt;
        if (end == std::string::npos)
            return answers;
        start = end + 1;
    }
}

} // namespace copycmd
