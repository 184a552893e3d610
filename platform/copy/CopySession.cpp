#include "platform/copy/CopySession.h"

#include "platform/copy/CopyErrors.h"
#include "platform/copy/CopyNaming.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/sysmacros.h>
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

namespace {

// Whether the disk holding device says it spins; a partition answers for its disk.
bool onRotationalDisk(dev_t device)
{
    const std::string block =
        "/sys/dev/block/" + std::to_string(major(device)) + ":" + std::to_string(minor(device)) + "/";
    for (const char* queue : {"queue/rotational", "../queue/rotational"}) {
        std::FILE* file = std::fopen((block + queue).c_str(), "re");
        if (!file)
            continue;
        const int flag = std::fgetc(file);
        std::fclose(file);
        return flag == '1';
    }
    return false; // no block device (tmpfs, network): nothing spins here
}

} // namespace

unsigned copyThreadsFor(dev_t device)
{
    if (std::thread::hardware_concurrency() <= 1 || onRotationalDisk(device))
        return 2;
    return 4;
}

namespace {

// The answers of a request that was cancelled: nothing more is made, replaced or
// deleted, and no window appears.
class CancelledQuestions : public CopyQuestions {
public:
    bool createFolder(const std::string&) override { return false; }
    ClashAnswer replaceItem(const ItemDetails&, const ItemDetails&) override { return ClashAnswer::Cancel; }
    ClashAnswer mergeFolder(const ItemDetails&, const ItemDetails&) override { return ClashAnswer::Cancel; }
    ErrorAnswer copyError(const std::string&, const std::string&, bool) override
    {
        return ErrorAnswer::Cancel;
    }
    bool copyWithoutRoom(const std::string&, std::uint64_t, std::uint64_t) override { return false; }
    bool deletePermanently(const std::string&, const std::string&) override { return false; }
    void requestFailed(const std::string&) override {}
    NameAnswer refusedName(const std::string&, const std::string&, const std::string&) override
    {
        return NameAnswer::Cancel;
    }
    ClashAnswer caseClash(const ItemDetails&, const ItemDetails&) override { return ClashAnswer::Cancel; }
};

} // namespace

CopyQuestions& CopySession::cancelledAnswers()
{
    static CancelledQuestions answers;
    return answers;
}

CopySession::CopySession(FileSystem& fileSystem, CopyQuestions& questions, CopyProgress& copyProgress,
                         CancelToken& cancelToken, CopyOptions copyOptions)
    : fs(fileSystem), progress(copyProgress), cancel(cancelToken), options(copyOptions),
      m_questions(questions), m_syncEachFile(copyOptions.durability == Durability::SyncEachFile),
      m_writeBehind(copyOptions.writeBehind == WriteBehind::On), m_umask(currentUmask()), m_user(::geteuid()),
      m_group(::getegid())
{
}

ErrorAnswer CopySession::askAboutError(const std::string& item, CopyError error, bool canRetry)
{
    if (cancel.cancelled())
        return ErrorAnswer::Cancel;
    // Skip All is remembered by the kind of failure, whichever item a reason names.
    const std::string kind = describeError(error);
    const std::string reason = describeError(error, item);
    ErrorAnswer answer = ask([&](CopyQuestions& q) {
        if (m_skipAll.count(kind) != 0)
            return ErrorAnswer::Skip;
        ErrorAnswer given = q.copyError(item, reason, canRetry);
        if (given == ErrorAnswer::SkipAll) {
            m_skipAll.insert(kind);
            given = ErrorAnswer::Skip;
        }
        return given;
    });
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

std::string CopySession::notKept() const
{
    const unsigned what = m_notKept.load();
    std::string kinds;
    for (auto [bit, text] :
         {std::pair{unsigned(Modes), "permissions"}, std::pair{unsigned(Attributes), "extended attributes"},
          std::pair{unsigned(Times), "times"}}) {
        if ((what & bit) != 0)
            kinds += (kinds.empty() ? "" : ", ") + std::string(text);
    }
    return kinds.empty()
               ? kinds
               : "The destination drive cannot hold " + kinds + "; the copies have the drive's own.";
}

CopySession::~CopySession() = default;

void CopySession::noteFolderWritten(int dirfd)
{
    struct stat st {};
    if (fs.fstat(dirfd, &st) != 0)
        return;
    std::lock_guard lock(m_folderLock);
    if (m_fileSystems.count(st.st_dev) != 0)
        return;
    UniqueFd own(fs, fs.openAt(dirfd, ".", O_RDONLY | O_DIRECTORY));
    if (own)
        m_fileSystems.emplace(st.st_dev, std::move(own));
    else if (!m_flushError)
        m_flushError = CopyError::fromCall(own.error());
}

void CopySession::noteFlushError(CopyError error)
{
    std::lock_guard lock(m_folderLock);
    if (!m_flushError)
        m_flushError = error;
}

CopyError CopySession::flush()
{
    std::lock_guard lock(m_folderLock);
    CopyError firstError = m_flushError;
    // Each file and folder was synced as it was finished.
    if (m_syncEachFile)
        return firstError;
    for (const auto& [device, fd] : m_fileSystems) {
        (void)device;
        int r = fs.syncfs(fd.get());
        if (r < 0 && !firstError)
            firstError = CopyError::fromCall(r);
    }
    return firstError;
}

} // namespace shell
