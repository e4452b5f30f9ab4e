#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>
#include <utility>

namespace zorv {

// The engine's reconcile runs one at a time: whether one is in flight and dragging, the trigger of
// the one asked for meanwhile, how many unsettled runs in a row got nowhere (they bound the
// follow-ups), the fewest drags still needed after the unsettled runs under one wanted order (a
// run comes closer only by going below it), the request that waits for the Accessibility grant,
// and what the last finished run did. Main thread only.
class RunQueue {
public:
    // Unsettled runs in a row that may queue a follow-up without bringing the bar closer.
    static constexpr int followUpRunLimit = 10;

    [[nodiscard]] bool reconcileInFlight() const { return m_reconcileInFlight; }
    // A run (or the drag test) owns the bar from now on.
    void begin() {
        m_reconcileInFlight = true;
        m_barMovedUnderTheRun = false;
    }
    void end() {
        m_reconcileInFlight = false;
        m_dragUnderWay = false;
        m_barMovedUnderTheRun = false;
    }
    // A drag of the run's is being posted, or a batch of them planned from one reading runs:
    // until the gesture ends, nothing else may move on the bar.
    [[nodiscard]] bool dragUnderWay() const { return m_dragUnderWay; }
    void setDragUnderWay(bool underWay) { m_dragUnderWay = underWay; }
    // Something else moved the items on the bar: while a run is in flight, where its last drag's
    // item stands tells nothing of the drag, and its next drag needs a reading taken since.
    void barMoved() { m_barMovedUnderTheRun = m_barMovedUnderTheRun || m_reconcileInFlight; }
    [[nodiscard]] bool takeBarMovedUnderTheRun() {
        return std::exchange(m_barMovedUnderTheRun, false);
    }
    // A run ended before it revealed anything: what waited is dropped with it.
    void abandon();

    [[nodiscard]] bool hasQueued() const { return m_queuedTrigger.has_value(); }
    // Asks for a run after the one in flight; a later request replaces an earlier one.
    void queue(const QString &trigger) { m_queuedTrigger = trigger; }
    [[nodiscard]] std::optional<QString> takeQueued() {
        return std::exchange(m_queuedTrigger, std::nullopt);
    }

    // Whether the run that ends now, under the order epoch it started with, left fewer drags
    // needed than it found and than the unsettled runs before it left under that epoch.
    [[nodiscard]] bool cameCloser(std::optional<qsizetype> neededAtStart,
                                  std::optional<qsizetype> neededAtEnd, bool settled,
                                  int epochAtStart, int epoch);
    // A run ended: one that settled or came closer starts the count of runs that got nowhere
    // again.
    void runEnded(bool settledOrCloser);
    // Whether the run that ends now may queue a follow-up of its own.
    [[nodiscard]] bool mayFollowUp() const {
        return m_unsettledRuns < followUpRunLimit && !m_queuedTrigger;
    }

    // Keeps a request until the Accessibility permission is granted; a later one replaces it. The
    // number it gets tells its waiter whether it is still the one kept.
    [[nodiscard]] int keepForGrant(const QString &trigger) {
        m_keptForGrant = trigger;
        return ++m_keptNumber;
    }
    [[nodiscard]] bool hasKept() const { return m_keptForGrant.has_value(); }
    // Takes the kept request when it is still the one numbered so.
    [[nodiscard]] std::optional<QString> takeKept(int number) {
        return number == m_keptNumber ? std::exchange(m_keptForGrant, std::nullopt) : std::nullopt;
    }

    [[nodiscard]] const QJsonObject &lastReconcile() const { return m_lastReconcile; }
    void setLastReconcile(QJsonObject record) { m_lastReconcile = std::move(record); }

private:
    bool m_reconcileInFlight = false;
    bool m_dragUnderWay = false;
    bool m_barMovedUnderTheRun = false;
    std::optional<QString> m_queuedTrigger;
    std::optional<QString> m_keptForGrant;
    int m_keptNumber = 0;
    int m_unsettledRuns = 0;
    std::optional<std::pair<int, qsizetype>> m_fewestStillNeeded;
    QJsonObject m_lastReconcile;
};

} // namespace zorv
