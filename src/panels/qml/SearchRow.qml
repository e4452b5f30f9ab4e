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
    required property string pictureKind
    required property url picture
    required property size pictureSize
    required property string symbol
    required property color plate

    signal clicked()

    objectName: "row-" + row.index
    implicitHeight: Math.max(names.implicitHeight, icon.implicitHeight, 24) + 16
    radius: 8
    color: row.selected ? Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.2) : "transparent"

    RowPictureView {
        id: icon

        objectName: "picture"
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        width: implicitWidth
        height: implicitHeight
        pictureKind: row.pictureKind
        picture: row.picture
        pictureSize: row.pictureSize
        symbol: row.symbol
        plate: row.plate
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
