#include "platform/copy-ui/UndoWindow.h"

#include "platform/copy-ui/SummaryWindow.h"

#include <QApplication>
#include <QMessageBox>

namespace shell {

void showUndoReport(const UndoReport& report)
{
    const bool fine = report.outcome == UndoOutcome::Undone;
    QMessageBox box(fine ? QMessageBox::Information : QMessageBox::Warning, QStringLiteral("Undo Copy"),
                    QString::fromStdString(describeUndo(report.outcome)), QMessageBox::Ok);
    if (!report.notUndone.empty()) {
        const auto count = report.notUndone.size();
        box.setInformativeText(count == 1 ? QStringLiteral("One item could not be undone and was left as it is.")
                                          : QStringLiteral("%1 items could not be undone and were left as they are.")
                                                .arg(count));
        box.setDetailedText(SummaryWindow::listText(report.notUndone));
    }
    if (!QApplication::windowIcon().isNull())
        box.setWindowIcon(QApplication::windowIcon());
    box.exec();
}

} // namespace shell
