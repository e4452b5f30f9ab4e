import QtQuick
import Zorv.UI
import Zorv.Settings

// The tour's first page: what Zorv is, and what it never does.
Item {
    id: root

    Column {
        width: root.width
        anchors.verticalCenter: parent.verticalCenter
        spacing: 14

        ZorvAppIcon {
            objectName: "welcomeAppIcon"
            anchors.horizontalCenter: parent.horizontalCenter
            size: 96
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "A menu bar that keeps only what you want."
            textFormat: Text.PlainText
            font.pixelSize: 20
            font.bold: true
            color: Zorv.ink
            wrapMode: Text.Wrap
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "Zorv tucks menu bar icons away and brings them back with a click, a shortcut, or a rule."
            textFormat: Text.PlainText
            font.pixelSize: 13
            color: Zorv.ink2
            wrapMode: Text.Wrap
        }
        Column {
            anchors.horizontalCenter: parent.horizontalCenter
            topPadding: 6
            spacing: 6

            Repeater {
                model: [
                    { symbol: "network.slash", text: "No telemetry, no analytics, no tracking" },
                    { symbol: "internaldrive", text: "Your settings live on this Mac, in files you can read" },
                    { symbol: "eye.slash", text: "Never asks to see your screen unless you opt in" }
                ]

                delegate: Row {
                    required property var modelData

                    spacing: 8

                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        name: modelData.symbol
                        size: 14
                        color: Zorv.ink
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: modelData.text
                        textFormat: Text.PlainText
                        font.pixelSize: 12
                        color: Zorv.ink
                    }
                }
            }
        }
    }
}
