#pragma once

#include "triggercontext.h"
#include "triggerrule.h"
#include "triggerruntime.h"
#include "triggerstep.h"

#include <QDateTime>
#include <QList>

namespace zorv {

// Decides what the user's rules ask for at one moment. Pure: it reads no clock and keeps no
// state; the memory between steps travels in the TriggerRuntime the caller passes back in.
//
// Declarative actions are held as a level while their rule holds; one-shot actions fire on the
// rising edge. A flap guard suspends a rule whose condition keeps changing, so a flickering
// Wi-Fi or power reading cannot make the menu bar thrash.
class TriggerEngine {
public:
    TriggerEngine() = delete;

    // How long a state change counts towards the flap limit.
    static constexpr double flapWindow = 60;
    // State changes tolerated within the window; the next one suspends the rule.
    static constexpr int flapLimit = 6;
    // Length of a suspension, counted from the step that imposes it.
    static constexpr double flapCooldown = 60;

    [[nodiscard]] static TriggerStep step(const QList<TriggerRule> &rules,
                                          const TriggerContext &context, const QDateTime &now,
                                          const TriggerRuntime &runtime);
};

} // namespace zorv
