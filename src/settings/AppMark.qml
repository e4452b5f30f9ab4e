import QtQuick
import Zorv.UI

// The app's mark: a honey tile with the letter Z, `size` points square.
Rectangle {
    id: root

    property real size: 26

    width: root.size
    height: root.size
    radius: root.size * 0.27
    color: Zorv.honey

    Text {
        textFormat: Text.PlainText
        anchors.centerIn: parent
        text: "Z"
        font.pixelSize: Math.round(root.size * 0.62)
        font.bold: true
        color: Zorv.accentLabel
    }
}
