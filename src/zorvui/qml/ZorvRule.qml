import QtQuick
import Zorv.UI

// The hairline between two rows of a card, starting where row text starts.
Item {
    width: parent ? parent.width : 0
    implicitHeight: 1

    Rectangle {
        x: 16
        width: parent.width - 16
        height: 1
        color: Zorv.line
    }
}
