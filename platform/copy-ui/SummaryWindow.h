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

class SummaryWindow : public QDialog {
    Q_OBJECT
public:
    explicit SummaryWindow(const std::vector<LeftOutItem>& items);

    // One line per item: the item's path, a tab, the reason.
    [[nodiscard]] static QString listText(const std::vector<LeftOutItem>& items);
    [[nodiscard]] static QString headingText(std::size_t count);

    [[nodiscard]] QPlainTextEdit* list() const { return m_list; }
    [[nodiscard]] QPushButton* copyButton() const { return m_copy; }

private:
    QPlainTextEdit* m_list;
    QPushButton* m_copy;
};

// Shows the window modally and returns when the person closes it.
void showLeftOutSummary(const std::vector<LeftOutItem>& items);

} // namespace shell
