import QtQuick
import Zorv.UI

// The look laid over one screen's menu bar: the tint across the bar with its bottom corners
// rounded, a hairline along the bar's bottom edge and a shadow band below the bar. Clicks pass
// through the window to the bar.
Window {
    id: root

    property real barHeight: 24
    property real shadowExtent: 0
    property bool tintShown: false
    property color tint: "transparent"
    property real tintRadius: 0
    property bool borderShown: false
    property bool shadowShown: false

    color: "transparent"
    title: "Menu Bar Look"

    // The bar part clips a rectangle taller by the radius, so only its bottom corners round.
    Item {
        objectName: "tint"
        visible: root.tintShown
        width: root.width
        height: root.barHeight
        clip: true

        Rectangle {
            y: -root.tintRadius
            width: root.width
            height: root.barHeight + root.tintRadius
            radius: root.tintRadius
            color: root.tint
        }
    }

    Rectangle {
        objectName: "hairline"
        visible: root.borderShown
        y: root.barHeight - 2
        width: root.width
        height: 2
        color: Zorv.dark ? Qt.rgba(1, 1, 1, 0.35) : Qt.rgba(0, 0, 0, 0.35)
    }

    Rectangle {
        objectName: "shadow"
        visible: root.shadowShown
        y: root.barHeight
        width: root.width
        height: root.shadowExtent
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(0, 0, 0, 0.28) }
            GradientStop { position: 1; color: Qt.rgba(0, 0, 0, 0) }
        }
    }
}
