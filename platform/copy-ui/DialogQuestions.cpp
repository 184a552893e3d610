#include "platform/copy-ui/DialogQuestions.h"

#include "platform/copy-ui/ProgressText.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace shell {

namespace {

const QString kTitle = QStringLiteral("Copy");

QString display(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString nameOf(const std::string& path)
{
    const QString full = display(path);
    return full.mid(full.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

// Every clash offers Keep both; keepBothFirst makes it the default (names that differ
// in case alone). identical: the request's files with the same size and date, which a
// button offers to skip.
ClashAnswer DialogQuestions::askClash(const QString& text, bool keepBothFirst, std::uint64_t identical)
{
    QMessageBox box(QMessageBox::Question, kTitle, text,
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll
                        | QMessageBox::Cancel);
    QPushButton* both = box.addButton(QStringLiteral("&Keep both"), QMessageBox::AcceptRole);
    QPushButton* bothAll = box.addButton(QStringLiteral("Keep both for a&ll"), QMessageBox::AcceptRole);
    QPushButton* skipSame =
        identical == 0 ? nullptr : box.addButton(skipIdenticalText(identical), QMessageBox::AcceptRole);
    if (keepBothFirst)
        box.setDefaultButton(both);
    else
        box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int code = exec(box);
    if (box.clickedButton() == both)
        return ClashAnswer::KeepBoth;
    if (box.clickedButton() == bothAll)
        return ClashAnswer::KeepBothToAll;
    if (skipSame != nullptr && box.clickedButton() == skipSame)
        return ClashAnswer::SkipIdentical;
    switch (code) {
    case QMessageBox::Yes:
        return ClashAnswer::Yes;
    case QMessageBox::YesToAll:
        return ClashAnswer::YesToAll;
    case QMessageBox::No:
        return ClashAnswer::No;
    case QMessageBox::NoToAll:
        return ClashAnswer::NoToAll;
    default:
        return ClashAnswer::Cancel;
    }
}

QString DialogQuestions::skipIdenticalText(std::uint64_t count)
{
    return count == 1 ? QStringLiteral("&Skip 1 item with the same size and date")
                      : QStringLiteral("&Skip %1 items with the same size and date").arg(count);
}

bool DialogQuestions::askYesNo(int icon, const QString& text)
{
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), kTitle, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return exec(box) == QMessageBox::Yes;
}

int DialogQuestions::exec(QMessageBox& box)
{
    m_open = &box;
    const int code = box.exec();
    m_open = nullptr;
    return code;
}

void DialogQuestions::closeOpen()
{
    if (m_open)
        m_open->reject();
}

QString DialogQuestions::describeItem(const ItemDetails& item)
{
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(item.modified.tv_sec) * 1000
                                                              + item.modified.tv_nsec / 1000000);
    const QString when = QLocale().toString(modified, QLocale::ShortFormat);
    if (item.isFolder)
        return QStringLiteral("Modified: %1").arg(when);
    return QStringLiteral("Size: %1\nModified: %2")
        .arg(formatBytes(static_cast<std::uint64_t>(item.size)), when);
}

QString DialogQuestions::replaceText(const ItemDetails& existing, const ItemDetails& incoming)
{
    return QStringLiteral("The destination already has an item named \"%1\".\n\n"
                          "Do you want to replace the existing item\n%2\n\nwith this one?\n%3\n\n"
                          "The existing item will be moved to the trash.")
        .arg(nameOf(existing.path), describeItem(existing), describeItem(incoming));
}

QString DialogQuestions::mergeText(const ItemDetails& existing, const ItemDetails& incoming)
{
    return QStringLiteral("The destination already has a folder named \"%1\".\n\n"
                          "Existing folder\n%2\n\nFolder being copied\n%3\n\n"
                          "Do you want to copy into the existing folder? You will be asked before any "
                          "file in it is replaced.")
        .arg(nameOf(existing.path), describeItem(existing), describeItem(incoming));
}

bool DialogQuestions::createFolder(const std::string& path)
{
    return askYesNo(
        QMessageBox::Question,
        QStringLiteral("The folder \"%1\" does not exist.\n\nDo you want to create it?").arg(display(path)));
}

ClashAnswer DialogQuestions::replaceItem(const ItemDetails& existing, const ItemDetails& incoming)
{
    return askClash(replaceText(existing, incoming), false, incoming.sameSizeAndDate);
}

ClashAnswer DialogQuestions::mergeFolder(const ItemDetails& existing, const ItemDetails& incoming)
{
    return askClash(mergeText(existing, incoming), false, incoming.sameSizeAndDate);
}

ErrorAnswer DialogQuestions::copyError(const std::string& item, const std::string& reason, bool canRetry)
{
    QMessageBox box(
        QMessageBox::Warning, kTitle,
        QStringLiteral("Cannot copy \"%1\":\n%2").arg(display(item), QString::fromStdString(reason)));
    QPushButton* retry =
        canRetry ? box.addButton(QStringLiteral("&Retry"), QMessageBox::AcceptRole) : nullptr;
    QPushButton* skip = box.addButton(QStringLiteral("&Skip"), QMessageBox::DestructiveRole);
    QPushButton* skipAll = box.addButton(QStringLiteral("Skip &all"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(retry ? retry : skip);
    box.setEscapeButton(cancel);
    exec(box);
    if (retry && box.clickedButton() == retry)
        return ErrorAnswer::Retry;
    if (box.clickedButton() == skip)
        return ErrorAnswer::Skip;
    if (box.clickedButton() == skipAll)
        return ErrorAnswer::SkipAll;
    return ErrorAnswer::Cancel;
}

bool DialogQuestions::copyWithoutRoom(const std::string& folder, std::uint64_t needed,
                                      std::uint64_t available)
{
    return askYesNo(
        QMessageBox::Warning,
        QStringLiteral("There is not enough free space in \"%1\": the items need %2 and %3 is free.\n\n"
                       "Do you want to copy anyway? Items that do not fit will not be copied.")
            .arg(display(folder), formatBytes(needed), formatBytes(available)));
}

bool DialogQuestions::deletePermanently(const std::string& path, const std::string& reason)
{
    // A drive without a trash asks this of every item replaced: "to All" answers the rest.
    if (m_deleteForAll)
        return *m_deleteForAll;
    QMessageBox box(QMessageBox::Warning, kTitle,
                    QStringLiteral("\"%1\" cannot be moved to the trash:\n%2\n\n"
                                   "Do you want to delete it permanently and replace it?")
                        .arg(display(path), QString::fromStdString(reason)),
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No); // keeping is what the close box means
    const int code = exec(box);
    if (code == QMessageBox::YesToAll || code == QMessageBox::NoToAll)
        m_deleteForAll = code == QMessageBox::YesToAll;
    return code == QMessageBox::Yes || code == QMessageBox::YesToAll;
}

bool DialogQuestions::deleteReplacedToFit(const std::string& folder, std::uint64_t count,
                                          const std::string& reason)
{
    if (count <= 1)
        return deletePermanently(folder, reason);
    return askYesNo(
        QMessageBox::Warning,
        QStringLiteral("The %1 items this copy replaces in \"%2\" cannot be kept in the trash:\n%3\n\n"
                       "Do you want to delete them permanently and replace them?")
            .arg(count)
            .arg(display(folder), QString::fromStdString(reason)));
}

NameAnswer DialogQuestions::refusedName(const std::string& item, const std::string& refused,
                                        const std::string& replacement)
{
    (void)item;
    QMessageBox box(QMessageBox::Question, kTitle,
                    QStringLiteral("This drive cannot store %1. Copy it as '%2'?")
                        .arg(QString::fromStdString(refused), display(replacement)));
    QPushButton* rename = box.addButton(QStringLiteral("&Rename"), QMessageBox::AcceptRole);
    QPushButton* renameAll = box.addButton(QStringLiteral("Rename &all"), QMessageBox::AcceptRole);
    QPushButton* skip = box.addButton(QStringLiteral("&Skip"), QMessageBox::RejectRole);
    QPushButton* skipAll = box.addButton(QStringLiteral("S&kip all"), QMessageBox::RejectRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(rename);
    box.setEscapeButton(cancel);
    exec(box);
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == rename)
        return NameAnswer::Rename;
    if (clicked == renameAll)
        return NameAnswer::RenameAll;
    if (clicked == skip)
        return NameAnswer::Skip;
    if (clicked == skipAll)
        return NameAnswer::SkipAll;
    return NameAnswer::Cancel;
}

ClashAnswer DialogQuestions::caseClash(const ItemDetails& existing, const ItemDetails& incoming)
{
    const QString text = (incoming.isFolder ? mergeText(existing, incoming) : replaceText(existing, incoming))
                         + QStringLiteral("\n\nThis drive does not tell \"%1\" from \"%2\".")
                               .arg(nameOf(existing.path), nameOf(incoming.path));
    return askClash(text, true, incoming.sameSizeAndDate);
}

void DialogQuestions::requestFailed(const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, kTitle, QString::fromStdString(message), QMessageBox::Ok);
    exec(box);
}

} // namespace shell
