import QtQuick
import Zorv.UI
import Zorv.Settings

// A segmented control over a Bool: the first segment stands for true, the second for false.
// `toggled` reports the segment chosen; the owner stores it and passes it back as `value`.
Rectangle {
    id: root

    property bool value
    property string trueLabel
    property string falseLabel

    signal toggled(bool value)

    implicitWidth: Zorv.controlWidth
    implicitHeight: 26
    width: implicitWidth
    height: implicitHeight
    radius: 7
    color: Zorv.paper2
    border.color: Zorv.line
    border.width: 1
    opacity: root.enabled ? 1 : 0.45

    Repeater {
        model: [true, false]

        delegate: Rectangle {
            id: segment

            required property bool modelData
            required property int index
            readonly property bool chosen: segment.modelData === root.value

            objectName: segment.modelData ? "segmentTrue" : "segmentFalse"
            x: 2 + segment.index * (root.width - 4) / 2
            y: 2
            width: (root.width - 4) / 2
            height: root.height - 4
            radius: 5
            color: segment.chosen ? Zorv.card : "transparent"
            border.color: segment.chosen ? Zorv.line2 : "transparent"
            border.width: 1
            Accessible.role: Accessible.RadioButton
            Accessible.name: label.text
            Accessible.checked: segment.chosen

            Text {
                textFormat: Text.PlainText
                id: label

                anchors.centerIn: parent
                text: segment.modelData ? root.trueLabel : root.falseLabel
                font.pixelSize: 12
                font.weight: segment.chosen ? Font.DemiBold : Font.Normal
                color: segment.chosen ? Zorv.ink : Zorv.ink2
            }
            MouseArea {
                anchors.fill: parent
                onClicked: root.toggled(segment.modelData)
            }
        }
    }
}
