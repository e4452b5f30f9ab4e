import QtQuick
import QtQuick.Layouts
import Zorv.UI
import Zorv.Report

// This application's report window content: a dark title strip with a honey rule, then the
// screen of the current phase (writing and sending share one), at a fixed 560 x 470.
Rectangle {
    id: root

    required property ZorvReportContent content

    implicitWidth: 560
    implicitHeight: 470
    color: Zorv.paper

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 32
            color: Zorv.espresso
            Row {
                anchors.left: parent.left
                anchors.leftMargin: 44
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8
                Image {
                    objectName: "reportAppIcon"
                    width: 18
                    height: 18
                    sourceSize: Qt.size(36, 36)
                    smooth: true
                    mipmap: true
                    source: root.content.appIcon
                }
                Text {
                    text: "Zorv"
                    font.pixelSize: 13
                    font.bold: true
                    color: Zorv.onEspresso
                }
            }
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 2
            color: Zorv.honey
        }
        Loader {
            id: screen
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.leftMargin: 26
            Layout.rightMargin: 26
            Layout.topMargin: 20
            Layout.bottomMargin: 22
            sourceComponent: {
                switch (root.content.screen) {
                case ZorvReportContent.Sent:
                    return sentScreen;
                case ZorvReportContent.Saved:
                    return savedScreen;
                default:
                    return writingScreen;
                }
            }
        }
    }

    Component {
        id: writingScreen
        ReportWritingScreen {
            content: root.content
        }
    }
    Component {
        id: sentScreen
        ReportSentScreen {
            content: root.content
        }
    }
    Component {
        id: savedScreen
        ReportSavedScreen {
            content: root.content
        }
    }
}
