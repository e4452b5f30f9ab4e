import QtQuick
import Zorv.UI

// A callout: a symbol, a title and free content on a honey-tinted rounded surface.
Rectangle {
    id: root

    property string symbol
    property string title
    default property alias content: body.data

    width: parent ? parent.width : implicitWidth
    implicitWidth: 400
    implicitHeight: Math.max(icon.height, texts.implicitHeight) + 32
    radius: Zorv.radius
    color: Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.13)
    border.color: Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.45)
    border.width: 1

    SymbolImage {
        id: icon

        x: 16
        y: 16
        name: root.symbol
        size: 20
        color: Zorv.honeyInk
    }

    Column {
        id: texts

        x: icon.x + icon.width + 12
        y: 16
        width: root.width - x - 16
        spacing: 6

        Text {
            textFormat: Text.PlainText
            width: parent.width
            text: root.title
            font.pixelSize: 13
            font.weight: Font.DemiBold
            color: Zorv.ink
            wrapMode: Text.Wrap
        }
        Column {
            id: body

            width: parent.width
        }
    }
}
