#include "platform/shell/ProgressWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

ProgressWindow::ProgressWindow()
    : QWidget(nullptr, Qt::Window), m_item(new QLabel(this)), m_folders(new QLabel(this)),
      m_counts(new QLabel(this)), m_speed(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Copying..."));
    for (QLabel* label : {m_item, m_folders}) {
        // Long paths must not stretch the window across the screen.
        label->setMinimumWidth(380);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    m_counts->setTextFormat(Qt::PlainText);
    m_speed->setTextFormat(Qt::PlainText);
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_item);
    layout->addWidget(m_folders);
    layout->addWidget(m_bar);
    layout->addWidget(m_counts);
    layout->addWidget(m_speed);
    layout->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancelRequested);
}

void ProgressWindow::showView(const ProgressView& view)
{
    setWindowTitle(view.title);
    m_item->setText(view.item);
    m_folders->setText(view.folders);
    m_counts->setText(view.counts);
    m_speed->setText(view.speed);
    if (view.busy) {
        m_bar->setRange(0, 0);
    } else {
        m_bar->setRange(0, 1000);
        m_bar->setValue(view.permille);
    }
}

void ProgressWindow::setCancelling()
{
    m_cancel->setEnabled(false);
    m_cancel->setText(tr("Cancelling..."));
}

QString ProgressWindow::itemText() const
{
    return m_item->text();
}

QString ProgressWindow::foldersText() const
{
    return m_folders->text();
}

QString ProgressWindow::countsText() const
{
    return m_counts->text();
}

QString ProgressWindow::speedText() const
{
    return m_speed->text();
}

int ProgressWindow::barValue() const
{
    return m_bar->value();
}

void ProgressWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window is asking to stop; it goes away when the copy has stopped.
    event->ignore();
    emit cancelRequested();
}

} // namespace shell
