#pragma once

#include "cancellation.h"

#include <QCoroTask>

#include <functional>
#include <memory>
#include <optional>

namespace zorv {

// Holds the one pending task of a kind (a debounced write, the auto-hide, a rescan, a recovery
// loop): starting a new one cancels and replaces the previous one. The task receives the token it
// must check after every sleep; cancelling only asks, so a replaced body runs on until it looks.
// Main thread only.
//
// The body runs fire-and-forget: nobody awaits it, so an exception escaping it is caught and
// logged with qWarning() rather than lost. Destroying the LatestTask cancels the pending body.
//
// Build the body as a named variable before passing it when it is a lambda that captures
// anything non-trivial: GCC 12 destroys lambda temporaries inside a co_await expression twice.
class LatestTask {
public:
    using Body = std::function<QCoro::Task<>(CancellationToken)>;

    LatestTask() = default;
    LatestTask(const LatestTask &) = delete;
    LatestTask &operator=(const LatestTask &) = delete;
    ~LatestTask();

    // Cancels the pending task, if any, and starts `body` with a fresh token.
    void start(Body body);
    // Cancels the pending task, if any.
    void cancel();
    // True while the latest task started has not finished and has not been cancelled.
    [[nodiscard]] bool isPending() const;

private:
    std::optional<CancellationSource> m_source;
    // Cleared by the running body when it ends; shared because the body may outlive this object.
    std::shared_ptr<bool> m_running;
};

} // namespace zorv
