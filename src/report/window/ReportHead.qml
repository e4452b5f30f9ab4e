import QtQuick
import QtQuick.Layouts
import Zorv.UI

// The heading of every report screen: the kicker, the screen's title and a rule under it.
ColumnLayout {
    id: root

    required property string title

    spacing: 4

    ZorvKicker {
        text: qsTr("Report a Problem")
    }
    Text {
        text: root.title
        font.pixelSize: 24
        font.bold: true
        color: Zorv.ink
    }
    Rectangle {
        Layout.fillWidth: true
        Layout.topMargin: 8
        implicitHeight: 2
        color: Zorv.ink
        opacity: 0.8
    }
}
