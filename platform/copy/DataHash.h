#pragma once
// A running XXH3 (128-bit) hash of a file's content, holes counted as the zero
// bytes they read as: a copy and its source hash alike whenever they read alike,
// however either keeps its holes.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace shell {

class DataHash {
public:
    struct Digest {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        bool operator==(const Digest&) const = default;
    };

    DataHash();
    ~DataHash();
    DataHash(const DataHash&) = delete;
    DataHash& operator=(const DataHash&) = delete;

    void reset();
    void add(const void* data, std::size_t size);
    // count zero bytes: a hole.
    void addZeros(std::int64_t count);
    [[nodiscard]] Digest digest() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace shell
