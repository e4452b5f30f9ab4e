import QtQuick
import QtQuick.Controls
import Zorv.Desktop

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
