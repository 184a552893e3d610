#pragma once
// A message-box service for tests: records every request in order and answers
// from a script. While it exists it is the installed service.

#include "platform/forms/MessageBox.h"

#include <QList>

#include <functional>

namespace forms {

class MessageBoxRecorder : public MessageBoxService {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder() override;
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    MsgResult show(const MessageBoxRequest& request) override;

    // Answers are used in order; when the script runs out, a box gets its first
    // button (OK, Yes, Abort or Retry).
    void script(std::initializer_list<MsgResult> answers) { m_script.append(answers); }
    // Runs while the box "is open", before the answer is returned (for example to
    // tick a timer under a modal box).
    void onShow(std::function<void(const MessageBoxRequest&)> hook) { m_onShow = std::move(hook); }

    [[nodiscard]] const QList<MessageBoxRequest>& requests() const { return m_requests; }
    [[nodiscard]] QStringList texts() const;
    void clear() { m_requests.clear(); }

private:
    QList<MessageBoxRequest> m_requests;
    QList<MsgResult> m_script;
    std::function<void(const MessageBoxRequest&)> m_onShow;
    MessageBoxService* m_previous = nullptr;
};

} // namespace forms
