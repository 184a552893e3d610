#include "platform/copy-ui/UiThreadQuestions.h"

#include "platform/copy/ProgressState.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace shell {

UiThreadQuestions::UiThreadQuestions(CopyQuestions& answerer, QObject* uiObject, QuestionWatcher* watcher)
    : m_answerer(answerer), m_uiObject(uiObject), m_watcher(watcher)
{
}

template <typename R, typename F> R UiThreadQuestions::ask(R whenAbandoned, F&& question)
{
    const std::shared_ptr<Shared> shared = m_shared;
    if (QThread::currentThread() == m_uiObject->thread()) {
        // Already there: a hop to oneself would never be served.
        {
            std::lock_guard lock(shared->lock);
            if (shared->abandoned)
                return whenAbandoned;
        }
        return question(m_answerer);
    }
    struct Call {
        bool started = false;
        bool done = false;
        R result{};
    };
    const auto call = std::make_shared<Call>();
    {
        std::lock_guard lock(shared->lock);
        if (shared->abandoned)
            return whenAbandoned;
    }
    CopyQuestions* answerer = &m_answerer;
    // The question is run only while this thread still waits for it: abandoned before
    // it starts, it touches nothing of this frame.
    QMetaObject::invokeMethod(
        m_uiObject,
        [shared, call, answerer, &question] {
            {
                std::lock_guard lock(shared->lock);
                if (shared->abandoned)
                    return;
                call->started = true;
            }
            R result = question(*answerer);
            std::lock_guard lock(shared->lock);
            call->result = result;
            call->done = true;
            shared->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(shared->lock);
    shared->changed.wait(lock, [&] { return call->done || (shared->abandoned && !call->started); });
    return call->done ? call->result : whenAbandoned;
}

void UiThreadQuestions::abandon()
{
    std::lock_guard lock(m_shared->lock);
    m_shared->abandoned = true;
    m_shared->changed.notify_all();
}

template <typename R, typename F>
R UiThreadQuestions::onUiThread(const std::string& item, R whenAbandoned, F&& question)
{
    if (m_watcher != nullptr) {
        m_watcher->questionAsked(item);
        struct Answered {
            QuestionWatcher* watcher;
            ~Answered() { watcher->questionAnswered(); }
        } answered{m_watcher};
        return ask(whenAbandoned, question);
    }
    return ask(whenAbandoned, question);
}

bool UiThreadQuestions::createFolder(const std::string& path)
{
    return onUiThread(path, false, [&](CopyQuestions& q) { return q.createFolder(path); });
}

ClashAnswer UiThreadQuestions::replaceItem(const ItemDetails& existing, const ItemDetails& incoming)
{
    return onUiThread(existing.path, ClashAnswer::Cancel,
                      [&](CopyQuestions& q) { return q.replaceItem(existing, incoming); });
}

ClashAnswer UiThreadQuestions::mergeFolder(const ItemDetails& existing, const ItemDetails& incoming)
{
    return onUiThread(existing.path, ClashAnswer::Cancel,
                      [&](CopyQuestions& q) { return q.mergeFolder(existing, incoming); });
}

ErrorAnswer UiThreadQuestions::copyError(const std::string& item, const std::string& reason, bool canRetry)
{
    return onUiThread(item, ErrorAnswer::Cancel,
                      [&](CopyQuestions& q) { return q.copyError(item, reason, canRetry); });
}

bool UiThreadQuestions::copyWithoutRoom(const std::string& folder, std::uint64_t needed,
                                        std::uint64_t available)
{
    return onUiThread(folder, false,
                      [&](CopyQuestions& q) { return q.copyWithoutRoom(folder, needed, available); });
}

bool UiThreadQuestions::deletePermanently(const std::string& path, const std::string& reason)
{
    return onUiThread(path, false, [&](CopyQuestions& q) { return q.deletePermanently(path, reason); });
}

bool UiThreadQuestions::deleteReplacedToFit(const std::string& folder, std::uint64_t count,
                                            const std::string& reason)
{
    return onUiThread(folder, false,
                      [&](CopyQuestions& q) { return q.deleteReplacedToFit(folder, count, reason); });
}

void UiThreadQuestions::requestFailed(const std::string& message)
{
    onUiThread(std::string(), true, [&](CopyQuestions& q) {
        q.requestFailed(message);
        return true;
    });
}

NameAnswer UiThreadQuestions::refusedName(const std::string& item, const std::string& refused,
                                          const std::string& replacement)
{
    return onUiThread(item, NameAnswer::Cancel,
                      [&](CopyQuestions& q) { return q.refusedName(item, refused, replacement); });
}

ClashAnswer UiThreadQuestions::caseClash(const ItemDetails& existing, const ItemDetails& incoming)
{
    return onUiThread(existing.path, ClashAnswer::Cancel,
                      [&](CopyQuestions& q) { return q.caseClash(existing, incoming); });
}

} // namespace shell
