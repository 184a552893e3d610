#include "platform/shell/CopySession.h"

#include "platform/shell/CopyErrors.h"
#include "platform/shell/CopyNaming.h"

#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace shell {

namespace {

// The umask from /proc: asking umask() itself would change it for a moment, for
// every thread of the process.
mode_t currentUmask()
{
    mode_t mask = 07777;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            unsigned value = 0;
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value);
                break;
            }
        }
        std::fclose(status);
    }
    return mask;
}

} // namespace

unsigned defaultCopyThreads()
{
    return std::thread::hardware_concurrency() > 2 ? 4 : 1;
}

CopySession::CopySession(FileSystem& fileSystem, CopyQuestions& questions, CopyProgress& copyProgress,
                         CancelToken& cancelToken, CopyOptions copyOptions)
    : fs(fileSystem), progress(copyProgress), cancel(cancelToken), options(copyOptions),
      m_questions(questions), m_pid(::getpid()), m_umask(currentUmask())
{
}

ErrorAnswer CopySession::askAboutError(const std::string& item, int error, bool canRetry)
{
    if (cancel.cancelled())
        return ErrorAnswer::Cancel;
    const std::string reason = describeError(error);
    ErrorAnswer answer = ask([&](CopyQuestions& q) { return q.copyError(item, reason, canRetry); });
    if (answer == ErrorAnswer::Retry && !canRetry)
        answer = ErrorAnswer::Skip;
    if (answer == ErrorAnswer::Cancel)
        cancel.cancel();
    else if (answer == ErrorAnswer::Skip)
        noteLeftOut(item, reason);
    return answer;
}

void CopySession::noteLeftOut(const std::string& item, const std::string& reason)
{
    markFailed();
    std::lock_guard lock(m_leftOutLock);
    m_leftOut.push_back({item, reason});
}

std::vector<LeftOutItem> CopySession::leftOut() const
{
    std::lock_guard lock(m_leftOutLock);
    return m_leftOut;
}

std::string CopySession::newPartialName(const std::string& name)
{
    return partialName(m_pid, ++m_serial, name);
}

void CopySession::noteFolderWritten(const std::string& folder)
{
    struct stat st {};
    std::lock_guard lock(m_folderLock);
    if (options.durability == Durability::SyncEachFile) {
        m_folders.insert(folder);
        return;
    }
    // One folder per file system is enough for syncfs; skip the stat once known.
    if (m_folders.count(folder) != 0)
        return;
    m_folders.insert(folder);
    if (fs.stat(folder, &st) == 0)
        m_fileSystems.emplace(st.st_dev, folder);
}

int CopySession::flush()
{
    int firstError = 0;
    auto keep = [&](int result) {
        if (result < 0 && firstError == 0)
            firstError = result;
    };
    std::lock_guard lock(m_folderLock);
    if (options.durability == Durability::SyncEachFile) {
        // The files were synced as they were written; the folders hold their new names.
        for (const std::string& folder : m_folders) {
            int fd = fs.open(folder, O_RDONLY | O_DIRECTORY);
            keep(fd);
            if (fd >= 0) {
                keep(fs.fsync(fd));
                fs.close(fd);
            }
        }
        return firstError;
    }
    for (const auto& [device, folder] : m_fileSystems) {
        (void)device;
        int fd = fs.open(folder, O_RDONLY | O_DIRECTORY);
        keep(fd);
        if (fd >= 0) {
            keep(fs.syncfs(fd));
            fs.close(fd);
        }
    }
    return firstError;
}

} // namespace shell
