// What a drag can get at: the bar screen's own span, the camera housings, the front application's
// menus, a bar that is showing and applications that answer. Runs plan, count and retire only
// what the user could reach too.

#include "classicengine.h"

#include "reconcile/dragplanner.h"

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
    m_reach = std::move(reach);
}

QHash<MenuBarItemID, QString> ClassicEngine::unreachable() const {
    QHash<MenuBarItemID, QString> result;
    const std::optional<BarGeometry> geometry = currentBarGeometry();
    if (!geometry) {
        return result;
    }
    // Tucked items count where revealing would put them.
    const BarGeometry revealed = geometry->revealed(true, SeparatorController::collapsedLength);
    for (const ItemFrame &entry : revealed.frames) {
        if (entry.frame.width() > 0.0) {
            if (const std::optional<QString> why = m_reach.whyNot(entry.id, entry.frame)) {
                result.insert(entry.id, *why);
            }
        }
    }
    return result;
}

QJsonArray ClassicEngine::unreachableItems() const {
    const QHash<MenuBarItemID, QString> why = unreachable();
    QJsonArray items;
    for (const MenuBarItem &item : m_lastItems) {
        const auto found = why.constFind(item.id);
        if (found != why.constEnd() && DriftRules::isCounted(item) &&
            m_storedLayout.sectionOf(item.id)) {
            items.append(QJsonObject{{u"name"_s, item.appName}, {u"why"_s, *found}});
        }
    }
    return items;
}

bool ClassicEngine::alwaysHiddenNeedsArranging() const {
    const auto hidden = m_separatorController->hiddenSeparatorFrame();
    const auto always = m_separatorController->alwaysHiddenSeparatorFrame();
    if (!hidden || !always || !m_separatorController->separatorsAreOrdered()) {
        return true;
    }
    constexpr double tolerance = DriftRules::laneTolerance;
    // What even a full reveal would leave out of reach is no reason to reveal it.
    const QHash<MenuBarItemID, QString> outOfReach = unreachable();
    QHash<MenuBarItemID, double> inLane;
    for (const MenuBarItem &item : m_lastItems) {
        const std::optional<Section> wanted = m_storedLayout.sectionOf(item.id);
        if (!DriftRules::isCounted(item) || !wanted || outOfReach.contains(item.id)) {
            continue;
        }
        const double midX = m_lastFrames.value(item.id, item.frame).center().x();
        const bool wantedThere = *wanted == Section::alwaysHidden;
        if (wantedThere ? midX > always->left() + tolerance : midX < always->left() - tolerance) {
            return true;
        }
        if (wantedThere) {
            inLane.insert(item.id, midX);
        }
    }
    std::optional<double> previous;
    for (const MenuBarItemID &id : m_storedLayout.ids(Section::alwaysHidden)) {
        const auto midX = inLane.constFind(id);
        if (midX == inLane.constEnd()) {
            continue;
        }
        if (previous && *midX < *previous) {
            return true;
        }
        previous = *midX;
    }
    return false;
}

bool ClassicEngine::runHasWork() const {
    const std::optional<BarGeometry> geometry = currentBarGeometry();
    if (!geometry) {
        return false;
    }
    DragPlanner::AttemptsLedger attempts;
    return DragPlanner::planNextDrag(
               geometry->revealed(alwaysHiddenNeedsArranging(),
                                  SeparatorController::collapsedLength),
               m_storedLayout, DragPlanner::stubbornSet(m_stubbornOrder, m_unmovable), attempts)
        .has_value();
}

} // namespace zorv
