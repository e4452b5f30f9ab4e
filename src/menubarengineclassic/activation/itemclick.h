#pragma once

#include "clickkind.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <utility>

namespace zorv {

class Accessibility;
class Clock;
class InputEvents;
class OwnEventLog;
class Screens;
class Workspace;

// Clicks another application's status item where it stands on the bar, as the user would. Right
// before the press it looks through the item's accessibility element whether the item still
// stands at the point, drawn, and, where it has no identifier, with the frame read: the user's
// hands, a run or the item's own application may have moved the bar since the scan the point came
// from, and the click would open whatever stands there now, another item of the same application
// included. It looks too whether the item's menu opened meanwhile: a press would close it, so the
// item is left as it is. A press or release of either button of the user's between the cursor's
// warp and the click's release cuts it in: the user's click may have opened the item's menu,
// which the press would close (the press is then not made), or the item may have received
// nothing; so may it when the permission went, its application quit or the item moved before the
// release, which is looked at once more after it. How far the menus of a hung application in
// front reach cannot be read, so neither can whether a click on the item lands; but a hung
// application changes none of its menus or items while it hangs, so one that stops answering
// during the click leaves standing what was read before the press. A bar that moves to another
// display during the click leaves the item pressed on the display clicked, which keeps it where
// it stood: the click counts as made. Each call blocks between its events and asks another
// process: call it from a worker thread. Stateless, but one click at a time: two at once press
// one item and release over the other.
class ItemClick {
public:
    enum class Outcome {
        clicked,
        moved,
        notAnswering,
        notPermitted,
        gone,
        notPosted,
        cutIn,
        permissionWent,
        movedDuringClick,
        coveredDuringClick,
        frontNotAnswering,
        frontNotAnsweringDuringClick,
        menuOpen
    };

    struct Target {
        qint32 processId = 0;
        std::optional<QString> identifier;
        QPointF point;
        // The item's frame as the bar was read: without an identifier, what tells it from its
        // application's other items before the press.
        QRectF frame;
        // Spans of x the camera housings cover: an item whose middle they hide takes no click.
        QList<std::pair<double, double>> housings;
    };

    // The press and release are posted through `own`, which marks them as the engine's.
    [[nodiscard]] static Outcome post(InputEvents &input, Clock &clock, OwnEventLog &own,
                                      Accessibility &accessibility, const Workspace &workspace,
                                      const Screens &screens, const Target &target,
                                      ClickKind click);

    // The outcome as the activation record names it.
    [[nodiscard]] static QString describe(Outcome outcome);
};

} // namespace zorv
