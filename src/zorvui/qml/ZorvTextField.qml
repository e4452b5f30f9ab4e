import QtQuick
import Zorv.UI

// The single-line text field: card fill, a line2 border that turns honey and thicker while the
// field has focus, and a grey prompt while the text is empty. `title` is for screen readers only.
Rectangle {
    id: root

    property string title
    property alias text: input.text
    property string prompt
    readonly property bool focused: input.activeFocus

    implicitWidth: Zorv.fieldWidth
    implicitHeight: Math.ceil(input.implicitHeight) + 10
    radius: 6
    color: Zorv.card
    border.color: root.focused ? Zorv.honey : Zorv.line2
    border.width: root.focused ? 1.5 : 1

    function forceActiveFocus() {
        input.forceActiveFocus();
    }
    function select(start, end) {
        input.select(start, end);
    }

    // Focus given to the field goes to its input, which types.
    onActiveFocusChanged: {
        if (root.activeFocus)
            input.forceActiveFocus();
    }

    Text {
        textFormat: Text.PlainText
        visible: input.text.length === 0
        x: Zorv.fieldInset
        width: root.width - 2 * Zorv.fieldInset
        anchors.verticalCenter: parent.verticalCenter
        text: root.prompt
        font: input.font
        color: Zorv.ink2
        elide: Text.ElideRight
    }

    TextInput {
        id: input

        x: Zorv.fieldInset
        width: root.width - 2 * Zorv.fieldInset
        anchors.verticalCenter: parent.verticalCenter
        font.pixelSize: 12
        color: Zorv.ink
        selectionColor: Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.4)
        selectedTextColor: Zorv.ink
        selectByMouse: true
        activeFocusOnTab: true
        clip: true
        Accessible.role: Accessible.EditableText
        Accessible.name: root.title
    }

    TextInputGuard {
        target: input
    }
}
