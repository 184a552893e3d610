#pragma once
// Answers for a copy nobody watches, chosen so nothing already on the disk is lost:
// create missing folders, merge folders, replace files (the old ones go to the
// trash; one that cannot is kept), skip what cannot be copied, start even when the
// room looks short. Every message is handed to the report callback.

#include "platform/copy/CopyQuestions.h"

#include <functional>

namespace shell {

class LoseNothingQuestions : public CopyQuestions {
public:
    explicit LoseNothingQuestions(std::function<void(const std::string&)> report = {});

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
    std::function<void(const std::string&)> m_report;
};

} // namespace shell
