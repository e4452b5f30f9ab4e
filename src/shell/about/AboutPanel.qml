import QtQuick
import QtQuick.Window
import Zorv.UI
import Zorv.Shell

// The standard about panel: icon, name, version with the build, and the credits with two links.
Window {
    id: root

    required property AboutContent content
    required property string iconSource

    title: ""
    flags: Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    color: Zorv.paper
    width: 284
    height: column.implicitHeight + 44
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height

    Column {
        id: column

        x: 20
        y: 20
        width: root.width - 40
        spacing: 8

        Image {
            objectName: "aboutIcon"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 64
            height: 64
            sourceSize: Qt.size(128, 128)
            source: root.iconSource
            smooth: true
            mipmap: true
        }

        Text {
            objectName: "aboutName"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            text: root.content.name
            font.pixelSize: 14
            font.weight: Font.Bold
            color: Zorv.ink
        }

        Text {
            objectName: "aboutVersion"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            text: root.content.versionText
            font.pixelSize: 11
            color: Zorv.ink2
            elide: Text.ElideMiddle
        }

        Item {
            width: 1
            height: 4
        }

        Text {
            objectName: "aboutCredits"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            text: root.content.credits
            font.pixelSize: 11
            color: Zorv.ink2
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter

            AboutLink {
                objectName: "aboutProductLink"
                text: root.content.productSite
                onActivated: root.content.openLink("product")
            }
            Text {
                textFormat: Text.PlainText
                text: root.content.separator
                font.pixelSize: 11
                color: Zorv.ink2
            }
            AboutLink {
                objectName: "aboutMakerLink"
                text: root.content.makerSite
                onActivated: root.content.openLink("maker")
            }
        }
    }
}
