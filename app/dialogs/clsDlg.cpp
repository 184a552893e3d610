#include "app/dialogs/clsDlg.h"

#include <QCoreApplication>

#include <vector>

namespace app {

namespace {
const char* const kFolderTitle = "Please select a directory";
}

QString clsDlg::Folder(const forms::HWND& hwnd)
{
    try {
        const QByteArray title = QByteArray(kFolderTitle); // valid for the whole call
        forms::BROWSEINFOA info;
        info.hwndOwner = hwnd;
        info.pidlRoot = nullptr;
        info.pszDisplayName = nullptr;
        info.lpszTitle = title.constData();
        info.ulFlags = forms::BIF_RETURNONLYFSDIRS;
        forms::ITEMIDLIST* item = m_dialogs.SHBrowseForFolderA(info);
        if (item == nullptr)
            return QString();
        std::vector<char> path(forms::MAX_PATH, '\0');
        m_dialogs.SHGetPathFromIDListA(item, path.data());
        m_dialogs.CoTaskMemFree(item);
        // A folder without a file-system path leaves the buffer all NUL.
        return QString::fromLocal8Bit(path.data(), qsizetype(qstrnlen(path.data(), path.size())));
    } catch (...) {
        return QString();
    }
}

QByteArray clsDlg::convertFilter(const QString& FilterStr)
{
    QByteArray filter = FilterStr.toLocal8Bit();
    filter.replace('|', '\0');
    filter.append('\0');
    filter.append('\0');
    return filter;
}

QString clsDlg::joinSelection(const char* buffer, int size)
{
    QByteArray joined;
    int start = 0;
    for (int i = 0; i <= size; ++i) {
        if (i == size || buffer[i] == '\0') {
            if (i > start) {
                joined.append(buffer + start, i - start);
                joined.append('\0');
            }
            start = i + 1;
        }
    }
    if (!joined.isEmpty())
        joined.chop(1);
    return QString::fromLocal8Bit(joined);
}

QString clsDlg::OpenFlDlg(forms::HWND HwndOwn, QString FilterStr, QString TitleOpen, QString initDir,
                          const bool& MultiSelect)
{
    try {
        const QByteArray filter = convertFilter(FilterStr);
        const QByteArray title = TitleOpen.toLocal8Bit();
        const QByteArray folder = initDir.toLocal8Bit();
        std::vector<char> file(FileBufferSize, '\0');

        forms::OPENFILENAMEA request;
        request.lStructSize = 76;
        request.hwndOwner = HwndOwn;
        request.hInstance = QCoreApplication::instance();
        request.lpstrFilter = filter.constData();
        request.nFilterIndex = 1;
        request.lpstrFile = file.data();
        // The dialog is told less than the buffer holds: longer selections fail.
        request.nMaxFile = FileBufferSizeTold;
        request.lpstrInitialDir = folder.constData();
        request.lpstrTitle = title.constData();
        request.Flags = forms::OFN_FILEMUSTEXIST | forms::OFN_PATHMUSTEXIST;
        if (MultiSelect)
            request.Flags |= forms::OFN_EXPLORER | forms::OFN_ALLOWMULTISELECT;

        if (m_dialogs.GetOpenFileNameA(request) == 0)
            return QString();
        if (!MultiSelect)
            return QString::fromLocal8Bit(file.data(), qsizetype(qstrnlen(file.data(), file.size())));
        return joinSelection(file.data(), int(file.size()));
    } catch (...) {
        return QString();
    }
}

} // namespace app
