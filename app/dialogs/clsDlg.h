#pragma once
// The two path pickers of the copy tool: the folder browser and the open-file
// dialog. A clsDlg holds no state; the main window makes one per click. Both
// methods return the empty text when the user cancels or the dialog fails, so
// callers never tell the two apart.

#include "platform/forms/ShellDialogs.h"

#include <QByteArray>
#include <QString>

namespace app {

class clsDlg {
public:
    // The dialogs to use: the installed service unless a test gives its own.
    explicit clsDlg(forms::ShellDialogs& dialogs = forms::shellDialogs()) : m_dialogs(dialogs) {}

    // The chosen folder's file-system path, or the empty text.
    QString Folder(const forms::HWND& hwnd);

    // The chosen file's full path; with MultiSelect, the folder and the chosen
    // names separated by NULs (or one full path when one file was chosen).
    // FilterStr holds description|pattern pairs such as "All Files(*.*)|*.*".
    QString OpenFlDlg(forms::HWND HwndOwn, QString FilterStr, QString TitleOpen, QString initDir,
                      const bool& MultiSelect);

    // The filter as the dialog takes it: every "|" turned into a NUL, then two NULs.
    [[nodiscard]] static QByteArray convertFilter(const QString& FilterStr);
    // The pieces of a NUL-separated buffer that are not empty, joined by single
    // NULs (no NUL at the end).
    [[nodiscard]] static QString joinSelection(const char* buffer, int size);

    static constexpr int FileBufferSize = 4480;
    static constexpr unsigned FileBufferSizeTold = 255;

private:
    forms::ShellDialogs& m_dialogs;
};

} // namespace app
