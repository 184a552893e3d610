#include "platform/copy/ProgressTee.h"

namespace shell {

ProgressTee::ProgressTee(CopyProgress& first) : m_first(first), m_firstWatcher(dynamic_cast<QuestionWatcher*>(&first))
{
}

void ProgressTee::preparing()
{
    m_first.preparing();
    m_state.preparing();
}

void ProgressTee::started(std::uint64_t items, std::uint64_t bytes)
{
    m_first.started(items, bytes);
    m_state.started(items, bytes);
}

void ProgressTee::itemStarted(const std::string& name, const std::string& fromFolder, const std::string& toFolder)
{
    m_first.itemStarted(name, fromFolder, toFolder);
    m_state.itemStarted(name, fromFolder, toFolder);
}

void ProgressTee::bytesDone(std::int64_t bytes)
{
    m_first.bytesDone(bytes);
    m_state.bytesDone(bytes);
}

void ProgressTee::itemsDone(std::uint64_t items)
{
    m_first.itemsDone(items);
    m_state.itemsDone(items);
}

void ProgressTee::itemsSkipped(std::uint64_t items)
{
    m_first.itemsSkipped(items);
    m_state.itemsSkipped(items);
}

void ProgressTee::finishing()
{
    m_first.finishing();
    m_state.finishing();
}

void ProgressTee::leftToWrite(std::int64_t bytes)
{
    m_first.leftToWrite(bytes);
    m_state.leftToWrite(bytes);
}

void ProgressTee::questionAsked(const std::string& item)
{
    if (m_firstWatcher != nullptr)
        m_firstWatcher->questionAsked(item);
    m_state.questionAsked(item);
}

void ProgressTee::questionAnswered()
{
    if (m_firstWatcher != nullptr)
        m_firstWatcher->questionAnswered();
    m_state.questionAnswered();
}

} // namespace shell
