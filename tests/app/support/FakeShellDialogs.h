#pragma once
// A scripted stand-in for the folder browser and the open-file dialog: records
// each request's fields and answers with a prepared choice or a cancel.

#include "platform/forms/ShellDialogs.h"

#include <QList>
#include <QStringList>

#include <optional>

struct FakeShellDialogs : forms::ShellDialogs {
    struct FolderCall {
        forms::HWND owner = nullptr;
        QByteArray title;
        unsigned flags = 0;
    };
    struct OpenCall {
        unsigned structSize = 0;
        forms::HWND owner = nullptr;
        QByteArray filter; // up to and including the two ending NULs
        unsigned filterIndex = 0;
        unsigned maxFile = 0;
        bool bufferAllNul = false;
        QByteArray initialDir;
        QByteArray title;
        unsigned flags = 0;
        QList<QPair<QString, QString>> filterPairs;
    };

    // nullopt: the user cancels. For folders, an empty path is an item without
    // a file-system path.
    std::optional<QByteArray> folderChoice;
    std::optional<QStringList> fileChoice;

    QList<FolderCall> folderCalls;
    QList<OpenCall> openCalls;
    int itemsAllocated = 0;
    int itemsFreed = 0;

    forms::ITEMIDLIST* SHBrowseForFolderA(forms::BROWSEINFOA& info) override;
    bool SHGetPathFromIDListA(const forms::ITEMIDLIST* item, char* path) override;
    void CoTaskMemFree(forms::ITEMIDLIST* item) override;
    int GetOpenFileNameA(forms::OPENFILENAMEA& request) override;
};

// Installs a fake for the lifetime of the object.
struct InstalledFakeDialogs : FakeShellDialogs {
    InstalledFakeDialogs() { forms::setShellDialogs(this); }
    ~InstalledFakeDialogs() override { forms::setShellDialogs(nullptr); }
};
