import QtQuick
import Zorv.UI
import Zorv.Settings

// A segmented control over a list of options ({value, label}): one segment each, the chosen one
// raised. `activated` reports the segment chosen; the owner stores it and passes it back as
// `selection`.
Rectangle {
    id: root

    property string title
    property var options: []
    property var selection

    signal activated(var value)

    implicitWidth: Zorv.controlWidth
    implicitHeight: 26
    radius: 7
    color: Zorv.paper2
    border.color: Zorv.line
    border.width: 1
    Accessible.name: root.title

    Repeater {
        model: root.options

        delegate: Rectangle {
            id: segment

            required property var modelData
            required property int index
            readonly property bool chosen: segment.modelData.value === root.selection

            objectName: "segment" + segment.index
            x: 2 + segment.index * (root.width - 4) / root.options.length
            y: 2
            width: (root.width - 4) / root.options.length
            height: root.height - 4
            radius: 5
            color: segment.chosen ? Zorv.card : "transparent"
            border.color: segment.chosen ? Zorv.line2 : "transparent"
            border.width: 1
            Accessible.role: Accessible.RadioButton
            Accessible.name: segment.modelData.label
            Accessible.checked: segment.chosen

            Text {
                anchors.centerIn: parent
                width: parent.width - 4
                horizontalAlignment: Text.AlignHCenter
                text: segment.modelData.label
                textFormat: Text.PlainText
                font.pixelSize: 11
                font.weight: segment.chosen ? Font.DemiBold : Font.Normal
                color: segment.chosen ? Zorv.ink : Zorv.ink2
                elide: Text.ElideRight
            }
            MouseArea {
                anchors.fill: parent
                onClicked: root.activated(segment.modelData.value)
            }
        }
    }
}
