import QtQuick
import Zorv.UI

// A row of a card whose content spans the full width, with a row's insets. Children that should
// stretch bind their width to the parent's.
Item {
    id: root

    default property alias content: holder.data

    width: parent ? parent.width : implicitWidth
    implicitWidth: holder.implicitWidth + 32
    implicitHeight: holder.implicitHeight + 24

    Column {
        id: holder

        x: 16
        y: 12
        width: root.width - 32
    }
}
