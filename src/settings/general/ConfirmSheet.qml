import QtQuick
import Zorv.UI
import Zorv.Settings

// A confirmation over a pane: the question, what it means, a destructive action and Cancel.
// Escape cancels. No key confirms: the action replaces what the user has, so it takes a click.
Rectangle {
    id: root

    property string title
    property string message
    property string actionText

    signal confirmed()
    signal cancelled()

    color: Qt.rgba(0, 0, 0, 0.28)
    visible: false

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: wheel => wheel.accepted = true
    }
    Rectangle {
        anchors.centerIn: parent
        width: 380
        height: sheet.implicitHeight + 44
        radius: 12
        color: Zorv.paper
        border.color: Zorv.line
        border.width: 1

        Column {
            id: sheet

            x: 22
            y: 22
            width: parent.width - 44
            spacing: 10

            Text {
                textFormat: Text.PlainText
                width: parent.width
                text: root.title
                font.pixelSize: 15
                font.bold: true
                color: Zorv.ink
                wrapMode: Text.Wrap
            }
            Text {
                textFormat: Text.PlainText
                width: parent.width
                text: root.message
                font.pixelSize: 12
                color: Zorv.ink2
                wrapMode: Text.Wrap
            }
            Row {
                anchors.right: parent.right
                topPadding: 6
                spacing: 8

                ZorvOutlineButton {
                    objectName: "confirmCancel"
                    text: "Cancel"
                    onClicked: root.cancelled()
                }
                ZorvOutlineButton {
                    objectName: "confirmAction"
                    destructive: true
                    text: root.actionText
                    onClicked: root.confirmed()
                }
            }
        }
    }
    Shortcut {
        enabled: root.visible
        sequences: [StandardKey.Cancel]
        onActivated: root.cancelled()
    }
}
