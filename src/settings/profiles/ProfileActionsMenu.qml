import QtQuick
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Settings

// The menu behind a profile row's "…" button: re-capture, keep or forget the look, rename, and
// delete (at once, without asking).
T.Popup {
    id: root

    property string lookAction

    signal replace()
    signal toggleLook()
    signal rename()
    signal remove()

    padding: 5
    width: 240
    closePolicy: T.Popup.CloseOnEscape | T.Popup.CloseOnPressOutsideParent
    implicitHeight: entries.implicitHeight + topPadding + bottomPadding

    background: Rectangle {
        color: Zorv.paper
        radius: 8
        border.width: 1
        border.color: Zorv.line2
    }

    contentItem: Column {
        id: entries

        Repeater {
            model: [
                { title: "Replace with Current Layout", action: "replace" },
                { title: root.lookAction, action: "look" },
                { title: "Rename", action: "rename" },
                { title: "", action: "" },
                { title: "Delete", action: "delete" }
            ]

            delegate: Rectangle {
                id: entry

                required property var modelData
                readonly property bool divider: entry.modelData.action.length === 0

                objectName: "action-" + entry.modelData.action
                width: entries.width
                height: entry.divider ? 9 : 24
                radius: 5
                color: !entry.divider && hover.containsMouse ? Zorv.honey : "transparent"
                Accessible.role: entry.divider ? Accessible.Separator : Accessible.MenuItem
                Accessible.name: entry.modelData.title

                Rectangle {
                    visible: entry.divider
                    anchors.verticalCenter: parent.verticalCenter
                    x: 6
                    width: parent.width - 12
                    height: 1
                    color: Zorv.line
                }
                Text {
                    visible: !entry.divider
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry.modelData.title
                    textFormat: Text.PlainText
                    font.pixelSize: 13
                    color: hover.containsMouse ? Zorv.accentLabel
                                               : entry.modelData.action === "delete" ? Zorv.red
                                                                                     : Zorv.ink
                }
                MouseArea {
                    id: hover

                    anchors.fill: parent
                    enabled: !entry.divider
                    hoverEnabled: true
                    onClicked: root.choose(entry.modelData.action)
                }
            }
        }
    }

    function choose(action) {
        root.close();
        if (action === "replace")
            root.replace();
        else if (action === "look")
            root.toggleLook();
        else if (action === "rename")
            root.rename();
        else if (action === "delete")
            root.remove();
    }
}
