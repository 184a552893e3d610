#pragma once
// A value, or the reason it could not be had: minus errno, or one of the engine's
// own codes (CopyErrors.h). A step that can end more than two ways returns one of
// these rather than an int whose positive values mean something else again.

#include <cassert>
#include <utility>

namespace shell {

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(int error)
    {
        assert(error != 0);
        Result result;
        result.m_error = error;
        return result;
    }

    [[nodiscard]] bool ok() const { return m_error == 0; }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    [[nodiscard]] const T& value() const { return m_value; }
    // Only when not ok().
    [[nodiscard]] int error() const { return m_error; }

private:
    Result() = default;
    T m_value{};
    int m_error = 0;
};

} // namespace shell
