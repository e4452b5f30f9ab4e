import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zorv.Desktop

// What Zorv's engine and model make of the simulated Mac: whether the hidden sections are
// revealed, why hiding is blocked (the missing Accessibility permission included), the active
// profile, the last save and reconcile run, Zorv's items section by section and where every
// status item stands.
Pane {
    id: root

    required property DesktopViewModel desktop

    padding: 10

    ColumnLayout {
        anchors.fill: parent
        spacing: 4

        Label {
            Layout.fillWidth: true
            text: root.desktop.scenarioDescription
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
        }
        Label {
            textFormat: Text.PlainText
            visible: root.desktop.engineRunning
            text: root.desktop.revealed ? qsTr("Hidden sections revealed")
                                        : qsTr("Hidden sections tucked away")
        }
        Label {
            Layout.fillWidth: true
            visible: root.desktop.model !== null && root.desktop.model.needsAccessibility
            text: qsTr("Hiding waits for the Accessibility permission")
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            color: "#b3261e"
        }
        Label {
            Layout.fillWidth: true
            visible: root.desktop.model !== null && root.desktop.model.hidingBlocked
            text: root.desktop.model
                  ? qsTr("Hiding blocked: %1").arg(root.desktop.model.hidingBlockedHeadline)
                  : ""
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
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
            Layout.fillWidth: true
            visible: root.desktop.engineRunning
            text: root.desktop.lastReconcile.length > 0
                  ? qsTr("Last reconcile run: %1").arg(root.desktop.lastReconcile)
                  : qsTr("No reconcile run yet")
            textFormat: Text.PlainText
            elide: Text.ElideRight
        }
        Label {
            text: root.desktop.frontmostApplication.length > 0
                  ? qsTr("In front: %1").arg(root.desktop.frontmostApplication)
                  : qsTr("No application in front")
            textFormat: Text.PlainText
        }
        ModelItemsList {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.topMargin: 6
            visible: root.desktop.engineRunning
            model: root.desktop.sections
        }
        PositionsList {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.topMargin: 6
            model: root.desktop.positions
        }
    }
}
