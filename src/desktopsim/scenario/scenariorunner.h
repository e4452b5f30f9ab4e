#pragma once

#include "cancellation.h"
#include "clock.h"
#include "scenario.h"
#include "scenarioplayer.h"

#include <QCoroTask>
#include <QObject>

namespace zorv {

// Runs a scenario on a simulated desktop: sets the Mac up at start() and then applies each timed
// event when the desktop's clock reaches its time, counted from start(); clock items are set
// at every minute of the wall clock. Everything waits on the injected clock, so on a manual clock
// in fast-forward a scenario's hour passes in moments. Stops when destroyed. Main thread.
class ScenarioRunner : public QObject {
    Q_OBJECT

public:
    ScenarioRunner(Scenario scenario, SimulatedDesktop &desktop, SimWorkspace &workspace,
                   SimGlobalPreferences &preferences, SimCloud &cloud, QObject *parent = nullptr);
    ~ScenarioRunner() override;

    // Call once.
    void start();

    [[nodiscard]] const Scenario &scenario() const { return m_scenario; }
    [[nodiscard]] const ScenarioPlayer &player() const { return m_player; }
    // Simulated time since start(); 0 before it.
    [[nodiscard]] Duration elapsed() const;
    // How many timed events have been applied.
    [[nodiscard]] qsizetype eventsApplied() const { return m_applied; }

Q_SIGNALS:
    // An event that could not take effect; the scenario goes on.
    void warning(const QString &message);

private:
    QCoro::Task<> playEvents(CancellationToken token);
    QCoro::Task<> tickClocks(CancellationToken token);

    const Scenario m_scenario;
    Clock &m_clock;
    ScenarioPlayer m_player;
    CancellationSource m_lifetime;
    std::optional<MonotonicTime> m_start;
    qsizetype m_applied = 0;
};

} // namespace zorv
