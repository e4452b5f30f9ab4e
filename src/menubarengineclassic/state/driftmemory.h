#pragma once

#include "menubaritemid.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

namespace zorv {

// What the engine remembers of the bar's drift from the wanted layout: the drift the last scan
// saw (a run starts only for one seen on two scans in a row), when a run for drift last started
// (they are spaced out), and how many runs each drift survived (given up after three, until an
// application, display or layout change, or until the front application's menus end elsewhere,
// which changes what a drag can reach). Main thread only.
class DriftMemory {
public:
    // Seconds between the starts of two runs for drift.
    static constexpr double runSpacingSeconds = 45.0;
    // Runs that leave a drift unsettled before it is given up.
    static constexpr int fruitlessRuns = 3;
    static inline const QString triggerPrefix = QStringLiteral("drift:");

    DriftMemory();

    [[nodiscard]] const QSet<MenuBarItemID> &previousDrift() const { return m_previousDrift; }
    [[nodiscard]] const QDateTime &lastDriftReconcile() const { return m_lastDriftReconcile; }

    // Whether a run for drift may start at `now`, spaced out from the last.
    [[nodiscard]] bool spacedOut(const QDateTime &now) const;
    // A qualifying scan saw `drifted`: on the second sighting in a row the drift's signature;
    // none on the first. Items kept from applications that did not answer (`unanswered`), on
    // this scan or the last, stand where they were last read: they neither make a drift new nor
    // keep it from being the same, unless nothing else drifted.
    [[nodiscard]] std::optional<QString> sighted(const QSet<MenuBarItemID> &drifted,
                                                 const QSet<MenuBarItemID> &unanswered = {});
    // The bar is clean, or a scan did not qualify: the next drift counts from its first sighting.
    void forgetPrevious() {
        m_previousDrift.clear();
        m_previousUnanswered.clear();
    }
    // A run for drift started at `now`: the next one waits out the spacing. A sighting that
    // started none (nothing a drag could reach) leaves the next one free to start at once.
    void runStarted(const QDateTime &now) { m_lastDriftReconcile = now; }

    // Whether the drift with this signature was given up while the front application's menus
    // ended at `menusRight`.
    [[nodiscard]] bool givenUp(const QString &signature, std::optional<double> menusRight) const;
    // An application, display or layout changed: every drift may be tried again.
    void forgetFruitless() {
        m_fruitlessDrift.clear();
        m_menusRightAtLastRun.clear();
    }

    struct Count {
        // The drift stays given up.
        bool givenUp = false;
        // This very run gave it up.
        bool justGivenUp = false;
    };
    // Counts the end of a run with `trigger`, the front application's menus ending at
    // `menusRight`: only runs for drift count, and a `fruitful` one starts the count again.
    Count countFruitlessDrift(const QString &trigger, bool fruitful,
                              std::optional<double> menusRight = std::nullopt);

private:
    QHash<QString, int> m_fruitlessDrift;
    // Where the front application's menus ended at each drift's last fruitless run.
    QHash<QString, std::optional<double>> m_menusRightAtLastRun;
    QSet<MenuBarItemID> m_previousDrift;
    QSet<MenuBarItemID> m_previousUnanswered;
    QDateTime m_lastDriftReconcile;
};

} // namespace zorv
