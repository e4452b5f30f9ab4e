import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Zorv.UI

// The outlined button; `destructive` draws it in the system red, `fill` stretches it to the width
// available. Disabled, its label turns ink2 and its border line.
T.Button {
    id: root

    property bool destructive: false
    property bool fill: false

    Layout.fillWidth: root.fill
    width: root.fill && parent ? parent.width : implicitWidth
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    leftPadding: 12
    rightPadding: 12
    topPadding: 6
    bottomPadding: 6
    font.pixelSize: 12
    font.weight: Font.Medium
    Accessible.name: root.text

    contentItem: Text {
        textFormat: Text.PlainText
        text: root.text
        font: root.font
        color: !root.enabled ? Zorv.ink2 : (root.destructive ? Zorv.red : Zorv.ink)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: 8
        color: root.down ? Zorv.paper2 : Zorv.card
        border.width: 1
        border.color: !root.enabled ? Zorv.line
                                    : root.destructive ? Qt.rgba(Zorv.red.r, Zorv.red.g, Zorv.red.b, 0.5)
                                                       : Zorv.line2
    }
}
