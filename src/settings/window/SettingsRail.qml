import QtQuick
import Zorv.UI
import Zorv.Settings

// The dark rail of the settings window: the app's name and version, then one row per pane, the
// selected one filled with honey.
Rectangle {
    id: root

    required property SettingsWindowModel model
    // How far down the rows start: the rail's colour fills the window's title bar above them.
    property int topInset: 0

    color: Zorv.espresso

    Column {
        y: root.topInset
        width: parent.width

        Row {
            leftPadding: 18
            rightPadding: 18
            topPadding: 18
            bottomPadding: 8
            spacing: 9

            ZorvAppIcon {
                objectName: "railAppIcon"
                size: 26
                anchors.verticalCenter: parent.verticalCenter
            }
            Column {
                anchors.verticalCenter: parent.verticalCenter

                Text {
                    textFormat: Text.PlainText
                    text: "Zorv"
                    font.pixelSize: 16
                    font.bold: true
                    color: Zorv.onEspresso
                }
                Text {
                    text: root.model.version
                    textFormat: Text.PlainText
                    font: Zorv.mono(9, Font.DemiBold)
                    color: Zorv.onEspresso2
                }
            }
        }

        Column {
            x: 10
            width: parent.width - 20
            spacing: 2

            Repeater {
                model: root.model.rail

                delegate: Rectangle {
                    id: railRow

                    required property var modelData
                    readonly property bool selected: root.model.pane === railRow.modelData.key

                    objectName: "rail-" + railRow.modelData.key
                    width: parent.width
                    height: label.implicitHeight + 14
                    radius: 8
                    color: railRow.selected ? Zorv.honey : "transparent"
                    Accessible.role: Accessible.Button
                    Accessible.name: railRow.modelData.title
                    Accessible.selected: railRow.selected

                    Row {
                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 9

                        SymbolImage {
                            anchors.verticalCenter: parent.verticalCenter
                            width: 16
                            size: 13
                            name: railRow.modelData.symbol
                            color: railRow.selected ? Zorv.accentLabel : Zorv.onEspresso
                        }
                        Text {
                            textFormat: Text.PlainText
                            id: label

                            anchors.verticalCenter: parent.verticalCenter
                            text: railRow.modelData.title
                            font.pixelSize: 13
                            font.weight: railRow.selected ? Font.DemiBold : Font.Normal
                            color: railRow.selected ? Zorv.accentLabel : Zorv.onEspresso
                            elide: Text.ElideRight
                        }
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: root.model.select(railRow.modelData.key)
                    }
                }
            }
        }
    }
}
