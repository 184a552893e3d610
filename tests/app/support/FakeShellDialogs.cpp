#include "support/FakeShellDialogs.h"

#include <cstring>

forms::ITEMIDLIST* FakeShellDialogs::SHBrowseForFolderA(forms::BROWSEINFOA& info)
{
    folderCalls.append({info.hwndOwner, QByteArray(info.lpszTitle), info.ulFlags});
    if (!folderChoice)
        return nullptr;
    ++itemsAllocated;
    return new forms::ITEMIDLIST{*folderChoice};
}

bool FakeShellDialogs::SHGetPathFromIDListA(const forms::ITEMIDLIST* item, char* path)
{
    // The real service's rule: no path, or one that does not fit, leaves the buffer alone.
    return forms::QtShellDialogs().SHGetPathFromIDListA(item, path);
}

void FakeShellDialogs::CoTaskMemFree(forms::ITEMIDLIST* item)
{
    ++itemsFreed;
    delete item;
}

int FakeShellDialogs::GetOpenFileNameA(forms::OPENFILENAMEA& request)
{
    OpenCall call;
    call.structSize = request.lStructSize;
    call.owner = request.hwndOwner;
    const char* f = request.lpstrFilter;
    qsizetype n = 0;
    while (!(f[n] == '\0' && f[n + 1] == '\0'))
        ++n;
    call.filter = QByteArray(f, n + 2);
    call.filterIndex = request.nFilterIndex;
    call.maxFile = request.nMaxFile;
    call.bufferAllNul = true;
    for (int i = 0; i < 4480; ++i)
        call.bufferAllNul = call.bufferAllNul && request.lpstrFile[i] == '\0';
    call.initialDir = QByteArray(request.lpstrInitialDir);
    call.title = QByteArray(request.lpstrTitle);
    call.flags = request.Flags;
    call.filterPairs = forms::filterPairs(request.lpstrFilter);
    openCalls.append(call);
    if (!fileChoice)
        return 0;
    return forms::writeSelection(request, *fileChoice);
}
