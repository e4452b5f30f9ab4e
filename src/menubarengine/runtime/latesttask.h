#pragma once

#include "cancellation.h"

#include <QCoroTask>

#include <functional>
#include <optional>

namespace zorv {

// Holds the one pending task of a kind (a debounced write, the auto-hide, a rescan, a recovery
// loop): starting a new one cancels and replaces the previous one. The task receives the token it
// must check after every sleep. Main thread only.
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
    std::shared_ptr<bool> m_running;
};

} // namespace zorv
