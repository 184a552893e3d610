#pragma once
// The copy's questions with some answers chosen beforehand (--answers): a chosen
// kind is answered at once, every other question goes to the questions it was given
// (the answers that lose nothing, or the service's windows). An error answered
// Cancel by the list is told to the report, if any, as nobody saw it asked.

#include "copy-command/AnswerList.h"
#include "platform/copy/CopyQuestions.h"

#include <functional>
#include <memory>

namespace copycmd {

class ChosenAnswers : public shell::CopyQuestions {
public:
    ChosenAnswers(AnswerList chosen, std::unique_ptr<shell::CopyQuestions> rest,
                  std::function<void(const std::string&)> report = {});

    bool createFolder(const std::string& path) override;
    shell::ClashAnswer replaceItem(const shell::ItemDetails& existing,
                                   const shell::ItemDetails& incoming) override;
    shell::ClashAnswer mergeFolder(const shell::ItemDetails& existing,
                                   const shell::ItemDetails& incoming) override;
    shell::ErrorAnswer copyError(const std::string& item, const std::string& reason, bool canRetry) override;
    bool copyWithoutRoom(const std::string& folder, std::uint64_t needed, std::uint64_t available) override;
    bool deletePermanently(const std::string& path, const std::string& reason) override;
    void requestFailed(const std::string& message) override;
    shell::NameAnswer refusedName(const std::string& item, const std::string& refused,
                                  const std::string& replacement) override;
    shell::ClashAnswer caseClash(const shell::ItemDetails& existing,
                                 const shell::ItemDetails& incoming) override;
    void closeOpen() override { m_rest->closeOpen(); }

private:
    AnswerList m_chosen;
    std::unique_ptr<shell::CopyQuestions> m_rest;
    std::function<void(const std::string&)> m_report;
};

} // namespace copycmd
