#include "platform/copy-ui/SummaryWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

QString SummaryWindow::headingText(std::size_t count)
{
    if (count == 1)
        return tr("The copy is not complete. This item was left out or kept as it was:");
    return tr("The copy is not complete. These %1 items were left out or kept as they were:").arg(count);
}

QString SummaryWindow::listText(const std::vector<LeftOutItem>& items)
{
    QString text;
    for (const LeftOutItem& item : items) {
        // Names are shown as well as they decode; the reason is the engine's own text.
        text += QFile::decodeName(QByteArray::fromStdString(item.item)) + u'\t'
                + QString::fromStdString(item.reason) + u'\n';
    }
    return text;
}

SummaryWindow::SummaryWindow(const std::vector<LeftOutItem>& items, bool canRetry, bool canUndo)
    : QDialog(nullptr), m_list(new QPlainTextEdit(this)), m_copy(new QPushButton(tr("&Copy List"), this)),
      m_retry(new QPushButton(tr("&Retry These"), this)), m_undo(new QPushButton(tr("&Undo Copy"), this))
{
    setWindowTitle(tr("Copy"));
    setWindowModality(Qt::ApplicationModal);
    auto* heading = new QLabel(headingText(items.size()), this);
    heading->setWordWrap(true);
    m_list->setReadOnly(true); // still selectable and copyable with the keyboard and the mouse
    m_list->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_list->setPlainText(listText(items));
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setMinimumSize(560, 200);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_copy, QDialogButtonBox::ActionRole);
    buttons->addButton(m_retry, QDialogButtonBox::AcceptRole);
    connect(m_retry, &QPushButton::clicked, this, [this] {
        m_choice = SummaryChoice::Retry;
        accept();
    });
    m_retry->setVisible(canRetry);
    buttons->addButton(m_undo, QDialogButtonBox::ActionRole);
    connect(m_undo, &QPushButton::clicked, this, [this] {
        m_choice = SummaryChoice::Undo;
        accept();
    });
    m_undo->setVisible(canUndo);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_list->toPlainText()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    m_list->setFocus();
}

SummaryChoice showLeftOutSummary(const std::vector<LeftOutItem>& items, bool canRetry, bool canUndo)
{
    SummaryWindow window(items, canRetry, canUndo);
    if (!QApplication::windowIcon().isNull())
        window.setWindowIcon(QApplication::windowIcon());
    window.exec();
    return window.choice();
}

} // namespace shell
