#pragma once
// The copy's progress window: what is being copied, from where to where, how much
// of the request is done, how fast and how long it will still take, and Cancel.
// It has no owner window; it only shows what its controller hands it.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace shell {

struct ProgressView {
    QString title;
    QString item;
    QString folders;
    QString counts;
    QString speed;
    int permille = 0;  // progress bar position, 0..1000
    bool busy = false; // no measurable position (counting, flushing)
};

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow();

    void showView(const ProgressView& view);
    void setCancelling();

    [[nodiscard]] QString itemText() const;
    [[nodiscard]] QString foldersText() const;
    [[nodiscard]] QString countsText() const;
    [[nodiscard]] QString speedText() const;
    [[nodiscard]] int barValue() const;
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_item;
    QLabel* m_folders;
    QLabel* m_counts;
    QLabel* m_speed;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};

} // namespace shell
