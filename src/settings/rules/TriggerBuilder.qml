import QtQuick
import QtQuick.Templates as T
import Zorv.UI
import Zorv.Settings

// The rule builder as a sheet over the settings window: the live sentence, one condition
// ("When"), one action ("Do This") with the fields their kinds need, and a name. Escape cancels;
// Return (or Command-Return) saves once the rule is complete. Each builder gets fresh fields.
Item {
    id: root

    // The RuleBuilderModel to show; null hides the sheet.
    property var builder: null
    readonly property bool shown: !!root.builder

    visible: root.shown

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.28)
    }
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: wheel => wheel.accepted = true
    }

    Loader {
        id: content

        active: root.shown
        anchors.horizontalCenter: parent.horizontalCenter
        y: 14
        sourceComponent: RuleBuilderForm {
            builder: root.builder
            availableHeight: root.height - 28
        }
    }

    // Closed pickers leave the keys to the sheet; an open one takes Return and Escape itself.
    readonly property bool keysFree: !!content.item && !content.item.pickerOpen

    Shortcut {
        enabled: root.shown && root.keysFree
        sequences: [StandardKey.Cancel]
        onActivated: root.builder.cancel()
    }
    Shortcut {
        enabled: root.shown && root.keysFree
        sequences: ["Return", "Enter", "Ctrl+Return", "Ctrl+Enter"]
        onActivated: root.builder.save()
    }
}
