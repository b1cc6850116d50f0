#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace core {

enum class ErrorCode { None, NotFound, ReadFailed, WriteFailed, BadFormat, Cancelled };

struct Error {
    ErrorCode code = ErrorCode::None;
    int line = 0;   // 1-based line of the input, 0 when not tied to a line
    QString detail; // the message or path that explains it
};

/// A value or an Error; our small stand-in for std::expected.
template <typename T> class Result {
public:
    Result(T value) : m_data(std::move(value)) {}
    Result(Error error) : m_data(std::move(error)) {}
    bool ok() const { return m_data.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(m_data); }
    T& value() & { return std::get<0>(m_data); }
    T&& value() && { return std::get<0>(std::move(m_data)); }
    const Error& error() const { return std::get<1>(m_data); }

private:
    std::variant<T, Error> m_data;
};

struct Unit {};

} // namespace core
