import QtQuick
import QtQuick.Templates as T
import Zorv.UI

// A thin vertical scroll bar in the palette's secondary ink, shown while there is something to
// scroll.
T.ScrollBar {
    id: root

    implicitWidth: 10
    implicitHeight: 10
    padding: 2
    policy: T.ScrollBar.AlwaysOn
    visible: root.size < 1

    contentItem: Rectangle {
        implicitWidth: 6
        radius: 3
        color: Zorv.ink2
        opacity: root.pressed ? 0.7 : 0.45
    }
}
