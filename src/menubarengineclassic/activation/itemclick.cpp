#include "itemclick.h"

#include "accessibility.h"
#include "clock.h"
#include "discovery/ax.h"
#include "drag/owneventlog.h"
#include "eventsource.h"
#include "inputevents.h"
#include "reconcile/reachability.h"
#include "screens.h"
#include "workspace.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr auto kWarpSettle = std::chrono::microseconds(60000);
constexpr auto kHeld = std::chrono::microseconds(90000);

enum class Standing { there, elsewhere, underMenus, menusUnread };

// How far the menus of the application in front reach, as read at one moment.
struct FrontMenus {
    std::optional<qint32> processId;
    std::optional<double> right;
    bool answered = true;
};

FrontMenus frontMenus(const AX &ax, const Workspace &workspace) {
    FrontMenus menus;
    if (const std::optional<RunningApplication> front = workspace.frontmostApplication()) {
        menus.processId = front->processId;
        menus.right = ax.menusRight(front->processId, &menus.answered);
    }
    return menus;
}

// How far apart two edges may lie and still be one.
constexpr double kSameEdge = 1.0;

bool sameFrame(const QRectF &a, const QRectF &b) {
    return std::abs(a.left() - b.left()) < kSameEdge && std::abs(a.width() - b.width()) < kSameEdge;
}

// An element and its frame as read.
struct Found {
    AXElement element;
    QRectF frame;
};

// The element whose frame holds the point; the null element when none does. A bar the system
// hides lies above the screen's top edge, out of the click's way.
Found elementAt(const AX &ax, QPointF point, const QList<AXElement> &elements) {
    for (const AXElement element : elements) {
        const QRectF frame = ax.frame(element);
        if (frame.width() > 0.0 && frame.left() <= point.x() && point.x() < frame.right() &&
            frame.top() <= point.y() && point.y() < frame.bottom()) {
            return {element, frame};
        }
    }
    return {};
}

// Whether the item stands at the point, carrying the identifier when there is one, and drawn:
// an item the front application's menus reach into, or whose middle a camera housing hides, is
// not drawn, and takes no click. Before the press (`asRead`) an item without an identifier must
// also stand where the bar was read: another of its application's items may have taken its
// place. A hung application in front still has its menus drawn, but cannot say how far they
// reach. `found` is what stands at the point (elementAt()).
Standing standing(const AX &ax, const FrontMenus &menus, const ItemClick::Target &target,
                  const Found &found, bool asRead) {
    if (found.element.isNull()) {
        return Standing::elsewhere;
    }
    const QRectF frame = found.frame;
    if (target.identifier ? ax.identifier(found.element) != target.identifier
                          : asRead && !sameFrame(frame, target.frame)) {
        return Standing::elsewhere;
    }
    // Hidden as if it stood elsewhere: a click there reaches nothing.
    if (Reachability::inHousing(frame.center().x(), target.housings)) {
        return Standing::elsewhere;
    }
    if (!menus.answered) {
        return Standing::menusUnread;
    }
    return menus.right && frame.left() < *menus.right ? Standing::underMenus : Standing::there;
}

// Whether the user pressed or released either button after `since`. The idle timers keep each
// type's latest event, the engine's own among them; its mark tells them apart.
bool userClickedSince(const OwnEventLog &own, const InputEvents &input, const Clock &clock,
                      MonotonicTime since) {
    static constexpr std::array buttonEvents{EventType::LeftMouseDown, EventType::LeftMouseUp,
                                             EventType::RightMouseDown, EventType::RightMouseUp};
    const double elapsed = toSeconds(clock.now() - since);
    return std::any_of(buttonEvents.cbegin(), buttonEvents.cend(), [&](EventType type) {
        return own.secondsSinceForeign(input, clock, type) < elapsed;
    });
}

// The click's point on the bar of the main screen, when the bar moved there from the screen clicked
// during the click: each screen lays the bar out from its right end, and the one clicked keeps its
// items where the press found them. None when the bar stayed, or the screen clicked went.
std::optional<QPointF> samePlaceOnTheMainScreen(const Screens &screens, QPointF point) {
    const QList<Screen> all = screens.screens();
    const std::optional<Screen> main = screens.mainScreen();
    if (all.isEmpty() || !main) {
        return std::nullopt;
    }
    // Points use the top-left convention, measured from the primary screen's top edge.
    const double primaryTop = all.first().frame.bottom();
    const auto topLeft = [primaryTop](const QRectF &frame) {
        return QRectF(frame.left(), primaryTop - frame.bottom(), frame.width(), frame.height());
    };
    const auto clicked = std::find_if(all.cbegin(), all.cend(), [&](const Screen &screen) {
        return topLeft(screen.frame).contains(point);
    });
    if (clicked == all.cend() || clicked->displayId == main->displayId) {
        return std::nullopt;
    }
    const QRectF from = topLeft(clicked->frame);
    const QRectF to = topLeft(main->frame);
    return point + QPointF(to.right() - from.right(), to.top() - from.top());
}

bool stillRunning(const Workspace &workspace, qint32 processId) {
    const QList<RunningApplication> running = workspace.runningApplications();
    return std::any_of(running.cbegin(), running.cend(), [processId](const auto &application) {
        return application.processId == processId;
    });
}

} // namespace

