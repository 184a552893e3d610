#pragma once
// Hands every question to another set of questions on the user-interface thread
// and waits for the answer, so the engine's worker threads can ask through windows
// that only that thread may show. A watcher, if given, hears of each question (and
// the item it is about) and of its answer. A caller that stops serving the
// user-interface thread's events (the application is quitting) abandons the
// questions first, so no worker waits for an answer that would never come.

#include "platform/copy/CopyQuestions.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

class QObject;

namespace shell {

class QuestionWatcher;

class UiThreadQuestions : public CopyQuestions {
public:
    // uiObject: any object living on the thread that must answer.
    UiThreadQuestions(CopyQuestions& answerer, QObject* uiObject, QuestionWatcher* watcher = nullptr);

    bool createFolder(const std::string& path) override;
    ClashAnswer replaceItem(const ItemDetails& existing, const ItemDetails& incoming) override;
    ClashAnswer mergeFolder(const ItemDetails& existing, const ItemDetails& incoming) override;
    ErrorAnswer copyError(const std::string& item, const std::string& reason, bool canRetry) override;
    bool copyWithoutRoom(const std::string& folder, std::uint64_t needed, std::uint64_t available) override;
    bool deletePermanently(const std::string& path, const std::string& reason) override;
    bool deleteReplacedToFit(const std::string& folder, std::uint64_t count,
                             const std::string& reason) override;
    void requestFailed(const std::string& message) override;
    NameAnswer refusedName(const std::string& item, const std::string& refused,
                           const std::string& replacement) override;
    ClashAnswer caseClash(const ItemDetails& existing, const ItemDetails& incoming) override;

    // From now on every question that has not reached the screen is answered Cancel
    // (or No) at once, whether it is waiting for the user-interface thread or asked
    // later; one already on screen still gets the person's answer.
    void abandon();

private:
    struct Shared {
        std::mutex lock;
        std::condition_variable changed;
        bool abandoned = false;
    };
    template <typename R, typename F> R onUiThread(const std::string& item, R whenAbandoned, F&& question);
    template <typename R, typename F> R ask(R whenAbandoned, F&& question);

    CopyQuestions& m_answerer;
    QObject* m_uiObject;
    QuestionWatcher* m_watcher;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
};

} // namespace shell
