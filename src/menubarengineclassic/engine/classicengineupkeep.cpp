// What a scan does after judging the bar: adopt items no layout places, give up on items that
// refuse their lane drags, and retuck or start a drift reconcile as the verdict asks.

#include "classicengine.h"

#include "drift/userdrags.h"
#include "sectionindex.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

void ClassicEngine::runUpkeep(QList<MenuBarItem> &items, const ScanContext &context) {
    std::optional<QHash<MenuBarItemID, QString>> unreachable;
    const auto standing = [this, &context, &unreachable](
                              const MenuBarItem &item) -> std::optional<ItemRecords::LaneStanding> {
        // An item no drag can get at for now (behind the camera housing, under the menus, off
        // screen, its lane out of reach, on a hidden bar) keeps its lane: only drags that were
        // posted and refused say it does not go there, and it is judged once it can be reached.
        if (!unreachable) {
            unreachable = this->unreachable();
        }
        if (unreachable->contains(item.id)) {
            return std::nullopt;
        }
        // An application that did not answer is where it was before; judge it once it answers.
        if (context.unanswered.contains(item.pid)) {
            return std::nullopt;
        }
        // Its runs failed while a drag could get at other places (other menus in front): a run
        // tries it again before it is judged.
        if (m_records.laneFailedRuns(item.id) >= ItemRecords::laneFailedRunsToRetire &&
            !m_records.awaitingRetirement(m_bar.reach()).contains(item.id)) {
            return std::nullopt;
        }
        return ItemRecords::LaneStanding{m_wanted.storedLayout().sectionOf(item.id),
                                         DriftRules::laneOf(item, context.hiddenSepX,
                                                            context.alwaysSepX,
                                                            context.separatorsOrdered)};
    };
    const QList<Adoption> retirements = m_records.reviewLaneFailures(items, now(), standing);
    // Items are taken in where they stand among the items the layout holds, so that a lane's
    // order does not differ from the bar's for a run to put right.
    std::optional<UserDrags::Lanes> lanes;
    const auto barLane = [&](Section lane) {
        if (!lanes) {
            lanes = UserDrags::read(items, context.hiddenSepX, context.alwaysSepX,
                                    context.separatorsOrdered, context.unanswered);
        }
        return lanes->value(lane);
    };
    for (const Adoption &retirement : retirements) {
        retire(retirement.id, retirement.lane, barLane(retirement.lane));
    }

    QSet<QString> churning;
    for (const QJsonValue &entry : identityChurn()) {
        const QJsonValue bundleID = entry.toObject().value(u"bundleID"_s);
        if (bundleID.isString()) {
            churning.insert(bundleID.toString());
        }
    }
    const QList<Adoption> adopted = m_records.adoptions(items, m_wanted.storedLayout(), churning);
    for (const Adoption &adoption : adopted) {
        m_wanted.adopt(adoption.id, adoption.lane, barLane(adoption.lane));
        appendReconcileLog({{u"kind"_s, u"adopt"_s},
                            {u"item"_s, adoption.id.bundleID},
                            {u"lane"_s, rawValue(adoption.lane)},
                            {u"reason"_s, u"never assigned; recorded where macOS put it"_s}});
    }

    if (retirements.isEmpty() && adopted.isEmpty()) {
        return;
    }
    const SectionIndex sections(m_wanted.storedLayout());
    for (MenuBarItem &item : items) {
        item.section = sections.sectionOf(item.id).value_or(item.section);
        item.isUnmovable = m_records.unmovable().contains(item.id);
    }
    m_bar.setLastItems(items);
    reportLayout();
}

void ClassicEngine::followUpVerdict(const DriftVerdict &verdict, bool stable) {
    switch (verdict.kind) {
    case DriftVerdict::Kind::clean:
        m_health.somethingHidden();
        m_drift.forgetPrevious();
        return;
    case DriftVerdict::Kind::peeking:
    case DriftVerdict::Kind::nothingHidden: {
        m_drift.forgetPrevious();
        // A tuck held for an open menu hides the lanes once the menu closes: what shows meanwhile
        // says nothing of the display, and a retuck would only be held as well.
        if (!stable || m_heldTuck.holding()) {
            return;
        }
        const QDateTime since = m_health.nothingHidden(now());
        if (secondsSince(m_health.lastRetuck()) <= 30.0 || m_health.hidingRefused()) {
            return;
        }
        const bool force = secondsSince(since) > 30.0;
        appendReconcileLog(
            {{u"kind"_s, verdict.kind == DriftVerdict::Kind::nothingHidden ? u"nothing-hidden"_s
                                                                           : u"peeking"_s},
             {u"action"_s, force ? u"retuck, forcing a reflow"_s : u"retuck"_s},
             {u"since"_s, since.toUTC().toString(Qt::ISODate)},
             {u"geometry"_s, m_separatorController->geometry()}});
        retuckDetached(QPointer<ClassicEngine>(this), force);
        return;
    }
    case DriftVerdict::Kind::drifted:
        break;
    }

    m_health.somethingHidden();
    const bool qualifies = !hidingBlocked() && stable && m_reorderEnabled;
    if (!qualifies) {
        m_drift.forgetPrevious();
        return;
    }
    // The same drift must be seen on a second qualifying scan; one seen while the last run is too
    // recent for another counts all the same, so that the run can follow as soon as it may.
    const std::optional<QString> signature =
        m_drift.sighted(verdict.drifted, m_bar.reach().unanswered);
    // Nothing is revealed for a run that would find nothing it can reach to drag.
    if (signature && m_drift.spacedOut(now()) &&
        !m_drift.givenUp(*signature, m_bar.reach().menusRight) && runHasWork()) {
        m_drift.runStarted(now());
        reconcileDetached(QPointer<ClassicEngine>(this), DriftMemory::triggerPrefix + *signature);
    }
}

QCoro::Task<> ClassicEngine::retuckDetached(QPointer<ClassicEngine> self, bool forceReflow) {
    if (self) {
        co_await self->reapplyRevealState(u"nothing-hidden"_s, forceReflow);
    }
}

} // namespace zorv
