import QtQuick
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Settings

// One saved profile in the Profiles pane: whether it is active, its name (or the rename field),
// what its layout holds, Switch or the ACTIVE badge, its hot key and the menu of further actions.
Column {
    id: root

    required property ProfilesPaneModel pane
    required property int index
    required property string id
    required property string name
    required property bool active
    required property var shortcut
    required property string summary
    required property string lookAction
    required property bool remembersLook
    readonly property bool renaming: root.pane.renaming === root.id

    objectName: "profile-" + root.index
    width: parent ? parent.width : 0

    ZorvRule {
        visible: root.index > 0
    }

    Item {
        width: parent.width
        height: Math.max(texts.implicitHeight, trailing.height) + 22

        SymbolImage {
            x: 16
            anchors.verticalCenter: parent.verticalCenter
            name: root.active ? "checkmark.circle.fill" : "circle"
            size: 15
            color: root.active ? Zorv.honeyInk : Zorv.ink2
            opacity: root.active ? 1 : 0.6
        }

        Column {
            id: texts

            x: 16 + 15 + 12
            width: trailing.x - x - 8
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2

            ZorvTextField {
                id: renameField

                objectName: "renameField"
                visible: root.renaming
                width: 200
                title: "Name"
                prompt: "Name"
                text: root.pane.renameText
                onTextChanged: {
                    if (root.renaming)
                        root.pane.renameText = text;
                }
                Keys.onReturnPressed: root.pane.commitRename()
                Keys.onEnterPressed: root.pane.commitRename()
                Keys.onEscapePressed: root.pane.cancelRename()
                onVisibleChanged: {
                    if (visible)
                        renameField.forceActiveFocus();
                }
            }
            Text {
                visible: !root.renaming
                width: parent.width
                text: root.name
                textFormat: Text.PlainText
                font.pixelSize: 13
                font.weight: Font.Medium
                color: Zorv.ink
                elide: Text.ElideRight
            }
            Text {
                width: parent.width
                text: root.summary
                textFormat: Text.PlainText
                font: Zorv.mono(10, Font.Normal)
                color: Zorv.ink2
                elide: Text.ElideRight
            }
        }

        Row {
            id: trailing

            x: parent.width - 16 - width
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12

            Text {
                visible: root.active
                width: Math.max(62, implicitWidth)
                anchors.verticalCenter: parent.verticalCenter
                horizontalAlignment: Text.AlignHCenter
                text: "ACTIVE"
                textFormat: Text.PlainText
                font.family: Zorv.monoFamily
                font.pixelSize: 10
                font.weight: Font.DemiBold
                font.letterSpacing: 0.8
                color: Zorv.honeyInk
            }
            ZorvOutlineButton {
                objectName: "switch"
                visible: !root.active
                anchors.verticalCenter: parent.verticalCenter
                text: "Switch"
                onClicked: root.pane.profiles.switchTo(root.id)
            }
            ShortcutRecorder {
                objectName: "hotkey"
                anchors.verticalCenter: parent.verticalCenter
                current: root.shortcut
                defaultDisplay: "Add Hotkey"
                onRecorded: shortcut => root.pane.profiles.setShortcut(root.id, shortcut)
            }
            T.Button {
                id: more

                objectName: "more"
                width: 24
                height: 24
                anchors.verticalCenter: parent.verticalCenter
                focusPolicy: Qt.NoFocus
                Accessible.name: "More actions for " + root.name
                onClicked: menu.open()

                contentItem: SymbolImage {
                    name: "ellipsis.circle"
                    size: 15
                    color: more.down || menu.visible ? Zorv.ink : Zorv.ink2
                }
                background: Item {}

                T.ToolTip {
                    visible: more.hovered && !menu.visible
                    delay: 600
                    text: "More for " + root.name
                }

                ProfileActionsMenu {
                    id: menu

                    x: more.width - width
                    y: more.height + 4
                    lookAction: root.lookAction
                    onReplace: root.pane.profiles.updateFromCurrent(root.id)
                    onToggleLook: root.pane.profiles.setRemembersLook(root.id, !root.remembersLook)
                    onRename: root.pane.beginRename(root.id)
                    onRemove: root.pane.profiles.remove(root.id)
                }
            }
        }
    }
}
