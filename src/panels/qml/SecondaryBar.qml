import QtQuick
import QtQuick.Controls.Basic
import Zorv.UI

// The strip under the menu bar with the hidden items' pictures, each a button that closes the
// strip and clicks its item. The strip's size follows its content (fittingWidth, fittingHeight).
Window {
    id: root

    required property QtObject controller
    required property QtObject rows
    // The bar's colour, or undefined for the panel's own material.
    property var barColor

    readonly property real fittingWidth: strip.implicitWidth
    readonly property real fittingHeight: strip.implicitHeight

    color: "transparent"
    title: "Secondary Bar"

    Binding {
        target: root.rows
        property: "ink"
        value: Zorv.ink
    }

    Rectangle {
        id: strip

        objectName: "strip"
        implicitWidth: content.implicitWidth + 16
        implicitHeight: content.implicitHeight + 16
        width: root.width
        height: root.height
        radius: 12
        color: root.barColor !== undefined ? root.barColor : Zorv.paper2
        border.color: Qt.rgba(1, 1, 1, 0.12)
        border.width: 1

        Row {
            id: content

            anchors.centerIn: parent
            spacing: 6

            Text {
                objectName: "nothingHidden"
                visible: root.rows.count === 0
                leftPadding: 6
                rightPadding: 6
                height: 22
                verticalAlignment: Text.AlignVCenter
                text: "Nothing hidden"
                textFormat: Text.PlainText
                font.pixelSize: 12
                color: Zorv.ink2
            }

            Repeater {
                model: root.rows

                delegate: Item {
                    id: cell

                    required property int index
                    required property string name
                    required property url picture
                    required property color plate
                    required property bool hasPlate

                    objectName: "item-" + cell.index
                    width: Math.max(plateView.visible ? plateView.implicitWidth : 0, 22)
                    height: 22

                    ItemPlate {
                        id: plateView

                        anchors.centerIn: parent
                        visible: cell.hasPlate && root.barColor === undefined
                        pictureSize: 16
                        color: cell.plate
                        source: cell.picture
                    }

                    Image {
                        anchors.centerIn: parent
                        visible: !plateView.visible
                        width: cell.hasPlate ? 22 : 18
                        height: width
                        sourceSize: Qt.size(width * 2, height * 2)
                        source: cell.picture
                        cache: false
                    }

                    HoverHandler { id: hover }
                    TapHandler { onTapped: root.controller.tap(cell.index) }
                    ToolTip.visible: hover.hovered
                    ToolTip.delay: 600
                    ToolTip.text: cell.name
                }
            }
        }
    }
}
