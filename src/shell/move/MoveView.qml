import QtQuick
import QtQuick.Window
import Zorv.UI
import Zorv.Shell

// The offer to move into Applications: a titled window without close, minimise or zoom buttons.
Window {
    id: root

    required property MoveOffer offer
    required property string iconSource
    // The size the content asks for; the window server's side sizes the window to it.
    readonly property size contentSize: Qt.size(440, column.implicitHeight + 52)

    flags: Qt.Dialog | Qt.WindowTitleHint | Qt.CustomizeWindowHint | Qt.WindowStaysOnTopHint
    color: Zorv.paper
    width: contentSize.width
    height: contentSize.height

    Column {
        id: column

        x: 26
        y: 26
        width: root.width - 52
        spacing: 14

        Image {
            objectName: "moveIcon"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 76
            height: 76
            sourceSize: Qt.size(152, 152)
            source: root.iconSource
            smooth: true
            mipmap: true
        }

        Text {
            objectName: "moveTitle"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            text: root.offer.title
            font.pixelSize: 15
            font.weight: Font.DemiBold
            color: Zorv.ink
        }

        Text {
            objectName: "moveMessage"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            text: root.offer.message
            font.pixelSize: 12
            color: Zorv.ink2
        }

        Text {
            objectName: "moveError"
            width: parent.width
            visible: root.offer.error.length > 0
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            text: root.offer.error
            font.pixelSize: 12
            color: Zorv.red
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            topPadding: 4
            spacing: 10

            ZorvOutlineButton {
                objectName: "moveLater"
                text: "Not Now"
                onClicked: root.offer.later()
            }
            ZorvAccentButton {
                objectName: "moveNow"
                text: root.offer.moveLabel
                enabled: !root.offer.moving
                onClicked: root.offer.move()
            }
        }
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: !root.offer.moving
        onActivated: root.offer.move()
    }
}
