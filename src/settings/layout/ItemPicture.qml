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

    // A capture on its plate, or as it looks in the bar.
    ItemPlate {
        anchors.centerIn: parent
        visible: root.pictureKind === "capture"
        source: root.picture
        pictureSize: root.pictureSize
        pictureHeight: root.barMode ? 24 : 20
        maximumWidth: root.barMode ? root.width : root.width - 6
        plated: !root.barMode
        plate: root.plate
        horizontalPadding: 3
        verticalPadding: 2
        radius: 5
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
