#include "platform/shell/UringRing.h"

#include <cerrno>

#ifdef QUINTARO_HAVE_URING

#include <liburing.h>
#include <thread>

namespace shell {

namespace {

// The tag of a cancel request: its own completion is swallowed here.
constexpr std::uint64_t kCancelTag = ~std::uint64_t{0};

class UringRing : public IoRing {
public:
    explicit UringRing(unsigned entries) : m_entries(entries) {}
    ~UringRing() override
    {
        if (m_open)
            io_uring_queue_exit(&m_ring);
    }
    UringRing(const UringRing&) = delete;
    UringRing& operator=(const UringRing&) = delete;

    int init()
    {
        // Completions are gathered only when the copy asks for them: no interrupt
        // of the worker for each one.
        int r = io_uring_queue_init(m_entries, &m_ring, IORING_SETUP_COOP_TASKRUN);
        if (r == -EINVAL)
            r = io_uring_queue_init(m_entries, &m_ring, 0);
        m_open = r == 0;
        return r;
    }

    unsigned entries() const override { return m_entries; }

    bool queueRead(int fd, void* buffer, unsigned length, off_t offset, std::uint64_t tag) override
    {
        io_uring_sqe* sqe = io_uring_get_sqe(&m_ring);
        if (!sqe)
            return false;
        io_uring_prep_read(sqe, fd, buffer, length, static_cast<__u64>(offset));
        io_uring_sqe_set_data64(sqe, tag);
        return true;
    }

    bool queueWrite(int fd, const void* buffer, unsigned length, off_t offset, std::uint64_t tag) override
    {
        io_uring_sqe* sqe = io_uring_get_sqe(&m_ring);
        if (!sqe)
            return false;
        io_uring_prep_write(sqe, fd, buffer, length, static_cast<__u64>(offset));
        io_uring_sqe_set_data64(sqe, tag);
        return true;
    }

    int submit() override
    {
        // Writes the file system cannot take at once go to the kernel's workers for the
        // submitting thread; one of them is enough (the copy already runs on several
        // threads), and more only crowd the cores: measured slower.
        if (const std::thread::id self = std::this_thread::get_id(); self != m_limited) {
            unsigned workers[2] = {1, 1};
            io_uring_register_iowq_max_workers(&m_ring, workers);
            m_limited = self;
        }
        return io_uring_submit(&m_ring);
    }

    int wait(std::vector<Completion>& completions) override
    {
        const size_t before = completions.size();
        while (completions.size() == before) {
            io_uring_cqe* cqe = nullptr;
            if (int r = io_uring_wait_cqe(&m_ring, &cqe); r != 0)
                return r;
            unsigned head = 0;
            unsigned seen = 0;
            io_uring_for_each_cqe(&m_ring, head, cqe)
            {
                ++seen;
                if (cqe->user_data != kCancelTag)
                    completions.push_back({cqe->user_data, cqe->res});
            }
            io_uring_cq_advance(&m_ring, seen);
        }
        return 0;
    }

    int cancelAll() override
    {
        io_uring_sqe* sqe = io_uring_get_sqe(&m_ring);
        if (!sqe) {
            if (int r = submit(); r < 0)
                return r;
            if (!(sqe = io_uring_get_sqe(&m_ring)))
                return -EBUSY;
        }
        io_uring_prep_cancel64(sqe, 0, IORING_ASYNC_CANCEL_ANY);
        io_uring_sqe_set_data64(sqe, kCancelTag);
        int r = submit();
        return r < 0 ? r : 0;
    }

private:
    unsigned m_entries;
    bool m_open = false;
    std::thread::id m_limited; // the thread whose kernel workers were limited last
    io_uring m_ring{};
};

} // namespace

std::unique_ptr<IoRing> openUringRing(unsigned entries, int& error)
{
    auto ring = std::make_unique<UringRing>(entries);
    error = ring->init();
    if (error != 0)
        return nullptr;
    return ring;
}

} // namespace shell

#else

namespace shell {

std::unique_ptr<IoRing> openUringRing(unsigned, int& error)
{
    error = -ENOSYS; // built without liburing
    return nullptr;
}

} // namespace shell

#endif
