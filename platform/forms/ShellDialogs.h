#pragma once
// The shell's folder browser and the common open-file dialog, in the shape of
// the classic ANSI calls, behind a replaceable service so window code can be
// tested against a fake. Text crosses in the local 8-bit encoding.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QWidget;

namespace forms {

// A window handle: the widget itself.
using HWND = QWidget*;

inline constexpr unsigned BIF_RETURNONLYFSDIRS = 0x0001;
inline constexpr unsigned OFN_ALLOWMULTISELECT = 0x00000200;
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr unsigned OFN_EXPLORER = 0x00080000;
inline constexpr int MAX_PATH = 260;

// What the folder browser returns for a chosen item; released with CoTaskMemFree.
// `path` is the item's file-system path, empty for an item that has none.
struct ITEMIDLIST {
    QByteArray path;
};

struct BROWSEINFOA {
    HWND hwndOwner = nullptr;
    const ITEMIDLIST* pidlRoot = nullptr;
    char* pszDisplayName = nullptr;
    const char* lpszTitle = nullptr;
    unsigned ulFlags = 0;
    void* lpfn = nullptr;
    long lParam = 0;
    int iImage = 0;
};

struct OPENFILENAMEA {
    unsigned lStructSize = 0;
    HWND hwndOwner = nullptr;
    void* hInstance = nullptr;
    const char* lpstrFilter = nullptr; // pairs of NUL-ended texts, ended by an extra NUL
    char* lpstrCustomFilter = nullptr;
    unsigned nMaxCustFilter = 0;
    unsigned nFilterIndex = 0; // 1-based
    char* lpstrFile = nullptr; // the result buffer
    unsigned nMaxFile = 0;     // what the dialog may use of it, terminating NULs included
    char* lpstrFileTitle = nullptr;
    unsigned nMaxFileTitle = 0;
    const char* lpstrInitialDir = nullptr;
    const char* lpstrTitle = nullptr;
    unsigned Flags = 0;
};

class ShellDialogs {
public:
    virtual ~ShellDialogs() = default;
    // Modal; nullptr when cancelled.
    virtual ITEMIDLIST* SHBrowseForFolderA(BROWSEINFOA& info) = 0;
    // Copies the item's path with its NUL into `path` (MAX_PATH bytes); false,
    // leaving the buffer alone, when it has no path or the path does not fit.
    virtual bool SHGetPathFromIDListA(const ITEMIDLIST* item, char* path) = 0;
    virtual void CoTaskMemFree(ITEMIDLIST* item) = 0;
    // Modal; non-zero when files were chosen and written to lpstrFile.
    virtual int GetOpenFileNameA(OPENFILENAMEA& request) = 0;
};

// Real dialogs: non-native QFileDialogs (they work under any X server).
class QtShellDialogs : public ShellDialogs {
public:
    ITEMIDLIST* SHBrowseForFolderA(BROWSEINFOA& info) override;
    bool SHGetPathFromIDListA(const ITEMIDLIST* item, char* path) override;
    void CoTaskMemFree(ITEMIDLIST* item) override;
    int GetOpenFileNameA(OPENFILENAMEA& request) override;
};

// The installed service (the real dialogs unless a test installed another).
[[nodiscard]] ShellDialogs& shellDialogs();
void setShellDialogs(ShellDialogs* dialogs);

// Helpers for implementations of the service.

// The (description, pattern) pairs of a NUL-separated filter list; reading stops
// at the empty text that ends the list.
[[nodiscard]] QList<QPair<QString, QString>> filterPairs(const char* filter);

// Writes a selection into the request's buffer the way the open-file dialog
// does: one file as its full path and a NUL; several (multi-select) as the
// folder, then each name, NUL-separated, ended by two NULs. Returns 0 without
// writing when that does not fit in nMaxFile characters (so a single path may
// have at most nMaxFile - 1 characters).
int writeSelection(OPENFILENAMEA& request, const QStringList& files);

} // namespace forms
