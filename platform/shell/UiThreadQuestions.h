#pragma once
// Hands every question to another set of questions on the user-interface thread
// and waits there for the answer, so the engine's worker threads can ask through
// windows that only that thread may show. A watcher, if given, hears of each
// question (and the item it is about) and of its answer.

#include "platform/shell/CopyQuestions.h"

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
    void requestFailed(const std::string& message) override;
    NameAnswer refusedName(const std::string& item, const std::string& refused,
                           const std::string& replacement) override;
    ClashAnswer caseClash(const ItemDetails& existing, const ItemDetails& incoming) override;

private:
    template <typename F> auto onUiThread(const std::string& item, F&& question);
    template <typename F> auto ask(F&& question);

    CopyQuestions& m_answerer;
    QObject* m_uiObject;
    QuestionWatcher* m_watcher;
};

} // namespace shell
