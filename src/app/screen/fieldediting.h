#pragma once

#include <QString>

#include <functional>

class QWindow;

namespace zorv {

class Pasteboard;

// The Edit menu's actions sent to the first responder ("undo:", "cut:", "paste:", "selectAll:"
// and the others) carried out on the control with the keyboard in one of Zorv's windows, a text
// field or editor; and the Mac's one pasteboard behind the clipboard through which Qt's text
// controls cut, copy and paste, whether a menu row or a key asked them to. Main thread.
class FieldEditing {
public:
    explicit FieldEditing(Pasteboard &pasteboard) : m_pasteboard(pasteboard) {}

    // Whether the focused control of `window` took `action`.
    bool perform(QWindow &window, const QString &action);
    // Runs `deliver` with the pasteboard's text on Qt's clipboard, then puts on the pasteboard
    // what it left there in its place.
    bool throughPasteboard(const std::function<bool()> &deliver);

private:
    Pasteboard &m_pasteboard;
};

} // namespace zorv
