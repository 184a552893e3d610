#include "platform/copy/DataHash.h"

#include <algorithm>
#include <new>
#include <xxhash.h>

namespace shell {

struct DataHash::State {
    XXH3_state_t* xxh = XXH3_createState();
    ~State() { XXH3_freeState(xxh); }
};

DataHash::DataHash() : m_state(std::make_unique<State>())
{
    if (m_state->xxh == nullptr)
        throw std::bad_alloc();
    reset();
}

DataHash::~DataHash() = default;

void DataHash::reset()
{
    XXH3_128bits_reset(m_state->xxh);
}

void DataHash::add(const void* data, std::size_t size)
{
    XXH3_128bits_update(m_state->xxh, data, size);
}

void DataHash::addZeros(std::int64_t count)
{
    static constexpr std::size_t kBlock = std::size_t{64} << 10;
    static const char zeros[kBlock] = {};
    while (count > 0) {
        const auto step = static_cast<std::size_t>(std::min<std::int64_t>(count, kBlock));
        add(zeros, step);
        count -= static_cast<std::int64_t>(step);
    }
}

DataHash::Digest DataHash::digest() const
{
    const XXH128_hash_t value = XXH3_128bits_digest(m_state->xxh);
    return {value.low64, value.high64};
}

} // namespace shell
