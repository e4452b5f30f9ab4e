import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Zorv.Report

// The report could not be sent (or went by mail): it is in a file on the Desktop, and why.
ColumnLayout {
    id: root

    required property ZorvReportContent content

    spacing: 16

    ReportHead {
        Layout.fillWidth: true
        title: qsTr("Saved on your Desktop")
    }
    ReportCard {
        Layout.fillWidth: true
        Layout.preferredHeight: details.implicitHeight + 32 + 22
        kicker: qsTr("Nothing is lost")

        ColumnLayout {
            id: details
            anchors.fill: parent
            anchors.margins: 16
            spacing: 6
            Text {
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
                text: root.content.why
                font.pixelSize: 12
                color: ReportLook.ink2
            }
            Text {
                Layout.fillWidth: true
                wrapMode: Text.WordWrap
                text: qsTr("Everything you wrote, and what Zorv attached, is in this file on your Desktop:")
                font.pixelSize: 13
                color: ReportLook.ink
            }
            TextEdit {
                Layout.fillWidth: true
                readOnly: true
                selectByMouse: true
                wrapMode: TextEdit.WrapAnywhere
                text: root.content.fileName
                font.family: "monospace"
                font.pixelSize: 12
                color: ReportLook.ink
            }
        }
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
            text: qsTr("Show in Finder")
            onClicked: root.content.showFile()
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
