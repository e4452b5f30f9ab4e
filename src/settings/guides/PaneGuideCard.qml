import QtQuick
import Zorv.UI
import Zorv.Settings

// The pane guide card ("How This Page Works" beside the app's icon): the pane's symbol and title,
// its numbered steps with "{token}"s as key caps, and Done.
Rectangle {
    id: root

    property string title
    property string symbol
    // [{number, symbol, title, text}]
    property var steps: []

    signal done()

    width: 470
    height: column.implicitHeight + 52
    radius: 12
    color: Zorv.paper
    border.color: Zorv.line
    border.width: 1

    Column {
        id: column

        x: 26
        y: 26
        width: parent.width - 52

        Row {
            spacing: 8

            ZorvAppIcon {
                objectName: "guideAppIcon"
                anchors.verticalCenter: parent.verticalCenter
                size: 24
            }
            ZorvKicker {
                anchors.verticalCenter: parent.verticalCenter
                text: "How This Page Works"
            }
        }
        Row {
            topPadding: 5
            bottomPadding: 16
            spacing: 10

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: root.symbol
                size: 19
                color: Zorv.honeyInk
            }
            Text {
                textFormat: Text.PlainText
                anchors.verticalCenter: parent.verticalCenter
                text: root.title
                font.pixelSize: 20
                font.bold: true
                color: Zorv.ink
            }
        }
        Column {
            width: parent.width
            spacing: 14

            Repeater {
                model: root.steps

                delegate: Row {
                    id: step

                    required property var modelData

                    width: parent.width
                    spacing: 12

                    Item {
                        width: 22
                        height: 18

                        SymbolImage {
                            anchors.centerIn: parent
                            name: step.modelData.symbol
                            size: 15
                            color: Zorv.honeyInk
                        }
                    }
                    Column {
                        width: parent.width - 34
                        spacing: 3

                        Text {
                            width: parent.width
                            text: step.modelData.number + ". " + step.modelData.title
                            textFormat: Text.PlainText
                            font.pixelSize: 13
                            font.weight: Font.DemiBold
                            color: Zorv.ink
                            wrapMode: Text.Wrap
                        }
                        KeysText {
                            width: parent.width
                            keysText: step.modelData.text
                            font.pixelSize: 12
                            color: Zorv.ink2
                        }
                    }
                }
            }
        }
        Item {
            width: parent.width
            height: 20 + doneButton.implicitHeight

            ZorvAccentButton {
                id: doneButton

                objectName: "guideDone"
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                text: "Done"
                onClicked: root.done()
            }
        }
    }
}
