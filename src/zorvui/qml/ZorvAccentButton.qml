import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Zorv.UI

// The filled honey button. `fill` stretches it to the width available.
T.Button {
    id: root

    property bool fill: false

    Layout.fillWidth: root.fill
    width: root.fill && parent ? parent.width : implicitWidth
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    leftPadding: 14
    rightPadding: 14
    topPadding: 7
    bottomPadding: 7
    font.pixelSize: 12
    font.weight: Font.DemiBold
    opacity: root.enabled ? 1 : 0.45
    Accessible.name: root.text

    contentItem: Text {
        text: root.text
        font: root.font
        color: Zorv.accentLabel
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: 8
        color: Zorv.honey
        opacity: root.down ? 0.78 : 1
    }
}
