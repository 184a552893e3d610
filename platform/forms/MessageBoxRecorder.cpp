#include "platform/forms/MessageBoxRecorder.h"

#include <QStringList>

namespace forms {

MessageBoxRecorder::MessageBoxRecorder() : m_previous(installedMessageBoxService())
{
    setMessageBoxService(this);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    setMessageBoxService(m_previous);
}

MsgResult MessageBoxRecorder::show(const MessageBoxRequest& request)
{
    m_requests.append(request);
    if (m_onShow)
        m_onShow(request);
    if (!m_script.isEmpty())
        return m_script.takeFirst();
    switch (request.buttons) {
    case MsgButtons::OK:
    case MsgButtons::OKCancel:
        return MsgResult::OK;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgResult::Yes;
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Abort;
    case MsgButtons::RetryCancel:
        return MsgResult::Retry;
    }
    return MsgResult::OK;
}

QStringList MessageBoxRecorder::texts() const
{
    QStringList result;
    for (const MessageBoxRequest& r : m_requests)
        result.append(r.text);
    return result;
}

} // namespace forms
