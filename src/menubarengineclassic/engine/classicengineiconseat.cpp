// Bringing the engine's icon back in sight where no reveal does: it is created again alone in the
// rightmost slot of the movable items, where the front application's menus and the camera housing
// reach last. Nothing else moves, so no item changes lane, and it waits for neither a drag's
// outcome nor a reading of the bar: it is quick, and works without the Accessibility permission
// too.

#include "classicengine.h"

#include "separators/barrightend.h"

using namespace Qt::StringLiterals;

namespace zorv {

QCoro::Task<bool> ClassicEngine::seatIconInSight() {
    QPointer<ClassicEngine> self(this);
    // A run's drag would land elsewhere with every item left of the new icon moved over: the seat
    // waits for its mouse-up, a fraction of a second away. Only a batch of drags takes longer.
    co_await untilDragGestureEnds();
    if (!self) {
        co_return false;
    }
    // The grant's placement creates the icon anew itself; once it has, a move of the icon after
    // it is the seat's to mend, though the placement goes on waiting for the bar to settle.
    if (m_runs.dragUnderWay() || grantPlacementAhead() || !iconSeatWouldShow()) {
        co_return false;
    }
    recreateIconAtRightEnd();
    // The watchdog goes on looking meanwhile: with a separator off screen, as on a bar too
    // crowded to show both lanes, the bar takes seconds to read as laid out, and the system may
    // move the icon away again before then.
    auto settle = [self](CancellationToken token) {
        return settleAroundSeatedIcon(self, std::move(token));
    };
    m_iconSeatSettle.start(std::move(settle));
    co_return true;
}

QCoro::Task<> ClassicEngine::settleAroundSeatedIcon(QPointer<ClassicEngine> self,
                                                    CancellationToken token) {
    if (!self) {
        co_return;
    }
    // A run in flight reads the bar afresh before its next drag, and tucks when it ends.
    co_await self->reapplyRevealState(u"icon-seated"_s, false);
    if (!self || token.isCancelled() || !self->canSeatItems()) {
        co_return;
    }
    // The separators go where the lanes meet on the bar as it now stands, if they stand elsewhere.
    co_await self->refresh();
    if (self && !token.isCancelled() && self->canSeatItems() && !self->grantPlacementAhead() &&
        self->seatItemsBetweenLanes(IconSeat::toRightEnd)) {
        co_await self->reapplyRevealState(u"icon-seated"_s, false);
    }
}

bool ClassicEngine::iconSeatWouldShow() const {
    // Without the permission nothing tells whether the slot is in view, but none is more so.
    return !m_separatorController->iconHidden() &&
           (m_bar.trusted() != true || rightmostSlotInView());
}

bool ClassicEngine::rightmostSlotInView() const {
    const std::optional<RightmostSlot> slot = rightmostSlot();
    if (!slot) {
        return false;
    }
    const std::optional<double> menusRight = m_bar.reach().menusRight;
    const auto &housing = slot->housing;
    return slot->left >= slot->screen.left() && slot->right <= slot->screen.right() &&
           !(menusRight && slot->left < *menusRight) &&
           !(housing && housing->first < slot->right && slot->left < housing->second);
}

bool ClassicEngine::iconInRightmostSlot() const {
    const std::optional<QRectF> icon = iconFrame();
    const std::optional<RightmostSlot> slot = rightmostSlot();
    // On another display than the scan read, the slot is not known.
    if (!icon || !slot ||
        !slot->screen.contains(QPointF(icon->center().x(), slot->screen.center().y()))) {
        return m_separatorController->iconIsSafelyRightmost();
    }
    // The next slot to the left is a whole item away.
    return icon->right() >= slot->right - (slot->right - slot->left) / 2.0;
}

std::optional<ClassicEngine::RightmostSlot> ClassicEngine::rightmostSlot() const {
    // An application that did not answer keeps the frames of an earlier scan, which may be those
    // of another display.
    const QSet<MenuBarItemID> &unanswered = m_bar.reach().unanswered;
    QList<DiscoveredItem> items;
    for (const MenuBarItem &item : m_bar.lastItems()) {
        if (isOnTheBar(item) && !unanswered.contains(item.id)) {
            items.append({item.id.bundleID, item.appName, item.pid, item.id.axIdentifier,
                          item.id.title, item.frame, 0});
        }
    }
    const std::optional<BarRightEnd> end = BarRightEnd::of(items, m_platform.screens.screens());
    if (!end) {
        return std::nullopt;
    }
    // The system's own items at the right end stand still whatever moves left of them: the slot
    // is just left of them, though the last scan may have seen the icon itself there.
    const qsizetype next = end->rightmost + 1;
    const bool systemItemNext =
        next < end->items.size() && BarRightEnd::isFixed(end->items.at(next));
    const double right = systemItemNext ? end->items.at(next).frame.left() - end->typicalGap
                                        : end->items.at(end->rightmost).frame.right();
    return RightmostSlot{right - m_platform.statusBar.thickness(), right, end->bounds,
                         end->housing};
}

void ClassicEngine::recreateIconAtRightEnd() {
    m_platform.appPreferences.setValue(
        AppPreferences::preferredPositionKey(SeparatorController::iconName), 0.0);
    const QJsonObject before = m_separatorController->geometry();
    m_separatorController->recreateIcon();
    if (m_onIconReplaced) {
        m_onIconReplaced(m_separatorController->icon().button());
    }
    appendEvent({{u"kind"_s, u"icon-seated"_s}, {u"geometry"_s, before}});
}

} // namespace zorv
