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
                                std::optional<double> deskMenusRight,
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
    reach.deskMenusRight = deskMenusRight;
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
    for (const DragPlanner::Waiting &waiting :
         DragPlanner::waiting(revealed, m_wanted.storedLayout())) {
        if (waiting.laneOnly && !result.contains(waiting.id)) {
            result.insert(waiting.id, Reachability::laneOutOfReach);
        }
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

namespace {

// What stands in the way, for a reason a drag cannot reach a place for; none for a bar hiding
// itself, which shows again as soon as the pointer goes to it.
std::optional<UnplacedReason::Obstacle> obstacleFor(const QString &reason) {
    if (reason == Reachability::underMenus) {
        return UnplacedReason::Obstacle::menus;
    }
    if (reason == Reachability::underHousing) {
        return UnplacedReason::Obstacle::cameraHousing;
    }
    if (reason == Reachability::offScreen) {
        return UnplacedReason::Obstacle::screenEdge;
    }
    if (reason == Reachability::notAnswering) {
        return UnplacedReason::Obstacle::notAnswering;
    }
    return std::nullopt;
}

} // namespace

QHash<MenuBarItemID, UnplacedReason> ClassicEngine::laneBeyondReach() const {
    const std::optional<BarGeometry> revealed = revealedGeometry();
    return revealed ? laneBeyondReachIn(*revealed) : QHash<MenuBarItemID, UnplacedReason>();
}

QHash<MenuBarItemID, UnplacedReason>
ClassicEngine::laneBeyondReachIn(const BarGeometry &revealed) const {
    QHash<MenuBarItemID, UnplacedReason> beyond;
    for (const DragPlanner::Waiting &waiting :
         DragPlanner::waiting(revealed, m_wanted.storedLayout())) {
        if (const auto obstacle = obstacleFor(waiting.cover)) {
            beyond.insert(waiting.id,
                          UnplacedReason{*obstacle, waiting.laneOnly, waiting.hiddenForNow,
                                         waiting.finderWouldClear});
        }
    }
    return beyond;
}

void ClassicEngine::markLanesBeyondReach(QList<MenuBarItem> &items) {
    QHash<MenuBarItemID, WaitingReasons::Judged> judged;
    if (const std::optional<BarGeometry> revealed = revealedGeometry()) {
        const SectionIndex sections(m_wanted.storedLayout());
        const QHash<MenuBarItemID, UnplacedReason> beyond = laneBeyondReachIn(*revealed);
        for (auto it = beyond.cbegin(); it != beyond.cend(); ++it) {
            const QRectF *frame = revealed->frameOf(it.key());
            const std::optional<Section> wanted = sections.sectionOf(it.key());
            if (!frame || !wanted) {
                continue;
            }
            judged.insert(it.key(),
                          {*it,
                           {*wanted, frame->center().x(), revealed->hiddenSep.left(),
                            revealed->alwaysSep ? std::optional(revealed->alwaysSep->left())
                                                : std::nullopt}});
        }
    }
    const QHash<MenuBarItemID, UnplacedReason> published =
        m_waitingReasons.hold(std::move(judged), m_bar.reach());
    for (MenuBarItem &item : items) {
        const auto why = published.constFind(item.id);
        item.unplacedBecause =
            why == published.cend() ? std::nullopt : std::optional<UnplacedReason>(*why);
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
