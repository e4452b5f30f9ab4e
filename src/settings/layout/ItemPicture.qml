import QtQuick
import Zorv.UI
import Zorv.Settings

// A lane chip's picture, centred in its box: the captured picture (as in the bar, or on its
// plate), the system symbol, the application's icon, or a dashed placeholder.
Item {
    id: root

    property string pictureKind: "none"
    property url picture
    property size pictureSize
    property string symbol: "app.dashed"
    property color plate
    property bool barMode: false
    property bool barIsDark: true

    implicitWidth: 30
    implicitHeight: 26

    // A capture outside the bar's look, on its plate.
    Rectangle {
        visible: root.pictureKind === "capture" && !root.barMode
        anchors.centerIn: parent
        width: plated.paintedWidth + 6
        height: plated.paintedHeight + 4
        radius: 5
        color: root.plate

        Image {
            id: plated

            anchors.centerIn: parent
            width: Math.min(root.width - 6, 20 * root.pictureSize.width
                                                / Math.max(1, root.pictureSize.height))
            height: 20
            fillMode: Image.PreserveAspectFit
            sourceSize: Qt.size(root.pictureSize.width * 2, root.pictureSize.height * 2)
            source: parent.visible ? root.picture : ""
            smooth: true
            cache: false
        }
    }
    // A capture as it looks in the bar.
    Image {
        visible: root.pictureKind === "capture" && root.barMode
        anchors.centerIn: parent
        width: Math.min(root.width, 24 * root.pictureSize.width / Math.max(1, root.pictureSize.height))
        height: 24
        fillMode: Image.PreserveAspectFit
        sourceSize: Qt.size(root.pictureSize.width * 2, root.pictureSize.height * 2)
        source: visible ? root.picture : ""
        smooth: true
        cache: false
    }
    Image {
        visible: root.pictureKind === "icon"
        anchors.centerIn: parent
        width: 22
        height: 22
        sourceSize: Qt.size(44, 44)
        source: visible ? root.picture : ""
        smooth: true
        cache: false
    }
    SymbolImage {
        visible: root.pictureKind === "symbol" || root.pictureKind === "none"
        anchors.centerIn: parent
        name: root.pictureKind === "symbol" ? root.symbol : "app.dashed"
        size: 20
        color: root.pictureKind === "none" ? Zorv.ink2
                                           : root.barMode ? (root.barIsDark ? "white" : "black")
                                                          : Zorv.ink
    }
}
