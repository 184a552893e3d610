#pragma once
// The shell's file-operation service: one request copies the items named by
// pFrom into the folder named by pTo, with the service's own progress window,
// questions and error messages. Zero means success.

#include <QByteArray>

namespace shell {

class CopyJob;

enum : unsigned { FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3, FO_RENAME = 4 };
enum : unsigned { FOF_ALLOWUNDO = 0x0040 };

// Results other than zero; the caller only tells zero from nonzero.
enum FileOpResult : int {
    FileOpSuccess = 0,
    FileOpCancelled = 1223,  // the user cancelled (or answered No to a needed folder)
    FileOpRefused = 0x10000, // the request cannot be carried out as asked (nothing written)
    FileOpFailed = 0x10001,  // an item could not be copied
    FileOpBusy = 0x10002,    // another request is still running; nothing was started
};

// The request as the program fills it (the ANSI form): names in the local 8-bit
// encoding, each list ended by two NUL bytes.
struct SHFILEOPSTRUCTA {
    void* hwnd = nullptr;
    unsigned wFunc = 0;
    QByteArray pFrom;
    QByteArray pTo;
    unsigned fFlags = 0;
    bool fAnyOperationsAborted = false;
    void* hNameMappings = nullptr;
    const char* lpszProgressTitle = nullptr;
};

// Runs the request to the end on the calling (user-interface) thread's terms:
// a copy job does the work on its worker thread while this call runs a nested
// event loop, so the caller's windows keep painting and its timers keep ticking,
// but take no input (their close boxes excepted). One request at a time: while
// one runs, a second returns FileOpBusy at once. Items left out after errors are
// listed in the service's summary window before it returns, and the result is
// then not success. Should the event loop end first (the application quits), the
// job is killed and the call returns once its worker has stopped.
int SHFileOperationA(SHFILEOPSTRUCTA& request);
// Whether a request is running now.
[[nodiscard]] bool fileOperationRunning();
// The running request's job, for a caller that closes meanwhile and kill()s it:
// the copy is cancelled (finished items stay, temporaries go), any question on
// screen is answered Cancel, no summary is shown, and SHFileOperationA returns
// once the worker has stopped. Null when no request runs.
[[nodiscard]] CopyJob* runningFileOperation();

} // namespace shell
