#pragma once
// Hands every question to another set of questions on the user-interface thread
// and waits there for the answer, so the engine's worker threads can ask through
// windows that only that thread may show.

#include "platform/shell/CopyQuestions.h"

class QObject;

namespace shell {

class UiThreadQuestions : public CopyQuestions {
public:
    // uiObject: any object living on the thread that must answer.
    UiThreadQuestions(CopyQuestions& answerer, QObject* uiObject);

    bool createFolder(const std::string& path) override;
    ClashAnswer replaceItem(const ItemDetails& existing, const ItemDetails& incoming) override;
    ClashAnswer mergeFolder(const ItemDetails& existing, const ItemDetails& incoming) override;
    ErrorAnswer copyError(const std::string& item, const std::string& reason, bool canRetry) override;
    bool copyWithoutRoom(const std::string& folder, std::uint64_t needed, std::uint64_t available) override;
    bool deletePermanently(const std::string& path, const std::string& reason) override;
    void requestFailed(const std::string& message) override;

private:
    template <typename F> auto onUiThread(F&& question);

    CopyQuestions& m_answerer;
    QObject* m_uiObject;
};

} // namespace shell
