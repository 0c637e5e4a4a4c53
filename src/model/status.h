#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace talvex {

// The one way an operation reports failure: success, or the message the user
// will see (GBK, shown as it stands). Callers must look at it.
class [[nodiscard]] Status {
  public:
    Status() = default;
    static Status Failure(std::string message)
    {
        Status status;
        status.m_message = std::move(message);
        return status;
    }

    bool Ok() const { return !m_message.has_value(); }
    explicit operator bool() const { return Ok(); }
    // Empty on success.
    const std::string& Message() const
    {
        static const std::string kNone;
        return m_message ? *m_message : kNone;
    }

  private:
    std::optional<std::string> m_message;
};

// A value, or the failure that kept it from being made.
template <typename T> class [[nodiscard]] Result {
  public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_status(std::move(failure)) { assert(!m_status.Ok()); }

    bool Ok() const { return m_value.has_value(); }
    explicit operator bool() const { return Ok(); }
    const Status& GetStatus() const { return m_status; }
    const std::string& Message() const { return m_status.Message(); }

    T& Value() { return *m_value; }
    const T& Value() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }

  private:
    std::optional<T> m_value;
    Status m_status;
};

} // namespace talvex
