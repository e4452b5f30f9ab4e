#include "scenariorunner.h"

#include "simulateddesktop.h"

#include <QPointer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

bool hasClockItems(const Scenario &scenario) {
    const auto isClock = [](const ScenarioItem &item) { return item.clock; };
    for (const ScenarioApplication &app : scenario.applications) {
        if (std::any_of(app.items.cbegin(), app.items.cend(), isClock)) {
            return true;
        }
    }
    return std::any_of(scenario.events.cbegin(), scenario.events.cend(),
                       [](const ScenarioEvent &event) {
                           const auto *add = std::get_if<scenarioaction::AddItem>(&event.action);
                           return add && add->item.clock;
                       });
}

// Until the wall clock's next whole minute.
Duration untilNextMinute(const QDateTime &wallTime) {
    // Floored: before 1970 the milliseconds since the epoch are negative.
    const qint64 intoMinute = (wallTime.toMSecsSinceEpoch() % 60000 + 60000) % 60000;
    return std::chrono::milliseconds(60000 - intoMinute);
}

} // namespace

ScenarioRunner::ScenarioRunner(Scenario scenario, SimulatedDesktop &desktop,
                               SimWorkspace &workspace, SimGlobalPreferences &preferences,
                               SimCloud &cloud, QObject *parent)
    : QObject(parent), m_scenario(std::move(scenario)), m_clock(desktop.model().clock()),
      m_player(m_scenario, desktop, workspace, preferences, cloud) {}

ScenarioRunner::~ScenarioRunner() {
    m_lifetime.cancel();
}

void ScenarioRunner::start() {
    m_start = m_clock.now();
    m_player.setUp();
    playEvents(m_lifetime.token());
    if (hasClockItems(m_scenario)) {
        tickClocks(m_lifetime.token());
    }
}

Duration ScenarioRunner::elapsed() const {
    return m_start ? m_clock.now() - *m_start : Duration::zero();
}

QCoro::Task<> ScenarioRunner::playEvents(CancellationToken token) {
    QPointer<ScenarioRunner> self(this);
    for (qsizetype index = 0; index < m_scenario.events.size(); ++index) {
        const Duration wait = *m_start + m_scenario.events[index].at - m_clock.now();
        if (wait > Duration::zero()) {
            if (co_await m_clock.sleep(wait, token) == SleepOutcome::Cancelled || !self) {
                co_return;
            }
        }
        const ScenarioEvent &event = m_scenario.events[index];
        const std::optional<QString> problem = m_player.apply(event.action);
        m_applied = index + 1;
        if (problem) {
            Q_EMIT warning(u"At %1 s: %2"_s.arg(toSeconds(event.at)).arg(*problem));
            if (!self) {
                co_return;
            }
        }
    }
}

QCoro::Task<> ScenarioRunner::tickClocks(CancellationToken token) {
    QPointer<ScenarioRunner> self(this);
    while (true) {
        const Duration wait = untilNextMinute(m_clock.wallNow());
        if (co_await m_clock.sleep(wait, token) == SleepOutcome::Cancelled || !self) {
            co_return;
        }
        m_player.updateClocks(m_clock.wallNow());
    }
}

} // namespace zorv
