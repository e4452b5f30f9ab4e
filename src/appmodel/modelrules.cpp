#include "modelrules.h"

#include "appmodel.h"
#include "modelprofiles.h"
#include "shell/notifier.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A held reveal that the engine tucked is brought back after the longer of this and the
// auto-hide delay.
constexpr double minimumHoldLapse = 10.0;

struct HeldWishes {
    std::optional<QUuid> profile;
    QList<std::pair<MenuBarItemID, Section>> moves;
    std::optional<bool> reveal;
};

HeldWishes gatherWishes(const QList<TriggerRule> &activeOverrides) {
    HeldWishes wishes;
    bool revealSeen = false;
    bool hideSeen = false;
    for (const TriggerRule &rule : activeOverrides) {
        const TriggerAction &action = rule.action;
        switch (action.kind()) {
        case TriggerAction::Kind::SwitchProfile:
            wishes.profile = action.profileID();
            break;
        case TriggerAction::Kind::MoveItem:
            if (action.item()) {
                wishes.moves.append({*action.item(), action.section()});
            }
            break;
        case TriggerAction::Kind::RevealHidden:
            revealSeen = true;
            break;
        case TriggerAction::Kind::HideHidden:
            hideSeen = true;
            break;
        case TriggerAction::Kind::RevealItem:
        case TriggerAction::Kind::Notify:
            break;
        }
    }
    if (revealSeen) {
        wishes.reveal = true;
    } else if (hideSeen) {
        wishes.reveal = false;
    }
    return wishes;
}

SectionLayout withMoves(SectionLayout layout,
                        const QList<std::pair<MenuBarItemID, Section>> &moves) {
    for (const auto &[id, target] : moves) {
        for (const Section section : allSections) {
            if (const auto lane = layout.sections.find(section); lane != layout.sections.end()) {
                lane->removeAll(id);
            }
        }
        layout.sections[target].append(id);
    }
    return layout;
}

QCoro::Task<> revealTask(QPointer<AppModel> model, bool reveal) {
    if (model) {
        co_await model->engine().setHiddenRevealed(reveal, false, reveal);
    }
}

} // namespace

ModelRules::ModelRules(AppModel &model) : m_model(model) {}

void ModelRules::addTrigger(const TriggerRule &rule) {
    TriggerSet triggers = m_model.triggers();
    triggers.rules.append(rule);
    m_model.setTriggers(triggers);
    m_model.persistTriggers();
}

void ModelRules::updateTrigger(const TriggerRule &rule) {
    TriggerSet triggers = m_model.triggers();
    for (TriggerRule &existing : triggers.rules) {
        if (existing.id == rule.id) {
            existing = rule;
            m_model.setTriggers(triggers);
            m_model.persistTriggers();
            return;
        }
    }
}

void ModelRules::setTriggerEnabled(const QUuid &id, bool enabled) {
    TriggerSet triggers = m_model.triggers();
    for (TriggerRule &existing : triggers.rules) {
        if (existing.id == id) {
            existing.isEnabled = enabled;
            m_model.setTriggers(triggers);
            m_model.persistTriggers();
            return;
        }
    }
}

void ModelRules::deleteTrigger(const QUuid &id) {
    TriggerSet triggers = m_model.triggers();
    triggers.rules.removeIf([&](const TriggerRule &rule) { return rule.id == id; });
    m_model.setTriggers(triggers);
    m_model.persistTriggers();
}

void ModelRules::applyTriggerStep(const TriggerStep &step) {
    m_model.setSuspendedTriggerRuleIDs(step.suspended);
    QSet<QUuid> active;
    for (const TriggerRule &rule : step.activeOverrides) {
        active.insert(rule.id);
    }
    m_model.setActiveTriggerRuleIDs(active);

    if (!step.newlySuspended.isEmpty()) {
        QString name = u"A rule"_s;
        for (const TriggerRule &rule : m_model.triggers().rules) {
            if (rule.id == step.newlySuspended.first()) {
                name = rule.name;
                break;
            }
        }
        m_model.setTriggerNotice(name + u" was paused: it was switching on and off too fast."_s);
    }

    applyHeldLayout(step.activeOverrides);
    applyRevealWish(gatherWishes(step.activeOverrides).reveal);

    for (const TriggerAction &action : step.oneShots) {
        performTriggerAction(action);
    }
}

