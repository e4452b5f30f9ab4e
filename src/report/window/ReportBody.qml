import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Zorv.UI

// The middle of a report screen, between its heading and its buttons: what it holds stacks from
// the top, and scrolls when it is taller than the room left, so no text can push the buttons out
// of the fixed window.
Flickable {
    id: root

    default property alias content: column.data

    Layout.fillWidth: true
    Layout.fillHeight: true
    contentWidth: width
    contentHeight: column.implicitHeight
    boundsBehavior: Flickable.StopAtBounds
    clip: contentHeight > height

    Column {
        id: column

        width: root.width
        spacing: 16
    }

    T.ScrollBar.vertical: ZorvScrollBar {}
}
