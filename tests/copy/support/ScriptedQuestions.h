#pragma once
// A test double for the copy's questions: answers come from scripts (queues), with
// a fixed default once a script runs dry, and every question is written to a log.

#include "platform/copy/CopyQuestions.h"

#include <QThread>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedQuestions : public shell::CopyQuestions {
public:
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

    // Scripts, used front first; the defaults answer once they are empty.
    std::deque<bool> createAnswers;
    std::deque<shell::ClashAnswer> clashAnswers;
    std::deque<shell::ErrorAnswer> errorAnswers;
    bool defaultCreate = true;
    shell::ClashAnswer defaultClash = shell::ClashAnswer::Yes;
    shell::ErrorAnswer defaultError = shell::ErrorAnswer::Skip;
    bool roomAnswer = true;
    bool deleteAnswer = false;
    std::deque<shell::NameAnswer> nameAnswers;
    shell::NameAnswer defaultName = shell::NameAnswer::Rename;

    // "create <path>", "replace <path>", "merge <path>", "error <item>: <reason>",
    // "room <folder>", "delete <path>: <reason>", "failed <message>",
    // "name <item>: <refused> as <replacement>", "case <path>" (answered from clashAnswers).
    std::vector<std::string> log;
    std::vector<shell::ItemDetails> clashExisting;
    std::vector<shell::ItemDetails> clashIncoming;
    std::vector<bool> retryOffered;
    // Called at every question, before it is answered.
    std::function<void()> whenAsked;
    // The thread each question was asked on.
    std::vector<QThread*> threads;

    [[nodiscard]] int count(const std::string& prefix) const;

private:
    void note(const std::string& entry);
};
