#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace zorv {

class CancellationState;

// A read-only view of one cancellation request, handed to tasks so they can stop cooperatively.
// Copies share the same state; a default-constructed token is never cancelled. Thread-safe.
class CancellationToken {
public:
    CancellationToken() = default;

    [[nodiscard]] bool isCancelled() const;

    // Calls `callback` once when the token is cancelled (at once, on this thread, when it already
    // is). Returns an id for removeCallback(); the callback runs on the cancelling thread.
    quint64 onCancel(std::function<void()> callback) const;
    void removeCallback(quint64 id) const;

private:
    friend class CancellationSource;
    explicit CancellationToken(std::shared_ptr<CancellationState> state);

    std::shared_ptr<CancellationState> m_state;
};

// The owner side of a cancellation request: hands out tokens and cancels them all at once.
class CancellationSource {
public:
    CancellationSource();

    [[nodiscard]] CancellationToken token() const;
    [[nodiscard]] bool isCancelled() const;
    void cancel();

private:
    std::shared_ptr<CancellationState> m_state;
};

} // namespace zorv
