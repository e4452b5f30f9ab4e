#include "contextmonitors.h"

#include "clock.h"
#include "focusstatus.h"
#include "powerreading.h"
#include "wificlient.h"
#include "workspace.h"

#include <QPointer>

namespace zorv {

ContextMonitors::ContextMonitors(ChangeHandler onChange, ContextSources sources, Clock &clock)
    : m_onChange(std::move(onChange)), m_sources(sources), m_clock(clock) {}

ContextMonitors::~ContextMonitors() {
    m_pollCancellation.cancel();
}

void ContextMonitors::start() {
    if (m_started) {
        return;
    }
    m_started = true;
    connect(&m_sources.workspace, &Workspace::applicationLaunched, this, &ContextMonitors::rebuild);
    connect(&m_sources.workspace, &Workspace::applicationTerminated, this,
            &ContextMonitors::rebuild);
    connect(&m_sources.workspace, &Workspace::applicationActivated, this,
            &ContextMonitors::rebuild);
    connect(&m_sources.focus, &FocusStatus::focusChanged, this, &ContextMonitors::rebuild);
    rebuild();
    m_pollTask = poll();
}

TriggerContext ContextMonitors::snapshot() const {
    const PowerReading power = readPower(m_sources.power);
    TriggerContext context;
    context.batteryPercent = power.percent;
    context.isCharging = power.charging;
    context.isOnBattery = power.onBattery;
    context.currentSSID = m_sources.wifi.currentNetworkName();
    for (const RunningApplication &application : m_sources.workspace.runningApplications()) {
        if (application.bundleIdentifier) {
            context.runningBundleIDs.insert(*application.bundleIdentifier);
        }
    }
    if (const auto front = m_sources.workspace.frontmostApplication()) {
        context.frontmostBundleID = front->bundleIdentifier;
    }
    context.focusActive = m_sources.focus.isFocusActive();
    return context;
}

void ContextMonitors::rebuild() {
    report(snapshot());
}

void ContextMonitors::report(const TriggerContext &context) {
    if (m_last == context) {
        return;
    }
    m_last = context;
    if (m_onChange) {
        m_onChange(context);
    }
}

QCoro::Task<> ContextMonitors::poll() {
    QPointer<ContextMonitors> self(this);
    Clock &clock = m_clock;
    const CancellationToken cancellation = m_pollCancellation.token();
    for (qint64 cycle = 1;; ++cycle) {
        const SleepOutcome outcome = co_await clock.sleep(seconds(pollInterval), cancellation);
        if (outcome == SleepOutcome::Cancelled || !self) {
            co_return;
        }
        if (cycle % cyclesPerReading == 0) {
            self->rebuild();
        }
        if (self && self->m_onTick) {
            self->m_onTick();
        }
    }
}

} // namespace zorv
