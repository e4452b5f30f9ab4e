import QtQuick
import Zorv.UI

// A card: an optional kicker above a rounded surface holding rows. The card brings no padding of
// its own; rows do, and ZorvRule separates them.
Column {
    id: root

    // A string, or null for none.
    property var kicker: null
    default property alias content: body.data

    width: parent ? parent.width : implicitWidth
    spacing: root.kicker ? 8 : 0

    ZorvKicker {
        visible: !!root.kicker
        leftPadding: 2
        text: root.kicker ? root.kicker : ""
    }

    Rectangle {
        width: root.width
        height: body.implicitHeight
        radius: Zorv.radius
        color: Zorv.card

        Column {
            id: body

            width: parent.width
        }
        Rectangle {
            anchors.fill: parent
            radius: Zorv.radius
            color: "transparent"
            border.color: Zorv.line
            border.width: 1
        }
    }
}
