import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Zorv.UI
import Zorv.Report

// Where the user writes what happened and sends it; while sending, the editor rests and Send
// shows that it is busy.
ColumnLayout {
    id: root

    required property ZorvReportContent content
    readonly property bool sending: content.screen === ZorvReportContent.Sending

    spacing: 16

    ReportHead {
        Layout.fillWidth: true
        title: qsTr("What happened?")
    }
    ZorvCard {
        Layout.fillWidth: true
        kicker: qsTr("What you saw")

        Item {
            width: parent.width
            height: 150

            TextArea {
                id: editor
                objectName: "reportEditor"
                anchors.fill: parent
                leftPadding: 8
                rightPadding: 8
                topPadding: 6
                bottomPadding: 6
                textFormat: TextEdit.PlainText
                wrapMode: TextEdit.Wrap
                font.pixelSize: 13
                color: Zorv.ink
                background: null
                enabled: !root.sending
                text: root.content.text
                onTextChanged: root.content.text = text
                Accessible.name: qsTr("What happened")
                Component.onCompleted: forceActiveFocus()
            }
            Text {
                objectName: "reportHint"
                visible: root.content.text.length === 0
                // Where the caret of the empty editor stands, in the editor's font.
                x: editor.leftPadding
                y: editor.topPadding
                width: parent.width - editor.leftPadding - editor.rightPadding
                wrapMode: Text.WordWrap
                text: qsTr("EX: I turned on my Home rule and two icons stayed hidden.")
                font: editor.font
                color: Zorv.ink2
                opacity: 0.7
            }
        }
    }
    Text {
        Layout.fillWidth: true
        wrapMode: Text.WordWrap
        text: qsTr("Sent with it: Zorv's version, your macOS version, your Mac's model, a random install id, and Zorv's log of where it put your menu bar items. Nothing from your windows.")
        font.pixelSize: 11
        color: Zorv.ink2
    }
    Item {
        Layout.fillHeight: true
    }
    RowLayout {
        spacing: 8
        Item {
            Layout.fillWidth: true
        }
        ZorvOutlineButton {
            objectName: "reportCancel"
            text: qsTr("Cancel")
            onClicked: root.content.close()
        }
        ZorvAccentButton {
            id: send
            objectName: "reportSend"
            enabled: root.content.canSend
            text: root.sending ? qsTr("Sending…") : qsTr("Send")
            onClicked: root.content.send()
            contentItem: Row {
                spacing: 6
                ZorvSpinner {
                    visible: root.sending
                    color: send.enabled ? Zorv.accentLabel : Zorv.honeyInk
                    anchors.verticalCenter: parent.verticalCenter
                }
                Text {
                    text: send.text
                    font: send.font
                    color: send.enabled ? Zorv.accentLabel : Zorv.honeyInk
                    anchors.verticalCenter: parent.verticalCenter
                }
            }
        }
    }
    Shortcut {
        sequence: StandardKey.Cancel
        onActivated: root.content.close()
    }
    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        enabled: root.content.canSend
        onActivated: root.content.send()
    }
}
