import QtQuick
import QtQuick.Layouts
import Zorv.UI
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
    ReportBody {
        ZorvCard {
            kicker: qsTr("Your report number")

            RowLayout {
                x: 16
                width: parent.width - 32
                height: implicitHeight + 32
                spacing: 12
                TextEdit {
                    id: number
                    objectName: "reportNumber"
                    Layout.fillWidth: true
                    readOnly: true
                    selectByMouse: true
                    textFormat: TextEdit.PlainText
                    // A number is one word: it fills each line and breaks where the line ends.
                    wrapMode: TextEdit.WrapAnywhere
                    text: root.content.reportId
                    font.family: Zorv.monoFamily
                    font.pixelSize: 28
                    font.bold: true
                    font.letterSpacing: 2
                    color: Zorv.ink
                }
                Item {
                    Layout.minimumWidth: 8
                }
                ZorvOutlineButton {
                    objectName: "reportCopy"
                    // Beside the number's first line, in view even when a long number scrolls.
                    Layout.alignment: number.lineCount > 1 ? Qt.AlignTop : Qt.AlignVCenter
                    Layout.topMargin: number.lineCount > 1
                                      ? 16 + (number.contentHeight / number.lineCount - height) / 2
                                      : 0
                    text: root.content.copied ? qsTr("Copied") : qsTr("Copy")
                    onClicked: root.content.copyNumber()
                }
            }
        }
        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            text: qsTr("Give this number if anyone asks about your report. It went straight to the person who builds Zorv.")
            font.pixelSize: 11
            color: Zorv.ink2
        }
    }
    RowLayout {
        Item {
            Layout.fillWidth: true
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
