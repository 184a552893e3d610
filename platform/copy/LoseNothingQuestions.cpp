#include "platform/copy/LoseNothingQuestions.h"

namespace shell {

LoseNothingQuestions::LoseNothingQuestions(std::function<void(const std::string&)> report)
    : m_report(std::move(report))
{
}

bool LoseNothingQuestions::createFolder(const std::string&)
{
    return true;
}

ClashAnswer LoseNothingQuestions::replaceItem(const ItemDetails&, const ItemDetails&)
{
    return ClashAnswer::YesToAll;
}

ClashAnswer LoseNothingQuestions::mergeFolder(const ItemDetails&, const ItemDetails&)
{
    return ClashAnswer::YesToAll;
}

ErrorAnswer LoseNothingQuestions::copyError(const std::string& item, const std::string& reason, bool)
{
    if (m_report)
        m_report("skipped " + item + ": " + reason);
    return ErrorAnswer::Skip;
}

bool LoseNothingQuestions::copyWithoutRoom(const std::string& folder, std::uint64_t needed,
                                           std::uint64_t available)
{
    if (m_report)
        m_report("not enough room in " + folder + " (" + std::to_string(needed) + " bytes needed, "
                 + std::to_string(available) + " free); copying what fits");
    return true;
}

bool LoseNothingQuestions::deletePermanently(const std::string& path, const std::string& reason)
{
    if (m_report)
        m_report("kept " + path + ", which cannot go to the trash: " + reason);
    return false;
}

void LoseNothingQuestions::requestFailed(const std::string& message)
{
    if (m_report)
        m_report(message);
}

NameAnswer LoseNothingQuestions::refusedName(const std::string&, const std::string&, const std::string&)
{
    return NameAnswer::Rename;
}

ClashAnswer LoseNothingQuestions::caseClash(const ItemDetails&, const ItemDetails&)
{
    return ClashAnswer::KeepBoth; // neither item is lost
}

} // namespace shell
