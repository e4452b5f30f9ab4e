import QtQuick
import QtQuick.Controls.Basic

// The report screens' two button looks: the filled accent button for the main action, the
// outlined one for the others.
Button {
    id: root

    property bool accent: false
    // Shows a small spinner before the label.
    property bool busy: false

    leftPadding: 14
    rightPadding: 14
    topPadding: 7
    bottomPadding: 7
    opacity: enabled ? 1.0 : 0.45
    font.pixelSize: 12
    font.weight: root.accent ? Font.DemiBold : Font.Medium

    contentItem: Row {
        spacing: 6
        BusyIndicator {
            visible: root.busy
            running: visible
            implicitWidth: 16
            implicitHeight: 16
            padding: 0
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            text: root.text
            font: root.font
            color: root.accent ? ReportLook.accentLabel : ReportLook.ink
            anchors.verticalCenter: parent.verticalCenter
        }
    }
    background: Rectangle {
        radius: 8
        color: root.accent ? ReportLook.honey : "transparent"
        opacity: root.down ? 0.78 : 1.0
        border.width: root.accent ? 0 : 1
        border.color: ReportLook.ink2
    }
}
