#pragma once
// The copy's progress window: what is being copied, from where to where, how much
// of the request is done, how fast and how long it will still take, Pause/Resume
// and Cancel, and a "More details" section with a graph of the speed over time,
// the figures behind it, the counts of items done, skipped and left, and "Verify
// copies" (each file read back and compared once written). The title
// carries the percentage, so the task bar shows it too. It has no owner window; it
// only shows what its controller hands it.

#include <QString>
#include <QWidget>
#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace shell {

class ProgressGraph;

struct ProgressView {
    QString title;
    QString item;
    QString folders;
    QString counts;
    QString speed;
    int permille = 0;  // progress bar position, 0..1000
    bool busy = false; // no measurable position (counting, flushing)
    // The "More details" section.
    std::vector<double> speedHistory; // bytes per second, oldest first, evenly spaced
    QString speedFigure;              // "Speed: 10.0 MB/s"
    QString timeFigure;               // "About 2 seconds left"
    QString itemsFigure;              // "Items: 1 done, 0 skipped, 3 left"
    QString dataFigure;               // "Data: 10.0 MB of 30.0 MB"
};

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow();

    void showView(const ProgressView& view);
    void setCancelling();
    void setPaused(bool paused);
    void setDetailsShown(bool shown);
    [[nodiscard]] bool detailsShown() const;

    // The texts as given, whole (the window may show them shortened).
    [[nodiscard]] QString itemText() const;
    [[nodiscard]] QString foldersText() const;
    [[nodiscard]] QString countsText() const;
    [[nodiscard]] QString speedText() const;
    [[nodiscard]] QStringList detailTexts() const;
    [[nodiscard]] int barValue() const;
    [[nodiscard]] const ProgressGraph* graph() const { return m_graph; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* pauseButton() const { return m_pause; }
    QPushButton* detailsButton() const { return m_detailsButton; }
    QCheckBox* verifyBox() const { return m_verify; }
    // Shows the choice without telling anyone it was made (verifyToggled).
    void setVerify(bool verify);

signals:
    void cancelRequested();
    void pauseToggled();
    // The person turned "Verify copies" on or off.
    void verifyToggled(bool verify);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_item;
    QLabel* m_folders;
    QString m_itemText, m_foldersText; // as given; the labels may show them shortened
    QLabel* m_counts;
    QLabel* m_speed;
    QProgressBar* m_bar;
    QWidget* m_details;
    ProgressGraph* m_graph;
    QLabel* m_speedFigure;
    QLabel* m_timeFigure;
    QLabel* m_itemsFigure;
    QLabel* m_dataFigure;
    QCheckBox* m_verify;
    QPushButton* m_detailsButton;
    QPushButton* m_pause;
    QPushButton* m_cancel;
};

} // namespace shell
