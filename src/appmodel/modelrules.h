#pragma once

#include "clock.h"
#include "sectionlayout.h"
#include "triggers/triggeraction.h"
#include "triggers/triggerrule.h"
#include "triggers/triggerstep.h"

#include <QCoroTask>
#include <QUuid>
#include <QtGlobal>

#include <optional>

namespace zorv {

class AppModel;

// The model's side of the user's rules: editing them, and turning each evaluation into state.
// While rules hold, a rule layout (a held profile's layout with held item moves) overrides the
// user's arrangement without replacing it, and the hidden section is held revealed or tucked;
// when they stop holding both are undone. Rules paused for flapping are announced, and one-shot
// actions run once. Owned by the model; main thread.
class ModelRules {
public:
    explicit ModelRules(AppModel &model);

    void addTrigger(const TriggerRule &rule);
    // Replaces the rule with the same id; an unknown id changes and saves nothing.
    void updateTrigger(const TriggerRule &rule);
    void setTriggerEnabled(const QUuid &id, bool enabled);
    // Removes every rule with the id; saves and re-evaluates even when none had it.
    void deleteTrigger(const QUuid &id);

    void applyTriggerStep(const TriggerStep &step);
    // On each monitor tick: reveals again a held reveal that stayed tucked for the longer of 10 s
    // and the auto-hide delay.
    void reassertTriggerHold();
    // The engine published the bar's items: a rule layout held back until then is applied.
    void barRead();
    // Runs one action once, as a rule that just started to hold does.
    void performTriggerAction(const TriggerAction &action);

    // A rule layout is in the engine's hands (from its apply until its undo has finished), so
    // the engine's layout reports must not become the user's arrangement.
    [[nodiscard]] bool automationOverrideActive() const { return m_overrideActive; }

private:
    // The layout of the held profile and item moves of `activeOverrides`, or the user's own
    // when they hold none.
    void applyHeldLayout(const QList<TriggerRule> &activeOverrides);
    void applyLayoutWish(const std::optional<SectionLayout> &wanted);
    void applyRevealWish(std::optional<bool> wish);
    QCoro::Task<> applyOverride(SectionLayout layout);
    QCoro::Task<> undoOverride(SectionLayout layout, quint64 generation);

    AppModel &m_model;
    bool m_overrideActive = false;
    // Counts the rule layouts handed to the engine, so that an undo finishing after a newer
    // override began leaves the flag to that override.
    quint64 m_overrideGeneration = 0;
    std::optional<SectionLayout> m_appliedOverrideLayout;
    // The rules whose layout waits for the first reading of the bar.
    std::optional<QList<TriggerRule>> m_heldBeforeTheBar;
    std::optional<bool> m_appliedRevealOverride;
    // When a tick first found the held reveal tucked.
    std::optional<MonotonicTime> m_triggerHoldLapsedAt;
};

} // namespace zorv
