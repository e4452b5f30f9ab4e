#include "screeninput.h"

#include "settings/keyshortcut.h"

#include <QKeyEvent>

namespace zorv {

namespace {

struct ModifierKey {
    quint16 keyCode;
    quint64 flag;
};

std::optional<ModifierKey> modifierKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
        return ModifierKey{KeyCode::shift, KeyShortcut::kShift};
    // Qt's Control key is Command and its Meta key Control, as for the modifiers (MacKeys).
    case Qt::Key_Control:
        return ModifierKey{KeyCode::command, KeyShortcut::kCommand};
    case Qt::Key_Alt:
        return ModifierKey{KeyCode::option, KeyShortcut::kOption};
    case Qt::Key_AltGr:
        return ModifierKey{KeyCode::rightOption, KeyShortcut::kOption};
    case Qt::Key_Meta:
        return ModifierKey{KeyCode::control, KeyShortcut::kControl};
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<MouseButton> ScreenInput::button(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Center;
    default:
        return std::nullopt;
    }
}

quint64 ScreenInput::flags(Qt::KeyboardModifiers modifiers) {
    return MacKeys::modifiers(modifiers);
}

std::optional<MacKeyPress> ScreenInput::key(const QKeyEvent &event) {
    if (const auto modifier = modifierKey(event.key())) {
        quint64 bits = flags(event.modifiers());
        if (event.type() == QEvent::KeyPress) {
            bits |= modifier->flag;
        } else {
            bits &= ~modifier->flag;
        }
        return MacKeyPress{modifier->keyCode, bits};
    }
    return MacKeys::press(event);
}

} // namespace zorv
