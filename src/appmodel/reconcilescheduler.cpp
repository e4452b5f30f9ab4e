#include "reconcilescheduler.h"

#include <QtDebug>

#include <exception>

namespace zorv {

ReconcileScheduler::ReconcileScheduler(Clock &clock, Duration delay, Pass pass)
    : m_clock(clock), m_delay(delay), m_pass(std::move(pass)), m_state(std::make_shared<State>()) {}

ReconcileScheduler::~ReconcileScheduler() {
    m_state->alive = false;
}

void ReconcileScheduler::schedule() {
    // Replacing the debounce cancels only its sleep: once a debounce has ended it has handed its
    // request to runPasses(), which no cancellation reaches.
    auto body = [&clock = m_clock, delay = m_delay, pass = m_pass,
                 state = m_state](CancellationToken cancellation) {
        return debounce(clock, delay, pass, state, cancellation);
    };
    m_debounce.start(std::move(body));
}

QCoro::Task<> ReconcileScheduler::debounce(Clock &clock, Duration delay, Pass pass,
                                           std::shared_ptr<State> state,
                                           CancellationToken cancellation) {
    const SleepOutcome outcome = co_await clock.sleep(delay, cancellation);
    if (outcome == SleepOutcome::Cancelled || cancellation.isCancelled() || !state->alive) {
        co_return;
    }
    if (state->running) {
        state->queued = true;
        co_return;
    }
    co_await runPasses(std::move(pass), state);
}

QCoro::Task<> ReconcileScheduler::runPasses(Pass pass, std::shared_ptr<State> state) {
    state->running = true;
    do {
        state->queued = false;
        try {
            co_await pass();
        } catch (const std::exception &error) {
            qWarning() << "reconcile pass ended with an exception:" << error.what();
        }
    } while (state->queued && state->alive);
    state->running = false;
}

} // namespace zorv
