#pragma once

#include "cancellation.h"
#include "contextsources.h"
#include "shell/triggermonitors.h"

#include <QCoroTask>
#include <QObject>

#include <optional>

namespace zorv {

class Clock;

// Watches the Mac for what rules test and reports each new context. The context is read again
// at once when an application launches, quits or comes to the front and when a Focus turns on or
// off, and every fourth cycle of a 5-second poll (every 20 s); a context equal to the last one
// reported is dropped. Every poll cycle also ticks, so the model can re-assert what rules hold.
// Main thread; the poll ends when the monitors are destroyed.
class ContextMonitors final : public QObject, public TriggerMonitors {
    Q_OBJECT

public:
    static constexpr double pollInterval = 5.0;
    // The context is re-read on every this many poll cycles.
    static constexpr int cyclesPerReading = 4;

    ContextMonitors(ChangeHandler onChange, ContextSources sources, Clock &clock);
    ~ContextMonitors() override;

    void setOnTick(TickHandler handler) override { m_onTick = std::move(handler); }
    // Observes the workspace and the Focus, reports the first context and starts the poll. Once.
    void start() override;

    // A fresh reading of everything rules test.
    [[nodiscard]] TriggerContext snapshot() const;

private:
    void rebuild();
    void report(const TriggerContext &context);
    QCoro::Task<> poll();

    ChangeHandler m_onChange;
    TickHandler m_onTick;
    ContextSources m_sources;
    Clock &m_clock;
    std::optional<TriggerContext> m_last;
    bool m_started = false;
    CancellationSource m_pollCancellation;
    std::optional<QCoro::Task<>> m_pollTask;
};

} // namespace zorv
