import QtQuick
import Zorv.UI

// A settings row: an optional 16-point icon, the title with an optional note under it, and the
// control at the trailing end of a slot `slot` wide. The control's middle lines up with the
// title's first line; a long note wraps instead of widening the row.
Item {
    id: root

    property string title
    // A string, or null for none.
    property var note: null
    property real slot: Zorv.controlWidth
    property url icon
    default property alias control: slotItem.data

    readonly property real titleLineHeight: titleText.implicitHeight
    readonly property Item controlItem: slotItem.children.length > 0 ? slotItem.children[0] : null
    readonly property real controlHeight: root.controlItem ? root.controlItem.height : 0
    // Both the title line and the control are centred on the same line.
    readonly property real centreLine: Math.max(root.titleLineHeight, root.controlHeight) / 2

    width: parent ? parent.width : implicitWidth
    implicitWidth: 400
    implicitHeight: Math.max(label.y + label.height, slotItem.y + root.controlHeight) + 12

    Image {
        id: iconImage

        visible: root.icon.toString().length > 0
        x: 16
        // The icon's bottom edge sits 3 below the title's baseline.
        y: label.y + titleText.baselineOffset + 3 - height
        width: 16
        height: 16
        source: root.icon
    }

    Column {
        id: label

        x: iconImage.visible ? 48 : 16
        y: 12 + root.centreLine - root.titleLineHeight / 2
        width: root.width - x - 16 - 16 - root.slot
        spacing: 3

        Text {
            id: titleText

            textFormat: Text.PlainText
            width: parent.width
            text: root.title
            font.pixelSize: 13
            color: Zorv.ink
            elide: Text.ElideRight
        }
        ZorvNote {
            visible: !!root.note
            x: -2
            width: parent.width + 4
            text: root.note ? root.note : ""
        }
    }

    Item {
        id: slotItem

        x: root.width - 16 - root.slot
        y: 12 + root.centreLine - root.controlHeight / 2
        width: root.slot
        height: root.controlHeight
        // The control sits at the trailing end of the slot.
        onChildrenChanged: root.alignControl()
        onWidthChanged: root.alignControl()
    }

    function alignControl() {
        for (let i = 0; i < slotItem.children.length; ++i) {
            const child = slotItem.children[i];
            child.x = Qt.binding(() => slotItem.width - child.width);
        }
    }
}
