// What a drag can get at: the bar screen's own span, the camera housings, the front application's
// menus, a bar that is showing and applications that answer. Runs plan only what the user could
// reach too; an item whose lane no drag on this bar reaches keeps its lane and waits until one
// can.

#include "classicengine.h"

#include "reconcile/dragplanner.h"
#include "sectionindex.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

void ClassicEngine::updateReach(const ScanContext &context, std::optional<double> menusRight,
                                const QList<MenuBarItem> &kept) {
    const QList<Screen> screens = m_platform.screens.screens();
    Reachability reach;
    if (const std::optional<Screen> bar = m_separatorController->barScreen();
        bar && !screens.isEmpty()) {
        // Item frames use the top-left convention, measured from the primary screen's top edge.
        const double primaryTop = screens.first().frame.bottom();
        reach.barScreen = QRectF(bar->frame.left(), primaryTop - bar->frame.bottom(),
                                 bar->frame.width(), bar->frame.height());
        // Bottom-left convention: a hidden bar's windows rest on the screen's top edge.
        const std::optional<QRectF> separator = m_separatorController->hiddenSeparatorFrame();
        reach.barShowing = !separator || separator->top() < bar->frame.bottom() - 0.5;
    }
    reach.housings = context.notchGaps;
    reach.menusRight = menusRight;
    for (const MenuBarItem &item : kept) {
        reach.unanswered.insert(item.id);
    }
    m_bar.setReach(std::move(reach));
}

std::optional<BarGeometry> ClassicEngine::revealedGeometry() const {
    const std::optional<BarGeometry> geometry = currentBarGeometry();
    if (!geometry) {
        return std::nullopt;
    }
    // Tucked items count where revealing would put them.
    return geometry->revealed(true, SeparatorController::collapsedLength);
}

QHash<MenuBarItemID, QString> ClassicEngine::unreachable() const {
    const std::optional<BarGeometry> revealed = revealedGeometry();
    return revealed ? unreachableIn(*revealed) : QHash<MenuBarItemID, QString>();
}

QHash<MenuBarItemID, QString> ClassicEngine::unreachableIn(const BarGeometry &revealed) const {
    QHash<MenuBarItemID, QString> result;
    for (const ItemFrame &entry : revealed.frames) {
        if (entry.frame.width() > 0.0) {
            if (const std::optional<QString> why = m_bar.reach().whyNot(entry.id, entry.frame)) {
                result.insert(entry.id, *why);
            }
        }
    }
    // Reachable, but with nowhere in reach to drop them into their lane.
    for (const MenuBarItemID &id : DragPlanner::laneOutOfReach(revealed, m_wanted.storedLayout())) {
        result.insert(id, Reachability::laneOutOfReach);
    }
    return result;
}

QJsonArray ClassicEngine::unreachableItems() const {
    return m_bar.unreachableItems(unreachable(), m_wanted.storedLayout());
}

bool ClassicEngine::alwaysHiddenNeedsArranging() const {
    const auto hidden = m_separatorController->hiddenSeparatorFrame();
    const auto always = m_separatorController->alwaysHiddenSeparatorFrame();
    if (!hidden || !always || !m_separatorController->separatorsAreOrdered()) {
        return true;
    }
    // What even a full reveal would leave out of reach is no reason to reveal it.
    return m_bar.alwaysHiddenOutOfOrder(always->left(), m_wanted.storedLayout(), unreachable());
}

QHash<MenuBarItemID, QString> ClassicEngine::laneBeyondReach() const {
    QHash<MenuBarItemID, QString> beyond;
    const std::optional<BarGeometry> revealed = revealedGeometry();
    if (!revealed) {
        return beyond;
    }
    const QHash<MenuBarItemID, QString> why = unreachableIn(*revealed);
    const SectionIndex sections(m_wanted.storedLayout());
    for (const ItemFrame &entry : revealed->frames) {
        // Whatever keeps a drag from it (its application not answering, a hidden bar too) is
        // why it waits.
        const auto reason = why.constFind(entry.id);
        if (reason == why.cend()) {
            continue;
        }
        const std::optional<Section> wanted = sections.sectionOf(entry.id);
        if (wanted && BarGeometry::placedOnBar(&entry.frame, entry.id) &&
            DragPlanner::outOfLane(*revealed, *wanted, entry.frame.center().x())) {
            beyond.insert(entry.id, *reason);
        }
    }
    return beyond;
}

void ClassicEngine::markLanesBeyondReach(QList<MenuBarItem> &items) const {
    const QHash<MenuBarItemID, QString> beyond = laneBeyondReach();
    for (MenuBarItem &item : items) {
        const auto why = beyond.constFind(item.id);
        item.unplacedBecause = why == beyond.cend() ? std::nullopt : std::optional<QString>(*why);
    }
}

bool ClassicEngine::runHasWork() const {
    const std::optional<BarGeometry> geometry = currentBarGeometry();
    if (!geometry) {
        return false;
    }
    // Items no drag can get at wait for what a drag can reach to change: only then does the
    // planner find them a drag.
    DragPlanner::AttemptsLedger attempts = runLedger();
    return DragPlanner::planNextDrag(geometry->revealed(alwaysHiddenNeedsArranging(),
                                                        SeparatorController::collapsedLength),
                                     m_wanted.storedLayout(), m_records.stubbornSet(), attempts)
        .has_value();
}

} // namespace zorv
