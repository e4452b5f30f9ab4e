#include "input/inputdispatch.h"

#include "input/itemmenu.h"
#include "layout/barview.h"
#include "layout/itemorder.h"

#include <algorithm>

namespace zorv {

namespace {

constexpr quint16 rightCommandKey = 54;

std::optional<PressedItem> &slotFor(DesktopState &state, MouseButton button) {
    return button == MouseButton::Right ? state.input.right : state.input.left;
}

// The window server takes posted events only from processes trusted for Accessibility; it
// discards the others without telling the poster.
bool discarded(const DesktopState &state, EventOrigin origin) {
    return origin == EventOrigin::Synthetic && !state.accessibilityTrusted;
}

} // namespace

bool InputDispatch::mouse(DesktopState &state, const MouseEvent &event, EventOrigin origin,
                          std::chrono::nanoseconds now, ModelEffects &effects) {
    if (discarded(state, origin)) {
        state.log({now, origin, event.type, event.location, event.button, event.flags,
                   event.clickState, 0, QPointF(), true});
        return false;
    }
    // A detached cursor ignores the user's mouse: the user's events happen where it stands.
    QPointF location = event.location;
    if (origin == EventOrigin::User && !state.input.mouseAssociated) {
        location = state.input.cursor;
    }
    state.input.cursor = location;
    state.input.lastEventAt[static_cast<int>(event.type)] = now;
    state.log({now, origin, event.type, location, event.button, event.flags, event.clickState, 0,
               QPointF()});
    trackAutoHide(state, location, now, effects);
    // This application's open menu takes the user's presses (one outside it closes it): nothing
    // under them is pressed.
    const bool toMenu = origin == EventOrigin::User && state.input.menuOpen;

    switch (event.type) {
    case EventType::LeftMouseDown:
    case EventType::RightMouseDown:
    case EventType::OtherMouseDown: {
        const MouseButton button =
            event.type == EventType::RightMouseDown ? MouseButton::Right : MouseButton::Left;
        if (ItemMenu::takesPress(state, location, event.flags, now)) {
            slotFor(state, button).reset();
            return true;
        }
        if (!toMenu && event.type != EventType::OtherMouseDown) {
            press(state, button,
                  {event.type, location, event.button, event.flags, event.clickState}, origin,
                  now);
        }
        break;
    }
    case EventType::LeftMouseDragged:
        if (auto &pressed = state.input.left;
            pressed && !pressed->firstMoveAt && location != pressed->downLocation) {
            pressed->firstMoveAt = now;
        }
        break;
    case EventType::LeftMouseUp:
    case EventType::RightMouseUp:
    case EventType::OtherMouseUp:
        if (ItemMenu::takesRelease(state, location, now)) {
            return true;
        }
        if (event.type != EventType::OtherMouseUp) {
            release(state,
                    event.type == EventType::RightMouseUp ? MouseButton::Right : MouseButton::Left,
                    location, now, effects);
        }
        break;
    default:
        break;
    }
    return false;
}

bool InputDispatch::key(DesktopState &state, const KeyEvent &event, EventOrigin origin,
                        std::chrono::nanoseconds now, ModelEffects &effects) {
    const EventType type = event.keyDown ? EventType::KeyDown : EventType::KeyUp;
    if (discarded(state, origin)) {
        state.log({now, origin, type, state.input.cursor, MouseButton::Left, event.flags, 0,
                   event.keyCode, QPointF(), true});
        return false;
    }
    if (event.keyDown) {
        state.input.keysDown.insert(event.keyCode);
    } else {
        state.input.keysDown.remove(event.keyCode);
    }
    state.input.lastEventAt[static_cast<int>(type)] = now;
    state.log({now, origin, type, state.input.cursor, MouseButton::Left, event.flags, 0,
               event.keyCode, QPointF()});
    if (event.keyDown && ItemMenu::takesKey(state, event.keyCode, now)) {
        return true;
    }
    deliverKey(state, event, now, effects);
    return false;
}

void InputDispatch::deliverKey(DesktopState &state, const KeyEvent &event,
                               std::chrono::nanoseconds now, ModelEffects &effects) {
    KeyDelivery delivery{now, event.keyCode, event.flags, 0, false, {}};
    const quint32 modifiers = HotKeys::modifiersFor(event.flags);
    const auto held = std::ranges::find_if(state.hotKeys, [&](const HotKeyRecord &hotKey) {
        return hotKey.keyCode == event.keyCode && hotKey.modifiers == modifiers;
    });
    if (held != state.hotKeys.end()) {
        // The holder sees the press; the release of a hot key reaches nobody.
        if (!event.keyDown) {
            return;
        }
        delivery.processId = held->ownerProcessId;
        delivery.hotKey = true;
        delivery.hotKeyId = held->id;
        state.recordKeyDelivery(delivery);
        if (held->ownerProcessId == state.currentProcessId) {
            effects.hotKeyPresses.append(held->id);
        }
        return;
    }
    delivery.processId = state.frontmostProcessId.value_or(0);
    state.recordKeyDelivery(delivery);
    if (delivery.processId != 0 && delivery.processId == state.currentProcessId) {
        effects.keysForCurrentProcess.append(event);
    }
}

void InputDispatch::scroll(DesktopState &state, QPointF delta, quint64 flags, EventOrigin origin,
                           std::chrono::nanoseconds now) {
    state.input.lastEventAt[static_cast<int>(EventType::ScrollWheel)] = now;
    state.log({now, origin, EventType::ScrollWheel, state.input.cursor, MouseButton::Left, flags, 0,
               0, delta});
}

void InputDispatch::warp(DesktopState &state, QPointF location, std::chrono::nanoseconds now,
                         ModelEffects &effects) {
    state.input.cursor = location;
    ++state.input.warps;
    trackAutoHide(state, location, now, effects);
}

void InputDispatch::trackAutoHide(DesktopState &state, QPointF location,
                                  std::chrono::nanoseconds now, ModelEffects &effects) {
    const BarView view(state, now);
    for (const ScreenRecord &screen : state.screens) {
        if (!screen.autoHidesMenuBar) {
            continue;
        }
        const bool wasShown = view.barShown(screen);
        const QRectF frame = view.topLeft(screen.frame);
        const bool onScreen = view.screenAt(location) == &screen;
        const bool atTopEdge = onScreen && location.y() - frame.top() <= BarView::topEdgeSlack;
        const bool inBar = onScreen && location.y() < frame.top() + screen.menuBarHeight;
        AutoHideState &autoHide = state.input.autoHide[screen.displayId];
        if (atTopEdge) {
            if (!autoHide.restingSince) {
                autoHide.restingSince = now;
                effects.barChangeAfter = BarView::autoHideRevealDelay;
            }
            autoHide.heldOpen = wasShown;
        } else if (inBar && wasShown) {
            autoHide.heldOpen = true;
            autoHide.restingSince.reset();
        } else {
            effects.barChanged = effects.barChanged || wasShown;
            autoHide = AutoHideState{};
        }
    }
}

void InputDispatch::press(DesktopState &state, MouseButton button, const MouseEvent &event,
                          EventOrigin origin, std::chrono::nanoseconds now) {
    std::optional<PressedItem> &slot = slotFor(state, button);
    slot.reset();
    const auto hit = BarView(state, now).hit(event.location);
    if (!hit) {
        return;
    }
    const ItemRecord *item = state.item(hit->itemId);
    const AppRecord *owner = item ? state.app(item->ownerProcessId) : nullptr;
    if (!owner || owner->hung) {
        return;
    }
    PressedItem pressed;
    pressed.itemId = hit->itemId;
    pressed.origin = origin;
    pressed.downAt = now;
    pressed.downLocation = event.location;
    pressed.downFlags = event.flags;
    pressed.commandKeyHeld = state.input.keysDown.contains(KeyCode::command) ||
                             state.input.keysDown.contains(rightCommandKey);
    const bool grabs = button == MouseButton::Left && (event.flags & EventFlags::command) &&
                       !item->immovable && owner->dragAcceptance != DragAcceptance::Never;
    pressed.kind = grabs ? PressedItem::Kind::Drag : PressedItem::Kind::Click;
    slot = pressed;
}

void InputDispatch::release(DesktopState &state, MouseButton button, QPointF location,
                            std::chrono::nanoseconds now, ModelEffects &effects) {
    std::optional<PressedItem> &slot = slotFor(state, button);
    if (!slot) {
        return;
    }
    const PressedItem pressed = *slot;
    slot.reset();
    if (pressed.kind == PressedItem::Kind::Drag) {
        drop(state, pressed, location, now, effects);
        return;
    }
    const auto hit = BarView(state, now).hit(location);
    const ItemRecord *item = state.item(pressed.itemId);
    if (!hit || hit->itemId != pressed.itemId || !item) {
        return;
    }
    DeliveredClick click;
    click.itemId = pressed.itemId;
    click.ownerProcessId = item->ownerProcessId;
    click.kind = button == MouseButton::Right               ? ItemClickKind::Right
                 : (pressed.downFlags & EventFlags::option) ? ItemClickKind::Option
                                                            : ItemClickKind::Left;
    click.button = button;
    click.modifierFlags = pressed.downFlags;
    click.at = now;
    click.origin = pressed.origin;
    click.displayId = hit->displayId;
    click.menuAt = ItemMenu::origin(state, pressed.itemId, now).value_or(location);
    ItemMenu::deliver(state, click, now, effects);
}

void InputDispatch::drop(DesktopState &state, const PressedItem &pressed, QPointF location,
                         std::chrono::nanoseconds now, ModelEffects &effects) {
    const ItemRecord *item = state.item(pressed.itemId);
    const AppRecord *owner = item ? state.app(item->ownerProcessId) : nullptr;
    if (!owner || owner->hung || !pressed.firstMoveAt) {
        return;
    }
    // Hands cannot post a mouse-up back to back with the mouse-down; only programs are held to
    // the timing.
    if (pressed.origin == EventOrigin::Synthetic) {
        if (now - pressed.downAt < minimumDragHold) {
            return;
        }
        if (owner->dragAcceptance == DragAcceptance::SlowGestureOnly &&
            (*pressed.firstMoveAt - pressed.downAt < slowGestureHold || !pressed.commandKeyHeld)) {
            return;
        }
    }
    const BarView view(state, now);
    const ScreenRecord *screen = view.barAt(location);
    const ScreenBar *bar = screen ? state.bar(screen->displayId) : nullptr;
    if (!bar) {
        return;
    }
    qsizetype index = 0;
    for (const LaidOutItem &other : bar->items) {
        const ItemRecord *otherItem = state.item(other.itemId);
        if (other.itemId != pressed.itemId && otherItem && !otherItem->immovable &&
            other.frame.center().x() < location.x()) {
            ++index;
        }
    }
    ItemOrder::moveToIndex(state, pressed.itemId, index);
    ItemOrder::remember(state, pressed.itemId);
    effects.layoutPass = true;
}

} // namespace zorv
