#include "platform/copy-ui/ProgressWindow.h"

#include "platform/copy-ui/ProgressGraph.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace shell {

namespace {

QLabel* plainLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The widest a line of the item and folder texts may be, in pixels.
constexpr int kTextWidth = 480;

// Shows text in label, its lines wrapped at spaces: a word wider than the label (a
// long path has no space to wrap at) loses its middle to an ellipsis, and the whole
// text is the label's tooltip.
void showFitting(QLabel* label, const QString& text)
{
    const QFontMetrics metrics(label->font());
    bool shortened = false;
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        QStringList words = line.split(u' ');
        for (QString& word : words) {
            if (metrics.horizontalAdvance(word) > kTextWidth) {
                word = metrics.elidedText(word, Qt::ElideMiddle, kTextWidth);
                shortened = true;
            }
        }
        line = words.join(u' ');
    }
    label->setText(lines.join(u'\n'));
    label->setToolTip(shortened ? text : QString());
}

} // namespace

ProgressWindow::ProgressWindow()
    : QWidget(nullptr, Qt::Window), m_item(plainLabel(this)), m_folders(plainLabel(this)),
      m_counts(plainLabel(this)), m_speed(plainLabel(this)), m_bar(new QProgressBar(this)),
      m_details(new QWidget(this)), m_graph(new ProgressGraph(m_details)),
      m_speedFigure(plainLabel(m_details)), m_timeFigure(plainLabel(m_details)),
      m_itemsFigure(plainLabel(m_details)), m_dataFigure(plainLabel(m_details)),
      m_verify(new QCheckBox(tr("&Verify copies"), m_details)), m_detailsButton(new QPushButton(this)),
      m_pause(new QPushButton(tr("&Pause"), this)), m_cancel(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Copying..."));
    for (QLabel* label : {m_item, m_folders}) {
        // Long paths must not stretch the window across the screen.
        label->setMinimumWidth(380);
        label->setMaximumWidth(kTextWidth);
        label->setWordWrap(true);
    }
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(false);

    auto* figures = new QGridLayout;
    figures->addWidget(m_speedFigure, 0, 0);
    figures->addWidget(m_timeFigure, 0, 1);
    figures->addWidget(m_itemsFigure, 1, 0);
    figures->addWidget(m_dataFigure, 1, 1);
    auto* details = new QVBoxLayout(m_details);
    details->setContentsMargins(0, 0, 0, 0);
    details->addWidget(m_graph);
    details->addLayout(figures);
    details->addWidget(m_verify);
    m_details->hide();

    m_detailsButton->setFlat(true);
    m_detailsButton->setText(tr("More &details"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_detailsButton);
    buttons->addStretch();
    buttons->addWidget(m_pause);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // shrinks again when the details close
    layout->addWidget(m_item);
    layout->addWidget(m_folders);
    layout->addWidget(m_bar);
    layout->addWidget(m_counts);
    layout->addWidget(m_speed);
    layout->addWidget(m_details);
    layout->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancelRequested);
    connect(m_pause, &QPushButton::clicked, this, &ProgressWindow::pauseToggled);
    connect(m_verify, &QCheckBox::toggled, this, &ProgressWindow::verifyToggled);
    connect(m_detailsButton, &QPushButton::clicked, this, [this] { setDetailsShown(!detailsShown()); });
}

void ProgressWindow::showView(const ProgressView& view)
{
    setWindowTitle(view.title);
    m_itemText = view.item;
    m_foldersText = view.folders;
    showFitting(m_item, view.item);
    showFitting(m_folders, view.folders);
    m_folders->setVisible(!view.folders.isEmpty());
    m_counts->setText(view.counts);
    m_speed->setText(view.speed);
    if (view.busy) {
        m_bar->setRange(0, 0);
    } else {
        m_bar->setRange(0, 1000);
        m_bar->setValue(view.permille);
    }
    m_graph->setSamples(view.speedHistory);
    m_speedFigure->setText(view.speedFigure);
    m_timeFigure->setText(view.timeFigure);
    m_itemsFigure->setText(view.itemsFigure);
    m_dataFigure->setText(view.dataFigure);
}

void ProgressWindow::setCancelling()
{
    m_cancel->setEnabled(false);
    m_pause->setEnabled(false);
    m_cancel->setText(tr("Cancelling..."));
}

void ProgressWindow::setPaused(bool paused)
{
    m_pause->setText(paused ? tr("&Resume") : tr("&Pause"));
}

void ProgressWindow::setVerify(bool verify)
{
    const QSignalBlocker quiet(m_verify);
    m_verify->setChecked(verify);
}

void ProgressWindow::setDetailsShown(bool shown)
{
    m_details->setVisible(shown);
    m_detailsButton->setText(shown ? tr("Fewer &details") : tr("More &details"));
}

bool ProgressWindow::detailsShown() const
{
    return m_details->isVisibleTo(this);
}

QString ProgressWindow::itemText() const
{
    return m_itemText;
}

QString ProgressWindow::foldersText() const
{
    return m_foldersText;
}

QString ProgressWindow::countsText() const
{
    return m_counts->text();
}

QString ProgressWindow::speedText() const
{
    return m_speed->text();
}

QStringList ProgressWindow::detailTexts() const
{
    return {m_speedFigure->text(), m_timeFigure->text(), m_itemsFigure->text(), m_dataFigure->text()};
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
