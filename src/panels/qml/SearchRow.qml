import QtQuick
import Zorv.UI

// One search result: the item's picture, its name with the user's alias under it, the Return
// hint on the highlighted row and Command and the row's number on the first nine rows.
Rectangle {
    id: row

    required property int index
    required property string name
    required property string alias
    required property int number
    required property bool selected
    required property url picture
    required property color plate
    required property bool hasPlate

    signal clicked()

    objectName: "row-" + row.index
    implicitHeight: Math.max(names.implicitHeight, 24) + 16
    radius: 8
    color: row.selected ? Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.2) : "transparent"

    Item {
        id: icon

        x: 12
        width: 24
        height: 20
        anchors.verticalCenter: parent.verticalCenter

        ItemPlate {
            id: plateView

            anchors.centerIn: parent
            visible: row.hasPlate
            pictureSize: 16
            color: row.plate
            source: row.hasPlate ? row.picture : ""
        }

        Image {
            anchors.fill: parent
            visible: !row.hasPlate && row.picture.toString().length > 0
            sourceSize: Qt.size(40, 40)
            source: row.hasPlate ? "" : row.picture
            cache: false
        }

        SymbolImage {
            anchors.centerIn: parent
            visible: row.picture.toString().length === 0
            name: "app.dashed"
            color: Zorv.ink2
            size: 18
        }
    }

    Column {
        id: names

        anchors.left: icon.right
        anchors.leftMargin: 10
        anchors.right: trailing.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 1

        Text {
            width: parent.width
            text: row.name
            textFormat: Text.PlainText
            elide: Text.ElideRight
            font.pixelSize: 13
            color: Zorv.ink
        }

        Text {
            width: parent.width
            visible: row.alias.length > 0
            text: row.alias
            textFormat: Text.PlainText
            elide: Text.ElideRight
            font.pixelSize: 10
            color: Zorv.ink2
        }
    }

    Row {
        id: trailing

        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10

        Text {
            objectName: "returnHint"
            visible: row.selected
            anchors.verticalCenter: parent.verticalCenter
            text: "↩"
            textFormat: Text.PlainText
            font.pixelSize: 12
            color: Zorv.ink2
            Accessible.name: "Return opens this item"
        }

        KeyCaps {
            visible: row.number > 0
            anchors.verticalCenter: parent.verticalCenter
            keys: ["⌘", String(row.number)]
            size: 11
            weight: KeyCapsPainter.Prose
            color: Zorv.ink2
        }
    }

    TapHandler {
        onTapped: row.clicked()
    }
}
