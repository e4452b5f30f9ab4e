import QtQuick
import Zorv.UI
import Zorv.Settings

// The tour's second page: the one permission Zorv needs, and the way to System Settings while it
// is missing. It turns to the granted state by itself.
Item {
    id: root

    property bool trusted: false

    signal openSettings()

    Column {
        width: root.width
        anchors.verticalCenter: parent.verticalCenter
        spacing: 14

        SymbolImage {
            objectName: "trustSymbol"
            anchors.horizontalCenter: parent.horizontalCenter
            name: root.trusted ? "checkmark.seal.fill" : "hand.raised.circle"
            size: 56
            color: root.trusted ? Zorv.honeyInk : Zorv.ink2
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "One permission: Accessibility"
            textFormat: Text.PlainText
            font.pixelSize: 20
            font.bold: true
            color: Zorv.ink
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "Zorv needs it to see where menu bar icons sit and to move them. It uses it for nothing else."
            textFormat: Text.PlainText
            font.pixelSize: 13
            color: Zorv.ink2
            wrapMode: Text.Wrap
        }
        Text {
            objectName: "trustedNote"
            visible: root.trusted
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Accessibility is on."
            textFormat: Text.PlainText
            font.pixelSize: 13
            font.weight: Font.Medium
            color: Zorv.honeyInk
        }
        ZorvAccentButton {
            objectName: "openAccessibility"
            visible: !root.trusted
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Open Accessibility Settings"
            onClicked: root.openSettings()
        }
        Text {
            visible: !root.trusted
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "Turn on Zorv in the list. This page updates by itself."
            textFormat: Text.PlainText
            font.pixelSize: 11
            color: Zorv.ink2
            wrapMode: Text.Wrap
        }
    }
}
