#pragma once
// Hands every progress report to two listeners: the one a caller chose (a window,
// a log) and a state the caller can read whenever it likes. Questions are passed on
// to both as well, where the chosen one watches them.

#include "platform/copy/ProgressState.h"

namespace shell {

class ProgressTee : public CopyProgress, public QuestionWatcher {
public:
    explicit ProgressTee(CopyProgress& first);

    void preparing() override;
    void started(std::uint64_t items, std::uint64_t bytes) override;
    void itemStarted(const std::string& name, const std::string& fromFolder,
                     const std::string& toFolder) override;
    void bytesDone(std::int64_t bytes) override;
    void itemsDone(std::uint64_t items) override;
    void itemsSkipped(std::uint64_t items) override;
    void finishing() override;
    void leftToWrite(std::int64_t bytes) override;
    void questionAsked(const std::string& item) override;
    void questionAnswered() override;

    [[nodiscard]] const ProgressState& state() const { return m_state; }

private:
    CopyProgress& m_first;
    QuestionWatcher* m_firstWatcher; // m_first, where it watches questions
    ProgressState m_state;
};

} // namespace shell
