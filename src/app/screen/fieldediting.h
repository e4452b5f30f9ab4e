#pragma once

#include <QString>

class QWindow;

namespace zorv {

class PasteboardClipboard;

// The Edit menu's actions sent to the first responder ("undo:", "cut:", "paste:", "selectAll:"
// and the others) carried out on the control with the keyboard in one of Zorv's windows, a text
// field or editor; those that cut, copy or paste do so through the Mac's pasteboard. Main thread.
class FieldEditing {
public:
    explicit FieldEditing(PasteboardClipboard &clipboard) : m_clipboard(clipboard) {}

    // Whether the focused control of `window` took `action`.
    bool perform(QWindow &window, const QString &action);

private:
    PasteboardClipboard &m_clipboard;
};

} // namespace zorv
