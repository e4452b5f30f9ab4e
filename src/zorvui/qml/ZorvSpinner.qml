import QtQuick
import Zorv.UI

// A small ring of dots turning while `running`, for work under way. It turns by a Qt Quick
// animation, so it draws only when the animations' clock moves on, the simulated one in fast time
// included; Qt's own busy indicator asks for a new frame on every one it draws.
Item {
    id: root

    property bool running: true
    property color color: Zorv.ink2

    implicitWidth: 16
    implicitHeight: 16

    Item {
        id: ring

        anchors.centerIn: parent
        width: Math.min(root.width, root.height)
        height: width

        Repeater {
            model: 8

            delegate: Rectangle {
                required property int index

                readonly property real angle: index / 8 * 2 * Math.PI

                width: ring.width / 5
                height: width
                radius: width / 2
                x: (ring.width - width) / 2 * (1 + Math.sin(angle))
                y: (ring.height - height) / 2 * (1 - Math.cos(angle))
                color: root.color
                // The dots fade behind the leading one, which the turn carries round.
                opacity: 0.25 + 0.75 * index / 7
            }
        }

        NumberAnimation on rotation {
            running: root.running && root.visible
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
        }
    }
}
