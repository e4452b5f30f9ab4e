import QtQuick
import Zorv.UI

// A panel row's picture of its item (see RowPicture): the capture as it is, `captureHeight` high
// with its aspect kept, on its plate unless `plated` is false; the system symbol, the
// application's icon or a dashed placeholder in a `side` square.
Item {
    id: root

    property string pictureKind: "none"
    property url picture
    property size pictureSize
    property string symbol
    property color plate
    property bool plated: true
    property real captureHeight: 18
    property real side: 20
    property real symbolSize: 16
    property color ink: Zorv.ink

    readonly property bool captured: root.pictureKind === "capture"

    implicitWidth: root.captured ? capture.implicitWidth : root.side
    implicitHeight: root.captured ? capture.implicitHeight : root.side

    ItemPlate {
        id: capture

        anchors.centerIn: parent
        visible: root.captured
        source: root.picture
        pictureSize: root.pictureSize
        pictureHeight: root.captureHeight
        plated: root.plated
        plate: root.plate
    }

    Image {
        anchors.fill: parent
        visible: root.pictureKind === "icon"
        sourceSize: Qt.size(root.side * 2, root.side * 2)
        fillMode: Image.PreserveAspectFit
        source: visible ? root.picture : ""
        smooth: true
        cache: false
    }

    SymbolImage {
        anchors.centerIn: parent
        visible: root.pictureKind === "symbol" || root.pictureKind === "none"
        name: root.pictureKind === "symbol" ? root.symbol : "app.dashed"
        size: root.symbolSize
        color: root.pictureKind === "none" ? Zorv.ink2 : root.ink
    }
}
