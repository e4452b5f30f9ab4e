import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zorv.Desktop

// The simulated desktop: each screen's menu bar as the simulator lays it out, and beside it where
// every status item stands.
ApplicationWindow {
    id: root

    required property DesktopViewModel desktop

    width: 1900
    height: 900
    visible: true
    title: qsTr("Zorv on a simulated desktop: %1").arg(root.desktop.scenarioName)

    RowLayout {
        anchors.fill: parent
        anchors.margins: 12
        spacing: 16

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            Column {
                id: summary

                width: parent.width
                spacing: 6

                Label {
                    textFormat: Text.PlainText
                    text: root.desktop.scenarioName
                    font.bold: true
                    font.pixelSize: 18
                }
                Label {
                    textFormat: Text.PlainText
                    width: parent.width
                    text: root.desktop.scenarioDescription
                    wrapMode: Text.WordWrap
                }
                Label {
                    textFormat: Text.PlainText
                    text: root.desktop.simulatedTime
                }
                Label {
                    visible: root.desktop.engineRunning
                    text: root.desktop.revealed ? qsTr("Zorv: hidden sections revealed")
                                                : qsTr("Zorv: hidden sections tucked away")
                }
                Label {
                    visible: root.desktop.model !== null && root.desktop.model.hidingBlocked
                    text: root.desktop.model
                          ? qsTr("Hiding blocked: %1").arg(root.desktop.model.hidingBlockedHeadline)
                          : ""
                    textFormat: Text.PlainText
                    color: "#b3261e"
                }
                Label {
                    visible: root.desktop.engineRunning
                    text: root.desktop.model && root.desktop.model.activeProfileName.length > 0
                          ? qsTr("Profile: %1").arg(root.desktop.model.activeProfileName)
                          : qsTr("No profile active")
                    textFormat: Text.PlainText
                }
                Label {
                    textFormat: Text.PlainText
                    visible: root.desktop.engineRunning
                    text: root.desktop.lastSaved.length > 0
                          ? qsTr("Settings last saved %1").arg(root.desktop.lastSaved)
                          : qsTr("Settings not saved in this run")
                }
                Label {
                    textFormat: Text.PlainText
                    visible: root.desktop.engineRunning
                    text: root.desktop.lastReconcile.length > 0
                          ? qsTr("Last reconcile run: %1").arg(root.desktop.lastReconcile)
                          : qsTr("No reconcile run yet")
                }
                Label {
                    textFormat: Text.PlainText
                    text: root.desktop.frontmostApplication.length > 0
                          ? qsTr("In front: %1").arg(root.desktop.frontmostApplication)
                          : qsTr("No application in front")
                }
            }
            ListView {
                anchors.top: summary.bottom
                anchors.topMargin: 14
                anchors.bottom: parent.bottom
                width: parent.width
                clip: true
                spacing: 20
                model: root.desktop.screens
                delegate: ScreenBar {
                    width: ListView.view.width
                }
            }
        }

        ModelItemsList {
            Layout.preferredWidth: 300
            Layout.fillHeight: true
            visible: root.desktop.engineRunning
            model: root.desktop.sections
        }

        PositionsList {
            Layout.preferredWidth: 640
            Layout.fillHeight: true
            model: root.desktop.positions
        }
    }
}
