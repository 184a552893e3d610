#include "platform/shell/UiThreadQuestions.h"

#include "platform/shell/ProgressState.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace shell {

UiThreadQuestions::UiThreadQuestions(CopyQuestions& answerer, QObject* uiObject, QuestionWatcher* watcher)
    : m_answerer(answerer), m_uiObject(uiObject), m_watcher(watcher)
{
}

template <typename F> auto UiThreadQuestions::ask(F&& question)
{
    using Result = decltype(question(m_answerer));
    if (QThread::currentThread() == m_uiObject->thread())
        return question(m_answerer); // already there: a blocking hop to oneself would never return
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(
            m_uiObject, [&] { question(m_answerer); }, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            m_uiObject, [&] { result = question(m_answerer); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

template <typename F> auto UiThreadQuestions::onUiThread(const std::string& item, F&& question)
{
    if (m_watcher != nullptr) {
        m_watcher->questionAsked(item);
        struct Answered {
            QuestionWatcher* watcher;
            ~Answered() { watcher->questionAnswered(); }
        } answered{m_watcher};
        return ask(question);
    }
    return ask(question);
}

bool UiThreadQuestions::createFolder(const std::string& path)
{
    return onUiThread(path, [&](CopyQuestions& q) { return q.createFolder(path); });
}

ClashAnswer UiThreadQuestions::replaceItem(const ItemDetails& existing, const ItemDetails& incoming)
{
    return onUiThread(existing.path, [&](CopyQuestions& q) { return q.replaceItem(existing, incoming); });
}

ClashAnswer UiThreadQuestions::mergeFolder(const ItemDetails& existing, const ItemDetails& incoming)
{
    return onUiThread(existing.path, [&](CopyQuestions& q) { return q.mergeFolder(existing, incoming); });
}

ErrorAnswer UiThreadQuestions::copyError(const std::string& item, const std::string& reason, bool canRetry)
{
    return onUiThread(item, [&](CopyQuestions& q) { return q.copyError(item, reason, canRetry); });
}

bool UiThreadQuestions::copyWithoutRoom(const std::string& folder, std::uint64_t needed,
                                        std::uint64_t available)
{
    return onUiThread(folder, [&](CopyQuestions& q) { return q.copyWithoutRoom(folder, needed, available); });
}

bool UiThreadQuestions::deletePermanently(const std::string& path, const std::string& reason)
{
    return onUiThread(path, [&](CopyQuestions& q) { return q.deletePermanently(path, reason); });
}

void UiThreadQuestions::requestFailed(const std::string& message)
{
    onUiThread(std::string(), [&](CopyQuestions& q) { q.requestFailed(message); });
}

NameAnswer UiThreadQuestions::refusedName(const std::string& item, const std::string& refused,
                                          const std::string& replacement)
{
    return onUiThread(item, [&](CopyQuestions& q) { return q.refusedName(item, refused, replacement); });
}

ClashAnswer UiThreadQuestions::caseClash(const ItemDetails& existing, const ItemDetails& incoming)
{
    return onUiThread(existing.path, [&](CopyQuestions& q) { return q.caseClash(existing, incoming); });
}

} // namespace shell
