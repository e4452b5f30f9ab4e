import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Zorv.Report

// The thank-you screen with the report number and a way to copy it.
ColumnLayout {
    id: root

    required property ZorvReportContent content

    spacing: 16

    ReportHead {
        Layout.fillWidth: true
        title: qsTr("Sent. Thanks.")
    }
    ReportCard {
        Layout.fillWidth: true
        Layout.preferredHeight: number.implicitHeight + 32 + 22
        kicker: qsTr("Your report number")

        RowLayout {
            anchors.fill: parent
            anchors.margins: 16
            spacing: 12
            TextEdit {
                id: number
                objectName: "reportNumber"
                readOnly: true
                selectByMouse: true
                text: root.content.reportId
                font.family: "monospace"
                font.pixelSize: 28
                font.bold: true
                font.letterSpacing: 2
                color: ReportLook.ink
            }
            Item {
                Layout.fillWidth: true
                Layout.minimumWidth: 8
            }
            ReportButton {
                objectName: "reportCopy"
                text: root.content.copied ? qsTr("Copied") : qsTr("Copy")
                onClicked: root.content.copyNumber()
            }
        }
    }
    Text {
        Layout.fillWidth: true
        wrapMode: Text.WordWrap
        text: qsTr("Give this number if anyone asks about your report. It went straight to the person who builds Zorv.")
        font.pixelSize: 11
        color: ReportLook.ink2
    }
    Item {
        Layout.fillHeight: true
    }
    RowLayout {
        Item {
            Layout.fillWidth: true
        }
        ReportButton {
            accent: true
            text: qsTr("Close")
            onClicked: root.content.close()
        }
    }
    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: root.content.close()
    }
}
