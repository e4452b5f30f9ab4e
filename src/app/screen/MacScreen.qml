import QtQuick
import QtQuick.Controls
import Zorv.Desktop
import Zorv.UI

// One simulated screen as a display on the desk: the screen in a dark bezel, its name below. A
// screen wider than the view scrolls sideways and starts at its right end, where the status items
// are.
Column {
    id: root

    required property int index
    required property int displayId
    required property string name
    required property string details
    required property rect frame
    required property real screenWidth
    required property real screenHeight
    required property var scene
    required property bool active
    required property DesktopViewModel desktop
    // The view's width the screen is fitted into.
    required property real available

    readonly property real zoom: root.desktop.zoomFor(root.screenWidth, root.available - 2 * bezel.border.width)

    spacing: 6

    Flickable {
        width: Math.min(bezel.width, root.available)
        height: bezel.height
        contentWidth: bezel.width
        contentHeight: bezel.height
        contentX: Math.max(0, contentWidth - width)
        flickableDirection: Flickable.HorizontalFlick
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.horizontal: ScrollBar {}

        Rectangle {
            id: bezel

            width: view.width + 2 * border.width
            height: view.height + 2 * border.width
            radius: 10
            color: "#1c1c1e"
            border.width: 8
            border.color: "#1c1c1e"

            MacScreenView {
                id: view

                objectName: "macScreen"
                x: bezel.border.width
                y: bezel.border.width
                width: root.screenWidth * root.zoom
                height: root.screenHeight * root.zoom
                focus: root.index === 0
                desktop: root.desktop
                displayId: root.displayId
                scene: root.scene
                frame: root.frame
                zoom: root.zoom
                active: root.active
            }

            // The tool tip of the status item the pointer rests on, kept on the screen.
            Rectangle {
                readonly property QtObject tip: root.desktop.toolTip

                objectName: "toolTip"
                visible: tip.shown && tip.displayId === root.displayId
                x: view.x + Math.min(tip.location.x * root.zoom, view.width - width - 4)
                y: view.y + tip.location.y * root.zoom
                width: tipText.implicitWidth + 12 * root.zoom
                height: tipText.implicitHeight + 6 * root.zoom
                radius: 4 * root.zoom
                color: Zorv.dark ? "#f22c2c2e" : "#f7f6f6f6"
                border.color: Zorv.dark ? "#40ffffff" : "#33000000"
                border.width: 1

                Label {
                    id: tipText

                    anchors.centerIn: parent
                    text: parent.tip.text
                    textFormat: Text.PlainText
                    font.pixelSize: Math.max(8, 12 * root.zoom)
                    color: Zorv.dark ? "#e6ffffff" : "#1d1d1f"
                }
            }
        }
    }
    Label {
        text: root.active ? qsTr("%1, holds the status items' windows").arg(root.name) : root.name
        textFormat: Text.PlainText
        font.bold: true
    }
    Label {
        text: root.zoom < 1
              ? qsTr("%1, drawn at %2 %").arg(root.details).arg(Math.round(root.zoom * 100))
              : root.details
        textFormat: Text.PlainText
    }
}
