import QtQuick
import QtQuick.Layouts

// The heading of every report screen: the kicker, the screen's title and a rule under it.
ColumnLayout {
    id: root

    required property string title

    spacing: 4

    Text {
        text: qsTr("Report a Problem").toUpperCase()
        font.pixelSize: 10
        font.weight: Font.DemiBold
        font.letterSpacing: 1.1
        color: ReportLook.ink2
    }
    Text {
        text: root.title
        font.pixelSize: 24
        font.bold: true
        color: ReportLook.ink
    }
    Rectangle {
        Layout.fillWidth: true
        Layout.topMargin: 8
        implicitHeight: 2
        color: ReportLook.ink
        opacity: 0.8
    }
}
