import QtQuick
import Zorv.UI

// A web address in the link colour; a click opens it.
Text {
    id: root

    signal activated()

    textFormat: Text.PlainText
    font.pixelSize: 11
    font.underline: area.containsMouse
    color: Zorv.dark ? "#4aa3ff" : "#0068da"

    MouseArea {
        id: area

        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: root.activated()
    }
}
