#pragma once
// Modal message boxes: a text, a title, an icon and a set of buttons; the answer
// is the button pressed. Windows call MsgBox(); what shows the box is a
// replaceable service (the real QMessageBox one by default, a recorder in tests).

#include <QFont>
#include <QString>

namespace forms {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };

enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

// Values as the classic runtime numbered them.
enum class MsgResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows the box modally and returns the answer; closing the box without a
    // button gives the Cancel (or No, or OK) answer the button set allows.
    virtual MsgResult show(const MessageBoxRequest& request) = 0;
};

// The real boxes: QMessageBox, application-modal, no owner window.
class QtMessageBoxService : public MessageBoxService {
public:
    MsgResult show(const MessageBoxRequest& request) override;
};

// Installs the service MsgBox uses; nullptr restores the real boxes. The caller
// keeps ownership and must uninstall it before destroying it.
void setMessageBoxService(MessageBoxService* service);
[[nodiscard]] MessageBoxService& messageBoxService();
// The installed service, or nullptr when the real boxes are in use.
[[nodiscard]] MessageBoxService* installedMessageBoxService();

// Shows one box through the installed service.
MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title);

// The narrowest a box titled `title` may be so the window manager never cuts the
// title short: the title in the (bold) title-bar font, plus room for the window
// icon and the frame buttons beside it, as the classic boxes were sized.
[[nodiscard]] int minimumBoxWidth(const QString& title, const QFont& font);

// What the answer is when the box is closed without pressing a button.
[[nodiscard]] MsgResult escapeAnswer(MsgButtons buttons);

} // namespace forms