void ModelRules::applyHeldLayout(const QList<TriggerRule> &activeOverrides) {
    m_heldBeforeTheBar.reset();
    const HeldWishes wishes = gatherWishes(activeOverrides);
    if (!wishes.profile && wishes.moves.isEmpty()) {
        applyLayoutWish(std::nullopt);
        return;
    }
    if (!m_overrideActive) {
        // Until a scan has read the bar nobody knows where the items the user's layout does not
        // place yet stand, nor where to bring an item back when the rule ends.
        if (m_model.items().isEmpty()) {
            m_heldBeforeTheBar = activeOverrides;
            return;
        }
        // The bar stands as the user arranged it, with those items where macOS put them: they
        // are recorded there first.
        m_model.takeInUnplacedItems();
    }
    SectionLayout base = m_model.layoutOrder();
    if (wishes.profile) {
        for (const Profile &profile : m_model.profiles().profiles) {
            if (profile.id == *wishes.profile) {
                base = profile.layout;
                break;
            }
        }
    }
    applyLayoutWish(withMoves(std::move(base), wishes.moves));
}

void ModelRules::barRead() {
    if (m_heldBeforeTheBar && !m_model.items().isEmpty()) {
        applyHeldLayout(*std::exchange(m_heldBeforeTheBar, std::nullopt));
    }
}

void ModelRules::applyLayoutWish(const std::optional<SectionLayout> &wanted) {
    if (!wanted) {
        if (m_appliedOverrideLayout) {
            m_appliedOverrideLayout.reset();
            undoOverride(m_model.layoutOrder(), m_overrideGeneration);
        }
        return;
    }
    if (m_appliedOverrideLayout == wanted) {
        return;
    }
    m_appliedOverrideLayout = wanted;
    m_overrideActive = true;
    ++m_overrideGeneration;
    applyOverride(*wanted);
}

QCoro::Task<> ModelRules::applyOverride(SectionLayout layout) {
    try {
        co_await m_model.engine().apply(std::move(layout));
    } catch (const EngineFailure &) {
        // The override stays in force; the next differing step hands the engine a layout again.
    }
}

QCoro::Task<> ModelRules::undoOverride(SectionLayout layout, quint64 generation) {
    const QPointer<AppModel> model(&m_model);
    try {
        co_await m_model.engine().apply(std::move(layout));
    } catch (const EngineFailure &) {
        // The user's arrangement is still the model's; the engine's next reports are adopted.
    }
    // A rule layout applied while this undo ran is in force now: its flag must stay set, or the
    // engine's report of that rule layout would be saved as the user's arrangement.
    if (model && generation == m_overrideGeneration) {
        m_overrideActive = false;
    }
}

void ModelRules::applyRevealWish(std::optional<bool> wish) {
    if (wish == m_appliedRevealOverride) {
        return;
    }
    m_appliedRevealOverride = wish;
    revealTask(QPointer<AppModel>(&m_model), wish.value_or(false));
}

void ModelRules::reassertTriggerHold() {
    if (m_appliedRevealOverride != true || m_model.engine().isRevealed()) {
        m_triggerHoldLapsedAt.reset();
        return;
    }
    const MonotonicTime now = m_model.clock().now();
    if (!m_triggerHoldLapsedAt) {
        m_triggerHoldLapsedAt = now;
        return;
    }
    const double wait = std::max(m_model.settings().autoRehideSeconds, minimumHoldLapse);
    if (toSeconds(now - *m_triggerHoldLapsedAt) < wait) {
        return;
    }
    m_triggerHoldLapsedAt.reset();
    revealTask(QPointer<AppModel>(&m_model), true);
}

void ModelRules::performTriggerAction(const TriggerAction &action) {
    switch (action.kind()) {
    case TriggerAction::Kind::SwitchProfile:
        m_model.profileOps().switchToProfile(action.profileID());
        break;
    case TriggerAction::Kind::MoveItem:
        if (action.item()) {
            m_model.move(*action.item(), action.section());
        }
        break;
    case TriggerAction::Kind::RevealItem:
        if (action.item()) {
            m_model.activate(*action.item(), ClickKind::left);
        }
        break;
    case TriggerAction::Kind::Notify:
        m_model.notifier().post(action.text());
        break;
    case TriggerAction::Kind::RevealHidden:
        m_model.revealHidden();
        break;
    case TriggerAction::Kind::HideHidden:
        m_model.hideHidden();
        break;
    }
}

} // namespace zorv
