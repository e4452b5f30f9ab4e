import QtQuick
import Zorv.UI
import Zorv.Settings

// A footnote under the lanes: a small symbol before wrapped secondary text.
Row {
    id: root

    property string symbol
    property string text

    width: parent ? parent.width : implicitWidth
    leftPadding: 2
    rightPadding: 2
    spacing: 6

    SymbolImage {
        y: 1
        name: root.symbol
        size: 11
        color: Zorv.ink2
    }
    Text {
        width: root.width - root.leftPadding - root.rightPadding - 17
        text: root.text
        textFormat: Text.PlainText
        font.pixelSize: 11
        color: Zorv.ink2
        wrapMode: Text.Wrap
    }
}
