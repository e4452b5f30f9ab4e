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

    required property string emptyText
    required property int emptyTextPixels

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
        width: root.width
        height: root.height
        radius: 12
        color: root.barColor !== undefined ? root.barColor : Zorv.paper2
        border.color: Qt.rgba(1, 1, 1, 0.12)
        border.width: 1

        Text {
            objectName: "nothingHidden"
            visible: root.rows.count === 0
            leftPadding: 6
            rightPadding: 6
            anchors.centerIn: parent
            verticalAlignment: Text.AlignVCenter
            text: root.emptyText
            textFormat: Text.PlainText
            font.pixelSize: root.emptyTextPixels
            color: Zorv.ink2
        }

        Row {
            id: content

            anchors.centerIn: parent
            spacing: 6

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
                    width: plateView.visible ? 24 : 22
                    height: 22

                    ItemPlate {
                        id: plateView

                        anchors.centerIn: parent
                        visible: cell.hasPlate && root.barColor === undefined
                        pictureSize: 16
                        color: cell.plate
                        source: cell.picture
                    }

                    SymbolImage {
                        anchors.centerIn: parent
                        visible: cell.picture.toString().length === 0
                        name: "app.dashed"
                        color: Zorv.ink2
                        size: 18
                    }

                    Image {
                        anchors.centerIn: parent
                        visible: !plateView.visible && cell.picture.toString().length > 0
                        width: cell.hasPlate ? 22 : 18
                        height: width
                        sourceSize: Qt.size(width * 2, height * 2)
                        source: cell.picture
                        cache: false
                    }

                    HoverHandler { id: hover }
                    TapHandler { onTapped: root.controller.onTap(cell.index) }
                    ToolTip.visible: hover.hovered
                    ToolTip.delay: 600
                    ToolTip.text: cell.name
                }
            }
        }
    }
}
