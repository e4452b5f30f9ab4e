#include "windows/simappwindows.h"

namespace zorv {

namespace {

constexpr quint16 wKey = 13;

bool isPress(EventType type) {
    return type == EventType::LeftMouseDown || type == EventType::RightMouseDown ||
           type == EventType::OtherMouseDown;
}

// The drag and the release of the button a press went down with.
EventType dragOf(EventType press) {
    switch (press) {
    case EventType::RightMouseDown:
        return EventType::RightMouseDragged;
    case EventType::OtherMouseDown:
        return EventType::OtherMouseDragged;
    default:
        return EventType::LeftMouseDragged;
    }
}

EventType releaseOf(EventType press) {
    switch (press) {
    case EventType::RightMouseDown:
        return EventType::RightMouseUp;
    case EventType::OtherMouseDown:
        return EventType::OtherMouseUp;
    default:
        return EventType::LeftMouseUp;
    }
}

bool isKey(EventType type) {
    return type == EventType::KeyDown || type == EventType::KeyUp;
}

} // namespace

bool SimAppWindows::userEvent(EventType type, QPointF location, quint16 keyCode, quint64 flags) {
    if (isKey(type)) {
        return keyEvent(type, keyCode, flags);
    }
    if (type == EventType::FlagsChanged) {
        return false;
    }
    return mouseEvent(type, location, flags);
}

bool SimAppWindows::keyEvent(EventType type, quint16 keyCode, quint64 flags) {
    QPointer<SimAppWindow> key = keyWindow();
    if (!key) {
        return false;
    }
    const quint64 modifiers =
        flags & (EventFlags::shift | EventFlags::control | EventFlags::option | EventFlags::command);
    if (keyCode == wKey && modifiers == EventFlags::command) {
        // The Close command: the key window's close button, when it has a usable one, unless
        // the main menu's Close Window row already does it.
        const bool byMenu = m_mainMenuKeys && m_mainMenuKeys(keyCode, flags);
        if (type == EventType::KeyDown && key->record().style.closable && !byMenu) {
            key->userCloses();
        }
        return true;
    }
    const bool taken = m_contentInput && m_contentInput(*key, {type, {}, keyCode, flags});
    if (key && !taken && type == EventType::KeyDown && keyCode == KeyCode::escape) {
        Q_EMIT key->cancelRequested();
    }
    return true;
}

bool SimAppWindows::sendToFirstResponder(const QString &action) {
    SimAppWindow *key = keyWindow();
    return key && m_firstResponder && m_firstResponder(*key, action);
}

bool SimAppWindows::mouseEvent(EventType type, QPointF location, quint64 flags) {
    if (m_press && type == dragOf(m_press->down)) {
        const Press press = *m_press;
        if (!press.window) {
            return true;
        }
        if (press.kind == Press::Kind::Move) {
            press.window->userMoves(location - press.grab);
        } else if (press.kind == Press::Kind::Content) {
            toContent(*press.window, type, location, flags);
        }
        return true;
    }
    if (m_press && type == releaseOf(m_press->down)) {
        const Press press = *std::exchange(m_press, std::nullopt);
        if (press.window && press.kind == Press::Kind::Button) {
            releaseButton(press, location);
        } else if (press.window && press.contentPressed) {
            // The content had the press, so it has the release, wherever the window went.
            toContent(*press.window, type, location, flags);
        }
        return true;
    }
    QPointer<SimAppWindow> window = windowAt(location);
    if (!window) {
        if (isPress(type)) {
            deactivate();
        }
        return false;
    }
    if (isPress(type)) {
        pressOn(*window, type, location, flags);
    } else {
        toContent(*window, type, location, flags);
    }
    return true;
}

void SimAppWindows::pressOn(SimAppWindow &target, EventType type, QPointF location,
                            quint64 flags) {
    QPointer<SimAppWindow> window(&target);
    const WindowRecord &record = window->record();
    if (!record.key || !record.frontOrder) {
        window->makeKeyAndOrderFront();
    }
    if (!window) {
        return;
    }
    Press press;
    press.window = window;
    press.down = type;
    press.grab = location - window->record().frame.topLeft();
    const auto bar = TitleBar::rect(window->record());
    if (type != EventType::LeftMouseDown) {
        toContent(*window, type, location, flags);
        press.contentPressed = true;
    } else if (bar && bar->contains(location)) {
        const auto button = TitleBar::buttonAt(window->record().style, location - bar->topLeft());
        press.kind = button ? Press::Kind::Button : Press::Kind::Move;
        if (button) {
            press.button = button->button;
        }
    } else {
        const bool taken = toContent(*window, type, location, flags);
        const bool movable = window && window->record().style.movableByWindowBackground;
        press.kind = !taken && movable ? Press::Kind::Move : Press::Kind::Content;
        press.contentPressed = true;
    }
    m_press = press;
}

void SimAppWindows::releaseButton(const Press &press, QPointF location) {
    SimAppWindow &window = *press.window;
    const auto bar = TitleBar::rect(window.record());
    if (!bar) {
        return;
    }
    const auto button = TitleBar::buttonAt(window.record().style, location - bar->topLeft());
    if (!button || button->button != press.button || !button->enabled) {
        return;
    }
    switch (button->button) {
    case TitleBar::Button::Close:
        window.userCloses();
        break;
    case TitleBar::Button::Minimize:
        window.userMinimizes();
        break;
    case TitleBar::Button::Zoom:
        window.userZooms();
        break;
    }
}

bool SimAppWindows::scrollEvent(QPointF location, QPointF delta, quint64 flags) {
    SimAppWindow *window = windowAt(location);
    if (!window) {
        return false;
    }
    if (m_contentInput) {
        const QPointF at = location - window->record().frame.topLeft();
        m_contentInput(*window, {EventType::ScrollWheel, at, 0, flags, delta});
    }
    return true;
}

bool SimAppWindows::toContent(SimAppWindow &window, EventType type, QPointF location,
                              quint64 flags) {
    if (!m_contentInput) {
        return false;
    }
    return m_contentInput(window, {type, location - window.record().frame.topLeft(), 0, flags});
}

void SimAppWindows::deactivate() {
    // Another application comes forward.
    for (SimAppWindow *window : windows()) {
        window->resignKey();
        if (window->record().style.hidesOnDeactivate && window->record().visible) {
            window->orderOut();
        }
    }
}

} // namespace zorv
