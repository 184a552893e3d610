#pragma once
// The run-time errors that window code can raise and trap, by their classic numbers.

#include <QString>

#include <stdexcept>

namespace forms {

enum ErrorNumber : int {
    ErrOverflow = 6,
    ErrTypeMismatch = 13,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number)
    {
    }
    [[nodiscard]] int number() const { return m_number; }

    static RuntimeError typeMismatch()
    {
        return RuntimeError(ErrTypeMismatch, QStringLiteral("Type mismatch"));
    }
    static RuntimeError overflow() { return RuntimeError(ErrOverflow, QStringLiteral("Overflow")); }

private:
    int m_number;
};

} // namespace forms
