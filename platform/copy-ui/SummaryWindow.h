#pragma once
// The service's closing word when a request left items out after errors, or kept
// items the trash refused: every such item with its reason, as text the person can
// select and copy (to keep, to search for, to send on). It has no owner window.

#include "platform/copy/CopySession.h"

#include <QDialog>
#include <QString>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace shell {

// What the person chose in the summary: to close it, to run the request again for
// just the items listed (once the cause is mended), or to undo the copy.
enum class SummaryChoice { Close, Retry, Undo };

class SummaryWindow : public QDialog {
    Q_OBJECT
public:
    // canRetry: the list holds items of the request that a second run could copy;
    // canUndo: the request was recorded, so it can be undone.
    explicit SummaryWindow(const std::vector<LeftOutItem>& items, bool canRetry = true, bool canUndo = false);

    // One line per item: the item's path, a tab, the reason.
    [[nodiscard]] static QString listText(const std::vector<LeftOutItem>& items);
    [[nodiscard]] static QString headingText(std::size_t count);

    [[nodiscard]] QPlainTextEdit* list() const { return m_list; }
    [[nodiscard]] QPushButton* copyButton() const { return m_copy; }
    [[nodiscard]] QPushButton* retryButton() const { return m_retry; }
    [[nodiscard]] QPushButton* undoButton() const { return m_undo; }
    [[nodiscard]] SummaryChoice choice() const { return m_choice; }

private:
    QPlainTextEdit* m_list;
    QPushButton* m_copy;
    QPushButton* m_retry;
    QPushButton* m_undo;
    SummaryChoice m_choice = SummaryChoice::Close;
};

// Shows the window modally and returns the person's choice when it closes.
SummaryChoice showLeftOutSummary(const std::vector<LeftOutItem>& items, bool canRetry = true,
                                 bool canUndo = false);

} // namespace shell
