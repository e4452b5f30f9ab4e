import QtQuick
import Zorv.UI

// A menu-bar item's picture on a plate of the bar's colour (see ItemDisplay::backdrop), as the
// search rows, the secondary bar and the layout chips show items away from the bar.
Rectangle {
    id: root

    property url source
    property real pictureSize: 16

    implicitWidth: root.pictureSize + 8
    implicitHeight: root.pictureSize + 6
    radius: 5

    Image {
        anchors.centerIn: parent
        width: root.pictureSize
        height: root.pictureSize
        sourceSize: Qt.size(root.pictureSize * 2, root.pictureSize * 2)
        source: root.source
        cache: false
    }
}
