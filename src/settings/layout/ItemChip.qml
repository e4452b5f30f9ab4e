import QtQuick
import QtQuick.Controls.Basic
import Zorv.UI
import Zorv.Settings

// One item in a lane: its picture (dimmed while its app is not running) with a badge for an item
// behind the notch (orange dot) or one macOS will not let move (pin), its help text on hover,
// dragged to move it and right-clicked (or Control-clicked, as on a Mac) for its menu.
Item {
    id: root

    required property string name
    required property string help
    required property string pictureKind
    required property url picture
    required property size pictureSize
    required property string symbol
    required property color plate
    required property bool dormant
    required property bool notchObscured
    required property bool unmovable
    // Pictures drawn as in the bar, on its colour.
    property bool barMode: false
    property bool barIsDark: true
    readonly property alias hovered: hover.hovered
    readonly property alias dragging: drag.active
    // Where the pointer is while dragged, in the chip's coordinates.
    readonly property point dragPoint: drag.centroid.position

    // A right-click or a Control-click asks for the chip's menu at `point`, where the button went
    // down, in the chip's coordinates.
    signal menuRequested(point point)

    width: 30
    height: 26

    ItemPicture {
        anchors.fill: parent
        opacity: root.dormant ? 0.5 : 1
        pictureKind: root.pictureKind
        picture: root.picture
        pictureSize: root.pictureSize
        symbol: root.symbol
        plate: root.plate
        barMode: root.barMode
        barIsDark: root.barIsDark
    }

    Rectangle {
        visible: root.notchObscured
        x: root.width - width + 1
        y: -1
        width: 6
        height: 6
        radius: 3
        color: "#FF9500"
    }
    SymbolImage {
        visible: root.unmovable && !root.notchObscured
        x: root.width - width + 2
        y: -2
        name: "pin.fill"
        size: 7
        color: Zorv.ink2
    }

    HoverHandler {
        id: hover
    }
    DragHandler {
        id: drag

        target: null
    }
    TapHandler {
        id: menuTap

        acceptedButtons: Qt.RightButton
        onTapped: root.menuRequested(menuTap.point.pressPosition)
    }
    // Control reaches Qt as Meta.
    TapHandler {
        id: controlTap

        acceptedButtons: Qt.LeftButton
        acceptedModifiers: Qt.MetaModifier
        onTapped: root.menuRequested(controlTap.point.pressPosition)
    }
    ToolTip.visible: hover.hovered && !drag.active
    ToolTip.delay: 600
    ToolTip.text: root.help
}
