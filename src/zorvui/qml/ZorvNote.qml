import QtQuick
import Zorv.UI

// Secondary text under a card or row; "{token}"s show as key caps. Wraps to its parent's width.
Item {
    id: root

    property string text

    width: parent ? parent.width : implicitWidth
    implicitHeight: label.implicitHeight

    KeysText {
        id: label

        x: 2
        width: root.width - 4
        keysText: root.text
        font.pixelSize: 11
        color: Zorv.ink2
    }
}
