import QtQuick
import Zorv.Settings

// A soft shadow under a capsule: faint rings of black that grow outward to `blur`, as a blur of
// that radius spreads the capsule's outline, moved down by `offsetY`. Takes no input.
Item {
    id: root

    required property Item target
    property real blur: 5
    property real offsetY: 2
    // How dark the shadow is where every ring overlaps.
    property real strength: 0.25
    readonly property int rings: 5

    x: root.target.x
    y: root.target.y + root.offsetY
    width: root.target.width
    height: root.target.height
    visible: root.target.visible

    Repeater {
        model: root.rings

        Rectangle {
            required property int index
            readonly property real spread: (index + 1) * root.blur / root.rings

            x: -spread
            y: -spread
            width: root.width + 2 * spread
            height: root.height + 2 * spread
            radius: height / 2
            color: Qt.rgba(0, 0, 0, 1 - Math.pow(1 - root.strength, 1 / root.rings))
        }
    }
}
