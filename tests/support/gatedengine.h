#pragma once

#include "clock.h"
#include "mockmenubarengine.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace zorv {

// An engine over MockMenuBarEngine's items that behaves like the real engine where the app model
// depends on it: it reports its wanted layout after apply() and move(). Tests can make apply(),
// activate() fail, make apply() and reconcileMenuBar() take time on the clock, and read back what
// was asked of it, also as lines in a shared call log ("engine.apply", "engine.move",
// "engine.reconcile:user-move", "engine.setHiddenRevealed(1,0,0)", ...).
class GatedEngine final : public MenuBarEngine {
public:
    struct Reveal {
        bool reveal;
        bool includingAlwaysHidden;
        bool holdOpen;
        friend bool operator==(const Reveal &, const Reveal &) = default;
    };

    GatedEngine(QList<MenuBarItem> items, Clock &clock);

    [[nodiscard]] MockMenuBarEngine &mock() { return m_mock; }
    // The next `count` apply() calls throw.
    void failApplies(int count) { m_failingApplies = count; }
    // Every apply() first waits this long on the clock.
    void holdApplies(Duration hold) { m_applyHold = hold; }
    // Every reconcileMenuBar() waits this long on the clock before it ends.
    void holdReconciles(Duration hold) { m_reconcileHold = hold; }
    // Every later activate() throws this error.
    void failActivations(std::optional<EngineError> error) { m_activationFailure = error; }
    // The layouts reported after apply() leave out this application's items, as an engine does
    // for an application this Mac does not have.
    void leaveOutOnApply(const QString &bundleID) { m_leftOut = bundleID; }
    // Where each call is recorded as one line; none records nothing.
    void setCallLog(QStringList *log) { m_callLog = log; }
    [[nodiscard]] const QList<SectionLayout> &applied() const { return m_applied; }
    [[nodiscard]] const QList<Reveal> &reveals() const { return m_reveals; }
    [[nodiscard]] const QList<QString> &reconciles() const { return m_reconciles; }
    [[nodiscard]] const QList<std::pair<MenuBarItemID, SectionPlacement>> &moves() const {
        return m_moves;
    }

    [[nodiscard]] EngineCapabilities capabilities() const override;
    [[nodiscard]] AsyncQueue<QList<MenuBarItem>> &itemsStream() override;
    [[nodiscard]] double autoRehideSeconds() const override;
    void setAutoRehideSeconds(double seconds) override;
    [[nodiscard]] bool reorderEnabled() const override;
    void setReorderEnabled(bool enabled) override;
    [[nodiscard]] const LayoutChangedCallback &onLayoutChanged() const override;
    void setOnLayoutChanged(LayoutChangedCallback callback) override;
    [[nodiscard]] bool isRevealed() const override;
    [[nodiscard]] std::optional<HidingBlockedReason> hidingBlocked() const override;
    [[nodiscard]] const HidingBlockedChangedCallback &onHidingBlockedChanged() const override;
    void setOnHidingBlockedChanged(HidingBlockedChangedCallback callback) override;
    QCoro::Task<> retryHiding() override;
    [[nodiscard]] std::optional<QRectF> iconFrame() const override;
    [[nodiscard]] bool iconVisible() const override;
    void setIconVisible(bool visible) override;
    [[nodiscard]] bool captureEnabled() const override;
    void setCaptureEnabled(bool enabled) override;
    QCoro::Task<> toggleRevealed(bool includingAlwaysHidden) override;
    QCoro::Task<> start() override;
    QCoro::Task<> apply(SectionLayout layout) override;
    QCoro::Task<> reconcileMenuBar(QString trigger) override;
    using MenuBarEngine::setHiddenRevealed;
    QCoro::Task<> setHiddenRevealed(bool reveal, bool includingAlwaysHidden,
                                    bool holdOpen) override;
    QCoro::Task<> activate(MenuBarItemID id, ClickKind click) override;
    QCoro::Task<> move(MenuBarItemID id, SectionPlacement placement) override;
    QCoro::Task<> refresh() override;

private:
    // The wanted layout as the items now stand.
    void reportLayout();
    void record(const QString &call);

    MockMenuBarEngine m_mock;
    Clock &m_clock;
    LayoutChangedCallback m_onLayoutChanged;
    int m_failingApplies = 0;
    Duration m_applyHold = Duration::zero();
    Duration m_reconcileHold = Duration::zero();
    std::optional<EngineError> m_activationFailure;
    QStringList *m_callLog = nullptr;
    QString m_leftOut;
    QList<SectionLayout> m_applied;
    QList<Reveal> m_reveals;
    QList<QString> m_reconciles;
    QList<std::pair<MenuBarItemID, SectionPlacement>> m_moves;
};

} // namespace zorv
