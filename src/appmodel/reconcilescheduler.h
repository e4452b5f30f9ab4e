#pragma once

#include "clock.h"
#include "latesttask.h"

#include <QCoroTask>

#include <functional>
#include <memory>

namespace zorv {

// Debounces requests for a reconcile pass: a pass runs `delay` after the last request of a burst.
// Only a debounce that is still waiting is cancelled by a newer request; a pass that has begun
// always runs to its end, and a request whose debounce ends while a pass runs is run once right
// after it (several such requests make one pass). Main thread.
class ReconcileScheduler {
public:
    using Pass = std::function<QCoro::Task<>()>;

    ReconcileScheduler(Clock &clock, Duration delay, Pass pass);
    ReconcileScheduler(const ReconcileScheduler &) = delete;
    ReconcileScheduler &operator=(const ReconcileScheduler &) = delete;
    ~ReconcileScheduler();

    // Re-arms the debounce.
    void schedule();

    // A pass is in flight.
    [[nodiscard]] bool isRunning() const { return m_state->running; }

private:
    // Shared with the running tasks, which may outlive the scheduler.
    struct State {
        bool alive = true;
        bool running = false;
        bool queued = false;
    };

    static QCoro::Task<> debounce(Clock &clock, Duration delay, Pass pass,
                                  std::shared_ptr<State> state, CancellationToken cancellation);
    static QCoro::Task<> runPasses(Pass pass, std::shared_ptr<State> state);

    Clock &m_clock;
    Duration m_delay;
    Pass m_pass;
    std::shared_ptr<State> m_state;
    LatestTask m_debounce;
};

} // namespace zorv
