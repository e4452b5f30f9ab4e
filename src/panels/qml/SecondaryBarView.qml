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
    // What stands out on the bar's colour: symbols and the text are drawn in it there.
    property color barInk: "white"

    required property string emptyText
    required property int emptyTextPixels

    color: "transparent"
    title: "Secondary Bar"

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
            color: root.barColor !== undefined ? root.barInk : Zorv.ink2
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
                    required property string pictureKind
                    required property url picture
                    required property size pictureSize
                    required property string symbol
                    required property color plate

                    objectName: "item-" + cell.index
                    width: pictureView.implicitWidth
                    height: 22

                    RowPictureView {
                        id: pictureView

                        anchors.centerIn: parent
                        width: implicitWidth
                        height: implicitHeight
                        pictureKind: cell.pictureKind
                        picture: cell.picture
                        pictureSize: cell.pictureSize
                        symbol: cell.symbol
                        plate: cell.plate
                        plated: root.barColor === undefined
                        captureHeight: pictureView.plated ? 18 : 22
                        side: 18
                        symbolSize: 15
                        ink: root.barColor === undefined ? Zorv.ink : root.barInk
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
