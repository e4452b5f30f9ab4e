import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
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
    ReportCard {
        Layout.fillWidth: true
        Layout.preferredHeight: 150 + 22
        kicker: qsTr("What you saw")

        TextArea {
            id: editor
            objectName: "reportEditor"
            anchors.fill: parent
            leftPadding: 8
            rightPadding: 8
            topPadding: 6
            bottomPadding: 6
            wrapMode: TextEdit.Wrap
            font.pixelSize: 13
            color: ReportLook.ink
            background: null
            enabled: !root.sending
            text: root.content.text
            onTextChanged: root.content.text = text
            Accessible.name: qsTr("What happened")
            Component.onCompleted: forceActiveFocus()
        }
        Text {
            visible: root.content.text.length === 0
            x: 13
            y: 11
            text: qsTr("EX: I turned on my Home rule and two icons stayed hidden.")
            font.pixelSize: 13
            color: ReportLook.ink2
            opacity: 0.7
        }
    }
    Text {
        Layout.fillWidth: true
        wrapMode: Text.WordWrap
        text: qsTr("Sent with it: Zorv's version, your macOS version, your Mac's model, a random install id, and Zorv's log of where it put your menu bar items. Nothing from your windows.")
        font.pixelSize: 11
        color: ReportLook.ink2
    }
    Item {
        Layout.fillHeight: true
    }
    RowLayout {
        spacing: 8
        Item {
            Layout.fillWidth: true
        }
        ReportButton {
            text: qsTr("Cancel")
            onClicked: root.content.close()
        }
        ReportButton {
            objectName: "reportSend"
            accent: true
            enabled: root.content.canSend
            text: root.sending ? qsTr("Sending…") : qsTr("Send")
            busy: root.sending
            onClicked: root.content.send()
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
