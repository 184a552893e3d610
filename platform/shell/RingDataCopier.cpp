#include "platform/shell/RingDataCopier.h"

#include "platform/shell/CopyErrors.h"

#include <cerrno>
#include <mutex>

namespace shell {

namespace {

// Buffers of a batch whose ring failed while requests were still in the kernel's
// hands: they are never freed, so nothing the kernel still writes lands in memory
// that was given to something else. The ring is not used again.
void quarantine(std::vector<char>&& buffer)
{
    static std::mutex lock;
    static std::vector<std::vector<char>> kept;
    std::lock_guard guard(lock);
    kept.push_back(std::move(buffer));
}

} // namespace

struct RingDataCopier::State {
    char* data = nullptr;
    std::int64_t done = 0; // bytes read, then bytes written
    bool writing = false;
    bool finished = false;
};

RingDataCopier::RingDataCopier(IoRing& ring, CancelToken& cancel, CopyProgress& progress)
    : m_ring(ring), m_cancel(cancel), m_progress(progress)
{
}

void RingDataCopier::fail(RingFile& file, State& state, int error)
{
    if (state.finished)
        return;
    state.finished = true;
    file.result = error;
    if (file.reported != 0)
        m_progress.bytesDone(-file.reported); // the data is thrown away, so are its bytes
    file.reported = 0;
}

bool RingDataCopier::queue(std::vector<RingFile>& files, std::vector<State>& states, size_t index)
{
    RingFile& file = files[index];
    State& state = states[index];
    const unsigned length = static_cast<unsigned>(file.size - state.done);
    const bool queued = state.writing
                            ? m_ring.queueWrite(file.out, state.data + state.done, length, state.done, index)
                            : m_ring.queueRead(file.in, state.data + state.done, length, state.done, index);
    if (queued)
        ++m_queued;
    return queued;
}

void RingDataCopier::complete(std::vector<RingFile>& files, std::vector<State>& states,
                              const IoRing::Completion& done)
{
    if (done.tag >= files.size())
        return;
    RingFile& file = files[done.tag];
    State& state = states[done.tag];
    if (state.finished)
        return;
    if (done.result == -EINTR || done.result == -EAGAIN) {
        m_waiting.push_back(done.tag); // try the same again
        return;
    }
    if (done.result < 0)
        return fail(file, state, done.result);
    if (done.result == 0)
        return fail(file, state, state.writing ? -EIO : kErrorChanged); // reading: the source shrank
    state.done += done.result;
    if (state.writing) {
        file.reported += done.result;
        m_progress.bytesDone(done.result);
    }
    if (state.done == file.size && state.writing) {
        state.finished = true;
        return;
    }
    if (state.done == file.size) {
        state.writing = true;
        state.done = 0;
    }
    m_waiting.push_back(done.tag);
}

int RingDataCopier::copy(std::vector<RingFile>& files)
{
    std::int64_t total = 0;
    for (const RingFile& file : files)
        total += file.size;
    // One buffer per thread, kept from batch to batch: a fresh one each time would be
    // mapped, faulted in and unmapped again for every sixteen files.
    thread_local std::vector<char> kept;
    m_buffer.swap(kept);
    if (m_buffer.size() < static_cast<size_t>(total))
        m_buffer.resize(static_cast<size_t>(total));
    std::vector<State> states(files.size());
    m_waiting.clear();
    std::int64_t offset = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        files[i].result = 0;
        files[i].reported = 0;
        states[i].data = m_buffer.data() + offset;
        offset += files[i].size;
        if (files[i].size == 0)
            states[i].finished = true;
        else
            m_waiting.push_back(i);
    }

    int ringError = 0;
    bool stopping = false;
    bool cancelling = false;
    std::vector<IoRing::Completion> completions;
    for (;;) {
        if (!stopping && m_cancel.checkpoint()) {
            // Nothing more is queued; what the kernel holds is stopped and collected below.
            stopping = true;
            cancelling = true;
            for (size_t i = 0; i < files.size(); ++i)
                fail(files[i], states[i], kErrorCancelled);
        }
        if (!stopping) {
            while (!m_waiting.empty() && queue(files, states, m_waiting.back()))
                m_waiting.pop_back();
        }
        if (m_queued != 0) {
            int taken = m_ring.submit();
            if (taken > 0) {
                m_queued -= static_cast<unsigned>(taken);
                m_inKernel += static_cast<unsigned>(taken);
            } else if (taken != -EINTR && taken != -EAGAIN && taken != -EBUSY) {
                ringError = taken < 0 ? taken : -EIO;
                stopping = true;
            } else if (m_inKernel == 0 && taken != -EINTR) {
                ringError = taken; // nothing to wait for that could make room
                stopping = true;
            }
        }
        // Once every request is the kernel's, so none can slip past the cancel.
        if (cancelling && m_queued == 0) {
            if (m_inKernel != 0)
                m_ring.cancelAll();
            cancelling = false;
        }
        if (m_inKernel == 0) {
            if (stopping || m_waiting.empty())
                break;
            if (m_queued == 0) {
                ringError = -EBUSY; // the ring takes no request at all
                break;
            }
            continue;
        }
        completions.clear();
        int waited = m_ring.wait(completions);
        if (waited != 0 && waited != -EINTR && waited != -EAGAIN) {
            // The kernel may still hold buffers no completion will ever report.
            ringError = waited;
            quarantine(std::move(m_buffer));
            break;
        }
        for (const IoRing::Completion& done : completions) {
            if (m_inKernel != 0)
                --m_inKernel;
            complete(files, states, done);
        }
    }
    if (ringError == 0 && m_queued != 0)
        ringError = -EBUSY; // requests the kernel never took: they go with the ring, never used again
    if (ringError != 0) {
        for (size_t i = 0; i < files.size(); ++i)
            fail(files[i], states[i], ringError);
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (!states[i].finished) // left waiting when the ring stopped
            fail(files[i], states[i], ringError != 0 ? ringError : -EIO);
    }
    m_buffer.swap(kept);
    return ringError;
}

} // namespace shell
