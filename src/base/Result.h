#pragma once
// Errors are values at layer boundaries: an operation returns its value or the
// message the user is to see (Portuguese, as the program shows it).

#include <string>
#include <utility>
#include <variant>

namespace lumivar {

struct Error {
    std::string Message;
};

template <typename T> class Result {
public:
    Result(T value) : m_v(std::move(value)) {} // NOLINT: implicit success
    Result(Error e) : m_v(std::move(e)) {} // NOLINT: implicit failure

    bool Ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return Ok(); }
    T& Value() { return std::get<0>(m_v); }
    const T& Value() const { return std::get<0>(m_v); }
    T& operator*() { return Value(); }
    const T& operator*() const { return Value(); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    const std::string& Message() const { return std::get<1>(m_v).Message; }

private:
    std::variant<T, Error> m_v;
};

// Success without a value.
struct Done {};
using Status = Result<Done>;

} // namespace lumivar
