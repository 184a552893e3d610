#include "copy-command/ChosenAnswers.h"

namespace copycmd {

using shell::ClashAnswer;
using shell::ItemDetails;

ChosenAnswers::ChosenAnswers(AnswerList chosen, std::unique_ptr<shell::CopyQuestions> rest,
                             std::function<void(const std::string&)> report)
    : m_chosen(chosen), m_rest(std::move(rest)), m_report(std::move(report))
{
}

bool ChosenAnswers::createFolder(const std::string& path)
{
    return m_rest->createFolder(path);
}

ClashAnswer ChosenAnswers::replaceItem(const ItemDetails& existing, const ItemDetails& incoming)
{
    if (m_chosen.skipSame && incoming.sameSizeAndDate != 0)
        return ClashAnswer::SkipIdentical;
    return m_chosen.clash ? *m_chosen.clash : m_rest->replaceItem(existing, incoming);
}

ClashAnswer ChosenAnswers::mergeFolder(const ItemDetails& existing, const ItemDetails& incoming)
{
    if (m_chosen.skipSame && incoming.sameSizeAndDate != 0)
        return ClashAnswer::SkipIdentical;
    return m_chosen.clash ? *m_chosen.clash : m_rest->mergeFolder(existing, incoming);
}

shell::ErrorAnswer ChosenAnswers::copyError(const std::string& item, const std::string& reason, bool canRetry)
{
    if (!m_chosen.error)
        return m_rest->copyError(item, reason, canRetry);
    if (*m_chosen.error == shell::ErrorAnswer::Cancel && m_report)
        m_report("cancelled at " + item + ": " + reason);
    return *m_chosen.error;
}

bool ChosenAnswers::copyWithoutRoom(const std::string& folder, std::uint64_t needed, std::uint64_t available)
{
    return m_rest->copyWithoutRoom(folder, needed, available);
}

bool ChosenAnswers::deletePermanently(const std::string& path, const std::string& reason)
{
    return m_rest->deletePermanently(path, reason);
}

void ChosenAnswers::requestFailed(const std::string& message)
{
    m_rest->requestFailed(message);
}

shell::NameAnswer ChosenAnswers::refusedName(const std::string& item, const std::string& refused,
                                             const std::string& replacement)
{
    return m_chosen.name ? *m_chosen.name : m_rest->refusedName(item, refused, replacement);
}

ClashAnswer ChosenAnswers::caseClash(const ItemDetails& existing, const ItemDetails& incoming)
{
    return m_chosen.clash ? *m_chosen.clash : m_rest->caseClash(existing, incoming);
}

} // namespace copycmd
