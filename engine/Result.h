#pragma once
// What an engine operation hands back: its value, or the message that says why
// there is none; either way with the notices (a library's complaint, a step
// that could not be done) that the operator is to see before the outcome.

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace engine {

inline constexpr const char* kOutOfMemory = "Out of Memory";

template <class T = void>
class [[nodiscard]] Result {
    using Stored = std::conditional_t<std::is_void_v<T>, std::monostate, T>;

public:
    // A success; Result<> also from nothing.
    Result(Stored value, std::vector<std::string> notices = {})
        : m_value(std::move(value)), m_notices(std::move(notices)) {}
    Result() requires std::is_void_v<T> : m_value(std::monostate{}) {}

    static Result Failure(std::string error, std::vector<std::string> notices = {}) {
        Result result{Empty{}};
        result.m_error = std::move(error);
        result.m_notices = std::move(notices);
        return result;
    }
    static Result OutOfMemory() { return Failure(kOutOfMemory); }
    // The failure of an earlier step, with its notices, as a result of this type.
    template <class U>
    static Result FailureOf(Result<U>&& failed) {
        return Failure(failed.Error(), std::move(failed).TakeNotices());
    }

    bool Ok() const { return m_value.has_value(); }
    explicit operator bool() const { return Ok(); }

    template <class U = T>
    requires(!std::is_void_v<U>) U& Value() & { return *m_value; }
    template <class U = T>
    requires(!std::is_void_v<U>) const U& Value() const& { return *m_value; }
    template <class U = T>
    requires(!std::is_void_v<U>) U && Value() && {
        return std::move(*m_value);
    }

    // Empty on success.
    const std::string& Error() const { return m_error; }
    const std::vector<std::string>& Notices() const { return m_notices; }
    std::vector<std::string> TakeNotices() && { return std::move(m_notices); }

private:
    struct Empty {};
    explicit Result(Empty) {}

    std::optional<Stored> m_value;
    std::string m_error;
    std::vector<std::string> m_notices;
};

}  // namespace engine
