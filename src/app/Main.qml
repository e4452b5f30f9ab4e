import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import Zorv.Desktop

// The simulated Mac: each screen as a person sees it (point, click and type on it), and beside
// them, when wanted, what Zorv's engine and model make of it.
ApplicationWindow {
    id: root

    required property DesktopViewModel desktop

    width: root.desktop.lifeSize ? Math.min(1900, Screen.desktopAvailableWidth) : 1900
    height: root.desktop.lifeSize ? Math.min(1100, Screen.desktopAvailableHeight) : 1100
    visible: true
    title: qsTr("Zorv on a simulated Mac: %1").arg(root.desktop.scenarioName)

    header: ToolBar {
        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 12
            anchors.rightMargin: 8
            spacing: 16

            Label {
                text: root.desktop.scenarioName
                textFormat: Text.PlainText
                font.bold: true
            }
            Label {
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: root.desktop.simulatedTime
                elide: Text.ElideRight
            }
            ToolButton {
                id: diagnosticsButton

                objectName: "diagnosticsButton"
                // Keys stay with the screen, whose keyboard they are.
                focusPolicy: Qt.NoFocus
                checkable: true
                checked: true
                text: checked ? qsTr("Hide Diagnostics") : qsTr("Show Diagnostics")
            }
        }
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        Flickable {
            id: desk

            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            contentWidth: width
            contentHeight: screens.height
            flickableDirection: Flickable.VerticalFlick
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            Column {
                id: screens

                padding: 16
                spacing: 24

                Repeater {
                    model: root.desktop.screens
                    delegate: MacScreen {
                        desktop: root.desktop
                        available: desk.width - 2 * screens.padding
                    }
                }
            }
        }

        DiagnosticsPanel {
            objectName: "diagnosticsPanel"
            Layout.preferredWidth: 480
            Layout.fillHeight: true
            visible: diagnosticsButton.checked
            desktop: root.desktop
        }
    }
}
