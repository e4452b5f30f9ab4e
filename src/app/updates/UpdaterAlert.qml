import QtQuick
import QtQuick.Window
import Zorv.Desktop
import Zorv.UI

// The update framework's alert that ends a check the user asked for without an update: the
// application's icon, the headline ("You're up to date!" or "Update Error!"), a sentence, and OK.
Window {
    id: root

    required property UpdaterWindowContent content
    required property string iconSource
    // The size the content asks for; the window server's side sizes the window to it.
    readonly property size contentSize: Qt.size(300, column.implicitHeight + 44)

    flags: Qt.Dialog | Qt.FramelessWindowHint
    color: Zorv.paper
    width: contentSize.width
    height: contentSize.height

    Column {
        id: column

        x: 22
        y: 22
        width: root.width - 44
        spacing: 12

        Image {
            objectName: "alertIcon"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 64
            height: 64
            sourceSize: Qt.size(128, 128)
            source: root.iconSource
            smooth: true
            mipmap: true
        }

        Text {
            objectName: "alertHeadline"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            text: root.content.headline
            font.pixelSize: 14
            font.weight: Font.DemiBold
            color: Zorv.ink
        }

        Text {
            objectName: "alertMessage"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
            maximumLineCount: 6
            elide: Text.ElideRight
            text: root.content.message
            font.pixelSize: 12
            color: Zorv.ink2
        }

        ZorvAccentButton {
            objectName: "alertOk"
            fill: true
            text: "OK"
            onClicked: root.content.acknowledge()
        }
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: root.content.pressDefault()
    }
}
