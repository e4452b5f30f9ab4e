import QtQuick
import Zorv.UI
import Zorv.Settings

// The tour's last page: how to reveal, open the menu, sort and find items, with the hot keys in
// force drawn as key caps.
Item {
    id: root

    // {symbol, text}
    property var lines: []

    Column {
        width: root.width
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12

        Text {
            width: parent.width
            bottomPadding: 6
            horizontalAlignment: Text.AlignHCenter
            text: "You're set. Here's how Zorv works:"
            textFormat: Text.PlainText
            font.pixelSize: 20
            font.bold: true
            color: Zorv.ink
        }
        Repeater {
            model: root.lines

            delegate: Row {
                id: line

                required property var modelData

                width: parent.width
                spacing: 10

                SymbolImage {
                    name: line.modelData.symbol
                    size: 15
                    color: Zorv.ink
                }
                KeysText {
                    width: line.width - 25
                    keysText: line.modelData.text
                    font.pixelSize: 12
                    color: Zorv.ink
                }
            }
        }
    }
}
