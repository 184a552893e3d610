#include "platform/forms/ShellDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <cstring>

namespace forms {

namespace {

ShellDialogs* g_dialogs = nullptr;

QString fromAnsi(const char* text)
{
    return text != nullptr ? QString::fromLocal8Bit(text) : QString();
}

// Qt reads "Description (patterns)" and matches "*.*" only against names with a
// dot, where the shell's "*.*" means every file.
QString qtNameFilter(const QString& description, QString patterns)
{
    QStringList list = patterns.split(u';', Qt::SkipEmptyParts);
    for (QString& p : list) {
        p = p.trimmed();
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    }
    return QStringLiteral("%1 (%2)").arg(description, list.join(u' '));
}

} // namespace

ShellDialogs& shellDialogs()
{
    static QtShellDialogs real;
    return g_dialogs != nullptr ? *g_dialogs : real;
}

void setShellDialogs(ShellDialogs* dialogs)
{
    g_dialogs = dialogs;
}

QList<QPair<QString, QString>> filterPairs(const char* filter)
{
    QList<QPair<QString, QString>> pairs;
    if (filter == nullptr)
        return pairs;
    const char* p = filter;
    while (*p != '\0') {
        const QString description = QString::fromLocal8Bit(p);
        p += std::strlen(p) + 1;
        const QString pattern = QString::fromLocal8Bit(p);
        pairs.append({description, pattern});
        if (*p == '\0')
            break;
        p += std::strlen(p) + 1;
    }
    return pairs;
}

int writeSelection(OPENFILENAMEA& request, const QStringList& files)
{
    if (files.isEmpty() || request.lpstrFile == nullptr)
        return 0;
    // One file: its path and a NUL. Several: the folder and each name, every
    // piece followed by a NUL, and one more NUL to end the list.
    QByteArray text;
    if (files.size() == 1 || (request.Flags & OFN_ALLOWMULTISELECT) == 0) {
        text = QDir::toNativeSeparators(files.front()).toLocal8Bit();
        text.append('\0');
    } else {
        text = QDir::toNativeSeparators(QFileInfo(files.front()).absolutePath()).toLocal8Bit();
        text.append('\0');
        for (const QString& file : files) {
            text.append(QFileInfo(file).fileName().toLocal8Bit());
            text.append('\0');
        }
        text.append('\0');
    }
    // The dialog refuses a selection that does not fit in the buffer size it
    // was told, terminating NULs included.
    if (qsizetype(text.size()) > qsizetype(request.nMaxFile))
        return 0;
    std::memcpy(request.lpstrFile, text.constData(), size_t(text.size()));
    return 1;
}

ITEMIDLIST* QtShellDialogs::SHBrowseForFolderA(BROWSEINFOA& info)
{
    QFileDialog dialog(info.hwndOwner, fromAnsi(info.lpszTitle));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return nullptr;
    const QString chosen = dialog.selectedFiles().front();
    return new ITEMIDLIST{QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()).toLocal8Bit()};
}

bool QtShellDialogs::SHGetPathFromIDListA(const ITEMIDLIST* item, char* path)
{
    if (item == nullptr || path == nullptr || item->path.isEmpty() || item->path.size() >= MAX_PATH)
        return false;
    std::memcpy(path, item->path.constData(), size_t(item->path.size()));
    path[item->path.size()] = '\0';
    return true;
}

void QtShellDialogs::CoTaskMemFree(ITEMIDLIST* item)
{
    delete item;
}

int QtShellDialogs::GetOpenFileNameA(OPENFILENAMEA& request)
{
    QFileDialog dialog(request.hwndOwner, fromAnsi(request.lpstrTitle));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setWindowModality(Qt::ApplicationModal);
    const bool multi = (request.Flags & OFN_ALLOWMULTISELECT) != 0;
    const bool mustExist = (request.Flags & (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST)) != 0;
    dialog.setFileMode(multi ? QFileDialog::ExistingFiles
                             : (mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    QStringList nameFilters;
    for (const auto& [description, pattern] : filterPairs(request.lpstrFilter))
        nameFilters.append(qtNameFilter(description, pattern));
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        const int index = int(request.nFilterIndex) - 1;
        dialog.selectNameFilter(nameFilters.value(index >= 0 ? index : 0, nameFilters.front()));
    }
    const QString initialDir = fromAnsi(request.lpstrInitialDir);
    if (!initialDir.isEmpty() && QFileInfo(initialDir).isDir())
        dialog.setDirectory(initialDir);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    return writeSelection(request, dialog.selectedFiles());
}

} // namespace forms
