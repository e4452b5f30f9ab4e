#include "script/userinput.h"

#include "input/inputdispatch.h"
#include "input/keylayout.h"
#include "layout/barview.h"

#include <array>

namespace zorv {

namespace {

// A hand-made drag passes through a few points on its way.
constexpr int dragSteps = 5;

EventType downType(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return EventType::LeftMouseDown;
    case MouseButton::Right:
        return EventType::RightMouseDown;
    case MouseButton::Center:
        return EventType::OtherMouseDown;
    }
    return EventType::OtherMouseDown;
}

EventType upType(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return EventType::LeftMouseUp;
    case MouseButton::Right:
        return EventType::RightMouseUp;
    case MouseButton::Center:
        return EventType::OtherMouseUp;
    }
    return EventType::OtherMouseUp;
}

} // namespace

UserInput::UserInput(DesktopModel &model) : m_model(model) {}

void UserInput::tell(EventType type, quint16 keyCode, quint64 flags, QPointF scrollDelta,
                     bool toItemMenu) const {
    if (!m_listener) {
        return;
    }
    const QPointF cursor =
        m_model.read([](const DesktopState &state) { return state.input.cursor; });
    m_listener(type, cursor, keyCode, flags, scrollDelta, toItemMenu);
}

void UserInput::mouse(EventType type, QPointF location, MouseButton button, quint64 flags) {
    const auto now = m_model.clock().now();
    const bool toItemMenu = m_model.write([&](DesktopState &state, ModelEffects &effects) {
        const bool pressOrRelease = type != EventType::MouseMoved;
        return InputDispatch::mouse(state, {type, location, button, flags, pressOrRelease ? 1 : 0},
                                    EventOrigin::User, now, effects);
    });
    tell(type, 0, flags, {}, toItemMenu);
}

void UserInput::moveMouse(QPointF location) {
    mouse(EventType::MouseMoved, location, MouseButton::Left, EventFlags::none);
}

void UserInput::mouseDown(QPointF location, MouseButton button, quint64 flags) {
    mouse(downType(button), location, button, flags);
}

void UserInput::mouseDragged(QPointF location, quint64 flags) {
    mouse(EventType::LeftMouseDragged, location, MouseButton::Left, flags);
}

void UserInput::mouseUp(QPointF location, MouseButton button, quint64 flags) {
    mouse(upType(button), location, button, flags);
}

void UserInput::click(QPointF location, MouseButton button, quint64 flags) {
    mouseDown(location, button, flags);
    mouseUp(location, button, flags);
}

bool UserInput::chooseInItemMenu() {
    const std::optional<QRectF> menu =
        m_model.read([](const DesktopState &state) -> std::optional<QRectF> {
            const auto &open = state.itemMenus.open;
            return open ? std::optional(open->frame) : std::nullopt;
        });
    if (!menu) {
        return false;
    }
    click(menu->center());
    return true;
}

void UserInput::drag(QPointF from, QPointF to, quint64 flags) {
    mouseDown(from, MouseButton::Left, flags);
    for (int step = 1; step <= dragSteps; ++step) {
        mouseDragged(from + (to - from) * step / dragSteps, flags);
    }
    mouseUp(to, MouseButton::Left, flags);
}

void UserInput::keyDown(quint16 keyCode, quint64 flags) {
    const auto now = m_model.clock().now();
    const bool toItemMenu = m_model.write([&](DesktopState &state, ModelEffects &effects) {
        return InputDispatch::key(state, {keyCode, true, flags}, EventOrigin::User, now, effects);
    });
    tell(EventType::KeyDown, keyCode, flags, {}, toItemMenu);
}

void UserInput::keyUp(quint16 keyCode, quint64 flags) {
    const auto now = m_model.clock().now();
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        InputDispatch::key(state, {keyCode, false, flags}, EventOrigin::User, now, effects);
    });
    tell(EventType::KeyUp, keyCode, flags);
}

void UserInput::pressKey(quint16 keyCode, quint64 flags) {
    keyDown(keyCode, flags);
    keyUp(keyCode, flags);
}

void UserInput::pressKeyHolding(quint16 keyCode, quint64 flags) {
    holding(flags, [&](quint64 held) { pressKey(keyCode, held); });
}

void UserInput::holding(quint64 flags, const std::function<void(quint64 held)> &hands) {
    static constexpr std::array<std::pair<quint64, quint16>, 4> modifierKeys{{
        {EventFlags::command, KeyCode::command},
        {EventFlags::option, KeyCode::option},
        {EventFlags::control, KeyCode::control},
        {EventFlags::shift, KeyCode::shift},
    }};
    quint64 held = EventFlags::none;
    for (const auto &[flag, key] : modifierKeys) {
        if (flags & flag) {
            held |= flag;
            keyDown(key, held);
        }
    }
    hands(held);
    for (auto it = modifierKeys.crbegin(); it != modifierKeys.crend(); ++it) {
        if (held & it->first) {
            held &= ~it->first;
            keyUp(it->second, held);
        }
    }
}

bool UserInput::type(const QString &text) {
    QList<KeyLayout::Stroke> strokes;
    for (const QChar character : text) {
        const auto stroke = KeyLayout::stroke(character);
        if (!stroke) {
            return false;
        }
        strokes.append(*stroke);
    }
    for (const KeyLayout::Stroke &stroke : strokes) {
        pressKeyHolding(stroke.keyCode, stroke.shift ? EventFlags::shift : EventFlags::none);
    }
    return true;
}

void UserInput::scroll(double delta, quint64 flags) {
    // macOS turns a wheel with Shift held sideways before any application sees it; a mouse has
    // no other way to scroll sideways.
    scrollBy(flags & EventFlags::shift ? QPointF(delta, 0) : QPointF(0, delta), flags);
}

void UserInput::swipe(QPointF lines) {
    scrollBy(lines, EventFlags::none);
}

void UserInput::scrollBy(QPointF lines, quint64 flags) {
    const auto now = m_model.clock().now();
    m_model.write([&](DesktopState &state, ModelEffects &) {
        InputDispatch::scroll(state, lines, flags, EventOrigin::User, now);
    });
    tell(EventType::ScrollWheel, 0, flags, lines);
}

std::optional<QPointF> UserInput::itemCentre(quint64 itemId) const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) -> std::optional<QPointF> {
        const BarView view(state, now);
        const auto window = view.window(itemId);
        if (!window || !window->visible()) {
            return std::nullopt;
        }
        return view.topLeft(window->shownPart).center();
    });
}

bool UserInput::commandDragItem(quint64 itemId, double toX) {
    const auto from = itemCentre(itemId);
    if (!from) {
        return false;
    }
    drag(*from, QPointF(toX, from->y()), EventFlags::command);
    return true;
}

} // namespace zorv
