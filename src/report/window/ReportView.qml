import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import Zorv.UI
import Zorv.Report

// The report feature's own plain screens, for a configuration without window content: the
// system look with one filled button in the configuration's accent colours. Every text is plain
// text: reasons and numbers come from the network.
Window {
    id: root

    required property ReportViewModel view

    flags: Qt.Window | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    color: palette.window

    component PlainLabel: Label {
        textFormat: Text.PlainText
    }

    // A screen's title after the kit's symbol for it.
    component SymbolTitle: Row {
        id: symbolTitle

        property string symbol
        property string text

        spacing: 6
        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: symbolTitle.symbol
            size: 20
            color: palette.windowText
        }
        PlainLabel {
            anchors.verticalCenter: parent.verticalCenter
            text: symbolTitle.text
            font.pixelSize: 20
            font.bold: true
        }
    }

    // What a result screen says, between its title and its buttons: it scrolls when it is taller
    // than the room left, so the buttons stay in the window.
    component ScreenText: ScrollView {
        id: screenText

        default property alias content: column.data

        Layout.fillWidth: true
        Layout.fillHeight: true
        contentWidth: availableWidth

        ColumnLayout {
            id: column

            width: screenText.availableWidth
            spacing: 14
        }
    }

    component AccentButton: Button {
        id: accentButton
        leftPadding: 14
        rightPadding: 14
        topPadding: 6
        bottomPadding: 6
        opacity: enabled ? 1.0 : 0.45
        font.pixelSize: 13
        font.weight: Font.DemiBold
        property bool busy: false

        contentItem: Row {
            spacing: 6
            ZorvSpinner {
                visible: accentButton.busy
                color: root.view.onAccent
                anchors.verticalCenter: parent.verticalCenter
            }
            Text {
                textFormat: Text.PlainText
                text: accentButton.text
                font: accentButton.font
                color: root.view.onAccent
                anchors.verticalCenter: parent.verticalCenter
            }
        }
        background: Rectangle {
            radius: 6
            color: root.view.accent
            opacity: accentButton.down ? 0.8 : 1.0
        }
    }

    Loader {
        anchors.fill: parent
        anchors.margins: 22
        sourceComponent: {
            switch (root.view.screen) {
            case ReportViewModel.Done:
                return doneScreen;
            case ReportViewModel.Saved:
                return savedScreen;
            default:
                return writingScreen;
            }
        }
    }

    Component {
        id: writingScreen
        ColumnLayout {
            id: writing

            readonly property bool sending: root.view.screen === ReportViewModel.Sending

            spacing: 14
            PlainLabel {
                text: qsTr("What happened?")
                font.pixelSize: 20
                font.bold: true
            }
            PlainLabel {
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
                text: qsTr("What you were doing, what you expected, and what %1 did instead.").arg(root.view.appName)
                font.pixelSize: 13
                opacity: 0.7
            }
            Rectangle {
                Layout.fillWidth: true
                Layout.fillHeight: true
                radius: 8
                color: palette.base
                border.width: 1
                border.color: Qt.rgba(0, 0, 0, 0.15)
                TextArea {
                    id: editor
                    objectName: "reportEditor"
                    anchors.fill: parent
                    textFormat: TextEdit.PlainText
                    padding: 8
                    wrapMode: TextEdit.Wrap
                    font.pixelSize: 13
                    background: null
                    enabled: !writing.sending
                    text: root.view.text
                    onTextChanged: root.view.text = text
                    Component.onCompleted: forceActiveFocus()
                }
                PlainLabel {
                    objectName: "reportHint"
                    visible: root.view.text.length === 0
                    x: editor.leftPadding
                    y: editor.topPadding
                    width: parent.width - editor.leftPadding - editor.rightPadding
                    wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                    text: root.view.example
                    font: editor.font
                    opacity: 0.45
                }
            }
            PlainLabel {
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
                text: qsTr("Sent with it: %1's version, your macOS version, your Mac's model, a random install id, and %1's own log of which apps it moved, never what was in their windows.").arg(root.view.appName)
                font.pixelSize: 12
                opacity: 0.7
            }
            ColumnLayout {
                spacing: 6
                Switch {
                    visible: root.view.consentOffered
                    text: qsTr("Send this report to %1 over the internet").arg(root.view.appName)
                    font.pixelSize: 13
                    checked: root.view.sendingAllowed
                    onToggled: root.view.sendingAllowed = checked
                }
                RowLayout {
                    Button {
                        visible: root.view.emailOffered && root.view.sendingAllowed
                        enabled: root.view.canEmail
                        text: qsTr("Email It Instead")
                        onClicked: root.view.emailInstead()
                    }
                    AccentButton {
                        visible: root.view.emailOffered && !root.view.sendingAllowed
                        enabled: root.view.canEmail
                        text: qsTr("Email It Instead")
                        onClicked: root.view.emailInstead()
                    }
                    Item {
                        Layout.fillWidth: true
                    }
                    Button {
                        text: qsTr("Cancel")
                        onClicked: root.view.close()
                    }
                    AccentButton {
                        Layout.minimumWidth: 80
                        busy: writing.sending
                        enabled: root.view.canSend
                        text: writing.sending ? qsTr("Sending…") : qsTr("Send")
                        onClicked: root.view.send()
                    }
                }
            }
            Shortcut {
                sequence: StandardKey.Cancel
                onActivated: root.view.close()
            }
            Shortcut {
                sequences: ["Ctrl+Return", "Ctrl+Enter"]
                enabled: root.view.canSend
                onActivated: root.view.send()
            }
        }
    }

    Component {
        id: doneScreen
        ColumnLayout {
            spacing: 14
            SymbolTitle {
                objectName: "reportSentTitle"
                symbol: "checkmark.circle.fill"
                text: qsTr("Sent")
            }
            ScreenText {
                TextEdit {
                    objectName: "reportDoneText"
                    Layout.fillWidth: true
                    readOnly: true
                    selectByMouse: true
                    textFormat: TextEdit.PlainText
                    wrapMode: TextEdit.WrapAtWordBoundaryOrAnywhere
                    text: qsTr("Thanks. Your report is %1. If anybody asks about it, that is the number to give them.").arg(root.view.reportId)
                    font.pixelSize: 13
                    color: palette.text
                }
            }
            RowLayout {
                Item {
                    Layout.fillWidth: true
                }
                Button {
                    objectName: "reportClose"
                    text: qsTr("Close")
                    onClicked: root.view.close()
                }
            }
            Shortcut {
                sequences: ["Return", "Enter"]
                onActivated: root.view.close()
            }
        }
    }

    Component {
        id: savedScreen
        ColumnLayout {
            spacing: 14
            SymbolTitle {
                objectName: "reportSavedTitle"
                symbol: "tray.and.arrow.down.fill"
                text: qsTr("Saved on your Desktop")
            }
            ScreenText {
                PlainLabel {
                    objectName: "reportSavedText"
                    Layout.fillWidth: true
                    wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                    text: root.view.savedText
                    font.pixelSize: 13
                }
                PlainLabel {
                    visible: root.view.goingBackOffered
                    Layout.fillWidth: true
                    wrapMode: Text.WordWrap
                    text: qsTr("Changed your mind? Go back, and close the mail that opened.")
                    font.pixelSize: 12
                    opacity: 0.7
                }
            }
            RowLayout {
                Button {
                    visible: root.view.goingBackOffered
                    text: qsTr("Back")
                    onClicked: root.view.backToWriting()
                }
                Item {
                    Layout.fillWidth: true
                }
                Button {
                    text: qsTr("Show in Finder")
                    onClicked: root.view.showFile()
                }
                Button {
                    visible: root.view.reportPageOffered
                    text: qsTr("Open the Report Page")
                    onClicked: root.view.openReportPage()
                }
                Button {
                    objectName: "reportClose"
                    text: qsTr("Close")
                    onClicked: root.view.close()
                }
            }
            Shortcut {
                sequences: ["Return", "Enter"]
                onActivated: root.view.close()
            }
        }
    }
}