ItemClick::Outcome ItemClick::post(InputEvents &input, Clock &clock, OwnEventLog &own,
                                   Accessibility &accessibility, const Workspace &workspace,
                                   const Screens &screens, const Target &target, ClickKind click) {
    const std::unique_ptr<EventSource> source =
        input.createEventSource(EventSourceState::CombinedSession);
    if (!source) {
        return Outcome::notPosted;
    }
    input.warpCursor(target.point);
    const MonotonicTime warpedAt = clock.now();
    clock.blockingSleep(kWarpSettle);
    // Without the permission no element answers: nothing says where the item stands.
    if (!accessibility.isProcessTrusted()) {
        return Outcome::notPermitted;
    }
    const AX ax(accessibility);
    bool answered = true;
    const QList<AXElement> elements = ax.extrasItems(target.processId, &answered);
    if (!answered) {
        return Outcome::notAnswering;
    }
    const FrontMenus menusBefore = frontMenus(ax, workspace);
    // Menus that came to the front cover it as much as a move does: the bar is read again.
    const Found item = elementAt(ax, target.point, elements);
    switch (standing(ax, menusBefore, target, item, true)) {
    case Standing::there:
        break;
    case Standing::menusUnread:
        return Outcome::frontNotAnswering;
    case Standing::elsewhere:
        return stillRunning(workspace, target.processId) ? Outcome::moved : Outcome::gone;
    case Standing::underMenus:
        return Outcome::moved;
    }

    // The item's menu may have opened since the engine looked, by the user's click on the item
    // just brought into sight or by its own application: the press would close it. Read before
    // the look at the user's clicks, so that one made during the read still counts as theirs.
    const bool menuOpen = ax.value<bool>(item.element, u"AXSelected"_s).value_or(false);
    if (userClickedSince(own, input, clock, warpedAt)) {
        return Outcome::cutIn;
    }
    if (menuOpen) {
        return Outcome::menuOpen;
    }

    const bool right = click == ClickKind::right;
    const EventType down = right ? EventType::RightMouseDown : EventType::LeftMouseDown;
    const EventType up = right ? EventType::RightMouseUp : EventType::LeftMouseUp;
    MouseEvent event;
    event.location = target.point;
    event.button = right ? MouseButton::Right : MouseButton::Left;
    event.flags = click == ClickKind::option ? EventFlags::option : EventFlags::none;
    event.clickState = 1;
    event.type = down;
    if (!own.post(*source, input, clock, event)) {
        return Outcome::notPosted;
    }
    clock.blockingSleep(kHeld);
    // Either button of the user's pressed or released since the warp: the item may have taken
    // that click, or lost the engine's press to it.
    const bool cutIn = userClickedSince(own, input, clock, warpedAt);
    event.type = up;
    // Released in any case, so that no press of the engine's is left down.
    const bool released = own.post(*source, input, clock, event);
    if (cutIn) {
        return Outcome::cutIn;
    }
    if (!released) {
        return Outcome::notPosted;
    }
    // The window server drops the events of a process the permission was taken from, without a
    // word; and a click lands only on the item it was pressed on, which the bar may have moved
    // away meanwhile (a title grew, the bar was tucked), or menus come to the front covered.
    if (!accessibility.isProcessTrusted()) {
        return Outcome::permissionWent;
    }
    if (!stillRunning(workspace, target.processId)) {
        return Outcome::gone;
    }
    const QList<AXElement> after = ax.extrasItems(target.processId, &answered);
    // Pressed where it stood, the item has the click; an owner that hangs moves none of its
    // items, and answers the click once it is back.
    if (!answered) {
        return Outcome::clicked;
    }
    FrontMenus menusAfter = frontMenus(ax, workspace);
    // A hung application in front changes none of its menus: those read before the press still
    // stand.
    if (!menusAfter.answered && menusAfter.processId == menusBefore.processId) {
        menusAfter = menusBefore;
    }
    switch (standing(ax, menusAfter, target, elementAt(ax, target.point, after), false)) {
    case Standing::there:
        return Outcome::clicked;
    case Standing::underMenus:
        return Outcome::coveredDuringClick;
    case Standing::menusUnread:
        return Outcome::frontNotAnsweringDuringClick;
    case Standing::elsewhere:
        break;
    }
    // Where the bar went, the item stands as it did where it was pressed: the press found it
    // drawn there, and its menu opens on the bar's new screen.
    if (const std::optional<QPointF> moved = samePlaceOnTheMainScreen(screens, target.point)) {
        const Target there{target.processId, target.identifier, *moved, {}, {}};
        if (standing(ax, menusAfter, there, elementAt(ax, there.point, after), false) ==
            Standing::there) {
            return Outcome::clicked;
        }
    }
    return Outcome::movedDuringClick;
}

QString ItemClick::describe(Outcome outcome) {
    switch (outcome) {
    case Outcome::clicked:
        return u"clicked"_s;
    case Outcome::moved:
        return u"moved before the click"_s;
    case Outcome::notAnswering:
        return u"not answering"_s;
    case Outcome::notPermitted:
        return u"no permission"_s;
    case Outcome::gone:
        return u"item gone"_s;
    case Outcome::notPosted:
        return u"click not posted"_s;
    case Outcome::permissionWent:
        return u"the Accessibility permission went during the click"_s;
    case Outcome::movedDuringClick:
        return u"moved during the click"_s;
    case Outcome::coveredDuringClick:
        return u"covered by the menus of the application in front during the click"_s;
    case Outcome::frontNotAnswering:
        return u"the application in front not answering, its menus may cover it"_s;
    case Outcome::frontNotAnsweringDuringClick:
        return u"the application in front not answering during the click"_s;
    case Outcome::menuOpen:
        return u"its menu was open already"_s;
    case Outcome::cutIn:
        break;
    }
    return u"the user's click came between"_s;
}

} // namespace zorv
