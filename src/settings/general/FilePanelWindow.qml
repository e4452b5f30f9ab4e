import QtQuick
import QtQuick.Window
import Zorv.UI
import Zorv.Settings

// The save or open panel: the file's path, Cancel and Save (or Open). The path's field has the
// keyboard. Escape cancels, Return (or Command-Return) chooses.
Window {
    id: root

    required property FilePanelRequest request

    color: Zorv.paper

    Column {
        x: 20
        y: 18
        width: root.width - 40
        spacing: 12

        Text {
            textFormat: Text.PlainText
            text: root.request.prompt
            font.pixelSize: 13
            font.weight: Font.DemiBold
            color: Zorv.ink
        }
        ZorvTextField {
            id: field

            objectName: "path"
            width: parent.width
            text: root.request.path
            focus: true

            // Typing replaces the proposed file's name, as in a Mac's save panel; an open panel
            // types after the folder.
            Component.onCompleted: {
                if (!root.request.saving)
                    return;
                const slash = field.text.lastIndexOf("/") + 1;
                const dot = field.text.lastIndexOf(".");
                field.select(slash, dot > slash ? dot : field.text.length);
            }
        }
        Row {
            anchors.right: parent.right
            spacing: 8

            ZorvOutlineButton {
                text: "Cancel"
                onClicked: root.request.cancel()
            }
            ZorvAccentButton {
                text: root.request.saving ? "Save" : "Open"
                onClicked: root.request.choose(field.text)
            }
        }
    }
    Shortcut {
        sequences: [StandardKey.Cancel]
        onActivated: root.request.cancel()
    }
    Shortcut {
        sequences: ["Return", "Enter", "Ctrl+Return"]
        onActivated: root.request.choose(field.text)
    }
}
