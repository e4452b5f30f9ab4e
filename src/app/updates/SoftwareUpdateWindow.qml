import QtQuick
import QtQuick.Window
import Zorv.Desktop
import Zorv.UI

// The update framework's window offering an update: the application's icon beside the headline,
// both versions and the release notes, with Skip This Version at the leading end and Remind Me
// Later and Install Update (the default) at the trailing end.
Window {
    id: root

    required property UpdaterWindowContent content
    required property string iconSource
    readonly property bool hasNotes: root.content.releaseNotes.length > 0
                                     || root.content.notesTitle.length > 0
    // The size the content asks for; the window server's side sizes the window to it.
    readonly property size contentSize: Qt.size(560, column.implicitHeight + 40)

    flags: Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    color: Zorv.paper
    width: contentSize.width
    height: contentSize.height

    Image {
        objectName: "updateIcon"
        x: 20
        y: 20
        width: 64
        height: 64
        sourceSize: Qt.size(128, 128)
        source: root.iconSource
        smooth: true
        mipmap: true
    }

    Column {
        id: column

        x: 104
        y: 20
        width: root.width - x - 20
        spacing: 10

        Text {
            objectName: "updateHeadline"
            width: parent.width
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            text: root.content.headline
            font.pixelSize: 14
            font.weight: Font.DemiBold
            color: Zorv.ink
        }

        Text {
            objectName: "updateMessage"
            width: parent.width
            textFormat: Text.PlainText
            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
            maximumLineCount: 4
            elide: Text.ElideRight
            text: root.content.message
            font.pixelSize: 12
            color: Zorv.ink2
        }

        Text {
            visible: root.hasNotes
            textFormat: Text.PlainText
            text: "Release Notes:"
            font.pixelSize: 11
            font.weight: Font.DemiBold
            color: Zorv.ink
        }

        Rectangle {
            visible: root.hasNotes
            width: parent.width
            height: 180
            color: Zorv.card
            border.color: Zorv.line
            radius: 4

            ZorvScroller {
                objectName: "updateNotes"
                anchors.fill: parent
                anchors.margins: 8
                contentHeight: notes.implicitHeight

                Column {
                    id: notes

                    width: parent.width
                    spacing: 6

                    Text {
                        objectName: "updateNotesTitle"
                        visible: root.content.notesTitle.length > 0
                        width: parent.width
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        text: root.content.notesTitle
                        font.pixelSize: 12
                        font.weight: Font.DemiBold
                        color: Zorv.ink
                    }

                    Text {
                        objectName: "updateNotesText"
                        width: parent.width
                        textFormat: Text.PlainText
                        wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                        text: root.content.releaseNotes
                        font.pixelSize: 11
                        color: Zorv.ink2
                    }
                }
            }
        }

        Item {
            width: parent.width
            height: install.implicitHeight
            implicitHeight: height

            ZorvOutlineButton {
                objectName: "updateSkip"
                anchors.left: parent.left
                text: "Skip This Version"
                onClicked: root.content.skipVersion()
            }

            Row {
                anchors.right: parent.right
                spacing: 10

                ZorvOutlineButton {
                    objectName: "updateRemindLater"
                    text: "Remind Me Later"
                    onClicked: root.content.remindLater()
                }
                ZorvAccentButton {
                    id: install

                    objectName: "updateInstall"
                    text: "Install Update"
                    onClicked: root.content.installUpdate()
                }
            }
        }
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: root.content.pressDefault()
    }
}
