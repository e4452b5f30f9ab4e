import QtQuick
import QtQuick.Templates as T
import Zorv.UI

// The switch of a settings row, tinted honey; its own label is not drawn (the row shows the
// title), `accessibleName` carries the same words for screen readers.
T.Switch {
    id: root

    property string accessibleName

    implicitWidth: 32
    implicitHeight: 18
    padding: 0
    Accessible.name: root.accessibleName
    opacity: root.enabled ? 1 : 0.45

    indicator: Rectangle {
        width: root.width
        height: root.height
        radius: height / 2
        color: root.checked ? Zorv.honey : Zorv.line2

        Rectangle {
            x: root.checked ? parent.width - width - 2 : 2
            y: 2
            width: parent.height - 4
            height: parent.height - 4
            radius: height / 2
            color: "white"

            Behavior on x {
                NumberAnimation { duration: 120 }
            }
        }
    }
    contentItem: Item {}
}
