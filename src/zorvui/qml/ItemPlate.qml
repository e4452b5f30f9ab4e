import QtQuick
import Zorv.UI

// A menu-bar item's captured picture as it is: `pictureHeight` high with its aspect kept, no
// wider than `maximumWidth` (it shrinks to fit), on a rounded plate of the bar's colour (see
// ItemDisplay::backdrop) padded round it, unless `plated` is false. The search rows, the
// secondary bar and the layout chips show items away from the bar with it.
Item {
    id: root

    property url source
    // The capture's size; only its aspect counts.
    property size pictureSize
    property real pictureHeight: 18
    property real maximumWidth: Infinity
    property bool plated: true
    property color plate
    property real horizontalPadding: 2
    property real verticalPadding: 1
    property real radius: 4

    readonly property real aspect: root.pictureSize.width / Math.max(1, root.pictureSize.height)
    readonly property real pictureWidth: Math.min(root.maximumWidth,
                                                  root.pictureHeight * root.aspect)
    readonly property real shownHeight: root.pictureWidth / Math.max(0.001, root.aspect)

    implicitWidth: root.pictureWidth + (root.plated ? 2 * root.horizontalPadding : 0)
    implicitHeight: root.shownHeight + (root.plated ? 2 * root.verticalPadding : 0)

    Rectangle {
        objectName: "plate"
        anchors.fill: parent
        visible: root.plated
        radius: root.radius
        color: root.plate
    }

    Image {
        objectName: "capture"
        anchors.centerIn: parent
        width: root.pictureWidth
        height: root.shownHeight
        sourceSize: Qt.size(Math.ceil(root.pictureWidth * 2), Math.ceil(root.shownHeight * 2))
        source: root.visible ? root.source : ""
        smooth: true
        mipmap: true
        cache: false
    }
}
