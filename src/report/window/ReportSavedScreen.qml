import QtQuick
import QtQuick.Layouts
import Zorv.UI
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
    ReportBody {
        ZorvCard {
            kicker: qsTr("Nothing is lost")

            Column {
                x: 16
                width: parent.width - 32
                topPadding: 16
                bottomPadding: 16
                spacing: 6
                Text {
                    objectName: "reportWhy"
                    width: parent.width
                    textFormat: Text.PlainText
                    wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                    text: root.content.why
                    font.pixelSize: 12
                    color: Zorv.ink2
                }
                Text {
                    width: parent.width
                    wrapMode: Text.WordWrap
                    text: qsTr("Everything you wrote, and what Zorv attached, is in this file on your Desktop:")
                    font.pixelSize: 13
                    color: Zorv.ink
                }
                TextEdit {
                    objectName: "reportFileName"
                    width: parent.width
                    readOnly: true
                    selectByMouse: true
                    textFormat: TextEdit.PlainText
                    // Whole when it fits; broken anywhere, never at its hyphens first, when not.
                    wrapMode: TextEdit.WrapAnywhere
                    text: root.content.fileName
                    font.family: Zorv.monoFamily
                    font.pixelSize: 12
                    color: Zorv.ink
                }
            }
        }
    }
    RowLayout {
        spacing: 8
        Item {
            Layout.fillWidth: true
        }
        ZorvOutlineButton {
            text: qsTr("Show in Finder")
            onClicked: root.content.showFile()
        }
        ZorvAccentButton {
            objectName: "reportClose"
            text: qsTr("Close")
            onClicked: root.content.close()
        }
    }
    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: root.content.close()
    }
}
