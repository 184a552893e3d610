#include "support/ScriptedQuestions.h"

using namespace shell;

namespace {

template <typename T> T next(std::deque<T>& script, T fallback)
{
    if (script.empty())
        return fallback;
    T answer = script.front();
    script.pop_front();
    return answer;
}

} // namespace

void ScriptedQuestions::note(const std::string& entry)
{
    log.push_back(entry);
    threads.push_back(QThread::currentThread());
    if (whenAsked)
        whenAsked();
}

int ScriptedQuestions::count(const std::string& prefix) const
{
    int n = 0;
    for (const std::string& entry : log)
        n += entry.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    return n;
}

bool ScriptedQuestions::createFolder(const std::string& path)
{
    note("create " + path);
    return next(createAnswers, defaultCreate);
}

ClashAnswer ScriptedQuestions::replaceItem(const ItemDetails& existing, const ItemDetails& incoming)
{
    note("replace " + existing.path);
    clashExisting.push_back(existing);
    clashIncoming.push_back(incoming);
    return next(clashAnswers, defaultClash);
}

ClashAnswer ScriptedQuestions::mergeFolder(const ItemDetails& existing, const ItemDetails& incoming)
{
    note("merge " + existing.path);
    clashExisting.push_back(existing);
    clashIncoming.push_back(incoming);
    return next(clashAnswers, defaultClash);
}

ErrorAnswer ScriptedQuestions::copyError(const std::string& item, const std::string& reason, bool canRetry)
{
    note("error " + item + ": " + reason);
    retryOffered.push_back(canRetry);
    return next(errorAnswers, defaultError);
}

bool ScriptedQuestions::copyWithoutRoom(const std::string& folder, std::uint64_t, std::uint64_t)
{
    note("room " + folder);
    return roomAnswer;
}

bool ScriptedQuestions::deletePermanently(const std::string& path, const std::string& reason)
{
    note("delete " + path + ": " + reason);
    return deleteAnswer;
}

void ScriptedQuestions::requestFailed(const std::string& message)
{
    note("failed " + message);
}

NameAnswer ScriptedQuestions::refusedName(const std::string& item, const std::string& refused,
                                          const std::string& replacement)
{
    note("name " + item + ": " + refused + " as " + replacement);
    if (nameAnswers.empty())
        return defaultName;
    NameAnswer answer = nameAnswers.front();
    nameAnswers.pop_front();
    return answer;
}

ClashAnswer ScriptedQuestions::caseClash(const ItemDetails& existing, const ItemDetails& incoming)
{
    note("case " + incoming.path);
    clashExisting.push_back(existing);
    clashIncoming.push_back(incoming);
    if (clashAnswers.empty())
        return defaultClash;
    ClashAnswer answer = clashAnswers.front();
    clashAnswers.pop_front();
    return answer;
}
