import QtQuick

// Keeps the cursor and the selection of `target`, a TextInput or a field built on one, inside its
// text. Qt's TextInput can come out of a redo with its cursor one past the end (the step began
// where its first character had already moved the cursor), and the next character typed then
// lands after a padding space; or with the ends of its selection swapped, which a cut and an undo
// then turn into a NUL character.
Connections {
    function mend() {
        if (target.cursorPosition > target.length)
            target.cursorPosition = target.length;
        else if (target.selectionStart > target.selectionEnd)
            target.deselect();
    }

    function onTextChanged() {
        mend();
    }
    function onCursorPositionChanged() {
        mend();
    }
    function onSelectionStartChanged() {
        mend();
    }
    function onSelectionEndChanged() {
        mend();
    }
}
