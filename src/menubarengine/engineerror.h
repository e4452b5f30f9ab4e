#pragma once

#include <QHashFunctions>

#include <exception>

namespace zorv {

// Why an engine operation failed. Deliberately without message text: callers that show a failure
// word it for their own context.
enum class EngineError { notPermitted, itemNotFound, moveFailed, activationFailed, unsupported };

inline size_t qHash(EngineError error, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(error), seed);
}

// The exception the throwing engine operations (apply, activate, move) raise out of their task.
class EngineFailure : public std::exception {
public:
    explicit EngineFailure(EngineError error) : m_error(error) {}

    [[nodiscard]] EngineError error() const { return m_error; }
    // The case name ("itemNotFound"), for logs.
    [[nodiscard]] const char *what() const noexcept override;

private:
    EngineError m_error;
};

} // namespace zorv
