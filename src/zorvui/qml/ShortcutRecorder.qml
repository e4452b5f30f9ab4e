import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import Zorv.UI

// The control for setting a global shortcut: the shortcut in force as key caps on a bordered
// button; a click arms it, the next suitable key press becomes the new shortcut (`recorded`),
// Esc cancels and Delete resets (`recorded` with null). The owner stores what it gets and passes
// it back as `current` ({keyCode, modifiers} or null).
T.Button {
    id: root

    property alias current: recorder.current
    property alias defaultDisplay: recorder.defaultDisplay
    readonly property bool recording: recorder.recording

    signal recorded(var shortcut)

    implicitWidth: Math.max(84, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    leftPadding: 10
    rightPadding: 10
    topPadding: 4
    bottomPadding: 4
    focusPolicy: Qt.NoFocus
    onClicked: recorder.toggle()
    Component.onDestruction: recorder.stopRecording()
    ToolTip.visible: root.hovered
    ToolTip.delay: 600
    ToolTip.text: recorder.help
    Accessible.name: recorder.recording ? qsTr("Press Keys…") : caps.spoken

    ShortcutRecorderModel {
        id: recorder

        view: root
        onRecorded: shortcut => root.recorded(shortcut)
    }

    contentItem: Item {
        // As wide armed as idle: room for the prompt and for the caps alike.
        implicitWidth: Math.ceil(Math.max(prompt.implicitWidth, caps.implicitWidth))
        implicitHeight: Math.max(prompt.implicitHeight, caps.implicitHeight)

        Text {
            id: prompt

            anchors.centerIn: parent
            visible: recorder.recording
            text: qsTr("Press Keys…")
            textFormat: Text.PlainText
            font.pixelSize: 12
            color: Zorv.ink
        }
        KeyCaps {
            id: caps

            anchors.centerIn: parent
            visible: !recorder.recording
            keys: recorder.caps
            size: 13
            weight: KeyCapsPainter.Prose
            color: root.enabled ? Zorv.ink : Zorv.ink2
        }
    }
    background: Rectangle {
        radius: 6
        color: recorder.recording ? Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.25)
                                  : (root.down ? Zorv.paper2 : Zorv.card)
        border.width: 1
        border.color: recorder.recording ? Zorv.honey : (root.enabled ? Zorv.line2 : Zorv.line)
    }
}
