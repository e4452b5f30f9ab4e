#include "state/waitingreasons.h"

#include "statetest.h"

#include <gtest/gtest.h>

namespace zorv::testing {
namespace {

using Obstacle = UnplacedReason::Obstacle;

const UnplacedReason laneUnderMenus{Obstacle::menus, true, true};
const UnplacedReason laneOffScreen{Obstacle::screenEdge, true, true};
const UnplacedReason hung{Obstacle::notAnswering};

// One publish: the item's reason (none: free to move), where it was judged and under what.
struct Look {
    std::optional<UnplacedReason> reason;
    double shift = 0.0;
    double separatorShift = 0.0;
    Section wanted = Section::alwaysHidden;
    std::optional<double> menusRight = 420.0;
    std::optional<double> deskMenusRight = 420.0;
};

struct HoldCase {
    const char *name;
    QList<Look> looks;
    std::optional<UnplacedReason> published;
};

// Every look judged the bar as it is; the reason published after the last one is held only
// while the bar moved by a few points under the same menus, lanes and answering applications.
TEST(WaitingReasons, HoldsAReasonWhileTheBarOnlyShiftsAFewPoints) {
    const HoldCase cases[] = {
        {"the clock's width", {{laneUnderMenus}, {laneOffScreen, -3.0, -3.0}}, laneUnderMenus},
        {"further in all than a few points",
         {{laneUnderMenus}, {laneOffScreen, 8.0, 8.0}, {laneOffScreen, 16.0, 16.0}},
         laneOffScreen},
        {"the separators moved", {{laneUnderMenus}, {laneOffScreen, 0.0, 40.0}}, laneOffScreen},
        {"other menus in front",
         {{laneUnderMenus}, {laneOffScreen, 0.0, 0.0, Section::alwaysHidden, 380.0}},
         laneOffScreen},
        {"Finder's menus changed",
         {{laneUnderMenus}, {laneOffScreen, 0.0, 0.0, Section::alwaysHidden, 420.0, 300.0}},
         laneOffScreen},
        {"another lane wanted",
         {{laneUnderMenus}, {laneOffScreen, 0.0, 0.0, Section::hidden}},
         laneOffScreen},
        {"its application stops answering", {{laneUnderMenus}, {hung, 3.0, 3.0}}, hung},
        {"its application answers again", {{hung}, {laneUnderMenus, 3.0, 3.0}}, laneUnderMenus},
        {"free to move", {{laneUnderMenus}, {std::nullopt, 3.0, 3.0}}, std::nullopt},
    };
    const MenuBarItemID id = stateId(u"a"_qs);
    for (const HoldCase &c : cases) {
        WaitingReasons reasons;
        QHash<MenuBarItemID, UnplacedReason> published;
        for (const Look &look : c.looks) {
            QHash<MenuBarItemID, WaitingReasons::Judged> judged;
            if (look.reason) {
                judged.insert(id, {*look.reason,
                                   {look.wanted, 200.0 + look.shift, 600.0 + look.separatorShift,
                                    300.0 + look.separatorShift}});
            }
            Reachability reach{QRectF(0, 0, 1512, 982), {{656.0, 856.0}}, look.menusRight, {}};
            reach.deskMenusRight = look.deskMenusRight;
            published = reasons.hold(std::move(judged), reach);
        }
        EXPECT_EQ(published.contains(id) ? std::optional(published.value(id)) : std::nullopt,
                  c.published)
            << c.name;
    }
}

} // namespace
} // namespace zorv::testing
