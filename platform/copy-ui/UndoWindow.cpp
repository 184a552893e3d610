#include "platform/copy-ui/UndoWindow.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

namespace shell {

QString notUndoneText(const UndoReport& report)
{
    QString text;
    for (const LeftOutItem& item : report.notUndone)
        text += QFile::decodeName(QByteArray::fromStdString(item.item)) + u'\t' + QString::fromStdString(item.reason)
                + u'\n';
    return text;
}

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
        box.setDetailedText(notUndoneText(report));
    }
    if (!QApplication::windowIcon().isNull())
        box.setWindowIcon(QApplication::windowIcon());
    box.exec();
}

} // namespace shell
