import QtQuick
import Zorv.UI
import Zorv.Settings

// The strip under every pane: what the pane is for, and the button that opens its guide.
Rectangle {
    id: root

    property string subtitle

    signal guideRequested()

    implicitHeight: line.height + Math.max(text.implicitHeight, button.implicitHeight) + 18
    height: implicitHeight
    color: Zorv.paper2

    Rectangle {
        id: line

        width: parent.width
        height: 1
        color: Zorv.line
    }
    Text {
        id: text

        x: 26
        y: line.height + 9
        width: parent.width - 52 - button.width - 12
        text: root.subtitle
        textFormat: Text.PlainText
        font.pixelSize: 11
        color: Zorv.ink2
        wrapMode: Text.Wrap
    }
    Row {
        id: button

        objectName: "guideButton"
        x: parent.width - 26 - width
        anchors.verticalCenter: text.verticalCenter
        spacing: 4
        Accessible.role: Accessible.Button
        Accessible.name: "How this page works"

        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: "questionmark.circle"
            size: 11
            color: Zorv.honeyInk
        }
        Text {
            textFormat: Text.PlainText
            anchors.verticalCenter: parent.verticalCenter
            text: "How this page works"
            font: Zorv.mono(10, Font.DemiBold)
            color: Zorv.honeyInk
            Component.onCompleted: font.underline = true
        }
    }
    MouseArea {
        anchors.fill: button
        onClicked: root.guideRequested()
    }
}
