#pragma once

#include <optional>
#include <utility>
#include <variant>

namespace tavrin {

/// A value, or the error that stopped it. Errors are small enums of their subsystem; where a
/// person should hear of one, the caller puts it in words. Callers must look: the result is
/// [[nodiscard]].
template<typename T, typename E> class [[nodiscard]] Result
{
public:
    Result(T value) : m_outcome(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : m_outcome(std::in_place_index<1>, error) {}

    explicit operator bool() const { return m_outcome.index() == 0; }

    const T& value() const& { return std::get<0>(m_outcome); }
    T& value() & { return std::get<0>(m_outcome); }
    T&& value() && { return std::get<0>(std::move(m_outcome)); }
    const T* operator->() const { return &std::get<0>(m_outcome); }
    T* operator->() { return &std::get<0>(m_outcome); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }

    /// Only for a result that holds no value.
    E error() const { return std::get<1>(m_outcome); }

private:
    std::variant<T, E> m_outcome;
};

/// Success, or the error of an operation that yields nothing else.
template<typename E> class [[nodiscard]] Status
{
public:
    Status() = default;
    Status(E error) : m_error(error) {}

    explicit operator bool() const { return !m_error; }
    /// Only for a failed status.
    E error() const { return *m_error; }

private:
    std::optional<E> m_error;
};

} // namespace tavrin
