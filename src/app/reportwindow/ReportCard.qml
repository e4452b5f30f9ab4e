import QtQuick
import QtQuick.Layouts

// A kicker heading over a rounded card surface that holds the content.
ColumnLayout {
    id: root

    property string kicker
    default property alias content: surface.data

    spacing: 6
    Layout.fillHeight: false

    Text {
        Layout.leftMargin: 2
        text: root.kicker.toUpperCase()
        font.pixelSize: 10
        font.weight: Font.DemiBold
        font.letterSpacing: 1.1
        color: ReportLook.ink2
    }
    Rectangle {
        id: surface
        Layout.fillWidth: true
        Layout.fillHeight: true
        radius: 10
        color: ReportLook.paper2
        border.width: 1
        border.color: ReportLook.line
    }
}
