import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Zorv.UI

// The filled honey button. `fill` stretches it to the width available. Disabled, it is a honey
// wash with a line2 edge and a honeyInk label, each clear of its ground.
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
    Accessible.name: root.text

    contentItem: Text {
        textFormat: Text.PlainText
        text: root.text
        font: root.font
        color: root.enabled ? Zorv.accentLabel : Zorv.honeyInk
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: 8
        color: root.enabled ? Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, root.down ? 0.78 : 1)
                            : Qt.rgba(Zorv.honey.r, Zorv.honey.g, Zorv.honey.b, 0.25)
        border.width: root.enabled ? 0 : 1
        border.color: Zorv.line2
    }
}
