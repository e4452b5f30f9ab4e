// What a scan does after judging the bar: adopt items no layout places, give up on items whose
// lane drags keep failing, and retuck or start a drift reconcile as the verdict asks.

#include "classicengine.h"

#include "drift/userdrags.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

void ClassicEngine::runUpkeep(QList<MenuBarItem> &items, const ScanContext &context) {
    // Failures of items on the bar are looked at in bar order, so that two retired into one lane
    // land in the same order on every run; the others are only cleared.
    QList<MenuBarItemID> failed;
    for (const MenuBarItem &item : std::as_const(items)) {
        if (isOnTheBar(item) && m_laneFailed.contains(item.id) && !failed.contains(item.id)) {
            failed.append(item.id);
        }
    }
    QList<Adoption> retirements;
    QList<MenuBarItemID> cleared;
    for (auto failure = m_laneFailed.constBegin(); failure != m_laneFailed.constEnd(); ++failure) {
        if (!failed.contains(failure.key()) && secondsSince(failure.value()) >= 45.0) {
            cleared.append(failure.key());
        }
    }
    const QHash<MenuBarItemID, QString> unreachable =
        failed.isEmpty() ? QHash<MenuBarItemID, QString>() : this->unreachable();
    for (const MenuBarItemID &id : std::as_const(failed)) {
        // An item the user could not reach either keeps its lane; its failures are judged once
        // it can be reached.
        if (secondsSince(m_laneFailed.value(id)) < 45.0 || unreachable.contains(id)) {
            continue;
        }
        const auto item = std::find_if(items.cbegin(), items.cend(), [&id](const MenuBarItem &it) {
            return it.id == id && isOnTheBar(it);
        });
        // An application that did not answer is where it was before; judge it once it answers.
        if (context.unanswered.contains(item->pid)) {
            continue;
        }
        const std::optional<Section> wanted = m_storedLayout.sectionOf(id);
        if (!wanted) {
            cleared.append(id);
            continue;
        }
        const Section lane = DriftRules::laneOf(*item, context.hiddenSepX, context.alwaysSepX,
                                                context.separatorsOrdered);
        if (lane == *wanted) {
            cleared.append(id);
        } else if (m_laneFailedRuns.value(id) > 1) {
            retirements.append({id, lane});
        }
    }
    for (const MenuBarItemID &id : std::as_const(cleared)) {
        m_laneFailed.remove(id);
        m_laneFailedRuns.remove(id);
    }
    for (const Adoption &retirement : std::as_const(retirements)) {
        retire(retirement.id, retirement.lane);
    }

    QSet<QString> churning;
    for (const QJsonValue &entry : identityChurn()) {
        const QJsonValue bundleID = entry.toObject().value(u"bundleID"_s);
        if (bundleID.isString()) {
            churning.insert(bundleID.toString());
        }
    }
    const QList<Adoption> adopted =
        DriftRules::adoptions(items, m_storedLayout, churning, m_seenUnassigned, 2);
    // Taken in where it stands among the items the layout holds, so that the lane's order does
    // not differ from the bar's for a run to put right.
    const UserDrags::Lanes lanes =
        adopted.isEmpty() ? UserDrags::Lanes()
                          : UserDrags::read(items, context.hiddenSepX, context.alwaysSepX,
                                            context.separatorsOrdered, context.unanswered);
    for (const Adoption &adoption : adopted) {
        m_storedLayout = UserDrags::placedIn(m_storedLayout, adoption.id, adoption.lane,
                                             lanes.value(adoption.lane));
        appendReconcileLog({{u"kind"_s, u"adopt"_s},
                            {u"item"_s, adoption.id.bundleID},
                            {u"lane"_s, rawValue(adoption.lane)},
                            {u"reason"_s, u"never assigned; recorded where macOS put it"_s}});
    }

    if (retirements.isEmpty() && adopted.isEmpty()) {
        return;
    }
    for (MenuBarItem &item : items) {
        item.section = m_storedLayout.sectionOf(item.id).value_or(item.section);
        item.isUnmovable = m_unmovable.contains(item.id);
    }
    m_lastItems = items;
    reportLayout();
}

void ClassicEngine::followUpVerdict(const DriftVerdict &verdict, bool stable) {
    switch (verdict.kind) {
    case DriftVerdict::Kind::clean:
        m_nothingHiddenSince.reset();
        m_previousDrift.clear();
        return;
    case DriftVerdict::Kind::peeking:
    case DriftVerdict::Kind::nothingHidden: {
        m_previousDrift.clear();
        if (!stable) {
            return;
        }
        const QDateTime since = m_nothingHiddenSince.value_or(now());
        m_nothingHiddenSince = since;
        if (secondsSince(m_lastRetuck) <= 30.0 || m_hidingRefused) {
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

    m_nothingHiddenSince.reset();
    const bool qualifies =
        !hidingBlocked() && stable && m_reorderEnabled && secondsSince(m_lastDriftReconcile) > 45.0;
    if (!qualifies) {
        m_previousDrift.clear();
        return;
    }
    if (verdict.drifted != m_previousDrift) {
        // The same drift must be seen on a second qualifying scan.
        m_previousDrift = verdict.drifted;
        return;
    }
    m_lastDriftReconcile = now();
    const QString signature = DriftRules::driftSignature(verdict.drifted);
    // Nothing is revealed for a run that would find nothing it can reach to drag.
    if (m_fruitlessDrift.value(signature) < 3 && runHasWork()) {
        reconcileDetached(QPointer<ClassicEngine>(this), u"drift:"_s + signature);
    }
    m_previousDrift = verdict.drifted;
}

QCoro::Task<> ClassicEngine::retuckDetached(QPointer<ClassicEngine> self, bool forceReflow) {
    if (self) {
        co_await self->reapplyRevealState(u"nothing-hidden"_s, forceReflow);
    }
}

} // namespace zorv
