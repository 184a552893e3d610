#pragma once
// A value, or the reason it could not be had. A step that can end more than two
// ways returns one of these rather than overloading an error with a second meaning.

#include "platform/copy/CopyErrors.h"

#include <cassert>
#include <utility>

namespace shell {

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(CopyError error) : m_error(error) { assert(error); }

    [[nodiscard]] bool ok() const { return !m_error; }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    [[nodiscard]] const T& value() const { return m_value; }
    // Only when not ok().
    [[nodiscard]] CopyError error() const { return m_error; }

private:
    T m_value{};
    CopyError m_error;
};

} // namespace shell
