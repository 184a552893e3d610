#include "platform/forms/MessageBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

#include <algorithm>

namespace forms {

namespace {

MessageBoxService* g_service = nullptr;

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSpec {
    QMessageBox::StandardButton qt;
    MsgResult result;
};

QList<ButtonSpec> buttonsFor(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK:
        return {{QMessageBox::Ok, MsgResult::OK}};
    case MsgButtons::OKCancel:
        return {{QMessageBox::Ok, MsgResult::OK}, {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgButtons::AbortRetryIgnore:
        return {{QMessageBox::Abort, MsgResult::Abort},
                {QMessageBox::Retry, MsgResult::Retry},
                {QMessageBox::Ignore, MsgResult::Ignore}};
    case MsgButtons::YesNoCancel:
        return {{QMessageBox::Yes, MsgResult::Yes},
                {QMessageBox::No, MsgResult::No},
                {QMessageBox::Cancel, MsgResult::Cancel}};
    case MsgButtons::YesNo:
        return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
    case MsgButtons::RetryCancel:
        return {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}};
    }
    return {{QMessageBox::Ok, MsgResult::OK}};
}

} // namespace

MsgResult escapeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK:
        return MsgResult::OK;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Abort;
    default:
        return MsgResult::Cancel;
    }
}

int minimumBoxWidth(const QString& title, const QFont& font)
{
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // Title bars are about a line and a half of text high; the icon and up to three
    // frame buttons (minimise, maximise, close) are square in them.
    const int bar = metrics.height() * 3 / 2 + 4;
    const int margins = 2 * metrics.averageCharWidth() + 16;
    return metrics.horizontalAdvance(title) + 4 * bar + margins;
}

MsgResult QtMessageBoxService::show(const MessageBoxRequest& request)
{
    QMessageBox box(qtIcon(request.icon), request.title, request.text);
    box.setWindowModality(Qt::ApplicationModal);
    if (!QApplication::windowIcon().isNull())
        box.setWindowIcon(QApplication::windowIcon());
    const QList<ButtonSpec> specs = buttonsFor(request.buttons);
    for (const ButtonSpec& spec : specs)
        box.addButton(spec.qt);
    box.setDefaultButton(specs.front().qt);
    // QMessageBox sizes itself to its text alone; a row as wide as the title needs
    // keeps a short text from cutting a long title.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        int width = minimumBoxWidth(request.title, QApplication::font());
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            width = std::min(width, screen->availableGeometry().width() * 9 / 10);
        grid->addItem(
            new QSpacerItem(width - grid->contentsMargins().left() - grid->contentsMargins().right(), 0,
                            QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
    const auto* clicked = box.clickedButton();
    for (const ButtonSpec& spec : specs) {
        if (clicked != nullptr && clicked == box.button(spec.qt))
            return spec.result;
    }
    return escapeAnswer(request.buttons);
}

void setMessageBoxService(MessageBoxService* service)
{
    g_service = service;
}

MessageBoxService* installedMessageBoxService()
{
    return g_service;
}

MessageBoxService& messageBoxService()
{
    static QtMessageBoxService real;
    return g_service != nullptr ? *g_service : real;
}

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    return messageBoxService().show(MessageBoxRequest{text, title, icon, buttons});
}

} // namespace forms
